// The calculator window's state: start-up, the solve-for choice and its equation panel.
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;

namespace {

class CalculatorFormTest : public DesktopTest {};

TEST_F(CalculatorFormTest, StartsWithPressureChosenAndTheDefaultValues) {
    WithCalculator([](memory::DialogUser& window, CGasLawDlg& dlg) {
        EXPECT_THAT(window.Entries(IDC_SOLVE_FOR),
                    ElementsAre("Moles", "Pressure", "Temperature", "Volume"));
        EXPECT_EQ(window.SelectedText(IDC_SOLVE_FOR), "Pressure");
        EXPECT_EQ(dlg.m_nSolveFor, 1);

        EXPECT_EQ(window.Text(IDC_PRESSURE), "1");
        EXPECT_EQ(window.Text(IDC_VOLUME), "1");
        EXPECT_EQ(window.Text(IDC_MOLES), "1");
        EXPECT_EQ(window.Text(IDC_TEMPERATURE), "1");
        EXPECT_EQ(window.Text(IDC_RESULT), "0");
        EXPECT_FALSE(window.Enabled(IDC_PRESSURE));
        EXPECT_TRUE(window.Enabled(IDC_VOLUME));
        EXPECT_TRUE(window.Enabled(IDC_MOLES));
        EXPECT_TRUE(window.Enabled(IDC_TEMPERATURE));

        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " atm");
        EXPECT_EQ(window.Text(IDC_VOLUME_UNIT), " L");
        EXPECT_EQ(window.Text(IDC_TEMPERATURE_UNIT), " K");
        EXPECT_EQ(window.Text(IDC_RESULT_UNIT), " atm");
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Pressure = ");
        EXPECT_EQ(window.Text(IDC_NUMERATOR), "Moles x R x Temperature");
        EXPECT_EQ(window.Text(IDC_DENOMINATOR), "Volume");
        EXPECT_EQ(window.Text(IDC_RESULT_LABEL), "Pressure = ");
        EXPECT_EQ(window.FocusedId(), IDC_CALCULATE);
    });
}

}  // namespace

namespace {

TEST_F(CalculatorFormTest, EachQuantityShowsItsEquationAndDisablesItsField) {
    const struct {
        const char* name;
        const char* left;
        const char* numerator;
        const char* denominator;
        const char* resultUnit;
        int disabled;
    } panels[] = {
        {"Volume", "Volume = ", "Moles x R x Temperature", "Pressure", " L", IDC_VOLUME},
        {"Moles", "Moles = ", "Pressure x Volume", "R x Temperature", " mol", IDC_MOLES},
        {"Temperature", "Temperature = ", "Pressure x Volume", "Moles x R", " K", IDC_TEMPERATURE},
        {"Pressure", "Pressure = ", "Moles x R x Temperature", "Volume", " atm", IDC_PRESSURE},
    };
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        window.Press(IDC_CALCULATE);
        for (const auto& panel : panels) {
            window.Pick(IDC_SOLVE_FOR, panel.name);
            EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), panel.left);
            EXPECT_EQ(window.Text(IDC_RESULT_LABEL), panel.left);
            EXPECT_EQ(window.Text(IDC_NUMERATOR), panel.numerator);
            EXPECT_EQ(window.Text(IDC_DENOMINATOR), panel.denominator);
            EXPECT_EQ(window.Text(IDC_RESULT_UNIT), panel.resultUnit);
            for (int field : {IDC_PRESSURE, IDC_VOLUME, IDC_MOLES, IDC_TEMPERATURE}) {
                EXPECT_EQ(window.Enabled(field), field != panel.disabled)
                    << panel.name << ", field " << field;
            }
            // Choosing recomputes nothing: the last result stays until the next calculation.
            EXPECT_EQ(window.Text(IDC_RESULT), "0.082057") << panel.name;
        }
    });
}

TEST_F(CalculatorFormTest, ResultUnitFollowsTheChosenTemperatureUnit) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        ChangeUnits(window, "atm", "L", "F");
        window.Pick(IDC_SOLVE_FOR, "Temperature");
        EXPECT_EQ(window.Text(IDC_RESULT_UNIT), " F");
    });
}

TEST_F(CalculatorFormTest, TextTypedIntoTheResultFieldIsReadBack) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.Type(IDC_RESULT, " 42.5\t");
        window.Pick(IDC_SOLVE_FOR, "Volume");
        EXPECT_EQ(dlg.m_dResult, 42.5);
        EXPECT_EQ(window.Text(IDC_RESULT), "42.5");
    });
}

TEST_F(CalculatorFormTest, ARefusedFieldKeepsThePreviousQuantity) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.Type(IDC_MOLES, "1,5");
        window.Pick(IDC_SOLVE_FOR, "Temperature");
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: Please enter a number."));
        EXPECT_EQ(window.SelectedText(IDC_SOLVE_FOR), "Pressure");
        EXPECT_EQ(dlg.m_nSolveFor, 1);
        EXPECT_EQ(window.Text(IDC_EQUATION_LEFT), "Pressure = ");
        EXPECT_EQ(window.Text(IDC_MOLES), "1");
        EXPECT_TRUE(window.Enabled(IDC_TEMPERATURE));
        EXPECT_EQ(window.FocusedId(), IDC_MOLES);
    });
}

TEST_F(CalculatorFormTest, TheDisabledFieldIsStillExchanged) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        // The program, not the user, may still write into the disabled field.
        window.SetText(IDC_PRESSURE, "3.5");
        window.Pick(IDC_SOLVE_FOR, "Moles");
        EXPECT_EQ(dlg.m_dPressure, 3.5);
        EXPECT_EQ(window.Text(IDC_PRESSURE), "3.5");
    });
}

}  // namespace
