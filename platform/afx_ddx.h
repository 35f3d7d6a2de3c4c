// Dialog data exchange: moves values between a dialog's members and its controls, one row at a
// time. A refused field stops the exchange; the rows after it are left as they were.
#pragma once

#include "afx_wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with `id`; remembered as the one to return to if the exchange fails.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Gives the focus back to the last prepared control and stops the exchange.
    void Fail();
    bool HasFailed() const { return m_failed; }

private:
    HWND m_hWndLastControl = nullptr;
    bool m_lastWasEdit = false;
    bool m_failed = false;
};

// The text shown when a numeric field holds something that is not a number.
extern const char* const AFX_PROMPT_ENTER_NUMBER;

void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
