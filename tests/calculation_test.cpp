// Calculate: the results of the documented cases, the division-by-zero guard, units outside
// the catalogue, and fields that do not hold a number.
#include <cmath>
#include <limits>

#include <iterator>

#include "platform/number_text.h"
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class CalculationTest : public DesktopTest {};

// The guard: each quantity's divisor at zero, and the mended cases where the zero is in the
// unit only (0 C, 0 F are warm enough) or only appears in base units (-273.15 C is 0 K).
TEST_F(CalculationTest, StopsOnADivisorThatIsZeroInBaseUnits) {
    const struct {
        const char* solveFor;
        const char* temperatureUnit;
        int field;
        const char* text;
        const char* warning;  // nullptr: no warning expected
    } cases[] = {
        {"Pressure", "K", IDC_VOLUME, "0",
         "Calculation Stopped! Division by 0, Volume=0, Pressure=infinity"},
        {"Pressure", "K", IDC_VOLUME, "-0",
         "Calculation Stopped! Division by 0, Volume=0, Pressure=infinity"},
        {"Volume", "K", IDC_PRESSURE, "0",
         "Calculation Stopped! Division by 0, Pressure=0, Volume=infinity"},
        {"Moles", "K", IDC_TEMPERATURE, "0",
         "Calculation Stopped! Division by 0, Temperature=0, Moles=infinity"},
        {"Moles", "C", IDC_TEMPERATURE, "-273.15",
         "Calculation Stopped! Division by 0, Temperature=0, Moles=infinity"},
        {"Temperature", "K", IDC_MOLES, "0",
         "Calculation Stopped! Division by 0, Moles=0, Temperature=infinity"},
        {"Temperature", "K", IDC_MOLES, "nan",
         "Calculation Stopped! Division by 0, Moles=0, Temperature=infinity"},
        {"Moles", "C", IDC_TEMPERATURE, "0", nullptr},
        {"Moles", "F", IDC_TEMPERATURE, "0", nullptr},
    };
    for (const auto& c : cases) {
        const size_t boxesBefore = session.Boxes().size();
        WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
            ChangeUnits(window, "atm", "L", c.temperatureUnit);
            window.Pick(IDC_SOLVE_FOR, c.solveFor);
            window.Type(c.field, c.text);
            const int solvedField = c.solveFor == std::string("Pressure") ? IDC_PRESSURE
                                    : c.solveFor == std::string("Volume") ? IDC_VOLUME
                                    : c.solveFor == std::string("Moles")  ? IDC_MOLES
                                                                          : IDC_TEMPERATURE;
            const std::string solvedBefore = window.Text(solvedField);
            window.Press(IDC_CALCULATE);
            const std::string context =
                std::string(c.solveFor) + " with " + c.text + c.temperatureUnit;
            if (c.warning == nullptr) {
                EXPECT_EQ(session.Boxes().size(), boxesBefore) << context;
                EXPECT_GT(dlg.m_dResult, 0.0) << context;
                return;
            }
            ASSERT_EQ(session.Boxes().size(), boxesBefore + 1) << context;
            const auto& box = session.Boxes().back();
            EXPECT_EQ(box.text, c.warning) << context;
            EXPECT_EQ(box.caption, "Warning");
            EXPECT_EQ(box.style, MB_ICONSTOP);
            EXPECT_EQ(window.Text(IDC_RESULT), "1e+299") << context;
            EXPECT_EQ(dlg.m_dResult, 1e+299);
            EXPECT_EQ(window.Text(solvedField), solvedBefore)
                << context << ": the solved field keeps its value";
        });
    }
}

TEST_F(CalculationTest, ReportsAUnitOutsideTheCatalogueAndGoesOn) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        // The unit labels are read back like fields; a label that no unit has is "error".
        window.SetText(IDC_TEMPERATURE_UNIT, " Kelvin");
        window.Press(IDC_CALCULATE);
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: error"));
        EXPECT_EQ(session.Boxes().back().style, MB_OK);
        EXPECT_TRUE(std::isnan(dlg.m_dResult)) << "a result from an unknown unit is no number";
        EXPECT_EQ(window.Text(IDC_RESULT), "nan");

        // The screen stays usable: "nan" reads back, and a sound unit calculates again.
        window.SetText(IDC_TEMPERATURE_UNIT, " K");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057");
    });
}

