#include "afxapp.h"

#include <string.h>

static CWinApp* afxCurrentWinApp = NULL;

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    afxCurrentWinApp = this;
    if (m_pszAppName != NULL)
        return;
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    LPCSTR name = strrchr(path, '\\');
    lstrcpynA(m_szAppName, name != NULL ? name + 1 : path, MAX_PATH);
    LPSTR extension = strrchr(m_szAppName, '.');
    if (extension != NULL)
        *extension = '\0';
    m_pszAppName = m_szAppName;
}

CWinApp::~CWinApp()
{
    if (afxCurrentWinApp == this)
        afxCurrentWinApp = NULL;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hOwner = pMainWnd != NULL ? GetLastActivePopup(pMainWnd->m_hWnd) : NULL;
    return ::MessageBoxA(hOwner, lpszText, pApp != NULL ? pApp->m_pszAppName : NULL, nType);
}

CWinApp* AfxGetApp() { return afxCurrentWinApp; }

CWnd* AfxGetMainWnd() { return afxCurrentWinApp ? afxCurrentWinApp->m_pMainWnd : NULL; }

HINSTANCE AfxGetResourceHandle()
{
    // Resources live in the executable itself.
    return GetModuleHandleA(NULL);
}
