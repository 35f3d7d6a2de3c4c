// Shared by the fuzz targets: bits to compare doubles by, and failing with a reason shown.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include "tests/support/bits.h"

inline void Check(bool holds, const char* what, std::string_view text) {
    if (holds) return;
    std::fprintf(stderr, "FAILED: %s: \"%.*s\"\n", what, int(text.size()), text.data());
    std::abort();
}
