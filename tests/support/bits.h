// The exact bits of a double, for comparisons that must not forgive the last place.
#pragma once
#include <cstdint>
#include <cstring>

inline std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
