#include "driver.h"

#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

void Pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

bool WaitFor(const std::function<bool()>& done) {
    for (int tries = 0; tries < 500; ++tries) {
        if (done()) return true;
        Pause(20);
    }
    return false;
}

std::string Setting(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

Program::Program() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + Setting("QUARVEL_E2E_EXE") + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    WaitForInputIdle(m_process.hProcess, 10000);
    if (!WaitFor([&] { return (m_main = Find("Quarvel")) != nullptr; }))
        throw std::runtime_error("Quarvel's window did not appear");
    m_thread = GetWindowThreadProcessId(m_main, nullptr);
    m_watcher = std::thread([this] {
        while (m_watching) {
            const auto start = std::chrono::steady_clock::now();
            Sync();
            const long long took = std::chrono::duration_cast<std::chrono::microseconds>(
                                       std::chrono::steady_clock::now() - start)
                                       .count();
            long long slowest = m_slowest;
            while (took > slowest && !m_slowest.compare_exchange_weak(slowest, took)) {
            }
            Pause(10);
        }
    });
}

Program::~Program() {
    m_watching = false;
    m_watcher.join();
    if (!WaitForExit(0)) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

void Program::Sync(HWND window) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window != nullptr ? window : m_main, WM_NULL, 0, 0, SMTO_NORMAL, 10000,
                        &ignored);
}

HWND Program::Find(const std::string& caption) const {
    struct Search {
        const Program* program;
        const std::string& caption;
        HWND found;
    } search{this, caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId != s->program->m_process.dwProcessId || window == s->program->m_main ||
                !IsWindowVisible(window) || Text(window) != s->caption)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(const std::string& caption) const {
    HWND found = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (found = Find(caption)) != nullptr; }))
        << "no window \"" << caption << "\" came";
    return found;
}

void Program::WaitUntilGone(HWND window) const {
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }))
        << "the window \"" << Text(window) << "\" stays";
    Sync();
}

bool Program::WaitForExit(DWORD milliseconds) const {
    return WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

int Program::FocusedId() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(m_thread, &info) || info.hwndFocus == nullptr) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

void Program::Click(HWND dialog, int id) const {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    Sync(dialog);
}

void Program::Command(HWND dialog, int id) const {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Sync(dialog);
}

void Program::SystemCommand(HWND dialog, WPARAM command) const {
    PostMessageA(dialog, WM_SYSCOMMAND, command, 0);
    Sync(dialog);
}

void Program::Pick(HWND dialog, int id, const std::string& entry) const {
    HWND list = GetDlgItem(dialog, id);
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        if (Selected(dialog, id) != entry) continue;
        // Setting the selection does not notify; a user's pick does.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Sync(dialog);
        return;
    }
    ADD_FAILURE() << "the list has no entry " << entry;
}

void Program::Key(UINT virtualKey, HWND dialog) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(m_thread, &info);
    // A dialog just shown may not have the focus yet, and a window may have lost it to the
    // display: the keys go to the dialog itself then.
    if (dialog == nullptr) dialog = m_main;
    HWND target = info.hwndFocus;
    if (target == nullptr || (target != dialog && !IsChild(dialog, target))) target = dialog;
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
    Sync(target);
}

void Program::Type(HWND dialog, int id, const std::string& text) const {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Sync(dialog);
}

void Program::ClickInto(HWND dialog, int id) const {
    HWND field = GetDlgItem(dialog, id);
    PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(WaitFor([&] { return FocusedId() == id; })) << "no focus in field " << id;
}

std::string Text(HWND window) {
    // Across processes Wine answers the ANSI messages in UTF-16, so ask in UTF-16.
    wchar_t wide[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(wide));
    std::string text;
    for (const wchar_t* c = wide; *c != 0; ++c) text.push_back(static_cast<char>(*c));
    return text;
}

std::string Text(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::string Selected(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    wchar_t wide[256] = {};
    if (index >= 0)
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(wide));
    std::string entry;
    for (const wchar_t* c = wide; *c != 0; ++c) entry.push_back(static_cast<char>(*c));
    return entry;
}

std::string SelectedText(HWND dialog, int id) {
    const DWORD range = static_cast<DWORD>(SendMessageA(GetDlgItem(dialog, id), EM_GETSEL, 0, 0));
    return Text(dialog, id).substr(LOWORD(range), HIWORD(range) - LOWORD(range));
}

std::string BoxText(HWND box) {
    HWND text = nullptr;  // the second static: the first shows the icon
    for (int i = 0; i < 2; ++i) text = FindWindowExA(box, text, "Static", nullptr);
    return Text(text);
}

void Answer(const Program& program, HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    program.WaitUntilGone(box);
}

int CountGdiObjects(HANDLE process) {
    // An entry of the table, whose index is a handle's low word. The type's bit 7 marks the
    // stock objects; a zero base type, a free entry.
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint8_t type, generation, baseType, flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "Wine's and Windows' 64-bit layout");
    constexpr std::size_t kEntries = 0x10000, kTableInPeb = 0xF8;  // GdiSharedHandleTable
    PROCESS_BASIC_INFORMATION basic{};
    std::uint64_t table = 0;
    std::vector<Entry> entries(kEntries);
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0 ||
        !ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableInPeb,
                           &table, sizeof table, nullptr) ||
        table == 0 ||
        !ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           kEntries * sizeof(Entry), nullptr))
        return -1;
    int live = 0;
    for (const Entry& entry : entries) live += entry.baseType != 0 && (entry.type & 0x80) == 0;
    return live;
}
