// The application object: runs the launcher dialog as its only window.
#pragma once

#include <afxwin.h>

class CLauncherApp : public CWinApp
{
public:
    BOOL InitInstance() override;

protected:
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()
};
