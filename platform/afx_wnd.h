// CWnd: a thin wrapper over one window handle, the receiver of its messages, and the owner of
// its dialog data exchange. Creating, showing and drawing windows are left to the back-end.
#pragma once

#include "afx_msgmap.h"
#include "afx_string.h"

class CDataExchange;

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CMenu {
public:
    HMENU m_hMenu = nullptr;
    BOOL AppendMenuA(UINT flags, UINT_PTR itemId = 0, LPCSTR text = nullptr);
};

class CWnd : public CCmdTarget, protected backend::MessageHandler {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    LRESULT SendMessageA(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetDlgItem(int id) const;
    // The child window with `id`. A dialog's controls last as long as it does, so each is looked
    // up once: every exchange visits every control, and asking the system each time was most of
    // the cost of a press.
    HWND ChildWithId(int id) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    void SetFocus();
    BOOL IsIconic() const;
    void GetClientRect(CRect* rect) const;
    CMenu* GetSystemMenu(BOOL revert);

    // Shows a modal box over this window; with no caption the application's name is used.
    int MessageBoxA(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    // TRUE: controls to members; FALSE: members to controls. FALSE when a field was refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Binds `control` to the child window `child` until this window is gone. A control is bound
    // to one window at a time.
    void AttachControl(CWnd& control, HWND child);

protected:
    // The default processing of the message being handled.
    LRESULT Default();
    // Forgets the window once it no longer exists: handles, bound controls, wrappers.
    void WindowDestroyed();

    bool HandleMessage(backend::Window window, unsigned message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override;

private:
    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    Message m_current;
    // The controls bound to this window, in binding order, linked through m_nextBound.
    CWnd* m_firstBound = nullptr;
    CWnd* m_nextBound = nullptr;
    // The wrappers GetDlgItem made for children that are not bound, one for each child, linked
    // through m_nextWrapper. This window owns them.
    mutable CWnd* m_firstWrapper = nullptr;
    CWnd* m_nextWrapper = nullptr;
    CMenu m_systemMenu;
    // The children looked up so far; the windows of this program have fewer.
    mutable struct {
        int id;
        HWND window;
    } m_children[32] = {};
    mutable int m_childCount = 0;

    void DeleteWrappers();
};

int GetSystemMetrics(int index);
COLORREF GetSysColor(int index);
