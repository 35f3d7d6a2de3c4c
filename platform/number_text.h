// The text form of numbers in dialog fields: 15 significant digits written, decimal numbers read
// correctly rounded, both independent of the locale and identical on every build.
#pragma once

#include <cstring>
#include <optional>
#include <string_view>

// A number as written for a field. The longest is 22 characters ("-1.79769313486231e+308"), so
// the text is kept in place and writing a field allocates nothing.
class NumberText {
public:
    const char* c_str() const { return m_text; }
    operator std::string_view() const { return m_text; }  // NOLINT: reads as the text it is

    friend bool operator==(const NumberText& left, const char* right) {
        return std::strcmp(left.m_text, right) == 0;
    }

private:
    friend NumberText FormatDouble(double value);
    char m_text[24] = {};
};

// General notation with 15 significant digits: "1", "0.082057", "1e+299", "1e-05";
// "inf", "-inf" and "nan" for the values that have no digits.
NumberText FormatDouble(double value);

// A decimal number with an optional sign, with blanks and tabs around it, and a point as the
// decimal mark; also "inf", "infinity" and "nan" in any case. Nothing else is a number.
std::optional<double> ParseDouble(std::string_view text);
