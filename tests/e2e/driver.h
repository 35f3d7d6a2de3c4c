// Drives a running Quarvel.exe from another process, as an automation client does: windows are
// found by caption, read with WM_GETTEXT and the list messages, and commanded with posted
// messages. Every step that follows a posted action waits, with a timeout, for what it expects,
// and every sent message is answered within ten seconds or fails the step it belongs to.
#pragma once

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "res/resource.h"

// The run script's settings, QUARVEL_E2E_*.
inline std::string Setting(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

// Polls `done` for up to ten seconds; whether it came true.
inline bool WaitFor(const std::function<bool()>& done) {
    for (int tries = 0; tries < 500; ++tries, Sleep(20))
        if (done()) return true;
    return false;
}

inline bool g_programHangs = false;  // till the next Program starts

// Sends `message`; its answer, or 0 from a window that is gone. A program that does not answer
// in ten seconds hangs: the step fails, once, and nothing more is sent to it.
inline LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!g_programHangs &&
        !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &answer) &&
        GetLastError() == ERROR_TIMEOUT)
        g_programHangs = true, ADD_FAILURE() << "no answer in 10 s to message " << message;
    return static_cast<LRESULT>(answer);
}

// The addresses the stand-in browser was asked to open, a line each, from the file the run script
// names; read once no stand-in browser runs, as each writes its address before it ends.
inline std::vector<std::string> OpenedAddresses() {
    EXPECT_TRUE(WaitFor([] {
        HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 process{};
        process.dwSize = sizeof process;
        BOOL more = Process32First(all, &process);
        while (more && _stricmp(process.szExeFile, "iexplore.exe") != 0)
            more = Process32Next(all, &process);
        CloseHandle(all);
        return !more;
    })) << "a browser that online help started never ended";
    std::ifstream file(Setting("QUARVEL_E2E_OPENED"));
    std::vector<std::string> addresses;
    for (std::string line; std::getline(file, line);) addresses.push_back(line);
    return addresses;
}

inline GUITHREADINFO ThreadInfo(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info;
}