TEST_F(CalculationTest, UnknownSolvedUnitKeepsThePreviousResult) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.Press(IDC_CALCULATE);
        window.SetText(IDC_PRESSURE_UNIT, "atm");
        window.Press(IDC_CALCULATE);
        // Once converting the pressure in, once converting the result out.
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: error", "Quarvel: error"));
        EXPECT_EQ(dlg.m_dResult, 0.082057);
        EXPECT_EQ(dlg.m_dPressure, 0.082057);
    });
}

TEST_F(CalculationTest, OverflowShowsInfinityAndTheWindowStaysUsable) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        ChangeUnits(window, "atm", "L", "C");
        window.Pick(IDC_SOLVE_FOR, "Moles");
        window.Type(IDC_TEMPERATURE, "1e-320");  // 273.15 K: no guard
        window.Type(IDC_PRESSURE, "1e300");
        window.Type(IDC_VOLUME, "1e300");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(window.Text(IDC_RESULT), "inf");
        EXPECT_EQ(window.Text(IDC_MOLES), "inf");
        // Choosing another quantity and calculating still work: "inf" reads back.
        window.Pick(IDC_SOLVE_FOR, "Volume");
        window.Type(IDC_MOLES, "1");
        window.Type(IDC_PRESSURE, "1");
        window.Type(IDC_TEMPERATURE, "-272.15");
        window.Press(IDC_CALCULATE);
        EXPECT_EQ(window.Text(IDC_RESULT), "0.082057");
        EXPECT_THAT(BoxTexts(), IsEmpty());
    });
}

// Each numeric field in turn holds text that is not a number. The exchange reads the rows before
// it, prompts, puts the focus on it and leaves it and every later row unread; Calculate then
// runs on those values and writes them all back over what was typed.
TEST_F(CalculationTest, TextThatIsNotANumberStopsTheExchangeAtItsField) {
    struct Field {
        int id;
        double CGasLawDlg::*member;
    };
    const Field exchangeOrder[] = {
        {IDC_PRESSURE, &CGasLawDlg::m_dPressure}, {IDC_RESULT, &CGasLawDlg::m_dResult},
        {IDC_MOLES, &CGasLawDlg::m_dMoles},       {IDC_TEMPERATURE, &CGasLawDlg::m_dTemperature},
        {IDC_VOLUME, &CGasLawDlg::m_dVolume},
    };
    for (size_t bad = 0; bad < std::size(exchangeOrder); ++bad) {
        WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
            // Solve for volume, so that every field but volume's can be typed into.
            const bool volumeIsBad = exchangeOrder[bad].id == IDC_VOLUME;
            window.Pick(IDC_SOLVE_FOR, volumeIsBad ? "Pressure" : "Volume");
            std::vector<double> before;
            for (const Field& field : exchangeOrder) {
                before.push_back(dlg.*field.member);
                if (window.Enabled(field.id)) window.Type(field.id, "2");
            }
            window.Type(exchangeOrder[bad].id, "x2");
            dlg.m_dResult = -1;  // no calculation may leave this
            window.Press(IDC_CALCULATE);

            EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: Please enter a number."));
            EXPECT_EQ(window.FocusedId(), exchangeOrder[bad].id);
            for (size_t row = 0; row < std::size(exchangeOrder); ++row) {
                const Field& field = exchangeOrder[row];
                const bool solved = field.id == (volumeIsBad ? IDC_PRESSURE : IDC_VOLUME);
                if (solved || field.id == IDC_RESULT) continue;  // the calculation writes these
                const double expected = row < bad ? 2.0 : before[row];
                EXPECT_EQ(dlg.*field.member, expected)
                    << "bad field " << exchangeOrder[bad].id << ", row " << field.id;
                EXPECT_EQ(window.Text(field.id), FormatDouble(expected));
            }
        });
        session.TakeBoxes();
    }
}

TEST_F(CalculationTest, AnEmptyFieldIsNotANumber) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        window.Type(IDC_TEMPERATURE, "");
        window.Key(VK_RETURN);  // Enter in the field presses Calculate
        EXPECT_THAT(BoxTexts(), ElementsAre("Quarvel: Please enter a number."));
        EXPECT_EQ(window.FocusedId(), IDC_TEMPERATURE);
        EXPECT_EQ(dlg.m_dTemperature, 1.0);
        EXPECT_EQ(window.Text(IDC_TEMPERATURE), "1");
    });
}

}  // namespace
