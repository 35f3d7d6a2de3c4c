#include "afx_wnd.h"

#include <vector>

#include "afx_app.h"
#include "afx_ddx.h"

BOOL CCmdTarget::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CMenu::AppendMenuA(UINT flags, UINT_PTR itemId, LPCSTR text) {
    return backend::append_menu(m_hMenu, flags, itemId, text) ? TRUE : FALSE;
}

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam) const {
    return backend::send_message(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const {
    HWND child = backend::dialog_item(m_hWnd, id);
    if (child == nullptr) return nullptr;
    for (CWnd* bound : m_boundControls) {
        if (bound->m_hWnd == child) return bound;
    }
    auto& wrapper = m_itemWrappers[child];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = child;
    }
    return wrapper.get();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return backend::enable_window(m_hWnd, enable != FALSE) ? TRUE : FALSE;
}

void CWnd::SetFocus() { backend::set_focus(m_hWnd); }

BOOL CWnd::IsIconic() const { return backend::is_iconic(m_hWnd) ? TRUE : FALSE; }

void CWnd::GetClientRect(CRect* rect) const {
    const backend::Rect area = backend::client_rect(m_hWnd);
    *rect = CRect{area.left, area.top, area.right, area.bottom};
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    HMENU menu = backend::system_menu(m_hWnd, revert != FALSE);
    if (menu == nullptr) return nullptr;
    if (!m_systemMenu) m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->m_hMenu = menu;
    return m_systemMenu.get();
}

int CWnd::MessageBoxA(LPCSTR text, LPCSTR caption, UINT type) {
    return backend::message_box(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.HasFailed() ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::AttachControl(CWnd& control, HWND child) {
    control.m_hWnd = child;
    m_boundControls.push_back(&control);
}

LRESULT CWnd::Default() {
    return backend::default_processing(m_hWnd, m_current.message, m_current.wParam,
                                       m_current.lParam);
}

void CWnd::WindowDestroyed() {
    for (CWnd* bound : m_boundControls) bound->m_hWnd = nullptr;
    m_boundControls.clear();
    m_itemWrappers.clear();
    m_systemMenu.reset();
    m_hWnd = nullptr;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

bool CWnd::HandleMessage(backend::Window window, unsigned message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) {
    if (m_hWnd == nullptr) m_hWnd = window;
    const Message outer = m_current;
    m_current = Message{message, wParam, lParam};
    LRESULT answer = 0;
    const BOOL handled = OnWndMsg(message, wParam, lParam, &answer);
    m_current = outer;
    result = answer;
    return handled != FALSE;
}

int GetSystemMetrics(int index) { return backend::system_metric(index); }
