#include "app/gas_law_app.h"

#include "core/gas_law_dlg.h"

BEGIN_MESSAGE_MAP(CGasLawApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object.
CGasLawApp theApp;

BOOL CGasLawApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();

    CGasLawDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();  // OK and Cancel end the program alike
    return FALSE;
}
