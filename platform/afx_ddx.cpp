#include "afx_ddx.h"

#include <cstring>

#include "number_text.h"

const char* const AFX_PROMPT_ENTER_NUMBER = "Please enter a number.";

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
    m_hWndLastControl = m_pDlgWnd->ChildWithId(id);
    m_lastWasEdit = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    m_lastWasEdit = true;
    return control;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (!m_bSaveAndValidate || m_hWndLastControl == nullptr) return;
    backend::set_focus(m_hWndLastControl);
    // Select the whole field, so the user's next keystroke replaces the refused text.
    if (m_lastWasEdit) backend::send_message(m_hWndLastControl, EM_SETSEL, 0, -1);
}

namespace {

CString TextOf(HWND control) {
    CString text;
    const std::size_t length = backend::window_text_length(control);
    backend::window_text(control, text.GetBufferSetLength(static_cast<int>(length)), length + 1);
    text.ReleaseBuffer();
    return text;
}

// Every exchange writes every control; a control that already shows the text is left alone, so
// that it neither repaints nor loses the user's selection. One question to the control tells:
// its text up to one character past the new one's length. (Longer texts are always written.)
void ShowText(HWND control, const char* text) {
    char shown[64];
    const std::size_t length = std::strlen(text);
    if (length + 2 <= sizeof shown) {
        backend::window_text(control, shown, length + 2);
        if (std::strcmp(shown, text) == 0) return;
    }
    backend::set_window_text(control, text);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, double& value) {
    if (pDX->HasFailed()) return;
    HWND field = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        ShowText(field, FormatDouble(value).c_str());
        return;
    }
    const CString text = TextOf(field);
    const std::optional<double> read =
        ParseDouble(std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength())));
    if (!read) {
        pDX->m_pDlgWnd->MessageBoxA(AFX_PROMPT_ENTER_NUMBER, nullptr, MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = *read;
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->HasFailed()) return;
    HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        value = TextOf(control);
    } else {
        ShowText(control, value);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX->HasFailed()) return;
    HWND list = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(backend::send_message(list, CB_GETCURSEL, 0, 0));
    } else if (backend::send_message(list, CB_GETCURSEL, 0, 0) != index) {
        backend::send_message(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX->HasFailed() || control.m_hWnd != nullptr) return;
    pDX->m_pDlgWnd->AttachControl(control, pDX->PrepareCtrl(id));
}
