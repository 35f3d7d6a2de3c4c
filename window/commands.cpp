// The calculator window's message table and the commands that are not calculator logic:
// closing, the About box from the menu and the system menu, and online help.
#include "core/gas_law_dlg.h"
#include "window/about_dlg.h"
#include "window/online_help.h"

BEGIN_MESSAGE_MAP(CGasLawDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_CBN_SELCHANGE(IDC_SOLVE_FOR, OnSelchangeSolveFor)
ON_BN_CLICKED(IDC_CALCULATE, OnCalculate)
ON_BN_CLICKED(IDC_CHANGE_UNITS, OnChangeUnits)
ON_BN_CLICKED(IDC_ONLINE_HELP, OnOnlineHelp)
ON_BN_CLICKED(IDC_CLOSE, OnCloseButton)
ON_COMMAND(ID_CHANGE_UNITS, OnChangeUnits)
ON_COMMAND(ID_FILE_EXIT, OnCloseButton)
ON_COMMAND(ID_ONLINE_HELP, OnOnlineHelp)
ON_COMMAND(ID_HELP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

void CGasLawDlg::OnCloseButton() {
    // Through the overridable OnOK: the fields are read, and a refused one keeps the window open.
    OnOK();
}

void CGasLawDlg::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CGasLawDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAppAbout();
    } else {
        Default();
    }
}

void CGasLawDlg::OnOnlineHelp() {
    if (MessageBoxA(QUARVEL_HELP_QUESTION, QUARVEL_HELP_CAPTION,
                    MB_OKCANCEL | MB_ICONINFORMATION) == IDOK) {
        crt::system(QUARVEL_HELP_COMMAND);
    }
}
