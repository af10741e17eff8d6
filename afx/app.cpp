#include "afxapp.h"

static CWinApp* afxCurrentWinApp = NULL;

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR) { afxCurrentWinApp = this; }

CWinApp::~CWinApp()
{
    if (afxCurrentWinApp == this)
        afxCurrentWinApp = NULL;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

void CWinApp::OnHelp()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    CString helpFile(path);
    if (length > 4 && path[length - 4] == '.') {
        path[length - 4] = '\0';
        helpFile = CString(path) + ".HLP";
    }
    ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : NULL, helpFile, HELP_FINDER, 0);
}

CWinApp* AfxGetApp() { return afxCurrentWinApp; }

CWnd* AfxGetMainWnd() { return afxCurrentWinApp ? afxCurrentWinApp->m_pMainWnd : NULL; }

HINSTANCE AfxGetResourceHandle()
{
    // Resources live in the executable itself.
    return GetModuleHandleA(NULL);
}
