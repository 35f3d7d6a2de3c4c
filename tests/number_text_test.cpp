// Number text in the fields: what is written, which texts are numbers, and that reading is
// exact, compared with a correctly rounded reader: the host C library's strtod, or in WebAssembly,
// where the number text reads with the C library itself, JavaScript's Number.
#include <cfloat>
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
// ECMAScript's Number rounds correctly; it spells infinity and NaN its own way.
EM_JS(double, quarvel_reference_reading, (const char* text), {
    const number = UTF8ToString(text).trim();
    const word = /^([+-]?)(inf|infinity|nan)$/i.exec(number);
    if (!word) return Number(number);
    const magnitude = word[2].toLowerCase() == 'nan' ? NaN : Infinity;
    return word[1] == '-' ? -magnitude : magnitude;
});
double Reference(const std::string& text) { return quarvel_reference_reading(text.c_str()); }
#else
double Reference(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
#endif

TEST(NumberText, WritesFifteenSignificantDigitsAndNeverAFiniteValueAsInfinity) {
    const std::pair<double, const char*> cases[] = {
        {1.0, "1"},
        {-0.0, "-0"},
        {0.082057, "0.082057"},
        {1e+299, "1e+299"},
        {1e-05, "1e-05"},
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346e+15"},
        {5e-324, "4.94065645841247e-324"},
        {DBL_MAX, "1.79769313486231e+308"},
        {-DBL_MAX, "-1.79769313486231e+308"},
        {std::nextafter(1.797693134862315e308, kInf), "1.79769313486231e+308"},
        {1.7976931348623e308, "1.7976931348623e+308"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {-std::nan(""), "nan"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatDouble(value), text);
}

TEST(NumberText, ReadsDecimalsWithBlanksAndTabsAroundAndNothingElse) {
    for (const char* text : {" \t2.5\t ", "-3", "+4", "1.", ".5", "1E-5", "-0", "007.50", "-INF",
                             "Infinity", "NaN", "1e400"}) {
        const auto read = ParseDouble(text);
        ASSERT_TRUE(read.has_value()) << '"' << text << '"';
        EXPECT_EQ(Bits(*read), Bits(Reference(text))) << text;
    }
    for (const char* text :
         {"",    " ",   "abc", "1,5",   "1e", "1e+",  "--1", "1 2",     "0x10",   ".",   "+",
          "\n1", "1\n", "e5",  "1.2.3", "in", "nan1", "+-1", "infinit", "nan(1)", "1e5x"})
        EXPECT_FALSE(ParseDouble(text).has_value()) << '"' << text << '"';
}

// Random digits, the exact points halfway between two doubles (hundreds of digits) and texts just
// above them, subnormals, exponents of many digits balanced by long runs of zeros.
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
    for (int i = 0; i < 3000; ++i) {
        std::string digits = std::to_string(random() % 10);
        for (int d = random() % 40; d > 0; --d) digits.push_back('0' + random() % 10);
        if (random() % 2) digits.insert(1 + random() % digits.size(), ".");
        texts.push_back(digits + "e" + std::to_string(static_cast<int>(random() % 700) - 350));

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
        std::snprintf(buffer, sizeof buffer, "%.*e", static_cast<int>(random() % 20), value);
        texts.push_back(buffer);
        const int zeros = static_cast<int>(random() % (i % 30 == 0 ? 100000 : 300));
        texts.push_back("0." + std::string(zeros, '0') + "17e" + std::to_string(zeros - 300));
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
