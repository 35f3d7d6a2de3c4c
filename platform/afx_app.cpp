#include "afx_app.h"

#include "afx_entry.h"

namespace {

CWinApp* g_application = nullptr;
// A file name fits in a path, which Windows' ANSI functions keep to 260 bytes with its zero.
constexpr std::size_t kLongestModuleName = 259;

}  // namespace

CWinApp::CWinApp(LPCSTR appName) : m_appName(appName) { g_application = this; }

CWinApp::~CWinApp() {
    if (g_application == this) g_application = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

const char* CWinApp::AppName() {
    if (m_appName.IsEmpty()) {
        char name[kLongestModuleName + 1];
        backend::module_name(name, sizeof name);
        m_appName = name;
    }
    return m_appName;
}

HICON CWinApp::LoadIcon(UINT iconId) const { return backend::load_icon(static_cast<int>(iconId)); }

BOOL CWinApp::Enable3dControls() {
    backend::init_common_controls();
    return TRUE;
}

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
