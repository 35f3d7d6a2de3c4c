// The number text alone: what one press reads and writes (five fields parsed, five values
// formatted), and each conversion by itself, on the texts and values real presses produced.
// The standard library's std::from_chars on the same texts is the floor for ParseDouble.
#include <benchmark/benchmark.h>

#include <charconv>

#include "calculator_run.h"
#include "platform/number_text.h"

namespace {

const std::vector<PressNumbers>& Presses() {
    static const std::vector<PressNumbers> presses = RecordPresses(1000);
    return presses;
}

void BM_NumberTextOfAPress(benchmark::State& state) {
    size_t press = 0;
    for (auto _ : state) {
        const PressNumbers& numbers = Presses()[press++ % Presses().size()];
        for (const std::string& text : numbers.read) benchmark::DoNotOptimize(ParseDouble(text));
        for (double value : numbers.written) benchmark::DoNotOptimize(FormatDouble(value));
    }
}
BENCHMARK(BM_NumberTextOfAPress);

void BM_ParseDouble(benchmark::State& state) {
    size_t at = 0;
    for (auto _ : state) {
        const PressNumbers& numbers = Presses()[(at / 5) % Presses().size()];
        benchmark::DoNotOptimize(ParseDouble(numbers.read[at++ % 5]));
    }
}
BENCHMARK(BM_ParseDouble);

void BM_FromChars(benchmark::State& state) {
    size_t at = 0;
    for (auto _ : state) {
        const std::string& text = Presses()[(at / 5) % Presses().size()].read[at % 5];
        ++at;
        double value = 0.0;
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_FromChars);

void BM_FormatDouble(benchmark::State& state) {
    size_t at = 0;
    for (auto _ : state) {
        const PressNumbers& numbers = Presses()[(at / 5) % Presses().size()];
        benchmark::DoNotOptimize(FormatDouble(numbers.written[at++ % 5]));
    }
}
BENCHMARK(BM_FormatDouble);

}  // namespace
