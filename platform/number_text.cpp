#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#if !defined(__cpp_lib_to_chars)
#include <cstdio>
#include <cstdlib>
#include <string>
#endif

namespace {

// The library conversions under the two functions below. The C++ library's where it has them
// for doubles; else the C library's, which writes and reads the same texts, correctly rounded,
// where its locale is always "C" (as in Emscripten's). The grammar is checked before either.
enum class Reading { Read, OutOfRange, Refused };

#if defined(__cpp_lib_to_chars)

// `value` with `digits` significant digits, in general or in scientific notation.
char* WriteDigits(char* first, char* last, double value, bool scientific, int digits) {
    const auto format = scientific ? std::chars_format::scientific : std::chars_format::general;
    return std::to_chars(first, last, value, format, scientific ? digits - 1 : digits).ptr;
}

// `text`, whole; past the range of doubles the value is left as it was.
Reading ReadDigits(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) return Reading::OutOfRange;
    return error == std::errc() && stop == end ? Reading::Read : Reading::Refused;
}

#else

char* WriteDigits(char* first, char* last, double value, bool scientific, int digits) {
    const int written = std::snprintf(first, static_cast<std::size_t>(last - first),
                                      scientific ? "%.*e" : "%.*g", scientific ? digits - 1 : digits,
                                      value);
    return first + (written < last - first ? written : last - first - 1);
}

// Past the range of doubles strtod answers infinity or zero itself, as the grammar's caller does.
Reading ReadDigits(std::string_view text, double& value) {
    // The text is a slice of a longer one; strtod reads up to the terminating zero.
    std::string copy(text);
    char* stop = nullptr;
    value = std::strtod(copy.c_str(), &stop);
    return stop == copy.c_str() + copy.size() ? Reading::Read : Reading::Refused;
}

#endif

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
    char* const written = WriteDigits(text, end, value, false, 15);
    // The largest doubles round up, at 15 digits, past the largest double, and that text would
    // read back as infinity: write those rounded toward zero. They all lie between
    // 1.797693134862315e308 and 1.7976931348623158e308, so the first 15 of their 17 digits are
    // the value truncated.
    const std::string_view shown(text, static_cast<size_t>(written - text));
    if (EndsWith(shown, "e+308") && std::isinf(*ParseDouble(shown))) {
        char digits[32];
        const char* const scientific = WriteDigits(digits, digits + sizeof digits, value, true, 17);
        // Every digit but the last two, then the exponent again.
        const size_t kept =
            std::string_view(digits, static_cast<size_t>(scientific - digits)).find('e') - 2;
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
    switch (ReadDigits(text, value)) {
        case Reading::Read:
            return sign * value;
        case Reading::OutOfRange:  // the magnitude decides
            return sign * (*leadingExponent > 0 ? kInfinity : 0.0);
        case Reading::Refused:
            break;
    }
    return std::nullopt;
}
