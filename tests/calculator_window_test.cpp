// The calculator window beyond the model's sessions: lists, keyboard, painting, message table,
// application, and memory over a long life.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/unit_catalogue.h"
#include "platform/afx_entry.h"
#include "support/bytes_in_use.h"
#include "support/calculator_fixture.h"
#include "window/fraction_bar.h"

using ::testing::ElementsAre;
using ::testing::SizeIs;
using ::testing::UnorderedElementsAreArray;

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
        // The system menu's last item is the About box, whose OK has the focus.
        const auto items = window.SystemMenu();
        session.ExpectDialog(IDD_ABOUTBOX, [](memory::DialogUser& box) {
            EXPECT_EQ(box.FocusedId(), IDOK);
            box.Key(VK_RETURN);
        });
        window.ChooseSystemMenu(items.back().text);
    });
}

// The in-memory desktop lays out the template's font at 96 DPI: the bar lies exactly where the
// window places it there, in the scheme's text colour. How it follows other scales the end-to-end
// tests and the page's see on the screen.
TEST_F(CalculatorWindowTest, PaintsTheBarAndShowsItsIcons) {
    session.SetWindowTextColor(RGB(255, 255, 0));
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        EXPECT_EQ(window.IconId(true), IDR_MAINFRAME);
        EXPECT_EQ(window.IconId(false), IDR_MAINFRAME);
        const auto ops = window.Repaint();
        ASSERT_THAT(ops, SizeIs(1));
        using namespace fraction_bar;
        EXPECT_EQ(std::vector<int>({ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2, ops[0].penWidth}),
                  std::vector<int>({kLeft, kY, kRight, kY, kWidth}));
        EXPECT_EQ(ops[0].penColor, RGB(255, 255, 0));
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
            std::vector<std::string> catalogue;  // filled once a showing, with each unit once
            for (std::size_t i = 0; UnitListName(UnitFamily::Pressure, i) != nullptr; ++i)
                catalogue.push_back(UnitListName(UnitFamily::Pressure, i));
            EXPECT_THAT(units.Entries(IDC_PRESSURE_UNITS), UnorderedElementsAreArray(catalogue));
            EXPECT_EQ(units.SelectedEntry(IDC_PRESSURE_UNITS), "inH2O");
            units.Key(VK_ESCAPE);
        });
        window.Press(IDC_CHANGE_UNITS);
        window.Press(IDC_CLOSE);
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the main window is gone with the dialog";
}

// However long the page or the program stays open, memory does not grow: closed dialogs and
// finished pens are freed, not kept.
TEST_F(CalculatorWindowTest, OpeningTheUnitsDialogAndPaintingTenThousandTimesTakesNoMoreMemory) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        std::size_t after100 = 0;
        for (int i = 1; i <= 10'000; ++i) {
            session.ExpectDialog(IDD_UNITS,
                                 [](memory::DialogUser& units) { units.Key(VK_ESCAPE); });
            window.Press(IDC_CHANGE_UNITS);
            window.Repaint();
            if (i == 100) after100 = BytesInUse();
        }
        EXPECT_LE(BytesInUse(), after100 + (1u << 20)) << "bytes after 100 openings: " << after100;
    });
}

}  // namespace
