#include "support/calculator_fixture.h"

#include <cstring>

void DesktopTest::WithCalculator(const CalculatorUser& user) {
    CGasLawDlg dlg;
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        user(window, dlg);
        if (!window.Ended()) window.Key(VK_ESCAPE);
    });
    dlg.DoModal();
}

void DesktopTest::ChangeUnits(memory::DialogUser& calculator, const std::string& pressure,
                              const std::string& volume, const std::string& temperature) {
    session.ExpectDialog(IDD_UNITS, [=](memory::DialogUser& units) {
        units.Pick(IDC_PRESSURE_UNITS, pressure);
        units.Pick(IDC_VOLUME_UNITS, volume);
        units.Pick(IDC_TEMPERATURE_UNITS, temperature);
        units.Press(IDC_UNITS_ACCEPT);
    });
    calculator.Press(IDC_CHANGE_UNITS);
}

std::vector<std::string> DesktopTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : session.Boxes()) texts.push_back(box.caption + ": " + box.text);
    return texts;
}

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
