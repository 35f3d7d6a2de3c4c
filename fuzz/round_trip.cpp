// Any double written into a field must read back as itself rounded to the 15 digits written.
#include <cmath>
#include <string>

#include "fuzz/check.h"
#include "platform/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value;
    if (size != sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    const std::string text(FormatDouble(value).c_str());
    const auto read = ParseDouble(text);
    Check(read.has_value(), "the written text is not read", text);
    if (!std::isfinite(value)) {
        const bool same = std::isnan(value) ? std::isnan(*read) : Bits(*read) == Bits(value);
        Check(same, "an infinity or NaN reads back as something else", text);
        return 0;
    }
    Check(!std::isinf(*read), "a finite value reads back as infinite", text);

    char rounded[32];
    std::snprintf(rounded, sizeof rounded, "%.15g", value);
    double expected = std::strtod(rounded, nullptr);
    // The largest doubles round up to 1.79769313486232e+308, past the largest double; they are
    // written rounded toward zero instead, so that they stay finite.
    if (std::isinf(expected)) expected = std::copysign(1.79769313486231e308, value);
    Check(Bits(*read) == Bits(expected), "it does not read back as the value to 15 digits", text);
    return 0;
}