// Across processes Wine answers the ANSI messages in UTF-16, so the driver asks in UTF-16, and
// speaks the sessions' UTF-8 to the program as a paste does, in Unicode.
inline std::string Narrow(const wchar_t* wide) {
    char text[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
inline std::wstring Widen(const std::string& text) {
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide, 1023);
    return wide;
}

// A window's text; a drop-down list's is its chosen entry.
inline std::string Text(HWND window) {
    wchar_t wide[1024] = {};
    Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
    return Narrow(wide);
}

class Program {
public:
    // Starts Quarvel.exe and waits for its window.
    Program() {
        g_programHangs = false;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + Setting("QUARVEL_E2E_EXE") + "\"";
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &m_process))
            throw std::runtime_error("cannot start " + commandLine);
        WaitForInputIdle(m_process.hProcess, 10000);
        if (!WaitFor([&] { return (m_main = Find("Quarvel")) != nullptr; }))
            throw std::runtime_error("Quarvel's window did not appear");
        m_thread = GetWindowThreadProcessId(m_main, nullptr);
    }

    ~Program() {
        if (!WaitForExit(0)) TerminateProcess(m_process.hProcess, 1);
        WaitForExit(5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return m_main; }
    HANDLE Process() const { return m_process.hProcess; }
    bool WaitForExit(DWORD milliseconds) const {
        return WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    // Returns once the program answers a sent message; posted ones may still wait.
    void Sync(HWND window = nullptr) const { Send(window != nullptr ? window : m_main, WM_NULL); }
    // The program's visible top-level window with `caption` (any, if none), other than the main
    // window; null if there is none.
    HWND Find(const char* caption) const {
        // The program's windows are all dialogs, of the system's dialog class.
        for (HWND window = nullptr;
             (window = FindWindowExA(nullptr, window, "#32770", caption)) != nullptr;) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == m_process.dwProcessId && window != m_main && IsWindowVisible(window))
                return window;
        }
        return nullptr;
    }
    HWND WaitForWindow(const std::string& caption) const {
        HWND found = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (found = Find(caption.c_str())) != nullptr; }))
            << "no window \"" << caption << "\" came";
        return found;
    }
    void WaitUntilGone(HWND window) const {
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }))
            << "the window \"" << Text(window) << "\" stays";
        Sync();
    }
    // The control with the keyboard focus; 0 if none.
    int FocusedId() const { return GetDlgCtrlID(ThreadInfo(m_thread).hwndFocus); }

    // A user's actions: each posts its messages and waits as Sync does.
    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) const {
        PostMessageA(window, message, wParam, lParam);
        Sync(window);
    }
    void Click(HWND dialog, int id) const {
        Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    void Pick(HWND dialog, int id, const std::string& entry) const {
        HWND list = GetDlgItem(dialog, id);
        const LRESULT count = Send(list, CB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            Send(list, CB_SETCURSEL, static_cast<WPARAM>(i));
            // Setting the selection does not notify; a user's pick does.
            if (Text(list) == entry)
                return Post(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(list));
        }
        ADD_FAILURE() << "the list has no entry " << entry;
    }
    void Type(HWND dialog, int id, const std::string& text) const {
        Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
        Sync(dialog);
    }
    // Answers the box with the button `id` (IDOK, IDCANCEL) and waits until it is gone.
    void Answer(HWND box, int id) const {
        Click(box, id);
        WaitUntilGone(box);
    }
    // A key pressed in `dialog` (the main window if none) where its focus is.
    void Key(UINT virtualKey, HWND dialog = nullptr) const {
        // A dialog just shown may not have the focus yet, and a window may have lost it to the
        // display: the keys go to the dialog itself then.
        if (dialog == nullptr) dialog = m_main;
        HWND target = ThreadInfo(m_thread).hwndFocus;
        if (target == nullptr || (target != dialog && !IsChild(dialog, target))) target = dialog;
        const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
        PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
        Post(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
    }
    void ClickInto(HWND dialog, int id) const {
        HWND field = GetDlgItem(dialog, id);
        PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        // With no window manager the program may have no active window once another program's has
        // gone (online help), and a posted click cannot make one: keys go to the dialog then.
        EXPECT_TRUE(WaitFor([&] { return FocusedId() == id || !ThreadInfo(m_thread).hwndActive; }))
            << "no focus in field " << id;
    }

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    DWORD m_thread = 0;
};

// The screen's pixels in `area`, row by row, each 0x00RRGGBB.
inline std::vector<DWORD> Grab(const RECT& area) {
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// What is wrong with the fraction bar on the screen, if anything. As at 96 DPI, it lies in the
// rows strictly between numerator and denominator, from 5/135 of the numerator's width in to its
// right edge, alone in the window-text colour there. The bar is the rows where that colour runs
// across half the numerator or more; the pen's ends may differ by a few pixels.
inline std::string BarFault(HWND main) {
    RECT numerator, denominator;  // on the screen
    GetWindowRect(GetDlgItem(main, IDC_NUMERATOR), &numerator);
    GetWindowRect(GetDlgItem(main, IDC_DENOMINATOR), &denominator);
    const int width = numerator.right - numerator.left, left = numerator.left + width * 5 / 135;
    // The pen's end may reach past the numerator's right edge; left of it stands a label.
    const RECT area{numerator.left, numerator.top, numerator.right + width / 10,
                    denominator.bottom};
    // A window just restored may not have its controls in place yet.
    if (width <= 0 || area.bottom <= area.top) return "the panel is not laid out";
    const std::vector<DWORD> pixels = Grab(area);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    auto ink = [&](int x, int y) {
        const DWORD pixel = pixels[(y - area.top) * (area.right - area.left) + x - area.left];
        return std::abs(static_cast<int>(pixel >> 16 & 0xFF) - GetRValue(text)) <= 48 &&
               std::abs(static_cast<int>(pixel >> 8 & 0xFF) - GetGValue(text)) <= 48 &&
               std::abs(static_cast<int>(pixel & 0xFF) - GetBValue(text)) <= 48;
    };
    RECT bar{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
        int longest = 0, end = 0;
        for (int x = area.left, run = 0; x < area.right; ++x) {
            run = ink(x, y) ? run + 1 : 0;
            if (run > longest) longest = run, end = x;
        }
        if (2 * longest >= width)
            bar = {std::min<LONG>(bar.left, end - longest + 1), std::min<LONG>(bar.top, y),
                   std::max<LONG>(bar.right, end), y};
    }
    int strays = 0;  // pixels of its colour between the texts, beside the bar
    for (int y = numerator.bottom; y < denominator.top; ++y)
        for (int x = area.left; x < area.right; ++x)
            strays += (x < bar.left || x > bar.right) && ink(x, y);
    constexpr int kSlack = 4;  // pixels the pen's ends may differ by
    if (bar.left <= bar.right && numerator.bottom < bar.top && bar.bottom < denominator.top &&
        std::abs(bar.left - left) <= kSlack && std::abs(bar.right - numerator.right) <= kSlack &&
        strays == 0)
        return "";
    auto span = [](LONG from, LONG to) { return std::to_string(from) + ".." + std::to_string(to); };
    return "on the screen, expected a bar alone in rows " +
           span(numerator.bottom + 1, denominator.top - 1) + ", columns " +
           span(left, numerator.right) + " +-" + std::to_string(kSlack) + "; found rows " +
           span(bar.top, bar.bottom) + ", columns " + span(bar.left, bar.right) + ", and " +
           std::to_string(strays) + " pixels of its colour beside it";
}

// The GDI objects `process` draws with (pens, brushes, fonts, bitmaps), stock objects aside; -1
// when they cannot be read. Device contexts, with the region and surface Wine gives each, come and
// go with Wine's cache of them. Read from its GDI handle table (GetGuiResources is a stub under
// Wine 8), which its PEB points to.
inline int CountGdiObjects(HANDLE process) {
    // An entry of the table, whose index is a handle's low word. The type's bit 7 marks the
    // stock objects.
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint8_t type, generation, baseType, flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "Wine's and Windows' 64-bit layout");
    constexpr std::size_t kEntries = 0x10000, kTableInPeb = 0xF8;  // GdiSharedHandleTable
    PROCESS_BASIC_INFORMATION basic{};
    ULONG_PTR wow64 = 0;
    std::uint64_t table = 0;
    std::vector<Entry> entries(kEntries);
    // Wine 8: a 32-bit program's table is in the next page's 64-bit PEB, its entries 8 bytes lower.
    NtQueryInformationProcess(process, ProcessWow64Information, &wow64, sizeof wow64, nullptr);
    const std::size_t peb = wow64 != 0 ? 0x1000 : 0, skew = wow64 != 0 ? sizeof(Entry) - 8 : 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0 ||
        !ReadProcessMemory(process,
                           reinterpret_cast<char*>(basic.PebBaseAddress) + peb + kTableInPeb,
                           &table, sizeof table, nullptr) ||
        table == 0 ||
        !ReadProcessMemory(process, reinterpret_cast<const void*>(table + skew), entries.data(),
                           (kEntries - 1) * sizeof(Entry), nullptr))
        return -1;
    int live = 0;
    for (const Entry& entry : entries)  // 0 free, 1 a DC, 4 and 5 its region and surface
        live += entry.baseType > 5 && (entry.type & 0x80) == 0;
    return live;
}
