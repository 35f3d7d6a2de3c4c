// The units dialog and the Change Units command, from the button and from the menu.
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
            EXPECT_EQ(units.SelectedText(IDC_PRESSURE_UNITS), "atm");
            EXPECT_EQ(units.SelectedText(IDC_VOLUME_UNITS), "L");
            EXPECT_EQ(units.SelectedText(IDC_TEMPERATURE_UNITS), "K");
            EXPECT_EQ(units.FocusedId(), IDC_UNITS_ACCEPT);
            units.Press(IDCANCEL);
        });
        window.ChooseMenu("&Change Units", "&Change Units");
    });
    EXPECT_THAT(session.DialogsShown(), ElementsAre(IDD_QUARVEL_DIALOG, IDD_UNITS));
}

TEST_F(UnitsDialogTest, AcceptChangesTheLabelsButNotTheNumbers) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.Type(IDC_VOLUME, "2.5");
        ChangeUnits(window, "bar", "ml", "C");
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " bar");
        EXPECT_EQ(window.Text(IDC_VOLUME_UNIT), " ml");
        EXPECT_EQ(window.Text(IDC_TEMPERATURE_UNIT), " C");
        EXPECT_EQ(window.Text(IDC_RESULT_UNIT), " bar");
        // The value just typed is kept, and read in the new unit from now on.
        EXPECT_EQ(window.Text(IDC_VOLUME), "2.5");
        EXPECT_EQ(dlg.m_strVolumeUnit, " ml");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(dlg.m_dResult, ((274.15 * 1.0) * 0.082057) / (2.5 * 0.001) * 1.01325);
    });
}

TEST_F(UnitsDialogTest, CancelEscAndTheCloseBoxLeaveTheUnitsAsTheyWere) {
    for (int way = 0; way < 3; ++way) {
        WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
            session.ExpectDialog(IDD_UNITS, [way](memory::DialogUser& units) {
                units.Pick(IDC_PRESSURE_UNITS, "psi");
                if (way == 0) units.Press(IDCANCEL);
                if (way == 1) units.Key(VK_ESCAPE);
                if (way == 2) units.CloseBox();
            });
            window.Press(IDC_CHANGE_UNITS);
            EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " atm") << "way " << way;
            EXPECT_EQ(dlg.m_strPressureUnit, " atm");
            EXPECT_EQ(dlg.m_strVolumeUnit, " L");
            EXPECT_EQ(dlg.m_strTemperatureUnit, " K");
        });
    }
}

TEST_F(UnitsDialogTest, ReopeningChoosesTheUnitsLastAccepted) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        ChangeUnits(window, "inH2O", "yd^3", "F");
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_EQ(units.SelectedText(IDC_PRESSURE_UNITS), "inH2O");
            EXPECT_EQ(units.SelectedText(IDC_VOLUME_UNITS), "yd^3");
            EXPECT_EQ(units.SelectedText(IDC_TEMPERATURE_UNITS), "F");
            EXPECT_EQ(units.Entries(IDC_PRESSURE_UNITS).size(), 8u) << "filled once per showing";
            units.Key(VK_RETURN);  // Enter presses Change Units
        });
        window.ChooseMenu("&Change Units", "&Change Units");
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " inH2O");
        EXPECT_EQ(window.Text(IDC_VOLUME_UNIT), " yd^3");
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

TEST_F(UnitsDialogTest, ARefusedFieldIsPromptedAndTheUnitsStillChange) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        window.Type(IDC_MOLES, "lots");
        ChangeUnits(window, "torr", "L", "K");
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " torr");
        EXPECT_EQ(window.Text(IDC_MOLES), "1");
    });
    // Once, before the dialog; afterwards the kept value is back in the field.
    EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: Please enter a number."));
}

}  // namespace
