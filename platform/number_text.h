// The text form of numbers in dialog fields: 15 significant digits written, decimal numbers read
// correctly rounded, both independent of the locale and identical on every build.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// General notation with 15 significant digits: "1", "0.082057", "1e+299", "1e-05";
// "inf", "-inf" and "nan" for the values that have no digits.
std::string FormatDouble(double value);

// A decimal number with an optional sign, with blanks and tabs around it, and a point as the
// decimal mark; also "inf", "infinity" and "nan" in any case. Nothing else is a number.
std::optional<double> ParseDouble(std::string_view text);
