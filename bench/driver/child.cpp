#include "child.h"

#include <psapi.h>

#include <stdexcept>

#include "clock.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

// The process's visible top-level window. The dialog manager shows a dialog after
// WM_INITDIALOG, so a visible window has been through its start-up code.
BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

constexpr double kStartTimeoutMs = 30000.0;

}  // namespace

Child::Child(const Program& program) : m_name(program.name) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program.path + "\"";
    const double start = NowMs();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process)) {
        throw std::runtime_error("cannot start " + program.path);
    }
    // The first time the program waits for input, its window has usually been made: waiting for
    // that costs it nothing, where polling the window list would keep the window server busy
    // while the program starts. The poll after it covers a program that idles sooner.
    WaitForInputIdle(m_process.hProcess, static_cast<DWORD>(kStartTimeoutMs));
    while (m_window == nullptr) {
        Search search{m_process.dwProcessId, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        DWORD_PTR ignored = 0;
        if (search.found != nullptr &&
            SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) {
            m_window = search.found;
        } else if (NowMs() - start > kStartTimeoutMs) {
            throw std::runtime_error(program.path + " showed no window");
        } else {
            Sleep(1);
        }
    }
    m_startMs = NowMs() - start;
}

Child::~Child() {
    TerminateProcess(m_process.hProcess, 0);
    WaitForSingleObject(m_process.hProcess, 10000);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

SIZE_T Child::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(m_process.hProcess, &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}
