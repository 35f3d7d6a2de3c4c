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
