// The calculator window beyond the model's sessions: lists, keyboard, painting, message table and
// application, and what no user can cause (a unit outside the catalogue, a dialog not shown).
#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/afx_entry.h"
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

namespace {

class CalculatorWindowTest : public DesktopTest {};

TEST_F(CalculatorWindowTest, KeyboardAndSystemMenu) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        std::vector<int> visited;
        for (int i = 0; i < 9; ++i, window.Key(VK_TAB)) visited.push_back(window.FocusedId());
        EXPECT_THAT(visited,
                    ElementsAre(IDC_CALCULATE, IDC_CLOSE, IDC_SOLVE_FOR, IDC_VOLUME, IDC_MOLES,
                                IDC_TEMPERATURE, IDC_RESULT, IDC_ONLINE_HELP, IDC_CHANGE_UNITS));
        window.Key(VK_TAB, true);  // back from Calculate to Change Units
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) { units.Key(VK_ESCAPE); });
        window.Key(VK_RETURN);
        // The system menu ends with a separator and the About box, whose OK has the focus.
        const auto items = window.SystemMenu();
        EXPECT_EQ(items.at(items.size() - 2).flags & MF_SEPARATOR, MF_SEPARATOR);
        EXPECT_EQ(items.back().text, "&About Quarvel...");
        session.ExpectDialog(IDD_ABOUTBOX, [](memory::DialogUser& box) {
            EXPECT_EQ(box.FocusedId(), IDOK);
            box.Key(VK_RETURN);
        });
        window.ChooseSystemMenu(items.back().text);
    });
    EXPECT_THAT(session.DialogsShown(), ElementsAre(IDD_QUARVEL_DIALOG, IDD_UNITS, IDD_ABOUTBOX));
}

// With the template's font at 96 DPI the bar is where it always was, in the scheme's text colour;
// how it follows other scales the end-to-end tests and the page's see on the screen.
TEST_F(CalculatorWindowTest, PaintsTheBarAndItsIconsAndLeavesNoPenBehind) {
    session.SetWindowTextColor(RGB(255, 255, 0));
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        EXPECT_EQ(window.IconId(true), IDR_MAINFRAME);
        EXPECT_EQ(window.IconId(false), IDR_MAINFRAME);
        const auto ops = window.Repaint();
        ASSERT_THAT(ops, SizeIs(1));
        EXPECT_EQ(std::vector<int>({ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2, ops[0].penWidth}),
                  std::vector<int>({500, 87, 630, 87, 2}));
        EXPECT_EQ(ops[0].penColor, RGB(255, 255, 0));
        EXPECT_EQ(session.LiveGdiObjects(), 0) << "the pen is deleted after each paint";
        const auto minimised = window.Minimize();
        ASSERT_THAT(minimised, SizeIs(2));
        EXPECT_EQ(minimised[0].kind, memory::DrawOp::Kind::IconBackground);
        EXPECT_EQ(minimised[1].iconId, IDR_MAINFRAME);
        EXPECT_EQ(minimised[1].x1, (window.ClientRect().cx - 32 + 1) / 2);
        EXPECT_EQ(minimised[1].y1, (window.ClientRect().cy - 32 + 1) / 2);
        EXPECT_EQ(window.Restore().front().kind, memory::DrawOp::Kind::Line);
    });
}

TEST_F(CalculatorWindowTest, RoutesByMessageCodeAndId) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        LRESULT result = 0;
        // A double-click is not a click; a selection change counts only from the list.
        EXPECT_FALSE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_CALCULATE, 5), 1, &result));
        EXPECT_FALSE(dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(IDC_RESULT, CBN_SELCHANGE), 1, &result));
        EXPECT_EQ(window.Text(IDC_RESULT), "0");
    });
}

// The application runs the calculator, which waits under its units dialog; the lists are sorted,
// and the units dialog chooses the units in force.
TEST_F(CalculatorWindowTest, TheApplicationRunsTheCalculatorModallyUnderItsDialogs) {
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        ASSERT_NE(AfxGetMainWnd(), nullptr);
        // Every list is in alphabetical order, whatever the case of its entries.
        const auto alphabetical = [](std::vector<std::string> entries) {
            for (std::string& entry : entries)
                for (char& c : entry) c = static_cast<char>(std::tolower(c));
            return std::is_sorted(entries.begin(), entries.end());
        };
        EXPECT_TRUE(alphabetical(window.Entries(IDC_SOLVE_FOR)));
        session.ExpectDialog(IDD_UNITS, [&](memory::DialogUser& units) {
            EXPECT_FALSE(window.WindowEnabled());
            for (int list : {IDC_PRESSURE_UNITS, IDC_VOLUME_UNITS, IDC_TEMPERATURE_UNITS})
                EXPECT_TRUE(alphabetical(units.Entries(list))) << list;
            EXPECT_EQ(units.SelectedEntry(IDC_VOLUME_UNITS), "L");
            EXPECT_EQ(units.FocusedId(), IDC_UNITS_ACCEPT);
            units.Pick(IDC_PRESSURE_UNITS, "inH2O");
            units.Key(VK_RETURN);
        });
        window.Press(IDC_CHANGE_UNITS);
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.Entries(IDC_PRESSURE_UNITS).size(), 8u) << "filled once a showing";
            EXPECT_EQ(units.SelectedEntry(IDC_PRESSURE_UNITS), "inH2O");
            units.Key(VK_ESCAPE);
        });
        window.Press(IDC_CHANGE_UNITS);
        window.Press(IDC_CLOSE);
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the main window is gone with the dialog";
}

// A unit label the catalogue does not know is an "error" box for each conversion that needs
// it, and no made-up number; a list without a selection hands back the unit handed in.
TEST_F(CalculatorWindowTest, AUnitOutsideTheCatalogueIsReportedAndHandedBackUnchanged) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.SetText(IDC_TEMPERATURE_UNIT, " Kelvin");
        window.Press(IDC_CALCULATE);
        ASSERT_THAT(session.Boxes(), SizeIs(1));
        EXPECT_EQ(session.Boxes()[0].caption + ": " + session.Boxes()[0].text, "Quarvel: error");
        EXPECT_TRUE(std::isnan(dlg.m_dResult));
        EXPECT_EQ(window.Text(IDC_RESULT), "nan");
        window.SetText(IDC_TEMPERATURE_UNIT, " K");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057");
        window.SetText(IDC_PRESSURE_UNIT, " hPa");  // the solved quantity's: in and out
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(session.TakeBoxes().size(), 3u);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057") << "the previous result stays";

        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.Selection(IDC_PRESSURE_UNITS), -1);
            units.Pick(IDC_VOLUME_UNITS, "pt");
            units.Press(IDC_UNITS_ACCEPT);
        });
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_EQ(dlg.m_strPressureUnit, " hPa");
        EXPECT_EQ(dlg.m_strVolumeUnit, " pt");
    });
}

TEST_F(CalculatorWindowTest, WhenTheUnitsDialogCannotBeShownTheUnitsAndFieldsStayAsTheyWere) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        window.Type(IDC_VOLUME, "2.50");
        session.FailNextDialog(IDD_UNITS);
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT) + window.Text(IDC_VOLUME_UNIT) +
                      window.Text(IDC_TEMPERATURE_UNIT) + window.Text(IDC_RESULT_UNIT),
                  " atm L K atm");
        EXPECT_EQ(window.Text(IDC_VOLUME), "2.50");
    });
    EXPECT_THAT(session.Boxes(), IsEmpty());
}

}  // namespace
