#include "ui/LauncherApp.h"
#include "core/LauncherDlg.h"

BEGIN_MESSAGE_MAP(CLauncherApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CLauncherApp theApp;

// The program is this one modal dialog; returning FALSE ends the application.
BOOL CLauncherApp::InitInstance()
{
    CLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
