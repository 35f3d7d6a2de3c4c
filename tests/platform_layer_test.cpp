// Message tables: one plain function that routes by message, notification code and ID.
#include "support/calculator_fixture.h"

namespace {



class MessageTableTest : public DesktopTest {};

TEST_F(MessageTableTest, RoutesByMessageCodeAndIdAndLeavesTheRestToTheBase) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        LRESULT result = 0;
        const LPARAM fromControl = 1;
        // A double-click notification is not a click: Calculate does not run.
        EXPECT_FALSE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_CALCULATE, 5), fromControl, &result));
        EXPECT_EQ(window.Text(IDC_RESULT), "0");
        // The click does, whether from the button or as a command.
        EXPECT_TRUE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_CALCULATE, BN_CLICKED), 0, &result));
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057");
        // A list's selection change is routed only from the solve-for list.
        dlg.m_cbSolveFor.SetCurSel(0);
        EXPECT_FALSE(
            dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_RESULT, CBN_SELCHANGE), fromControl, &result));
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Pressure = ");
        EXPECT_TRUE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_SOLVE_FOR, CBN_SELCHANGE), fromControl,
                                 &result));
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Moles = ");
        // Unknown commands go to the application, which takes only its help command.
        EXPECT_FALSE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(4242, 0), 0, &result));
        EXPECT_TRUE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0, &result));
        EXPECT_TRUE(dlg.OnWndMsg(WM_HELP, 0, 0, &result)) << "F1 asks for help";
        EXPECT_TRUE(session.Boxes().empty());
    });
}

}  // namespace
