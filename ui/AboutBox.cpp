#include "core/LauncherDlg.h"

// The About box is a plain dialog on its template.
void CLauncherDlg::OnAbout()
{
    CDialog aboutBox(IDD_ABOUTBOX);
    aboutBox.DoModal();
}
