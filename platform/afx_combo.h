// CComboBox: the list operations of a combo-box control, as messages to the control.
#pragma once

#include "afx_wnd.h"

class CComboBox : public CWnd {
public:
    // The text of the entry at `index`; empty when there is no such entry.
    void GetLBText(int index, CString& text) const;
};
