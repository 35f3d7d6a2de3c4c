#include "afx_combo.h"

#include <vector>

int CComboBox::SetCurSel(int index) {
    return static_cast<int>(SendMessageA(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

int CComboBox::AddString(LPCSTR text) {
    return static_cast<int>(SendMessageA(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::SelectString(int startAfter, LPCSTR prefix) {
    return static_cast<int>(SendMessageA(CB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                         reinterpret_cast<LPARAM>(prefix)));
}

void CComboBox::GetLBText(int index, CString& text) const {
    const LRESULT length = SendMessageA(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    text = copied == CB_ERR ? CString() : CString(std::string(buffer.data()));
}
