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
