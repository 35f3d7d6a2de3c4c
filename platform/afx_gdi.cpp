#include "afx_gdi.h"

CGdiObject::~CGdiObject() {
    if (m_owned) DeleteObject();
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) return FALSE;
    const bool deleted = backend::delete_object(m_hObject);
    m_hObject = nullptr;
    return deleted ? TRUE : FALSE;
}

CPen::CPen(int style, int width, COLORREF color) {
    m_hObject = backend::create_pen(style, width, color);
}

CPen* CDC::SelectObject(CPen* pen) {
    backend::Gdi previous =
        backend::select_object(m_hDC, pen != nullptr ? pen->m_hObject : nullptr);
    if (previous == nullptr) return nullptr;
    m_replaced.m_hObject = previous;
    m_replaced.m_owned = false;
    return &m_replaced;
}

void CDC::MoveTo(int x, int y) { backend::move_to(m_hDC, x, y); }

void CDC::LineTo(int x, int y) { backend::line_to(m_hDC, x, y); }

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return backend::draw_icon(m_hDC, x, y, icon) ? TRUE : FALSE;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd) {
    m_hDC = backend::begin_paint(m_hWnd, m_session);
}

CPaintDC::~CPaintDC() { backend::end_paint(m_hWnd, m_session); }
