#include "big_unsigned.h"

#include <algorithm>

BigUnsigned::BigUnsigned(std::uint64_t value) {
    while (value != 0) {
        m_limbs.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

BigUnsigned BigUnsigned::FromDecimal(const std::string& digits) {
    BigUnsigned number;
    for (char digit : digits) {
        number.MultiplyBy(10);
        number.Add(static_cast<std::uint32_t>(digit - '0'));
    }
    return number;
}

void BigUnsigned::MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : m_limbs) {
        const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) m_limbs.push_back(static_cast<std::uint32_t>(carry));
    Trim();
}

void BigUnsigned::MultiplyByPowerOf5(int exponent) {
    constexpr std::uint32_t kFivePow13 = 1220703125;  // the largest power of 5 below 2^32
    for (; exponent >= 13; exponent -= 13) MultiplyBy(kFivePow13);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    MultiplyBy(rest);
}

void BigUnsigned::ShiftLeft(int bits) {
    if (m_limbs.empty() || bits <= 0) return;
    const int whole = bits / 32;
    const int part = bits % 32;
    if (part != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint32_t next = limb >> (32 - part);
            limb = (limb << part) | carry;
            carry = next;
        }
        if (carry != 0) m_limbs.push_back(carry);
    }
    m_limbs.insert(m_limbs.begin(), static_cast<size_t>(whole), 0u);
}

void BigUnsigned::Subtract(const BigUnsigned& other) {
    std::int64_t borrow = 0;
    for (size_t i = 0; i < m_limbs.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(m_limbs[i]) - borrow -
                                  (i < other.m_limbs.size() ? other.m_limbs[i] : 0);
        borrow = difference < 0 ? 1 : 0;
        if (difference < 0) difference += std::int64_t{1} << 32;
        m_limbs[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
}

int BigUnsigned::BitLength() const {
    if (m_limbs.empty()) return 0;
    int bits = static_cast<int>(m_limbs.size() - 1) * 32;
    for (std::uint32_t top = m_limbs.back(); top != 0; top >>= 1) ++bits;
    return bits;
}

std::uint64_t BigUnsigned::DivideSmallQuotient(const BigUnsigned& divisor) {
    // Long division, one quotient bit at a time from the highest that can be set.
    std::uint64_t quotient = 0;
    const int highest = std::min(63, BitLength() - divisor.BitLength());
    if (highest < 0) return 0;
    BigUnsigned shifted = divisor;
    shifted.ShiftLeft(highest);
    for (int bit = highest; bit >= 0; --bit, shifted.HalveDown()) {
        if (Compare(shifted, *this) <= 0) {
            Subtract(shifted);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    return quotient;
}

void BigUnsigned::HalveDown() {
    for (size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint32_t next = i + 1 < m_limbs.size() ? m_limbs[i + 1] : 0;
        m_limbs[i] = (m_limbs[i] >> 1) | (next << 31);
    }
    Trim();
}

int BigUnsigned::Compare(const BigUnsigned& left, const BigUnsigned& right) {
    if (left.m_limbs.size() != right.m_limbs.size()) {
        return left.m_limbs.size() < right.m_limbs.size() ? -1 : 1;
    }
    for (size_t i = left.m_limbs.size(); i-- > 0;) {
        if (left.m_limbs[i] != right.m_limbs[i]) return left.m_limbs[i] < right.m_limbs[i] ? -1 : 1;
    }
    return 0;
}

void BigUnsigned::Add(std::uint32_t value) {
    std::uint64_t carry = value;
    for (size_t i = 0; carry != 0; ++i) {
        if (i == m_limbs.size()) m_limbs.push_back(0);
        const std::uint64_t sum = static_cast<std::uint64_t>(m_limbs[i]) + carry;
        m_limbs[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
}

void BigUnsigned::Trim() {
    while (!m_limbs.empty() && m_limbs.back() == 0) m_limbs.pop_back();
}
