// The calculator window: its start, the equation panel of each quantity, and units outside the
// catalogue. The sessions replayed against the model check the rest.
#include <cmath>

#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class CalculatorTest : public DesktopTest {};

TEST_F(CalculatorTest, ShowsEachQuantitysEquation) {
    const struct {
        const char *name, *numerator, *denominator;
    } panels[] = {
        {"Pressure", "Moles x R x Temperature", "Volume"},
        {"Volume", "Moles x R x Temperature", "Pressure"},
        {"Moles", "Pressure x Volume", "R x Temperature"},
        {"Temperature", "Pressure x Volume", "Moles x R"},
    };
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        EXPECT_THAT(window.Entries(IDC_SOLVE_FOR),
                    ElementsAre("Moles", "Pressure", "Temperature", "Volume"));
        EXPECT_EQ(window.FocusedId(), IDC_CALCULATE);
        for (const auto& panel : panels) {
            if (panel.name != window.SelectedEntry(IDC_SOLVE_FOR))
                window.Pick(IDC_SOLVE_FOR, panel.name);
            EXPECT_EQ(window.Text(IDC_NUMERATOR), panel.numerator) << panel.name;
            EXPECT_EQ(window.Text(IDC_DENOMINATOR), panel.denominator) << panel.name;
        }
    });
}

// A unit label the catalogue does not know (the program's own doing; no user can) is an
// "error" box for each conversion that needs it, and no made-up number.
TEST_F(CalculatorTest, ReportsAUnitOutsideTheCatalogueAndGoesOn) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.SetText(IDC_TEMPERATURE_UNIT, " Kelvin");
        window.Press(IDC_CALCULATE);
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: error"));
        EXPECT_TRUE(std::isnan(dlg.m_dResult));
        EXPECT_EQ(window.Text(IDC_RESULT), "nan");

        window.SetText(IDC_TEMPERATURE_UNIT, " K");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057");
        window.SetText(IDC_PRESSURE_UNIT, "atm");  // the solved quantity's: in and out
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(session.TakeBoxes().size(), 3u);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057") << "the previous result stays";
    });
}

}  // namespace
