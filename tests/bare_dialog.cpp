// The benchmark's floor for opening the launcher and for its memory: the
// launcher's dialog template with no code behind it. Given a directory, its
// tree also gets that directory's *.bin names, sorted, at the end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource.h"

static const char* g_directory = NULL;

static void FillTree(HWND hTree, const char* directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((std::string(directory) + "\\*.bin").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(find, &data));
        FindClose(find);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpA(a.c_str(), b.c_str()) < 0;
    });
    SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
    for (const std::string& name : names) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = (LPSTR)name.c_str();
        SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    }
    SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
}

static INT_PTR CALLBACK BareDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG && g_directory != NULL)
        FillTree(GetDlgItem(hDlg, IDC_ROM_TREE), g_directory);
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
