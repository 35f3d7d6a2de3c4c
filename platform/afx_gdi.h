// Drawing wrappers: a paint device context for one WM_PAINT, pens, and the operations the
// window draws with. The pixels themselves are the back-end's business.
#pragma once

#include "afx_wnd.h"

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    backend::Gdi m_hObject = nullptr;
    BOOL DeleteObject();

protected:
    friend class CDC;
    // A wrapper made for an object someone else owns does not delete it.
    bool m_owned = true;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
};

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }

    // Selects `pen`; answers a wrapper of the pen it replaced, valid until the next selection.
    CPen* SelectObject(CPen* pen);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    BOOL DrawIcon(int x, int y, HICON icon);

private:
    CPen m_replaced;  // owned by whoever selected it
};

// Painting of one WM_PAINT: begins in the constructor and ends in the destructor.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

private:
    HWND m_hWnd;
    backend::PaintSession m_session;
};
