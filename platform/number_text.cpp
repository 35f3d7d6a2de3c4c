#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "big_unsigned.h"

namespace {

// Enough digits for every exact halfway point between two doubles (767 significant digits);
// the digits after them only tell whether the number lies above what was kept.
constexpr size_t kMaxDigits = 800;
// Beyond these decimal magnitudes a number is infinite or zero, whatever its digits.
constexpr long kMaxMagnitude = 310;
constexpr long kMinMagnitude = -330;

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != word[i]) return false;
    }
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A positive decimal number as digits × 10^exponent, with the digits past kMaxDigits dropped.
struct Decimal {
    std::string digits;  // significant digits, no leading or trailing zeros
    long exponent = 0;
    bool truncated = false;  // some dropped digit was not zero
};

// A positive finite double as mantissa × 2^exponent, exactly.
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};

Binary Decompose(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return Binary{fraction, -1074};
    return Binary{fraction | (std::uint64_t{1} << 52), biased - 1075};
}

bool IsOdd(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 1) != 0;
}

// Compares the decimal with the point halfway between `low` and `high`, exactly.
int CompareWithMidpoint(const Decimal& number, const BigUnsigned& digits, Binary low, Binary high) {
    const int base = std::min(low.exponent, high.exponent);
    const std::uint64_t sum =
        (low.mantissa << (low.exponent - base)) + (high.mantissa << (high.exponent - base));
    // midpoint = sum × 2^(base - 1); number = digits × 5^e × 2^e
    BigUnsigned left = digits;
    BigUnsigned right(sum);
    long leftTwos = number.exponent;
    long rightTwos = base - 1;
    if (number.exponent >= 0) {
        left.MultiplyByPowerOf5(static_cast<int>(number.exponent));
    } else {
        right.MultiplyByPowerOf5(static_cast<int>(-number.exponent));
    }
    const long common = std::min(leftTwos, rightTwos);
    left.ShiftLeft(static_cast<int>(leftTwos - common));
    right.ShiftLeft(static_cast<int>(rightTwos - common));
    return BigUnsigned::Compare(left, right);
}

// The double nearest to the decimal, ties to even. A first guess comes from strtod, fed only
// digits and an exponent so that the locale cannot matter; exact comparisons then settle it.
double Round(const Decimal& number) {
    const long magnitude = static_cast<long>(number.digits.size()) + number.exponent;
    if (magnitude > kMaxMagnitude) return std::numeric_limits<double>::infinity();
    if (magnitude < kMinMagnitude) return 0.0;

    const size_t guessDigits = std::min<size_t>(number.digits.size(), 17);
    const std::string guessText =
        number.digits.substr(0, guessDigits) + "e" +
        std::to_string(number.exponent + static_cast<long>(number.digits.size() - guessDigits));
    double value = std::strtod(guessText.c_str(), nullptr);
    const double largest = std::numeric_limits<double>::max();
    if (value > largest) value = largest;

    const BigUnsigned digits = BigUnsigned::FromDecimal(number.digits);
    const Binary beyondLargest{std::uint64_t{1} << 53, 971};  // 2^1024
    // A truncated number lies just above its kept digits, never exactly on a midpoint.
    auto above = [&](int comparison) {
        return comparison > 0 || (comparison == 0 && number.truncated);
    };
    auto tie = [&](int comparison) { return comparison == 0 && !number.truncated; };
    for (;;) {
        const Binary here = value == 0.0 ? Binary{0, -1074} : Decompose(value);
        const double up = std::nextafter(value, std::numeric_limits<double>::infinity());
        const Binary next = std::isinf(up) ? beyondLargest : Decompose(up);
        const int toUpper = CompareWithMidpoint(number, digits, here, next);
        if (above(toUpper) || (tie(toUpper) && IsOdd(value))) {
            value = up;
            if (std::isinf(value)) return value;
            continue;
        }
        if (value > 0.0) {
            const double down = std::nextafter(value, 0.0);
            const Binary previous = down == 0.0 ? Binary{0, -1074} : Decompose(down);
            const int toLower = CompareWithMidpoint(number, digits, previous, here);
            if (toLower < 0 || (tie(toLower) && IsOdd(value))) {
                value = down;
                continue;
            }
        }
        return value;
    }
}

}  // namespace

std::string FormatDouble(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, written.ptr);
}

std::optional<double> ParseDouble(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const double sign = negative ? -1.0 : 1.0;
    if (EqualsIgnoringCase(text, "inf") || EqualsIgnoringCase(text, "infinity")) {
        return sign * std::numeric_limits<double>::infinity();
    }
    if (EqualsIgnoringCase(text, "nan")) {
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);
    }

    Decimal number;
    long droppedOrFraction = 0;  // how far the kept digits' last place lies from the units
    bool anyDigit = false;
    bool afterPoint = false;
    size_t at = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        anyDigit = true;
        if (afterPoint) --droppedOrFraction;
        if (number.digits.empty() && c == '0') continue;
        if (number.digits.size() < kMaxDigits) {
            number.digits.push_back(c);
        } else {
            ++droppedOrFraction;
            if (c != '0') number.truncated = true;
        }
    }
    if (!anyDigit) return std::nullopt;

    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        if (at == text.size() || !IsDigit(text[at])) return std::nullopt;
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            // Past a million the number is infinite or zero anyway; stop before overflowing.
            if (exponent < 1000000) exponent = exponent * 10 + (text[at] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (at != text.size()) return std::nullopt;

    if (number.digits.empty()) return sign * 0.0;
    while (number.digits.back() == '0') {
        number.digits.pop_back();
        ++droppedOrFraction;
    }
    number.exponent = exponent + droppedOrFraction;
    return sign * Round(number);
}
