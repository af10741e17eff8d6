#include "ui/DirectoriesDlg.h"
#include "core/LauncherDlg.h"

#include <shlobj.h>

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

void CDirectoriesDlg::BrowseForFolder(LPCTSTR lpszTitle, CString& directory)
{
    char path[MAX_PATH];
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.pszDisplayName = path;
    browse.lpszTitle = lpszTitle;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&browse);
    if (pidl == NULL)
        return;
    BOOL bHasPath = SHGetPathFromIDListA(pidl, path);
    CoTaskMemFree(pidl);
    // Virtual folders have no file-system path.
    if (!bHasPath)
        return;
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
