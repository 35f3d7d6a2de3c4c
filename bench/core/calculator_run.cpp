#include "calculator_run.h"

#include <cstdio>

#include "platform/memory/session.h"
#include "res/resource.h"

extern const unsigned char kProgramResources[];
extern const std::size_t kProgramResourcesSize;

namespace {

// In the order the exchange reads them.
const int kNumericFields[] = {IDC_PRESSURE, IDC_RESULT, IDC_MOLES, IDC_TEMPERATURE, IDC_VOLUME};
constexpr int kTemperatures = 1000;

}  // namespace

void WithCalculator(const std::function<void(memory::DialogUser&, CGasLawDlg&)>& user) {
    memory::Session session(kProgramResources, kProgramResourcesSize, "Quarvel");
    CGasLawDlg dlg;
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        user(window, dlg);
        window.Key(VK_ESCAPE);
    });
    dlg.DoModal();
}

const std::string& TemperatureText(int press) {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> made;
        for (int i = 1; i <= kTemperatures; ++i) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", 273.0 + 0.001 * i);
            made.push_back(text);
        }
        return made;
    }();
    return texts[static_cast<size_t>(press % kTemperatures)];
}

std::vector<PressNumbers> RecordPresses(int count) {
    std::vector<PressNumbers> presses;
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg& dlg) {
        for (int press = 0; press < count; ++press) {
            window.SetText(IDC_TEMPERATURE, TemperatureText(press));
            PressNumbers numbers;
            for (size_t k = 0; k < numbers.read.size(); ++k)
                numbers.read[k] = window.Text(kNumericFields[k]);
            window.Press(IDC_CALCULATE);
            numbers.written = {dlg.m_dPressure, dlg.m_dResult, dlg.m_dMoles, dlg.m_dTemperature,
                               dlg.m_dVolume};
            presses.push_back(numbers);
        }
    });
    return presses;
}
