#include "afx_string.h"

#include <algorithm>
#include <cstring>

namespace {

// What TrimLeft removes.
bool IsBlank(char c) { return c != '\0' && std::strchr(" \t\r\n\v\f", c) != nullptr; }

// Windows' ANSI string loader copies at most the buffer's size less one; the program's strings
// are far shorter.
constexpr std::size_t kLongestStringResource = 511;

}  // namespace

CString::CString(const char* text) : CString(text, Length(text)) {}

CString::CString(const char* text, int length) {
    if (length <= 0) return;
    m_text = new char[static_cast<std::size_t>(length) + 1];
    std::memcpy(m_text, text, static_cast<std::size_t>(length));
    m_text[length] = '\0';
    m_length = length;
}

CString& CString::operator=(const CString& other) {
    if (this != &other) *this = CString(other);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        delete[] m_text;
        m_text = other.m_text;
        m_length = other.m_length;
        other.m_text = nullptr;
        other.m_length = 0;
    }
    return *this;
}

char* CString::GetBufferSetLength(int length) {
    const std::size_t size = static_cast<std::size_t>(length < 0 ? 0 : length);
    const std::size_t kept = std::min(static_cast<std::size_t>(m_length), size);
    char* buffer = new char[size + 1];
    std::memcpy(buffer, GetString(), kept);
    std::memset(buffer + kept, 0, size + 1 - kept);
    delete[] m_text;
    m_text = buffer;
    m_length = static_cast<int>(size);
    return buffer;
}

void CString::ReleaseBuffer() { m_length = static_cast<int>(std::strlen(GetString())); }

void CString::TrimLeft() {
    int first = 0;
    while (first < m_length && IsBlank(m_text[first])) ++first;
    if (first > 0) *this = CString(m_text + first, m_length - first);
}

BOOL CString::LoadStringA(UINT id) {
    char buffer[kLongestStringResource + 1];
    const std::size_t length = backend::load_string(id, buffer, sizeof buffer);
    *this = CString(buffer, static_cast<int>(length));
    return IsEmpty() ? FALSE : TRUE;
}

int CString::Length(const char* text) {
    return text != nullptr ? static_cast<int>(std::strlen(text)) : 0;
}

bool CString::Same(const char* left, int leftLength, const char* right, int rightLength) {
    return leftLength == rightLength &&
           std::memcmp(left, right, static_cast<std::size_t>(leftLength)) == 0;
}

CString CString::Joined(const char* left, int leftLength, const char* right, int rightLength) {
    CString joined;
    char* text = joined.GetBufferSetLength(leftLength + rightLength);
    std::memcpy(text, left, static_cast<std::size_t>(leftLength));
    std::memcpy(text + leftLength, right, static_cast<std::size_t>(rightLength));
    return joined;
}
