// The calculator window's lists, and what no user can cause: a unit outside the catalogue, a
// units dialog the system cannot show. The sessions replayed against the model check the rest.
#include <cmath>

#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class CalculatorTest : public DesktopTest {};

TEST_F(CalculatorTest, ListsAreSortedAndTheUnitsDialogChoosesTheUnitsInForce) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        EXPECT_THAT(window.Entries(IDC_SOLVE_FOR),
                    ElementsAre("Moles", "Pressure", "Temperature", "Volume"));
        session.ExpectDialog(IDD_UNITS, [](memory::DialogUser& units) {
            EXPECT_THAT(units.Entries(IDC_PRESSURE_UNITS),
                        ElementsAre("atm", "bar", "inH2O", "inHg", "mmHg", "Pa", "psi", "torr"));
            EXPECT_THAT(units.Entries(IDC_VOLUME_UNITS),
                        ElementsAre("cm^3", "ft^3", "in^3", "L", "m^3", "ml", "pt", "qt", "yd^3"));
            EXPECT_THAT(units.Entries(IDC_TEMPERATURE_UNITS), ElementsAre("C", "F", "K"));
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
    });
}

// A unit label the catalogue does not know is an "error" box for each conversion that needs
// it, and no made-up number; a list without a selection hands back the unit handed in.
TEST_F(CalculatorTest, AUnitOutsideTheCatalogueIsReportedAndHandedBackUnchanged) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.SetText(IDC_TEMPERATURE_UNIT, " Kelvin");
        window.Press(IDC_CALCULATE);
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: error"));
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

TEST_F(CalculatorTest, WhenTheUnitsDialogCannotBeShownTheUnitsAndFieldsStayAsTheyWere) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        window.Type(IDC_VOLUME, "2.50");
        session.FailNextDialog(IDD_UNITS);
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT) + window.Text(IDC_VOLUME_UNIT) +
                      window.Text(IDC_TEMPERATURE_UNIT) + window.Text(IDC_RESULT_UNIT),
                  " atm L K atm");
        EXPECT_EQ(window.Text(IDC_VOLUME), "2.50");
    });
    EXPECT_THAT(BoxTexts(), IsEmpty());
}

}  // namespace
