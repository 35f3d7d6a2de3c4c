#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// The double nearest to the decimal, ties to even, found by exact integer division:
// digits × 10^exponent = numerator ÷ denominator, divided down to a 53-bit quotient whose
// remainder decides the rounding. No floating-point operation takes part until the end.
double Round(const Decimal& number) {
    const long magnitude = static_cast<long>(number.digits.size()) + number.exponent;
    if (magnitude > kMaxMagnitude) return std::numeric_limits<double>::infinity();
    if (magnitude < kMinMagnitude) return 0.0;

    BigUnsigned numerator = BigUnsigned::FromDecimal(number.digits);
    BigUnsigned denominator(1);
    const auto scale = static_cast<int>(number.exponent < 0 ? -number.exponent : number.exponent);
    BigUnsigned& scaled = number.exponent >= 0 ? numerator : denominator;
    scaled.MultiplyByPowerOf5(scale);
    scaled.ShiftLeft(scale);

    // quotient = value ÷ 2^binaryExponent, with 53 significant bits, or fewer below the
    // normal range, where the last place is fixed at 2^-1074.
    const int estimate = numerator.BitLength() - denominator.BitLength();
    for (int binaryExponent = std::max(estimate - 53, -1074);; ++binaryExponent) {
        BigUnsigned remainder = numerator;
        BigUnsigned divisor = denominator;
        if (binaryExponent >= 0) {
            divisor.ShiftLeft(binaryExponent);
        } else {
            remainder.ShiftLeft(-binaryExponent);
        }
        std::uint64_t quotient = remainder.DivideSmallQuotient(divisor);
        if (quotient >= (std::uint64_t{1} << 53)) continue;  // one bit too many: scale down

        // Above half the last place, or exactly half with an odd quotient, rounds up. Digits
        // dropped past kMaxDigits put the value just above what was kept.
        remainder.ShiftLeft(1);
        const int half = BigUnsigned::Compare(remainder, divisor);
        const bool aboveHalf = half > 0 || (half == 0 && number.truncated);
        const bool exactlyHalf = half == 0 && !number.truncated;
        if (aboveHalf || (exactlyHalf && (quotient & 1) != 0)) ++quotient;
        return std::ldexp(static_cast<double>(quotient), binaryExponent);
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
