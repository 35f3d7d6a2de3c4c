// Reading a field is exact however long its text, as a correctly rounded reader reads: the host
// C library's strtod, or in WebAssembly, where fields read with the C library, JavaScript's
// Number. Which texts are numbers and how values are written, the model's sessions check.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "platform/number_text.h"
#include "support/calculator_fixture.h"

namespace {

const double kInf = HUGE_VAL;

#ifdef __EMSCRIPTEN__
// ECMAScript's Number rounds correctly.
EM_JS(double, quarvel_reference_reading, (const char* text),
      { return Number(UTF8ToString(text)); });
double Reference(const std::string& text) { return quarvel_reference_reading(text.c_str()); }
#else
double Reference(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
#endif

// The exact points halfway between two doubles (hundreds of digits) and texts just above them,
// and the extremes: subnormals, the largest, exponents of many digits balanced by long runs of
// zeros. Random texts of every other kind are the fuzzer's.
TEST(NumberText, ReadsEveryTextAsTheCLibraryDoesBitForBit) {
    std::mt19937_64 random(20261207);
    std::vector<std::string> texts = {
        "2.4703282292062327e-324",
        "2.4703282292062328e-324",
        "1.7976931348623158e308",
        "1.7976931348623159e308",
        "1e99999999999999999999",
        "1e-99999999999999999999",
        "1" + std::string(999700, '0') + "e-10000000",
        "0." + std::string(999999, '0') + "1e10000001",
        "0." + std::string(1999990, '3'),
        "9007199254740993" + std::string(1999970, '0') + "1e-1999970",
    };
    char buffer[1200];
    while (texts.size() < 4000) {
        std::uint64_t bits = random() >> 1;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        const long double halfway =
            (static_cast<long double>(value) + std::nextafter(value, kInf)) / 2;
        std::snprintf(buffer, sizeof buffer, "%.1100Le", halfway);  // exact
        std::string exact = buffer;
        texts.push_back(exact);
        texts.push_back(exact.replace(exact.find('e'), 0, "1"));  // just above halfway
    }
    for (const std::string& text : texts) {
        const auto read = ParseDouble(text);
        ASSERT_TRUE(read.has_value()) << text.substr(0, 80);
        ASSERT_EQ(Bits(*read), Bits(Reference(text))) << text.substr(0, 80);
    }
}

TEST(NumberText, IsTheSameInALocaleWithADecimalComma) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(FormatDouble(0.082057), "0.082057");
    EXPECT_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_FALSE(ParseDouble("2,5").has_value());
    std::setlocale(LC_ALL, "C");
}

}  // namespace
