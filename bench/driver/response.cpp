// Response: a Calculate press sent to the window, so the call returns when the handler is done,
// then the repaint it leaves behind. A new temperature is typed before each press, outside the
// clock, so every press changes the result.
#include <cstdio>
#include <memory>
#include <string>

#include "clock.h"
#include "measure.h"

namespace {

constexpr int kCalculate = 1001;
constexpr int kFirstField = 1004;  // pressure, volume, moles, temperature, result
constexpr int kTemperature = 1007;
constexpr int kResult = 1008;
constexpr int kWarmUpPresses = 20;

// Paints whatever is pending in the window and its controls, and returns when done.
// RedrawWindow sends WM_PAINT to each window that needs it, one after another, until none is
// left; the WM_NULL after it waits for a paint the program's own loop may have begun. Under
// Wine 8 RedrawWindow alone took 3.5 ms after a press and 0.07 ms with nothing pending, so it
// does wait across processes; WM_NULL alone returned before the paint, which it does not wait
// for, since sent messages go before painting.
void Flush(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

BOOL CALLBACK FindPending(HWND window, LPARAM pending) {
    if (GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(pending) = true;
    return TRUE;
}

// Whether the window or a control still has something to paint.
bool PaintPending(HWND window) {
    bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

std::string Text(HWND window) {
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void Type(const Child& child, int id, const char* text) {
    SendMessageA(child.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// What the checks found over all presses of one program; both must stay zero.
struct Checks {
    std::string lastResult;
    int unchangedResults = 0;
    int leftUnpainted = 0;
};

void Press(const Child& child, int press, Checks& checks, bool print) {
    char temperature[32];
    std::snprintf(temperature, sizeof temperature, "%.3f", 273.0 + 0.001 * (press + 1));
    Type(child, kTemperature, temperature);
    Flush(child.Window());

    const double start = NowMs();
    SendMessageA(child.Window(), WM_COMMAND, MAKEWPARAM(kCalculate, BN_CLICKED),
                 reinterpret_cast<LPARAM>(child.Item(kCalculate)));
    const double handled = NowMs();
    Flush(child.Window());
    const double painted = NowMs();
    // With nothing left to paint: what Flush itself costs.
    Flush(child.Window());
    const double idleFlush = NowMs();
    SendMessageA(child.Window(), WM_NULL, 0, 0);
    const double roundTrip = NowMs();

    if (PaintPending(child.Window())) ++checks.leftUnpainted;
    const std::string result = Text(child.Item(kResult));
    if (result == checks.lastResult) ++checks.unchangedResults;
    checks.lastResult = result;
    if (!print) return;
    std::printf("press\t%s\t%.4f\t%.4f\t%.4f\t%.4f\n", child.Name().c_str(), handled - start,
                painted - handled, idleFlush - painted, roundTrip - idleFlush);
}

}  // namespace

void MeasureResponse(const std::vector<Program>& programs, int presses) {
    std::vector<std::unique_ptr<Child>> children;
    for (const Program& program : programs) children.push_back(std::make_unique<Child>(program));
    // Every program starts from the calculator's own start: 1 in each input field.
    for (const auto& child : children) {
        for (int id = kFirstField; id < kResult; ++id) Type(*child, id, "1");
        Flush(child->Window());
    }

    std::vector<Checks> checks(children.size());
    for (int press = -kWarmUpPresses; press < presses; ++press) {
        for (size_t turn = 0; turn < children.size(); ++turn) {
            const size_t k = (turn + static_cast<size_t>(press + kWarmUpPresses)) % children.size();
            Press(*children[k], press + kWarmUpPresses, checks[k], press >= 0);
        }
    }
    for (size_t k = 0; k < children.size(); ++k) {
        const Child& child = *children[k];
        std::printf("checks\t%s\t%d\t%d\n", child.Name().c_str(), checks[k].unchangedResults,
                    checks[k].leftUnpainted);
        std::printf("memory_presses\t%s\t%zu\n", child.Name().c_str(),
                    static_cast<size_t>(child.PeakWorkingSet()));
    }
    std::fflush(stdout);
}
