#include "ui/DirectoriesDlg.h"
#include "core/LauncherDlg.h"
#include "win/CodePage.h"
#include "win/ComApartment.h"
#include "win/FindFile.h"
#include "Messages.h"

#include <shlobj.h>
#include <wchar.h>

BEGIN_MESSAGE_MAP(CDirectoriesDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE_ROMDIR, OnBrowseRomDir)
ON_BN_CLICKED(IDC_BROWSE_EMUDIR, OnBrowseEmuDir)
END_MESSAGE_MAP()

void CDirectoriesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ROMDIR, m_romDir);
    DDX_Text(pDX, IDC_EMUDIR, m_emuDir);
}

void CDirectoriesDlg::OnBrowseRomDir() { BrowseForFolder("Select the Roms Directory", m_romDir); }

void CDirectoriesDlg::OnBrowseEmuDir() { BrowseForFolder("Select the O2em Directory", m_emuDir); }

// The picked folder as the ANSI calls open it: its path as the code page
// spells it, where each folder name that the code page cannot spell exactly is
// replaced by its short name. FALSE when such a folder has no short name.
static BOOL SpellPath(LPWSTR pszPath, CString& path)
{
    BOOL bExact;
    path = SpellInCodePage(pszPath, &bExact);
    if (bExact)
        return TRUE;
    path = "";
    for (LPWSTR pszName = pszPath;;) {
        // The path is cut after this name while the name is looked at.
        LPWSTR pszEnd = wcschr(pszName, L'\\');
        if (pszEnd != NULL)
            *pszEnd = L'\0';
        CString name = SpellInCodePage(pszName, &bExact);
        WIN32_FIND_DATAW entry;
        CFindFile finder;
        if (!bExact)
            name = finder.FindFirst(pszPath, entry) ? AnsiNameOf(entry) : CString();
        if (pszEnd != NULL)
            *pszEnd = L'\\';
        if (!bExact && name.GetLength() == 0)
            return FALSE;
        path += name;
        if (pszEnd == NULL)
            return TRUE;
        path += "\\";
        pszName = pszEnd + 1;
    }
}

void CDirectoriesDlg::BrowseForFolder(LPCTSTR lpszTitle, CString& directory)
{
    char displayName[MAX_PATH];
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = lpszTitle;
    // The picker needs COM set up on the thread first.
    EnterComApartment();
    LPITEMIDLIST pidl = SHBrowseForFolderA(&browse);
    if (pidl == NULL)
        return;
    // The path as the file system spells it, whatever the code page can.
    WCHAR widePath[MAX_PATH];
    BOOL bHasPath = SHGetPathFromIDListW(pidl, widePath);
    CoTaskMemFree(pidl);
    // Virtual folders have no file-system path.
    if (!bHasPath)
        return;
    CString path;
    if (!SpellPath(widePath, path)) {
        WCHAR message[1024];
        wsprintfW(message, L"" MSG_FOLDER_NAME_UNSPELLABLE, widePath);
        MessageBoxW(m_hWnd, message, L"" MSG_CAPTION_LAUNCHER_ERROR, MB_ICONHAND);
        return;
    }
    // Whatever was typed into either field reaches the members first.
    UpdateData(TRUE);
    directory = path;
    UpdateData(FALSE);
}

// The directories come back however the dialog ended: after Escape they are
// those of the last browse, which also took in what had been typed.
void CLauncherDlg::OnDirectories()
{
    CDirectoriesDlg dlg;
    dlg.m_romDir = m_romDir;
    dlg.m_emuDir = m_emuDir;
    dlg.DoModal();
    m_romDir = dlg.m_romDir;
    m_emuDir = dlg.m_emuDir;
    FillRomList();
}
