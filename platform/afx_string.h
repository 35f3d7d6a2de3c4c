// CString: the framework's single-byte text with value semantics. Reading a string resource
// goes through the back-end; everything else is plain text handling.
#pragma once

#include <string>

#include "afx_types.h"

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text != nullptr ? text : "") {}  // NOLINT: as MFC
    CString(std::string text) : m_text(std::move(text)) {}              // NOLINT: as MFC

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty() ? TRUE : FALSE; }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }  // NOLINT: as MFC
    const std::string& str() const { return m_text; }

    // Removes leading blanks, tabs and line breaks.
    void TrimLeft();
    // Replaces the text with string resource `id` of the module; FALSE, and empty, if none.
    BOOL LoadStringA(UINT id);

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }

    friend CString operator+(const CString& left, const CString& right) {
        return CString(left.m_text + right.m_text);
    }
    friend CString operator+(const char* left, const CString& right) {
        return CString(std::string(left) + right.m_text);
    }
    friend CString operator+(const CString& left, const char* right) {
        return CString(left.m_text + right);
    }
    friend bool operator==(const CString& left, const CString& right) {
        return left.m_text == right.m_text;
    }
    friend bool operator==(const CString& left, const char* right) { return left.m_text == right; }
    friend bool operator==(const char* left, const CString& right) { return left == right.m_text; }
    friend bool operator!=(const CString& left, const CString& right) { return !(left == right); }

private:
    std::string m_text;
};
