// CWinApp: the one application object, and the global accessors to it.
#pragma once

#include "afxwnd.h"

class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd = NULL;
    HINSTANCE m_hInstance = NULL;
    // The executable's name without its extension, the caption of AfxMessageBox.
    LPCTSTR m_pszAppName;

    DECLARE_MESSAGE_MAP()

private:
    char m_szAppName[MAX_PATH];
};

// A message box under the application's name, owned by the window that is
// active in the application (a dialog the main window has open, or the main
// window itself).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
