// Message tables. A table expands to one plain member function, OnWndMsg, that tests the rows in
// order and calls the first matching handler; what no row takes goes to the base class's table.
#pragma once

#include "afx_types.h"

namespace afx {

// A command from a menu or an accelerator, or a click on a push button.
inline bool IsCommand(UINT message, WPARAM wParam, LPARAM lParam, UINT id) {
    if (message != WM_COMMAND || LOWORD(wParam) != static_cast<WORD>(id)) return false;
    const WORD code = HIWORD(wParam);
    return code == BN_CLICKED || (lParam == 0 && code == 1);
}

// A notification with `code` from the control with `id`.
inline bool IsNotification(UINT message, WPARAM wParam, LPARAM lParam, WORD code, UINT id) {
    return message == WM_COMMAND && lParam != 0 && LOWORD(wParam) == static_cast<WORD>(id) &&
           HIWORD(wParam) == code;
}

}  // namespace afx

// The root of every message table: handles nothing.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

#define DECLARE_MESSAGE_MAP()                                                             \
public:                                                                                   \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override; \
                                                                                          \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) { \
        using TheBaseClass = baseClass;

#define END_MESSAGE_MAP()                                            \
    return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult); \
    }

#define AFX_HANDLED(call) \
    {                     \
        call;             \
        *pResult = 0;     \
        return TRUE;      \
    }

#define ON_COMMAND(id, memberFn) \
    if (afx::IsCommand(message, wParam, lParam, id)) AFX_HANDLED(memberFn())

#define ON_CONTROL(code, id, memberFn) \
    if (afx::IsNotification(message, wParam, lParam, code, id)) AFX_HANDLED(memberFn())

#define ON_BN_CLICKED(id, memberFn) ON_COMMAND(id, memberFn)
#define ON_CBN_SELCHANGE(id, memberFn) ON_CONTROL(CBN_SELCHANGE, id, memberFn)

#define ON_WM_SYSCOMMAND() \
    if (message == WM_SYSCOMMAND) AFX_HANDLED(OnSysCommand(static_cast<UINT>(wParam), lParam))

#define ON_WM_PAINT() \
    if (message == WM_PAINT) AFX_HANDLED(OnPaint())

#define ON_WM_QUERYDRAGICON()                                    \
    if (message == WM_QUERYDRAGICON) {                           \
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon()); \
        return TRUE;                                             \
    }
