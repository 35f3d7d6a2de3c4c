// CWinApp: the one application object. The framework's entry runs its InitInstance; the
// application decides what windows to show there.
#pragma once

#include "afx_wnd.h"

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The name used as the caption of message boxes: the one given, else the module's name.
    const char* AppName();
    HICON LoadIcon(UINT iconId) const;
    // Three-dimensional controls are the system's own look on every Windows this runs on; what
    // is left to do for the controls' look is to make the common controls ready.
    BOOL Enable3dControls();

    CWnd* m_pMainWnd = nullptr;

protected:
    // The framework's help command. There is no help file; the program's help is on the web.
    void OnHelp();

private:
    CString m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
const char* AfxGetAppName();
// No ActiveX controls are hosted, so there is nothing to set up; kept for the start-up order.
void AfxEnableControlContainer();
