// Sessions from the model replayed on the in-memory calculator, each step checked against what
// the model says the window shows: the committed table of every quantity in every combination
// of units, the scripted session, and a random session made afresh for each run.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "support/calculator_fixture.h"
#include "support/command_output.h"
#include "support/session_replay.h"

namespace {

class MemoryWindow {
public:
    MemoryWindow(memory::Session& session, memory::DialogUser& window, CGasLawDlg& dlg)
        : m_session(session),
          m_window(window),
          m_dlg(dlg),
          m_shellCommands(session.ShellCommands().size()) {}

    void Type(const std::string& field, const std::string& text) {
        m_window.Type(session::FieldId(field), text);
    }
    void Solve(const std::string& quantity) { m_window.Pick(IDC_SOLVE_FOR, quantity); }
    void Calculate(bool byEnter) {
        if (!byEnter) return m_window.Press(IDC_CALCULATE);
        m_window.Click(IDC_RESULT);
        m_window.Key(VK_RETURN);
    }
    void ChangeUnits(const std::vector<std::string>& picks, bool open, bool byMenu) {
        if (open) {
            m_session.ExpectDialog(IDD_UNITS, [picks](memory::DialogUser& units) {
                units.Pick(IDC_PRESSURE_UNITS, picks[0]);
                units.Pick(IDC_VOLUME_UNITS, picks[1]);
                units.Pick(IDC_TEMPERATURE_UNITS, picks[2]);
                if (picks[3] == "accept") units.Key(VK_RETURN);
                if (picks[3] == "cancel") units.Press(IDCANCEL);
                if (picks[3] == "esc") units.Key(VK_ESCAPE);
                if (picks[3] == "closebox") units.CloseBox();
            });
        }
        byMenu ? m_window.ChooseMenu("&Change Units", "&Change Units")
               : m_window.Press(IDC_CHANGE_UNITS);
    }
    void Help(bool ok, bool byMenu) {
        m_session.AnswerNextBox(ok ? IDOK : IDCANCEL);
        byMenu ? m_window.ChooseMenu("&Online Help", "&Online Help")
               : m_window.Press(IDC_ONLINE_HELP);
    }
    void About(bool byMenu) {
        m_session.ExpectDialog(IDD_ABOUTBOX, [](memory::DialogUser& box) { box.Key(VK_RETURN); });
        byMenu ? m_window.ChooseMenu("&Online Help", "&About")
               : m_window.ChooseSystemMenu("&About Quarvel...");
    }
    void Tab() { m_window.Key(VK_TAB); }
    void Paint() {
        m_window.Minimize();
        m_window.Restore();
        EXPECT_EQ(m_session.LiveGdiObjects(), 0) << "a pen is left";
    }
    void Close(const std::string& way) {
        if (way == "close") m_window.Press(IDC_CLOSE);
        if (way == "exit") m_window.ChooseMenu("&File", "E&xit");
        if (way == "esc") m_window.Key(VK_ESCAPE);
        if (way == "closebox") m_window.CloseBox();
    }
    bool Closed(bool) { return m_window.Ended(); }

    std::string Box(const session::Step&) {
        EXPECT_THAT(m_session.Problems(), ::testing::IsEmpty());
        std::string said;
        for (const memory::MessageBoxRecord& box : m_session.TakeBoxes()) {
            if (box.text == "Please enter a number.") {
                said += "prompt:";
                for (const std::string& name : session::kFields) {
                    const int id = session::FieldId(name);
                    if (id == m_window.FocusedId() &&
                        m_window.SelectedText(id) == m_window.Text(id))
                        said += name;
                }
            } else if (box.caption == "Online Help") {
                const bool ran = m_session.ShellCommands().size() > m_shellCommands;
                m_shellCommands = m_session.ShellCommands().size();
                said += ran ? "help:ran" : "help:none";
            } else {
                said += (box.caption == "Warning" ? "warning:" : box.caption + ":") + box.text;
            }
        }
        return said;
    }

    std::string Screen(const std::string&) {
        return session::ScreenWords([&](int id) { return m_window.Text(id); },
                                    [&](int id) { return m_window.Enabled(id); },
                                    m_window.SelectedEntry(IDC_SOLVE_FOR));
    }

    std::string ResultBits(const std::string&) {
        return std::isnan(m_dlg.m_dResult) ? "nan" : std::to_string(Bits(m_dlg.m_dResult));
    }

private:
    memory::Session& m_session;
    memory::DialogUser& m_window;
    CGasLawDlg& m_dlg;
    size_t m_shellCommands;
};

class SessionTest : public DesktopTest {
protected:
    void Replay(const std::vector<session::Step>& steps, const std::string& origin) {
        for (size_t at = 0; at < steps.size();) {
            WithCalculator([&](memory::DialogUser& user, CGasLawDlg& dlg) {
                MemoryWindow window(session, user, dlg);
                at = session::ReplayWindow(window, steps, at, origin);
            });
        }
    }
};

// The model's sessions, from its standard output.
std::vector<session::Step> FromTheModel(const std::string& arguments) {
    const std::string command =
        QUARVEL_PYTHON " " QUARVEL_TEST_DATA_DIR "/gas_law_model.py " + arguments;
    bool failed = false;
    std::stringstream lines(CommandOutput(command, failed));
    EXPECT_FALSE(failed) << command;
    return session::Read(lines);
}

TEST_F(SessionTest, EveryQuantityInEveryCombinationOfUnitsMatchesTheModel) {
    std::ifstream table(QUARVEL_TEST_DATA_DIR "/expected_calculations.tsv");
    const std::vector<session::Step> steps = session::Read(table);
    ASSERT_GT(steps.size(), 4u * 8u * 9u * 3u * 7u);
    Replay(steps, "the committed table");
}

TEST_F(SessionTest, TheScriptedSessionMatchesTheModel) {
    Replay(FromTheModel("--scripted"), "the scripted session");
}

TEST_F(SessionTest, ARandomSessionMatchesTheModel) {
    const char* given = std::getenv("QUARVEL_SESSION_SEED");
    const std::string seed = given != nullptr ? given : std::to_string(std::random_device{}());
    const std::vector<session::Step> steps = FromTheModel("--random " + seed + " 10000");
    ASSERT_EQ(steps.size(), 10000u);
    Replay(steps, "random session " + seed + " (QUARVEL_SESSION_SEED=" + seed + " replays it)");
}

}  // namespace
