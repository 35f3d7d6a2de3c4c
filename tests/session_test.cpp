// Sessions from the model replayed on the in-memory calculator, each step checked against what
// the model says the window shows: the committed table of every quantity in every combination
// of units, the scripted session, and a random session made afresh for each run.
#include <cmath>
#include <fstream>

#include "support/calculator_fixture.h"
#include "support/session_replay.h"
#include "window/online_help.h"

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
            } else if (box.caption == QUARVEL_HELP_CAPTION && box.text == QUARVEL_HELP_QUESTION &&
                       box.style == (MB_OKCANCEL | MB_ICONINFORMATION)) {
                // OK starts the browser on the help site; Cancel starts nothing.
                const auto& commands = m_session.ShellCommands();
                const bool ran = commands.size() > m_shellCommands;
                m_shellCommands = commands.size();
                said += !ran                                      ? "help:none"
                        : commands.back() == QUARVEL_HELP_COMMAND ? "help:ran"
                                                                  : "help: " + commands.back();
            } else if (box.caption == "Warning" && box.style == MB_ICONSTOP) {
                said += "warning:" + box.text;
            } else {
                said += box.caption + " (style " + std::to_string(box.style) + "): " + box.text;
            }
        }
        return said;
    }

    std::string Screen(const std::string&) {
        return session::ScreenWords([&](int id) { return m_window.Text(id); },
                                    [&](int id) { return m_window.Enabled(id); },
                                    m_window.SelectedEntry(IDC_SOLVE_FOR));
    }

    std::optional<std::string> ResultBits() {
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

// The model's sessions, as the test run's first step wrote them (its own file, or the committed
// table).
std::vector<session::Step> FromTheModel(const std::string& path) {
    std::ifstream file(path);
    EXPECT_TRUE(file.is_open()) << path;
    return session::Read(file);
}

TEST_F(SessionTest, EveryQuantityInEveryCombinationOfUnitsMatchesTheModel) {
    const std::vector<session::Step> steps =
        FromTheModel(QUARVEL_TEST_DATA_DIR "/expected_calculations.tsv");
    ASSERT_GT(steps.size(), 4u * 8u * 9u * 3u * 7u);
    Replay(steps, "the committed table");
}

TEST_F(SessionTest, TheScriptedSessionMatchesTheModel) {
    Replay(FromTheModel(QUARVEL_SESSIONS_DIR "/scripted.tsv"), "the scripted session");
}

TEST_F(SessionTest, ARandomSessionMatchesTheModel) {
    std::string seed;
    std::ifstream(QUARVEL_SESSIONS_DIR "/seed") >> seed;
    const std::vector<session::Step> steps = FromTheModel(QUARVEL_SESSIONS_DIR "/random.tsv");
    ASSERT_EQ(steps.size(), 10000u);
    Replay(steps, "random session " + seed + " (QUARVEL_SESSION_SEED=" + seed + " replays it)");
}

}  // namespace
