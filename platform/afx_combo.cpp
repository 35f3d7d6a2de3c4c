#include "afx_combo.h"

#include <vector>

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
