// Any bytes typed into a field: read without a crash or a look past them, as glibc's strtod reads.
#include <algorithm>
#include <string>

#include "fuzz/check.h"
#include "platform/number_text.h"

// An accepted text must read, with more blanks around or not, as strtod reads it: to the end and
// to the same bits, NaN's sign too. strtod reads more forms (hex, "nan(...)", other white space),
// hence only accepted texts; its ERANGE does not matter; the "C" locale's mark is a point.
static void ReadsAsStrtodDoes(const std::string& text) {
    char* end = nullptr;
    const double host = std::strtod(text.c_str(), &end);
    // strtod skips blanks before a number but stops at those after it.
    const bool toTheEnd = text.find_first_not_of(" \t", end - text.c_str()) == std::string::npos;
    Check(toTheEnd, "strtod stops before the end", text);
    for (const auto& read : {ParseDouble(text), ParseDouble(" \t" + text + "\t ")}) {
        Check(read && Bits(*read) == Bits(host), "strtod or the padded text reads otherwise", text);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the fuzzer's buffer, so that AddressSanitizer reports any read past the end.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!ParseDouble(text)) return 0;
    std::string copy(text);
    ReadsAsStrtodDoes(copy);
    // Nor may a field take what only strtod should: hex, "nan(...)", other white space.
    const bool plain = copy.find_first_not_of(" \t+-.0123456789aefintyAEFINTY") == copy.npos;
    Check(plain, "a form that a field refuses is accepted", copy);

    // However many digits there are, the last must still count: a 1 after 800 zeros put after
    // the digits can decide a halfway case.
    if (copy.find_first_of("iInN") != std::string::npos) return 0;
    const auto digitsEnd = std::min(copy.find_first_of("eE"), copy.find_last_not_of(" \t") + 1);
    const char* point = copy.find('.') == std::string::npos ? "." : "";
    ReadsAsStrtodDoes(copy.insert(digitsEnd, point + std::string(800, '0') + "1"));
    return 0;
}
