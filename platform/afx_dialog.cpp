#include "afx_dialog.h"

#include "afx_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    // With no parent, a dialog runs over the application's main window, unless it is that window.
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr) {
        owner = m_pParentWnd->GetSafeHwnd();
    } else if (CWnd* main = AfxGetMainWnd(); main != nullptr && main != this) {
        owner = main->GetSafeHwnd();
    }
    const INT_PTR result = backend::run_modal_dialog(static_cast<int>(m_nIDTemplate), owner, *this);
    WindowDestroyed();
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int result) { backend::end_dialog(m_hWnd, result); }

void CDialog::MapDialogRect(CRect* rect) const {
    const backend::Rect pixels =
        backend::map_dialog_rect(m_hWnd, {rect->left, rect->top, rect->right, rect->bottom});
    *rect = CRect{pixels.left, pixels.top, pixels.right, pixels.bottom};
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    CWinApp* app = AfxGetApp();
    if (app != nullptr) {
        // F1 asks for the application's help, as the help command does.
        if (message == WM_HELP) return app->OnWndMsg(WM_COMMAND, ID_HELP, 0, pResult);
        if (afx::IsCommand(message, wParam, lParam, LOWORD(wParam)) &&
            app->OnWndMsg(message, wParam, lParam, pResult)) {
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
