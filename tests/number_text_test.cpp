// Number text in the fields: what is written, what is read, and that both are exact.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "platform/number_text.h"
#include "support/calculator_fixture.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, WritesFifteenSignificantDigitsInGeneralNotation) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.0, "1"},
        {0.0, "0"},
        {-0.0, "-0"},
        {0.082057, "0.082057"},
        {1e+299, "1e+299"},
        {1e-05, "1e-05"},
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346e+15"},
        {1.0 / 3.0, "0.333333333333333"},
        {-12.186500602751, "-12.186500602751"},
        {5e-324, "4.94065645841247e-324"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {std::nan(""), "nan"},
        {-std::nan(""), "nan"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDouble(c.value), c.text) << "for " << c.text;
}

TEST(NumberText, ReadsDecimalNumbersWithBlanksAndTabsAround) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1", 1.0},      {" \t2.5\t ", 2.5}, {"-3", -3.0},
        {"+4", 4.0},     {"1.", 1.0},        {".5", 0.5},
        {"1e5", 1e5},    {"1E-5", 1e-5},     {"-0", -0.0},
        {"0.000", 0.0},  {"007.50", 7.5},    {"1e+299", 1e+299},
        {"inf", kInf},   {"-INF", -kInf},    {"Infinity", kInf},
        {"1e400", kInf}, {"1e-400", 0.0},    {"1e99999999999999999999", kInf},
    };
    for (const auto& c : cases) {
        const auto read = ParseDouble(c.text);
        ASSERT_TRUE(read.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(Bits(*read), Bits(c.value)) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isnan(*ParseDouble("NaN")));
    EXPECT_TRUE(std::isnan(*ParseDouble(" nan ")));
}

TEST(NumberText, RefusesEverythingElse) {
    for (const char* text :
         {"",  " ", "\t",  "abc", "1,5", "1e",    "1e+", "--1",  "1 2",  "0x10",
          ".", "+", "\n1", "1\n", "e5",  "1.2.3", "in",  "nan1", "1 e5", "5 C"}) {
        EXPECT_FALSE(ParseDouble(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, RoundsHalfwayCasesToEvenAndAnythingAboveThemUp) {
    // 2^53 + 1 lies exactly between two doubles; the even one is 2^53.
    EXPECT_EQ(*ParseDouble("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(*ParseDouble("9007199254740993.000000000000000000001"), 9007199254740994.0);
    // Past the digits that are kept, a single 1 still decides.
    const std::string longer = "9007199254740993" + std::string(1000, '0') + "1e-1001";
    EXPECT_EQ(*ParseDouble(longer), 9007199254740994.0);
    // Half the smallest subnormal rounds to zero; anything above it does not.
    EXPECT_EQ(
        *ParseDouble("2.4703282292062327208828439643411068618252990130716238221279284125033775"
                     "3635104375932649918180817996189898282347722858865463328355177969898199"
                     "3873404e-324"),
        0.0);
    EXPECT_EQ(*ParseDouble("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(*ParseDouble("1.7976931348623158e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(*ParseDouble("1.797693134862315807e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(*ParseDouble("1.7976931348623159e308"), kInf);
}

TEST(NumberText, AgreesWithACorrectlyRoundedReaderOnRandomText) {
    // The host C library rounds correctly; the reader must give the same bits for any text.
    std::mt19937_64 random(20261206);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 10);
        const int digits = static_cast<int>(random() % 40);
        for (int d = 0; d < digits; ++d) text.push_back(static_cast<char>('0' + random() % 10));
        if (random() % 2 == 0) text.insert(1 + random() % text.size(), ".");
        text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
        const auto read = ParseDouble(text);
        ASSERT_TRUE(read.has_value()) << text;
        ASSERT_EQ(Bits(*read), Bits(std::strtod(text.c_str(), nullptr))) << text;
    }
}

TEST(NumberText, WrittenTextReadsBackAsTheValueRoundedToFifteenDigits) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        double value;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.15g", value);
        ASSERT_EQ(FormatDouble(value), expected);
        ASSERT_EQ(Bits(*ParseDouble(FormatDouble(value))), Bits(std::strtod(expected, nullptr)));
    }
}

TEST(NumberText, IsTheSameInALocaleWithADecimalComma) {
    const char* locale = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (locale == nullptr) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(FormatDouble(0.082057), "0.082057");
    EXPECT_EQ(*ParseDouble("2.5"), 2.5);
    EXPECT_FALSE(ParseDouble("2,5").has_value());
    std::setlocale(LC_ALL, "C");
}

TEST(NumberText, ReadsAMillionCharactersWithoutTrouble) {
    const std::string huge = "0." + std::string(1000000, '3');
    EXPECT_EQ(*ParseDouble(huge), 1.0 / 3.0);
    EXPECT_FALSE(ParseDouble(std::string(1000000, '1') + "x").has_value());
}

}  // namespace
