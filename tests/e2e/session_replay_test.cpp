// Sessions from the model replayed on Quarvel.exe under Wine, the user's actions sent as window
// messages and each step checked against what the model says the window shows: the scripted
// session, and a random one of hundreds of actions (a monkey). The program must hold no more GDI
// objects as it goes on, paint its fraction bar where it belongs, and end normally. The run script
// replays the scripted session also at other scales and settings.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>

#include "driver.h"
#include "res/resource.h"
#include "tests/support/session_replay.h"

namespace {

class WineWindow {
public:
    explicit WineWindow(const Program& program) : m_program(program), m_main(program.Main()) {}

    void Type(const std::string& field, const std::string& text) {
        m_program.Type(m_main, session::FieldId(field), text);
    }
    void Solve(const std::string& quantity) { m_program.Pick(m_main, IDC_SOLVE_FOR, quantity); }
    void Calculate(bool byEnter) {
        if (!byEnter) return m_program.Click(m_main, IDC_CALCULATE);
        m_program.ClickInto(m_main, IDC_RESULT);
        m_program.Key(VK_RETURN);
    }
    void ChangeUnits(const std::vector<std::string>& picks, bool open, bool byMenu) {
        byMenu ? m_program.Post(m_main, WM_COMMAND, ID_CHANGE_UNITS)
               : m_program.Click(m_main, IDC_CHANGE_UNITS);
        if (!open) return;
        HWND units = m_program.WaitForWindow("Select Units");
        m_program.Pick(units, IDC_PRESSURE_UNITS, picks[0]);
        m_program.Pick(units, IDC_VOLUME_UNITS, picks[1]);
        m_program.Pick(units, IDC_TEMPERATURE_UNITS, picks[2]);
        if (picks[3] == "accept") m_program.Key(VK_RETURN, units);
        if (picks[3] == "cancel") m_program.Click(units, IDCANCEL);
        if (picks[3] == "esc") m_program.Key(VK_ESCAPE, units);
        if (picks[3] == "closebox") m_program.Post(units, WM_SYSCOMMAND, SC_CLOSE);
        m_program.WaitUntilGone(units);
    }
    void Help(bool ok, bool byMenu) {
        byMenu ? m_program.Post(m_main, WM_COMMAND, ID_ONLINE_HELP)
               : m_program.Click(m_main, IDC_ONLINE_HELP);
        std::ofstream(Setting("QUARVEL_E2E_OPENED")).close();  // from now on, this answer's
        m_program.Answer(m_program.WaitForWindow("Online Help"), ok ? IDOK : IDCANCEL);
        // Online help's command has run by now: the program answers nothing while it runs.
        const std::vector<std::string> opened = OpenedAddresses();
        m_help = opened.empty() ? "help:none" : "help: opened " + opened.back();
        if (opened == std::vector<std::string>{QUARVEL_HELP_HOST}) m_help = "help:ran";
    }
    void About(bool byMenu) {
        byMenu ? m_program.Post(m_main, WM_COMMAND, ID_HELP_ABOUT)
               : m_program.Post(m_main, WM_SYSCOMMAND, IDM_ABOUTBOX);
        HWND about = m_program.WaitForWindow("About Quarvel");
        m_program.Key(VK_RETURN, about);
        m_program.WaitUntilGone(about);
    }
    void Tab() { m_program.Key(VK_TAB); }
    // Minimised and restored, the window paints the fraction bar again, between numerator and
    // denominator.
    void Paint() {
        // Each waited for, and the place read on every try: a window restored is no longer an
        // icon a moment before it is back in its place.
        m_program.Post(m_main, WM_SYSCOMMAND, SC_MINIMIZE);
        EXPECT_TRUE(WaitFor([&] { return IsIconic(m_main); }));
        m_program.Post(m_main, WM_SYSCOMMAND, SC_RESTORE);
        std::string fault;
        EXPECT_TRUE(WaitFor([&] {
            fault = IsIconic(m_main) ? "the window stays minimised" : BarFault(m_main);
            return fault.empty();
        })) << fault;
        // Painted again and again, it leaves nothing to paint and holds no more GDI objects.
        for (int i = 0; i < 20; ++i)
            RedrawWindow(m_main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_FALSE(GetUpdateRect(m_main, nullptr, FALSE));
    }
    void Close(const std::string& way) {
        if (way == "close") m_program.Click(m_main, IDC_CLOSE);
        if (way == "exit") m_program.Post(m_main, WM_COMMAND, ID_FILE_EXIT);
        if (way == "esc") m_program.Key(VK_ESCAPE);
        if (way == "closebox") m_program.Post(m_main, WM_SYSCOMMAND, SC_CLOSE);
    }
    bool Closed(bool expected) { return m_program.WaitForExit(expected ? 10000 : 0); }

    std::string Box(const session::Step& step) {
        const std::string kind = step.box.substr(0, step.box.find(':'));
        m_firstOfItsKind = m_shown.insert(kind.empty() ? step.action : kind).second;
        if (kind == "help") return m_help;
        if (HWND stray = m_program.Find(nullptr); kind != "prompt" && kind != "warning")
            return stray != nullptr ? "a window \"" + Text(stray) + "\"" : "";  // none may show
        HWND box = m_program.WaitForWindow(kind == "prompt" ? "Quarvel" : "Warning");
        // The first static shows the box's icon (the prompt's and the warning's have one), the
        // second its text.
        HWND icon = FindWindowExA(box, nullptr, "Static", nullptr);
        const std::string text = (Send(icon, STM_GETICON) != 0 ? "" : "no icon, ") +
                                 Text(FindWindowExA(box, icon, "Static", nullptr));
        m_program.Answer(box, IDOK);
        if (kind == "warning") return "warning:" + text;
        // With no window manager the display now and then takes the focus from the whole program
        // as the box goes; the headless tests check the focus always, this one when it can.
        const int field = session::FieldId(step.box.substr(7));
        const bool focused =
            WaitFor([&] { return m_program.FocusedId() == field || m_program.FocusedId() == 0; });
        HWND edit = GetDlgItem(m_main, field);  // selections count UTF-16 characters
        const auto range = static_cast<DWORD>(Send(edit, EM_GETSEL));
        const bool selected = LOWORD(range) == 0 && HIWORD(range) == Send(edit, WM_GETTEXTLENGTH);
        return text == "Please enter a number." && focused && selected
                   ? step.box
                   : "prompt " + text + " with the focus on " +
                         std::to_string(m_program.FocusedId());
    }

    // After every step the GDI objects held. A box, a dialog or an action met the first time makes
    // the system cache what it draws with; after that the count stays put, however many paints and
    // windows follow, but for a few objects Wine makes and frees as it goes.
    std::string Screen(const std::string& expected) {
        WaitFor([&] { return Read() == expected; });
        const int count = CountGdiObjects(m_program.Process());
        EXPECT_GT(count, 0) << "the GDI handle table could not be read";
        if (m_baseline < 0 || m_firstOfItsKind) m_baseline = count;
        EXPECT_LE(count, m_baseline + 8) << "GDI objects once each kind of window was shown";
        return Read();
    }
    // The driver reads texts; the result's bits it cannot (Replay says so).
    std::optional<std::string> ResultBits() { return std::nullopt; }

private:
    std::string Read() const {
        return session::ScreenWords([&](int id) { return Text(GetDlgItem(m_main, id)); },
                                    [&](int id) { return IsWindowEnabled(GetDlgItem(m_main, id)); },
                                    Text(GetDlgItem(m_main, IDC_SOLVE_FOR)));
    }

    const Program& m_program;
    HWND m_main;
    std::string m_help;
    std::set<std::string> m_shown;  // the kinds of action taken and of box shown
    bool m_firstOfItsKind = false;
    int m_baseline = -1;
};

void Replay(const std::string& path, size_t leastSteps) {
    std::ifstream file(path);
    const std::vector<session::Step> steps = session::Read(file);
    ASSERT_GE(steps.size(), leastSteps) << path;
    std::cout << "Not compared: the result's bits, which Quarvel.exe shows no one.\n";
    for (size_t at = 0; at < steps.size();) {
        Program program;
        WineWindow window(program);
        at = session::ReplayWindow(window, steps, at, path);
        if (!program.WaitForExit(0)) program.Post(program.Main(), WM_SYSCOMMAND, SC_CLOSE);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    std::cout << "Windows " << (GetVersion() & 0xFF) << "." << (GetVersion() >> 8 & 0xFF) << "\n";
}

TEST(Sessions, TheScriptedSessionRunsAsTheModelSays) {
    Replay(Setting("QUARVEL_E2E_SCRIPTED"), 30);
}

TEST(Sessions, AMonkeysRandomSessionRunsAsTheModelSays) {
    Replay(Setting("QUARVEL_E2E_RANDOM"), 500);
}

// With the calculator on a second monitor (at the virtual screen's end away from the primary one),
// Change Units opens on that monitor, and so does About, from the system menu of the calculator
// minimised there. The run script gives it a display of two monitors.
TEST(Windows, DialogsOpenOnTheCalculatorsMonitor) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the display has not two monitors";
    Program program;
    HWND main = program.Main();
    RECT own;
    GetWindowRect(main, &own);
    const int end = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    SetWindowPos(main, nullptr, end - (own.right - own.left) - 10, 10, 0, 0, SWP_NOSIZE);
    const HMONITOR second = MonitorFromWindow(main, MONITOR_DEFAULTTONULL);
    ASSERT_NE(second, MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    for (const bool minimised : {false, true}) {  // Change Units, then About
        if (minimised) program.Post(main, WM_SYSCOMMAND, SC_MINIMIZE);
        minimised ? program.Post(main, WM_SYSCOMMAND, IDM_ABOUTBOX)
                  : program.Post(main, WM_COMMAND, ID_CHANGE_UNITS);
        HWND dialog = program.WaitForWindow(minimised ? "About Quarvel" : "Select Units");
        EXPECT_EQ(MonitorFromWindow(dialog, MONITOR_DEFAULTTONULL), second) << minimised;
        program.Answer(dialog, IDCANCEL);
    }
}

}  // namespace
