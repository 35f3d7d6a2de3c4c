#include "afx_string.h"

void CString::TrimLeft() {
    const auto first = m_text.find_first_not_of(" \t\r\n\v\f");
    m_text.erase(0, first == std::string::npos ? m_text.size() : first);
}

BOOL CString::LoadStringA(UINT id) {
    std::string text;
    const bool found = backend::load_string(id, text);
    m_text = found ? text : std::string();
    return found && !m_text.empty() ? TRUE : FALSE;
}
