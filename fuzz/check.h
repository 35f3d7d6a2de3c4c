// Shared by the fuzz targets: bits to compare doubles by, and failing with a reason shown.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

inline std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline void Check(bool holds, const char* what, std::string_view text) {
    if (holds) return;
    std::fprintf(stderr, "FAILED: %s: \"%.*s\"\n", what, int(text.size()), text.data());
    std::abort();
}
