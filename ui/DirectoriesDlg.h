// The Directories dialog: edits the ROM and emulator directories, with folder pickers.
#pragma once

#include <afxwin.h>

#include "resource.h"

class CDirectoriesDlg : public CDialog
{
public:
    explicit CDirectoriesDlg(CWnd* pParent = NULL) : CDialog(CDirectoriesDlg::IDD, pParent) {}

    enum
    {
        IDD = IDD_DIRECTORIES
    };

    CString m_romDir;
    CString m_emuDir;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnBrowseRomDir();
    afx_msg void OnBrowseEmuDir();

    DECLARE_MESSAGE_MAP()

private:
    void BrowseForFolder(LPCTSTR lpszTitle, CString& directory);
};
