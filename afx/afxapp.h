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

    // Opens the help file named after the executable, with the extension .HLP.
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
