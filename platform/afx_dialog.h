// CDialog: a window made from a dialog template and run modally. It answers OK and Cancel and
// hands commands it does not take on to the application; the modal loop is the back-end's.
#pragma once

#include "afx_wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the window, runs it until a handler ends it, and answers how it ended.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int result);
    // Dialog units to client pixels, by this dialog's font.
    void MapDialogRect(CRect* rect) const;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
