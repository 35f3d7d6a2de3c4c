// A program under measurement: started by the driver, timed until its window answers a
// message, and ended from outside when the object goes.
#pragma once

#include <windows.h>

#include <string>

struct Program {
    std::string name;  // as the table shows it
    std::string path;
};

class Child {
public:
    explicit Child(const Program& program);  // returns once the window answers
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    const std::string& Name() const { return m_name; }
    HWND Window() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    // From process creation to the window's answer to a sent WM_NULL.
    double StartMs() const { return m_startMs; }
    // The peak working set so far, in bytes.
    SIZE_T PeakWorkingSet() const;

private:
    std::string m_name;
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
    double m_startMs = 0.0;
};
