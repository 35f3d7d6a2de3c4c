// An unsigned integer of any size, with just the operations that exact decimal reading needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BigUnsigned {
public:
    explicit BigUnsigned(std::uint64_t value = 0);
    // `digits` holds decimal digits only.
    static BigUnsigned FromDecimal(const std::string& digits);

    void MultiplyBy(std::uint32_t factor);
    void MultiplyByPowerOf5(int exponent);
    void ShiftLeft(int bits);
    void HalveDown();  // shifts right by one bit
    // Subtracts `other`, which must not be larger.
    void Subtract(const BigUnsigned& other);
    int BitLength() const;

    // Divides this by `divisor`, leaving the remainder here; the quotient must be below 2^64.
    std::uint64_t DivideSmallQuotient(const BigUnsigned& divisor);

    // Negative, zero or positive as `left` is below, equal to or above `right`.
    static int Compare(const BigUnsigned& left, const BigUnsigned& right);

private:
    void Add(std::uint32_t value);
    void Trim();

    std::vector<std::uint32_t> m_limbs;  // least significant first
};
