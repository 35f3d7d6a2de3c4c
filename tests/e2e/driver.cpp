#include "driver.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

struct Search {
    DWORD processId;
    std::string caption;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || window == search->except || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (Text(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

void Pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

E2eOptions& Options() {
    static E2eOptions options;
    return options;
}

Program::Program() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + Options().quarvel + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Options().artifacts.c_str(), &startup, &m_process)) {
        throw std::runtime_error("cannot start " + Options().quarvel);
    }
    WaitForInputIdle(m_process.hProcess, 10000);
    m_main = WaitForWindow("Quarvel");
    m_thread = GetWindowThreadProcessId(m_main, nullptr);
    Sync();
}

Program::~Program() {
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

void Program::Sync(HWND window) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window != nullptr ? window : m_main, WM_NULL, 0, 0, SMTO_NORMAL, 5000,
                        &ignored);
}

HWND Program::Find(const std::string& caption, HWND except) const {
    Search search{m_process.dwProcessId, caption, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForWindow(const std::string& caption, HWND except) const {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND found = Find(caption, except)) return found;
        Pause(50);
    }
    throw std::runtime_error("no window \"" + caption + "\" appeared");
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
    const auto entries = Entries(dialog, id);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != entry) continue;
        HWND list = GetDlgItem(dialog, id);
        SendMessageA(list, CB_SETCURSEL, i, 0);
        // Setting the selection does not notify; a user's pick does.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Sync(dialog);
        return;
    }
    throw std::runtime_error("the list has no entry " + entry);
}

void Program::Key(UINT virtualKey) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(m_thread, &info);
    HWND target = info.hwndFocus != nullptr ? info.hwndFocus : info.hwndActive;
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
    Sync(target);
}

void Program::Type(HWND dialog, int id, const std::string& text) const {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Sync(dialog);
}

std::string Text(HWND window) {
    char buffer[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string Text(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::vector<std::string> Entries(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> entries;
    const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Across processes Wine answers the ANSI message in UTF-16, so ask in UTF-16.
        wchar_t wide[256] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        std::string entry;
        for (const wchar_t* c = wide; *c != 0; ++c) entry.push_back(static_cast<char>(*c));
        entries.push_back(entry);
    }
    return entries;
}

std::string Selected(HWND dialog, int id) {
    const auto index = SendMessageA(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    return Entries(dialog, id).at(static_cast<size_t>(index));
}

Box ReadBox(HWND window) {
    Box box;
    box.window = window;
    box.caption = Text(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0 || !IsWindowVisible(child)) continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            box.icon = true;
        } else if (box.text.empty()) {
            box.text = Text(child);
        }
    }
    HWND cancel = GetDlgItem(window, IDCANCEL);
    box.cancel = cancel != nullptr && IsWindowVisible(cancel);
    return box;
}

void Answer(const Program& program, const Box& box, int id) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
    for (int tries = 0; tries < 100 && IsWindow(box.window); ++tries) Pause(20);
    program.Sync();
}

Menus ReadMenus(const Program& program) {
    // The probe writes where the variable, set before the program started, says.
    char dumpPath[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QUARVEL_E2E_MENU_DUMP", dumpPath, MAX_PATH) == 0) {
        throw std::runtime_error("QUARVEL_E2E_MENU_DUMP is not set");
    }
    const std::string dump = dumpPath;
    DeleteFileA(dump.c_str());
    HMODULE probe = LoadLibraryA(Options().probe.c_str());
    if (probe == nullptr) throw std::runtime_error("cannot load the menu probe");
    // GetProcAddress answers a generic function pointer; the probe's is a hook procedure.
    auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(probe, "QuarvelMenuProbe")));
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, procedure, probe, program.Thread());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(program.Main(), RegisterWindowMessageA("QuarvelE2eDumpMenus"), 0, 0,
                        SMTO_NORMAL, 5000, &ignored);
    UnhookWindowsHookEx(hook);
    FreeLibrary(probe);

    Menus menus;
    std::ifstream lines(dump);
    for (std::string line; std::getline(lines, line);) {
        std::stringstream fields(line);
        std::string where, separator, id, popup, text;
        std::getline(fields, where, '\t');
        std::getline(fields, separator, '\t');
        std::getline(fields, id, '\t');
        std::getline(fields, popup, '\t');
        std::getline(fields, text);
        MenuItem item{separator == "1", static_cast<UINT>(std::stoul(id)), text, popup};
        (where == "system" ? menus.system : menus.bar).push_back(item);
    }
    return menus;
}
