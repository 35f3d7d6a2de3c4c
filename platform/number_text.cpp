#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Past any exponent a text could balance with its own length; reading stops growing there.
constexpr long long kExponentCap = 1'000'000'000'000'000;

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

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::string_view(text.data() + text.size() - end.size(), end.size()) == end;
}

// Checks that `text` is digits with at most one point, at least one digit, and an optional
// exponent, and nothing else: the standard reader would take more (hexadecimal, "nan(...)").
// Answers the decimal exponent of the first non-zero digit (0 for a zero), which tells a text
// too small for a double from one too large.
std::optional<long long> LeadingDigitExponent(std::string_view text) {
    long long digits = 0;
    long long wholeDigits = 0;
    long long firstNonZero = -1;
    bool afterPoint = false;
    size_t at = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (firstNonZero < 0 && c != '0') firstNonZero = digits;
        ++digits;
        if (!afterPoint) ++wholeDigits;
    }
    if (digits == 0) return std::nullopt;

    long long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negative = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (at == text.size() || !IsDigit(text[at])) return std::nullopt;
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            if (exponent < kExponentCap) exponent = exponent * 10 + (text[at] - '0');
        }
        if (negative) exponent = -exponent;
    }
    if (at != text.size()) return std::nullopt;
    return firstNonZero < 0 ? 0 : wholeDigits - 1 - firstNonZero + exponent;
}

}  // namespace

NumberText FormatDouble(double value) {
    NumberText number;
    char* const text = number.m_text;
    char* const end = text + sizeof number.m_text - 1;  // leaves the terminating zero
    if (std::isnan(value)) {
        std::strcpy(text, "nan");
        return number;
    }
    if (std::isinf(value)) {
        std::strcpy(text, value < 0 ? "-inf" : "inf");
        return number;
    }
    const auto written = std::to_chars(text, end, value, std::chars_format::general, 15);
    // The largest doubles round up, at 15 digits, past the largest double, and that text would
    // read back as infinity: write those rounded toward zero. They all lie between
    // 1.797693134862315e308 and 1.7976931348623158e308, so the first 15 of their 17 digits are
    // the value truncated.
    const std::string_view shown(text, static_cast<size_t>(written.ptr - text));
    if (EndsWith(shown, "e+308") && std::isinf(*ParseDouble(shown))) {
        char digits[32];
        const auto scientific =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 16);
        // Every digit but the last two, then the exponent again.
        const size_t kept =
            std::string_view(digits, static_cast<size_t>(scientific.ptr - digits)).find('e') - 2;
        std::memcpy(text, digits, kept);
        std::strcpy(text + kept, "e+308");
    }
    return number;
}

std::optional<double> ParseDouble(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text.remove_suffix(text.size() - 1 - text.find_last_not_of(" \t"));
    text.remove_prefix(first);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const double sign = negative ? -1.0 : 1.0;
    if (EqualsIgnoringCase(text, "inf") || EqualsIgnoringCase(text, "infinity")) {
        return sign * kInfinity;
    }
    if (EqualsIgnoringCase(text, "nan")) {
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);
    }

    const std::optional<long long> leadingExponent = LeadingDigitExponent(text);
    if (!leadingExponent) return std::nullopt;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    // Beyond the doubles' range the reader leaves the value alone; the magnitude decides.
    if (error == std::errc::result_out_of_range) {
        value = *leadingExponent > 0 ? kInfinity : 0.0;
    } else if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return sign * value;
}
