// Reads the little-endian fields of Windows binary formats, refusing to read past the end.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace memory {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Position() const { return m_position; }
    bool AtEnd() const { return m_position >= m_size; }
    void Seek(std::size_t position) {
        if (position > m_size) throw std::runtime_error("seek past the end of the data");
        m_position = position;
    }
    void Skip(std::size_t count) { Seek(m_position + count); }
    // Moves to the next multiple of four bytes from the start of the data.
    void AlignTo4() { Seek(std::min(m_size, (m_position + 3) & ~std::size_t{3})); }

    std::uint8_t U8() { return m_data[Take(1)]; }
    std::uint16_t U16() {
        const std::size_t at = Take(2);
        return static_cast<std::uint16_t>(m_data[at] | (m_data[at + 1] << 8));
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }

    // A NUL-terminated UTF-16 text, as single-byte text (characters past Latin-1 become '?').
    std::string WideString() {
        std::string text;
        for (std::uint16_t c = U16(); c != 0; c = U16()) text.push_back(Narrow(c));
        return text;
    }
    // `count` UTF-16 characters, as single-byte text.
    std::string WideChars(std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) text.push_back(Narrow(U16()));
        return text;
    }

    static char Narrow(std::uint16_t c) { return c < 0x100 ? static_cast<char>(c) : '?'; }

private:
    std::size_t Take(std::size_t count) {
        if (count > m_size || m_position > m_size - count) {
            throw std::runtime_error("read past the end of the data");
        }
        const std::size_t at = m_position;
        m_position += count;
        return at;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

}  // namespace memory
