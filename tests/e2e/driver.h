// Drives a running Quarvel.exe from another process, as an automation client does: windows are
// found by caption, read with WM_GETTEXT and the list messages, and commanded with posted
// messages. Only its menus are read from inside, through the menu probe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct E2eOptions {
    std::string quarvel;    // Quarvel.exe
    std::string probe;      // the menu probe DLL
    std::string artifacts;  // screenshots and logs go here
};
E2eOptions& Options();

class Program {
public:
    Program();  // starts Quarvel.exe and waits for its window
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return m_main; }
    DWORD Thread() const { return m_thread; }

    // Returns once the program's thread has handled what was posted to `window`, or sits in
    // the loop of a modal box or dialog that it opened.
    void Sync(HWND window = nullptr) const;
    // The program's visible top-level window with `caption` that is not `except`; waits for it.
    HWND WaitForWindow(const std::string& caption, HWND except = nullptr) const;
    bool HasWindow(const std::string& caption, HWND except = nullptr) const {
        return Find(caption, except) != nullptr;
    }
    bool WaitForExit(DWORD milliseconds) const;
    DWORD ExitCode() const;

    // The control with the keyboard focus, by its ID (0 if none).
    int FocusedId() const;

    // A user's actions. Each posts its messages and waits as Sync does.
    void Click(HWND dialog, int id) const;
    void Command(HWND dialog, int id) const;
    void SystemCommand(HWND dialog, WPARAM command) const;
    void Pick(HWND dialog, int id, const std::string& entry) const;
    void Key(UINT virtualKey) const;  // to the focused control
    void Type(HWND dialog, int id, const std::string& text) const;

private:
    HWND Find(const std::string& caption, HWND except) const;

    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    DWORD m_thread = 0;
};

void Pause(int milliseconds);

std::string Text(HWND window);
std::string Text(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
std::vector<std::string> Entries(HWND dialog, int id);
std::string Selected(HWND dialog, int id);

// A message box as shown.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    bool icon = false;    // shows an icon
    bool cancel = false;  // has a Cancel button
};
Box ReadBox(HWND box);
// Answers the box with the button `id` (IDOK, IDCANCEL).
void Answer(const Program& program, const Box& box, int id);

// Menus read through the probe: the system menu and the menu bar, one line an item.
struct MenuItem {
    bool separator = false;
    UINT id = 0;
    std::string text;
    std::string popup;  // for menu-bar items: the top-level entry it is under
};
struct Menus {
    std::vector<MenuItem> system;
    std::vector<MenuItem> bar;
};
Menus ReadMenus(const Program& program);
