// CString: the framework's single-byte text with value semantics. Each string owns a copy of its
// bytes on the heap, of any length; reading a string resource goes through the back-end.
#pragma once

#include "afx_types.h"

class CString {
public:
    CString() = default;
    CString(const char* text);  // NOLINT: as MFC
    CString(const char* text, int length);
    CString(const CString& other) : CString(other.GetString(), other.m_length) {}
    CString(CString&& other) noexcept : m_text(other.m_text), m_length(other.m_length) {
        other.m_text = nullptr;
        other.m_length = 0;
    }
    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    ~CString() { delete[] m_text; }

    int GetLength() const { return m_length; }
    BOOL IsEmpty() const { return m_length == 0 ? TRUE : FALSE; }
    void Empty() { *this = CString(); }
    const char* GetString() const { return m_text != nullptr ? m_text : ""; }
    operator const char*() const { return GetString(); }  // NOLINT: as MFC

    // Room for `length` characters that the caller writes in place, the text so far kept at the
    // front; ReleaseBuffer then ends the text at the first terminating zero written.
    char* GetBufferSetLength(int length);
    void ReleaseBuffer();

    // Removes leading blanks, tabs and line breaks.
    void TrimLeft();
    // Replaces the text with string resource `id` of the module; FALSE, and empty, if none.
    BOOL LoadStringA(UINT id);

    CString& operator+=(const CString& other) { return *this = *this + other; }

    friend CString operator+(const CString& left, const CString& right) {
        return Joined(left.GetString(), left.m_length, right.GetString(), right.m_length);
    }
    friend CString operator+(const char* left, const CString& right) {
        return Joined(left, Length(left), right.GetString(), right.m_length);
    }
    friend CString operator+(const CString& left, const char* right) {
        return Joined(left.GetString(), left.m_length, right, Length(right));
    }
    // Equal texts have the same length and the same bytes.
    friend bool operator==(const CString& left, const CString& right) {
        return Same(left.GetString(), left.m_length, right.GetString(), right.m_length);
    }
    friend bool operator==(const CString& left, const char* right) {
        return Same(left.GetString(), left.m_length, right, Length(right));
    }
    friend bool operator==(const char* left, const CString& right) { return right == left; }
    friend bool operator!=(const CString& left, const CString& right) { return !(left == right); }
    friend bool operator!=(const CString& left, const char* right) { return !(left == right); }

private:
    static int Length(const char* text);
    static bool Same(const char* left, int leftLength, const char* right, int rightLength);
    static CString Joined(const char* left, int leftLength, const char* right, int rightLength);

    char* m_text = nullptr;  // null until the string has a buffer of its own
    int m_length = 0;
};
