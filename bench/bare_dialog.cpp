// The benchmark's floor for opening the launcher and for its memory: the
// launcher's dialog template with no code behind it. Given a directory, its
// tree also gets that directory's *.bin names, sorted, at the end.
#include <windows.h>
#include <commctrl.h>

#include "BareFill.h"
#include "resource.h"

static const char* g_directory = NULL;

static INT_PTR CALLBACK BareDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG && g_directory != NULL)
        BareFill(GetDlgItem(hDlg, IDC_ROM_TREE), g_directory);
    if (message == WM_COMMAND && LOWORD(wParam) == ID_FILE_QUIT)
        EndDialog(hDlg, 0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    if (*lpCmdLine)
        g_directory = lpCmdLine;
    InitCommonControls();
    DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_LAUNCHER_DIALOG), NULL, BareDialogProc, 0);
    return 0;
}
