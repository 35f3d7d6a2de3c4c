// The calculator window's commands: closing by every way, keyboard, About box, online help.
#include "support/calculator_fixture.h"
#include "window/online_help.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class WindowCommandsTest : public DesktopTest {};

TEST_F(WindowCommandsTest, EveryWayOfClosingEndsTheWindow) {
    const struct {
        const char* way;
        std::function<void(memory::DialogUser&)> close;
        int result;
    } ways[] = {
        {"Close", [](memory::DialogUser& w) { w.Press(IDC_CLOSE); }, IDOK},
        {"File, Exit", [](memory::DialogUser& w) { w.ChooseMenu("&File", "E&xit"); }, IDOK},
        {"Esc", [](memory::DialogUser& w) { w.Key(VK_ESCAPE); }, IDCANCEL},
        {"close box", [](memory::DialogUser& w) { w.CloseBox(); }, IDCANCEL},
        {"system menu Close", [](memory::DialogUser& w) { w.ChooseSystemMenu("&Close\tAlt+F4"); },
         IDCANCEL},
    };
    for (const auto& way : ways) {
        CGasLawDlg dlg;
        session.ExpectDialog(IDD_QUARVEL_DIALOG, way.close);
        EXPECT_EQ(dlg.DoModal(), way.result) << way.way;
    }
}

TEST_F(WindowCommandsTest, CloseAndExitRefuseWhileAFieldIsNotANumber) {
    for (bool byMenu : {false, true}) {
        WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
            window.Type(IDC_VOLUME, "?");
            if (byMenu) {
                window.ChooseMenu("&File", "E&xit");
            } else {
                window.Press(IDC_CLOSE);
            }
            EXPECT_FALSE(window.Ended());
            EXPECT_EQ(window.FocusedId(), IDC_VOLUME);
            window.Key(VK_ESCAPE);  // Esc closes whatever the fields hold
            EXPECT_TRUE(window.Ended());
        });
    }
    EXPECT_EQ(session.Boxes().size(), 2u);
}

TEST_F(WindowCommandsTest, TabVisitsTheControlsInTemplateOrderSkippingTheDisabledField) {
    WithCalculator([](memory::DialogUser& window, CGasLawDlg&) {
        std::vector<int> visited{window.FocusedId()};
        for (int i = 0; i < 10; ++i) {
            window.Key(VK_TAB);
            visited.push_back(window.FocusedId());
        }
        EXPECT_THAT(visited, ElementsAre(IDC_CALCULATE, IDC_CLOSE, IDC_SOLVE_FOR, IDC_VOLUME,
                                         IDC_MOLES, IDC_TEMPERATURE, IDC_RESULT, IDC_ONLINE_HELP,
                                         IDC_CHANGE_UNITS, IDC_CALCULATE, IDC_CLOSE));
        window.Key(VK_TAB, true);
        EXPECT_EQ(window.FocusedId(), IDC_CALCULATE);
    });
}

TEST_F(WindowCommandsTest, EnterPressesTheFocusedButtonElseCalculate) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) { units.Key(VK_ESCAPE); });
        window.Key(VK_TAB, true);  // from Calculate back to Change Units
        EXPECT_EQ(window.FocusedId(), IDC_CHANGE_UNITS);
        window.Key(VK_RETURN);
        window.Type(IDC_MOLES, "2");
        window.Key(VK_RETURN);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.164114");
    });
    EXPECT_THAT(session.DialogsShown(), ElementsAre(IDD_QUARVEL_DIALOG, IDD_UNITS));
}

TEST_F(WindowCommandsTest, AboutBoxOpensFromTheMenuAndTheSystemMenu) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        const auto systemMenu = window.SystemMenu();
        ASSERT_GE(systemMenu.size(), 2u);
        EXPECT_EQ(systemMenu[systemMenu.size() - 2].flags & MF_SEPARATOR, MF_SEPARATOR);
        EXPECT_EQ(systemMenu.back().text, "&About Quarvel...");
        EXPECT_EQ(systemMenu.back().id, IDM_ABOUTBOX);

        const auto about = [](memory::DialogUser& box) {
            EXPECT_EQ(box.Caption(), "About Quarvel");
            EXPECT_EQ(box.FocusedId(), IDOK);
            box.Key(VK_RETURN);
            EXPECT_TRUE(box.Ended());
        };
        session.ExpectDialog(IDD_ABOUTBOX, about);
        window.ChooseMenu("&Online Help", "&About");
        session.ExpectDialog(IDD_ABOUTBOX, about);
        window.ChooseSystemMenu("&About Quarvel...");
        EXPECT_EQ(window.FocusedId(), IDC_CALCULATE) << "the focus returns to the window";
    });
    EXPECT_THAT(session.DialogsShown(),
                ElementsAre(IDD_QUARVEL_DIALOG, IDD_ABOUTBOX, IDD_ABOUTBOX));
}

TEST_F(WindowCommandsTest, OnlineHelpAsksAndRunsTheBrowserOnlyOnOK) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        session.AnswerNextBox(IDCANCEL);
        window.Press(IDC_ONLINE_HELP);
        EXPECT_THAT(session.ShellCommands(), IsEmpty());
        session.AnswerNextBox(IDOK);
        window.ChooseMenu("&Online Help", "&Online Help");
    });
    ASSERT_EQ(session.Boxes().size(), 2u);
    const auto& question = session.Boxes().front();
    EXPECT_EQ(question.text,
              "Click OK to go to Online help.  If you cannot access online help from this box "
              "goto:\n https://" QUARVEL_HELP_HOST);
    EXPECT_EQ(question.caption, "Online Help");
    EXPECT_EQ(question.style, MB_OKCANCEL | MB_ICONINFORMATION);
    EXPECT_EQ(question.ownerTemplate, IDD_QUARVEL_DIALOG);
    EXPECT_THAT(session.ShellCommands(), ElementsAre("start iexplore.exe  " QUARVEL_HELP_HOST));
    EXPECT_THAT(std::string(QUARVEL_HELP_HOST), ::testing::EndsWith(".example"));
}


}  // namespace
