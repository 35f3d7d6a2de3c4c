#include "afx_wnd.h"

#include <iterator>

#include "afx_app.h"
#include "afx_ddx.h"

BOOL CCmdTarget::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CMenu::AppendMenuA(UINT flags, UINT_PTR itemId, LPCSTR text) {
    return backend::append_menu(m_hMenu, flags, itemId, text) ? TRUE : FALSE;
}

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam) const {
    return backend::send_message(m_hWnd, message, wParam, lParam);
}

CWnd::~CWnd() { DeleteWrappers(); }

HWND CWnd::ChildWithId(int id) const {
    for (int i = 0; i < m_childCount; ++i) {
        if (m_children[i].id == id) return m_children[i].window;
    }
    HWND child = backend::dialog_item(m_hWnd, id);
    if (child != nullptr && m_childCount < static_cast<int>(std::size(m_children)))
        m_children[m_childCount++] = {id, child};
    return child;
}

CWnd* CWnd::GetDlgItem(int id) const {
    HWND child = ChildWithId(id);
    if (child == nullptr) return nullptr;
    for (CWnd* bound = m_firstBound; bound != nullptr; bound = bound->m_nextBound) {
        if (bound->m_hWnd == child) return bound;
    }
    for (CWnd* wrapper = m_firstWrapper; wrapper != nullptr; wrapper = wrapper->m_nextWrapper) {
        if (wrapper->m_hWnd == child) return wrapper;
    }
    auto* wrapper = new CWnd;
    wrapper->m_hWnd = child;
    wrapper->m_nextWrapper = m_firstWrapper;
    m_firstWrapper = wrapper;
    return wrapper;
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
    m_systemMenu.m_hMenu = menu;
    return &m_systemMenu;
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
    CWnd** end = &m_firstBound;
    for (; *end != nullptr; end = &(*end)->m_nextBound) {
        if (*end == &control) return;  // bound already, to a child that was not there
    }
    control.m_nextBound = nullptr;
    *end = &control;
}

LRESULT CWnd::Default() {
    return backend::default_processing(m_hWnd, m_current.message, m_current.wParam,
                                       m_current.lParam);
}

void CWnd::WindowDestroyed() {
    while (CWnd* bound = m_firstBound) {
        m_firstBound = bound->m_nextBound;
        bound->m_hWnd = nullptr;
        bound->m_nextBound = nullptr;
    }
    DeleteWrappers();
    m_childCount = 0;
    m_systemMenu.m_hMenu = nullptr;
    m_hWnd = nullptr;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

void CWnd::DeleteWrappers() {
    while (CWnd* wrapper = m_firstWrapper) {
        m_firstWrapper = wrapper->m_nextWrapper;
        delete wrapper;
    }
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

COLORREF GetSysColor(int index) { return backend::system_color(index); }
