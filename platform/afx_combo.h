// CComboBox: the list operations of a combo-box control, as messages to the control.
#pragma once

#include "afx_wnd.h"

class CComboBox : public CWnd {
public:
    int SetCurSel(int index);
    int AddString(LPCSTR text);
    int SelectString(int startAfter, LPCSTR prefix);
    // The text of the entry at `index`; empty when there is no such entry.
    void GetLBText(int index, CString& text) const;
};
