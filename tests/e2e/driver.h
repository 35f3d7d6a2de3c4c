// Drives a running Quarvel.exe from another process, as an automation client does: windows are
// found by caption, read with WM_GETTEXT and the list messages, and commanded with posted
// messages. Every step that follows a posted action waits, with a timeout, for what it expects.
#pragma once

#include <windows.h>

#include <atomic>
#include <climits>
#include <functional>
#include <string>
#include <thread>

// The run script's settings: QUARVEL_E2E_EXE, QUARVEL_E2E_SCRIPTED and QUARVEL_E2E_RANDOM.
std::string Setting(const char* name);
// Polls `done` for up to ten seconds; whether it came true.
bool WaitFor(const std::function<bool()>& done);

class Program {
public:
    Program();  // starts Quarvel.exe and waits for its window
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return m_main; }
    HANDLE Process() const { return m_process.hProcess; }
    bool WaitForExit(DWORD milliseconds) const;
    DWORD ExitCode() const;
    // The longest the program took to answer since the last call, in ms: a watcher asks it
    // every 10 ms.
    double TakeSlowest() const { return m_slowest.exchange(0) / 1000.0; }

    // Returns once the program answers a sent message; posted ones may still wait.
    void Sync(HWND window = nullptr) const;
    // The program's visible top-level window with `caption`, other than the main window.
    HWND WaitForWindow(const std::string& caption) const;
    void WaitUntilGone(HWND window) const;
    int FocusedId() const;  // the control with the keyboard focus; 0 if none

    // A user's actions: each posts its messages and waits as Sync does.
    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) const;
    void Click(HWND dialog, int id) const;
    void Pick(HWND dialog, int id, const std::string& entry) const;
    void Type(HWND dialog, int id, const std::string& text) const;
    // A key pressed in `dialog` (the main window if none) where its focus is.
    void Key(UINT virtualKey, HWND dialog = nullptr) const;
    void ClickInto(HWND dialog, int id) const;  // and waits for the focus to be there

private:
    HWND Find(const std::string& caption) const;

    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    DWORD m_thread = 0;
    mutable std::atomic<long long> m_slowest{0};  // microseconds
    std::atomic<bool> m_watching{true};
    std::thread m_watcher;
};

std::string Text(HWND window);
std::string Text(HWND dialog, int id);
std::string Selected(HWND dialog, int id);      // the chosen entry of a list
std::string SelectedText(HWND dialog, int id);  // the selected part of a field's text
std::string BoxText(HWND box);
// The fraction bar as the screen shows it, in client coordinates: the first and last rows and
// columns where the window-text colour runs across half the numerator or more, from the
// numerator's top to the denominator's bottom (left > right if none), and `strays`, pixels of
// that colour between the two beside the bar's columns.
struct FractionBar {
    RECT numerator{}, denominator{}, bar{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int strays = 0;
};
FractionBar ReadFractionBar(HWND main);
// Answers the box with the button `id` (IDOK, IDCANCEL) and waits until it is gone.
void Answer(const Program& program, HWND box, int id);

// The GDI objects `process` holds, stock objects aside; -1 when they cannot be read. Read from
// its GDI handle table (GetGuiResources is a stub under Wine 8), which its PEB points to.
int CountGdiObjects(HANDLE process);
