// The units dialog: its lists, what it hands back, and a dialog the system cannot show.
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class UnitsDialogTest : public DesktopTest {};

TEST_F(UnitsDialogTest, ListsTheCatalogueSortedWithTheCurrentUnitsChosen) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.Caption(), "Select Units");
            EXPECT_THAT(units.Entries(IDC_PRESSURE_UNITS),
                        ElementsAre("atm", "bar", "inH2O", "inHg", "mmHg", "Pa", "psi", "torr"));
            EXPECT_THAT(units.Entries(IDC_VOLUME_UNITS),
                        ElementsAre("cm^3", "ft^3", "in^3", "L", "m^3", "ml", "pt", "qt", "yd^3"));
            EXPECT_THAT(units.Entries(IDC_TEMPERATURE_UNITS), ElementsAre("C", "F", "K"));
            EXPECT_EQ(units.SelectedEntry(IDC_PRESSURE_UNITS), "atm");
            EXPECT_EQ(units.SelectedEntry(IDC_VOLUME_UNITS), "L");
            EXPECT_EQ(units.SelectedEntry(IDC_TEMPERATURE_UNITS), "K");
            EXPECT_EQ(units.FocusedId(), IDC_UNITS_ACCEPT);
            units.Pick(IDC_PRESSURE_UNITS, "inH2O");
            units.Pick(IDC_VOLUME_UNITS, "yd^3");
            units.Key(VK_RETURN);
        });
        window.Press(IDC_CHANGE_UNITS);
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.Entries(IDC_PRESSURE_UNITS).size(), 8u) << "filled once a showing";
            EXPECT_EQ(units.SelectedEntry(IDC_PRESSURE_UNITS), "inH2O");
            EXPECT_EQ(units.SelectedEntry(IDC_VOLUME_UNITS), "yd^3");
            units.Key(VK_ESCAPE);
        });
        window.ChooseMenu("&Change Units", "&Change Units");
    });
}

TEST_F(UnitsDialogTest, AListWithoutASelectionHandsBackTheSuffixHandedIn) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.SetText(IDC_PRESSURE_UNIT, " hPa");  // in no list
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.Selection(IDC_PRESSURE_UNITS), -1);
            units.Pick(IDC_VOLUME_UNITS, "pt");
            units.Press(IDC_UNITS_ACCEPT);
        });
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_EQ(dlg.m_strPressureUnit, " hPa");
        EXPECT_EQ(dlg.m_strVolumeUnit, " pt");
    });
    EXPECT_THAT(BoxTexts(), IsEmpty());
}

TEST_F(UnitsDialogTest, WhenTheDialogCannotBeShownTheUnitsAndFieldsStayAsTheyWere) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        ChangeUnits(window, "psi", "ml", "C");
        window.Type(IDC_VOLUME, "2.50");
        session.FailNextDialog(IDD_UNITS);
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " psi");
        EXPECT_EQ(window.Text(IDC_VOLUME_UNIT), " ml");
        EXPECT_EQ(window.Text(IDC_TEMPERATURE_UNIT), " C");
        EXPECT_EQ(window.Text(IDC_RESULT_UNIT), " psi");
        EXPECT_EQ(window.Text(IDC_VOLUME), "2.50");
    });
    EXPECT_THAT(BoxTexts(), IsEmpty());
}

}  // namespace
