#include "afx_combo.h"

#include <utility>

void CComboBox::GetLBText(int index, CString& text) const {
    const LRESULT length = SendMessageA(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0) {
        text.Empty();
        return;
    }
    CString entry;
    const LRESULT copied =
        SendMessageA(CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(entry.GetBufferSetLength(static_cast<int>(length))));
    entry.ReleaseBuffer();
    if (copied == CB_ERR) entry.Empty();
    text = std::move(entry);
}
