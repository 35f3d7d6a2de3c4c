// The in-memory window system: list sorting and searching, user actions against program
// actions, and refusing what a user could not do.
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

namespace {

class MemoryBackendTest : public DesktopTest {
protected:
    // Runs a units dialog with nothing handed in, for its three empty-at-first lists.
    void WithUnitsDialog(const std::function<void(memory::DialogUser&, CUnitsDlg&)>& user) {
        CUnitsDlg dlg;
        session.ExpectDialog(IDD_UNITS, [&](memory::DialogUser& window) {
            user(window, dlg);
            if (!window.Ended()) window.Key(VK_ESCAPE);
        });
        dlg.DoModal();
    }
};

TEST_F(MemoryBackendTest, SortedListsCompareAsIfInLowerCase) {
    WithUnitsDialog([](memory::DialogUser& window, CUnitsDlg& dlg) {
        CComboBox& list = dlg.m_cbPressure;
        list.SendMessageA(CB_RESETCONTENT);
        for (const char* text : {"b", "B2", "a^", "al", "A", "Z", "_"}) list.AddString(text);
        // '^' and '_' sort before the lower-case letters, whatever case the letters have.
        EXPECT_THAT(window.Entries(IDC_PRESSURE_UNITS),
                    ElementsAre("_", "A", "a^", "al", "b", "B2", "Z"));
    });
}

TEST_F(MemoryBackendTest, SelectStringPicksTheFirstPrefixIgnoringCaseElseKeepsTheSelection) {
    WithUnitsDialog([](memory::DialogUser& window, CUnitsDlg& dlg) {
        CComboBox& list = dlg.m_cbPressure;  // atm, bar, inH2O, inHg, mmHg, Pa, psi, torr
        EXPECT_EQ(list.SelectString(-1, "IN"), 2);
        EXPECT_EQ(window.SelectedText(IDC_PRESSURE_UNITS), "inH2O");
        EXPECT_EQ(list.SelectString(2, "in"), 3) << "searching after the start, wrapping";
        EXPECT_EQ(list.SelectString(-1, "kPa"), CB_ERR);
        EXPECT_EQ(window.SelectedText(IDC_PRESSURE_UNITS), "inHg");
        EXPECT_EQ(list.SetCurSel(42), CB_ERR);
        EXPECT_EQ(window.Selection(IDC_PRESSURE_UNITS), -1);
        CString text = "untouched";
        list.GetLBText(42, text);
        EXPECT_EQ(text, "");
    });
}

TEST_F(MemoryBackendTest, OnlyTheUserPickingAnEntryNotifiesTheProgram) {
    WithCalculator([](memory::DialogUser& window, CGasLawDlg& dlg) {
        dlg.m_cbSolveFor.SetCurSel(0);  // the program: no notification, the panel stays
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Pressure = ");
        window.Pick(IDC_SOLVE_FOR, "Moles");  // the user: the panel follows
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Moles = ");
        EXPECT_EQ(window.FocusedId(), IDC_SOLVE_FOR);
    });
}

TEST_F(MemoryBackendTest, RefusesWhatAUserCouldNotDo) {
    WithCalculator([](memory::DialogUser& window, CGasLawDlg&) {
        window.Type(IDC_PRESSURE, "5");       // disabled
        window.Type(IDC_PRESSURE_UNIT, "x");  // a label
        window.Pick(IDC_SOLVE_FOR, "Density");
        window.Press(IDC_CLOSE);
        window.Press(IDC_CALCULATE);  // after the window has ended
    });
    EXPECT_THAT(session.TakeProblems(), SizeIs(4));
}

TEST_F(MemoryBackendTest, ReportsADialogNobodyAnswersAndEndsIt) {
    CGasLawDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_THAT(session.TakeProblems(), ElementsAre("nobody was there to answer dialog 102"));
}

TEST_F(MemoryBackendTest, RecordsEveryBoxWithItsOwner) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        EXPECT_EQ(dlg.MessageBoxA("text"), IDOK);
        session.AnswerNextBox(IDCANCEL);
        EXPECT_EQ(dlg.MessageBoxA("question", "Caption", MB_OKCANCEL), IDCANCEL);
        window.Key(VK_ESCAPE);
    });
    ASSERT_THAT(session.Boxes(), SizeIs(2));
    EXPECT_EQ(session.Boxes()[0].caption, "Quarvel") << "no caption: the application's name";
    EXPECT_EQ(session.Boxes()[0].ownerTemplate, IDD_QUARVEL_DIALOG);
    EXPECT_EQ(session.Boxes()[1].answer, IDCANCEL);
}

}  // namespace
