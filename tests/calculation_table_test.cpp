// Every quantity solved in every combination of units, and chains of calculations, against the
// table that an independent model (model/gas_law_model.py) made: the doubles bit for bit and
// the result field's text.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/calculator_fixture.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

int FieldId(const std::string& name) {
    if (name == "pressure") return IDC_PRESSURE;
    if (name == "volume") return IDC_VOLUME;
    if (name == "moles") return IDC_MOLES;
    if (name == "temperature") return IDC_TEMPERATURE;
    ADD_FAILURE() << "unknown field " << name;
    return 0;
}

struct Scenario {
    std::string name;
    std::vector<std::string> steps;
};

std::vector<Scenario> LoadScenarios() {
    std::ifstream table(QUARVEL_TEST_DATA_DIR "/expected_calculations.tsv");
    std::vector<Scenario> scenarios;
    for (std::string line; std::getline(table, line);) {
        auto parts = Split(line, '\t');
        if (parts.size() < 2) continue;
        Scenario scenario{parts.front(), {parts.begin() + 1, parts.end()}};
        scenarios.push_back(std::move(scenario));
    }
    return scenarios;
}

class CalculationTableTest : public DesktopTest {
protected:
    void Run(const Scenario& scenario) {
        WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
            for (const std::string& step : scenario.steps) {
                const auto colon = step.find(':');
                const std::string action = step.substr(0, colon);
                const auto args = Split(step.substr(colon + 1), ',');
                if (action == "units") {
                    ChangeUnits(window, args.at(0), args.at(1), args.at(2));
                } else if (action == "solve") {
                    window.Pick(IDC_SOLVE_FOR, args.at(0));
                } else if (action == "type") {
                    window.Type(FieldId(args.at(0)), args.at(1));
                } else if (action == "calculate") {
                    window.Press(IDC_CALCULATE);
                    const std::uint64_t expected = std::strtoull(args.at(0).c_str(), nullptr, 16);
                    EXPECT_EQ(Bits(dlg.m_dResult), expected)
                        << scenario.name << ", at " << step << ": got " << dlg.m_dResult;
                    EXPECT_EQ(window.Text(IDC_RESULT), args.at(1)) << scenario.name;
                    const std::string solved = window.SelectedText(IDC_SOLVE_FOR);
                    const double solvedMember = solved == "Pressure" ? dlg.m_dPressure
                                                : solved == "Volume" ? dlg.m_dVolume
                                                : solved == "Moles"  ? dlg.m_dMoles
                                                                     : dlg.m_dTemperature;
                    EXPECT_EQ(Bits(solvedMember), expected) << scenario.name << ": solved field";
                } else {
                    ADD_FAILURE() << "unknown step " << step;
                }
            }
        });
    }
};

TEST_F(CalculationTableTest, MatchesTheIndependentModelBitForBit) {
    const auto scenarios = LoadScenarios();
    // 4 quantities x 8 pressure x 9 volume x 3 temperature units, and the chains.
    ASSERT_EQ(scenarios.size(), 4u * 8u * 9u * 3u + 3u);
    for (const Scenario& scenario : scenarios) Run(scenario);
    EXPECT_TRUE(BoxTexts().empty()) << "no box is expected on the way";
}

}  // namespace
