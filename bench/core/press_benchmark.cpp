// One Calculate press on the in-memory back-end: the exchange in, the calculation and the
// exchange out. The new temperature put in the field before each press is inside the loop: an
// in-memory string assignment with no notification, tens of nanoseconds against microseconds;
// timing around it instead would cost more than it removes.
#include <benchmark/benchmark.h>

#include "calculator_run.h"
#include "res/resource.h"

namespace {

void BM_Press(benchmark::State& state) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        int press = 0;
        for (auto _ : state) {
            window.SetText(IDC_TEMPERATURE, TemperatureText(press++));
            window.Press(IDC_CALCULATE);
        }
    });
}
BENCHMARK(BM_Press);

}  // namespace
