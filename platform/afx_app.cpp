#include "afx_app.h"

#include "afx_entry.h"

namespace {
CWinApp* g_application = nullptr;
}

CWinApp::CWinApp(LPCSTR appName) : m_appName(appName != nullptr ? appName : "") {
    g_application = this;
}

CWinApp::~CWinApp() {
    if (g_application == this) g_application = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

const char* CWinApp::AppName() {
    if (m_appName.empty()) m_appName = backend::module_name();
    return m_appName.c_str();
}

HICON CWinApp::LoadIcon(UINT iconId) const { return backend::load_icon(static_cast<int>(iconId)); }

BOOL CWinApp::Enable3dControls() { return TRUE; }

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return g_application; }

CWnd* AfxGetMainWnd() { return g_application != nullptr ? g_application->m_pMainWnd : nullptr; }

const char* AfxGetAppName() { return g_application != nullptr ? g_application->AppName() : ""; }

void AfxEnableControlContainer() {}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    // A dialog program runs its only window modally inside InitInstance, so whatever it answers
    // there is no message loop left to run.
    app->InitInstance();
    return app->ExitInstance();
}
