#include "ui/LauncherApp.h"
#include "core/LauncherDlg.h"
#include "win/ComApartment.h"
#include "Messages.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CLauncherApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CLauncherApp theApp;

// The program is this one modal dialog; returning FALSE ends the application.
BOOL CLauncherApp::InitInstance()
{
    CLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The dialog ends with this function: the application must not point at it.
    m_pMainWnd = NULL;
    LeaveComApartment();
    return FALSE;
}

// F1, in any of the program's windows, opens the guide that comes beside the
// program with the system's viewer for text files.
void CLauncherApp::OnHelp()
{
    // The program's folder in UTF-16, which names it whatever the code page spells.
    WCHAR path[MAX_PATH + sizeof "Zorvane.txt"] = L"";
    GetModuleFileNameW(NULL, path, MAX_PATH);
    LPWSTR name = wcsrchr(path, L'\\');
    lstrcpyW(name != NULL ? name + 1 : path, L"Zorvane.txt");
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = L"open";
    execute.lpFile = path;
    execute.nShow = SW_SHOWNORMAL;
    // The viewer may be reached through COM.
    EnterComApartment();
    if (ShellExecuteExW(&execute))
        return;
    AfxMessageBox(MSG_NO_GUIDE, MB_ICONINFORMATION);
}
