// Sessions from the model replayed on Quarvel.exe under Wine, the user's actions sent as window
// messages and each step checked against what the model says the window shows: the scripted
// session, and a random one of hundreds of actions (a monkey). The program must hold no more GDI
// objects as it goes on, paint its fraction bar where it belongs, and end normally. The run script replays the scripted session also at other scales and settings.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "driver.h"
#include "res/resource.h"
#include "tests/support/session_replay.h"

namespace {

// As at 96 DPI, the bar lies in the rows strictly between numerator and denominator, from 5/135
// of the numerator's width in to its right edge (the pen's ends may differ by a few pixels),
// alone in its colour there. Empty when it does, else what was expected and what was found.
std::string BarFault(const FractionBar& found) {
    const RECT &numerator = found.numerator, &bar = found.bar;
    const int left = numerator.left + (numerator.right - numerator.left) * 5 / 135;
    constexpr int kSlack = 4;  // pixels the pen's ends may differ by
    if (bar.left <= bar.right && numerator.bottom < bar.top && bar.bottom < found.denominator.top &&
        std::abs(bar.left - left) <= kSlack && std::abs(bar.right - numerator.right) <= kSlack &&
        found.strays == 0)
        return "";
    std::ostringstream text;
    text << "expected a bar alone between numerator " << numerator.bottom << " and denominator "
         << found.denominator.top << ", columns " << left << ".." << numerator.right << " +-"
         << kSlack << "; found rows " << bar.top << ".." << bar.bottom << ", columns " << bar.left
         << ".." << bar.right << ", and " << found.strays << " pixels of its colour beside it";
    return text.str();
}

class WineWindow {
public:
    WineWindow(const Program& program, std::string& gdiObjects)
        : m_program(program), m_main(program.Main()), m_gdiObjects(gdiObjects) {}

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
        m_program.Answer(m_program.WaitForWindow("Online Help"), ok ? IDOK : IDCANCEL);
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
            fault = IsIconic(m_main) ? "the window stays minimised"
                                     : BarFault(ReadFractionBar(m_main));
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
        if (kind == "help") return step.box;  // the stand-in browser leaves nothing to read
        if (kind != "prompt" && kind != "warning") return "";
        HWND box = m_program.WaitForWindow(kind == "prompt" ? "Quarvel" : "Warning");
        // The first static shows the box's icon (the prompt's and the warning's have one), the
        // second its text.
        HWND icon = FindWindowExA(box, nullptr, "Static", nullptr);
        const std::string text = (SendMessageW(icon, STM_GETICON, 0, 0) != 0 ? "" : "no icon, ") +
                                 Text(FindWindowExA(box, icon, "Static", nullptr));
        m_program.Answer(box, IDOK);
        if (kind == "warning") return "warning:" + text;
        // With no window manager the display now and then takes the focus from the whole program
        // as the box goes; the headless tests check the focus always, this one when it can.
        const int field = session::FieldId(step.box.substr(7));
        const bool focused =
            WaitFor([&] { return m_program.FocusedId() == field || m_program.FocusedId() == 0; });
        HWND edit = GetDlgItem(m_main, field);  // selections count UTF-16 characters
        const auto range = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
        const bool selected =
            LOWORD(range) == 0 && HIWORD(range) == SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
        return text == "Please enter a number." && focused && selected
                   ? step.box
                   : "prompt " + text + " with the focus on " +
                         std::to_string(m_program.FocusedId());
    }

    // After every step, now and then the GDI objects held. The first boxes and dialogs make the
    // system cache what it draws them with; after that the count must stay put, however many
    // paints and windows follow.
    std::string Screen(const std::string& expected) {
        WaitFor([&] { return Read() == expected; });
        if (++m_steps % 25 == 0) {
            const int count = CountGdiObjects(m_program.Process());
            m_gdiObjects += " " + std::to_string(count);
            EXPECT_GT(count, 0) << "the GDI handle table could not be read";
            if (m_steps == 100) m_warm = count;
            EXPECT_TRUE(m_warm < 0 || count <= m_warm + 10) << m_gdiObjects;
        }
        return Read();
    }
    std::string ResultBits(const std::string& expected) { return expected; }

private:
    std::string Read() const {
        return session::ScreenWords([&](int id) { return Text(m_main, id); },
                                    [&](int id) { return IsWindowEnabled(GetDlgItem(m_main, id)); },
                                    Selected(m_main, IDC_SOLVE_FOR));
    }

    const Program& m_program;
    HWND m_main;
    std::string& m_gdiObjects;
    int m_steps = 0, m_warm = -1;
};

void Replay(const std::string& path, size_t leastSteps) {
    std::ifstream file(path);
    const std::vector<session::Step> steps = session::Read(file);
    ASSERT_GE(steps.size(), leastSteps) << path;
    std::string gdiObjects;
    for (size_t at = 0; at < steps.size();) {
        Program program;
        WineWindow window(program, gdiObjects);
        at = session::ReplayWindow(window, steps, at, path);
        if (!program.WaitForExit(0)) program.Post(program.Main(), WM_SYSCOMMAND, SC_CLOSE);
        ASSERT_TRUE(program.WaitForExit(10000));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    std::cout << "Windows " << (GetVersion() & 0xFF) << "." << (GetVersion() >> 8 & 0xFF)
              << ". GDI objects every 25 steps:" << gdiObjects << "\n";
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
