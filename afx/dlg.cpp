#include "afxdlg.h"
#include "afxapp.h"
#include "afxres.h"

#include <algorithm>

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

int CDialog::DoModal()
{
    // The templates hold common controls, so their classes must be registered first.
    InitCommonControls();
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    return (int)DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                pOwner ? pOwner->m_hWnd : NULL, DialogProc, (LPARAM)this);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // Commands the dialog does not handle get a last chance at the application.
    CWinApp* pApp = AfxGetApp();
    return nCode == 0 && pApp != NULL && pApp->OnCmdMsg(nID, nCode);
}

BOOL CDialog::CheckAutoCenter() const
{
    return (GetWindowLongA(m_hWnd, GWL_STYLE) & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) == 0;
}

// Centres over the owner, or over the work area when there is no visible owner.
void CDialog::CenterWindow()
{
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT center = area;
    HWND hOwner = GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != NULL && IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        GetWindowRect(hOwner, &center);

    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = (center.left + center.right) / 2 - width / 2;
    int y = (center.top + center.bottom) / 2 - height / 2;
    x = std::max((int)area.left, std::min(x, (int)area.right - width));
    y = std::max((int)area.top, std::min(y, (int)area.bottom - height));
    SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = (CDialog*)lParam;
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        pDlg->m_hWnd = hWnd;

        RECT before, after;
        GetWindowRect(hWnd, &before);
        BOOL bResult = pDlg->OnInitDialog();
        GetWindowRect(hWnd, &after);
        // A dialog that is still hidden, was not moved by its initialisation and
        // whose owner is disabled (or absent) opens centred.
        HWND hOwner = GetWindow(hWnd, GW_OWNER);
        if (!IsWindowVisible(hWnd) && before.left == after.left && before.top == after.top &&
            (hOwner == NULL || !IsWindowEnabled(hOwner)) && pDlg->CheckAutoCenter())
            pDlg->CenterWindow();
        return bResult;
    }

    CDialog* pDlg = (CDialog*)GetWindowLongPtrA(hWnd, DWLP_USER);
    if (pDlg == NULL)
        return FALSE;
    if (message == WM_DESTROY) {
        LRESULT lResult;
        pDlg->OnWndMsg(message, wParam, lParam, &lResult);
        pDlg->DetachChildren();
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        pDlg->m_hWnd = NULL;
        SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        return FALSE;
    }
    // The real library turns F1 into the standard help command.
    if (message == WM_HELP)
        return pDlg->OnCmdMsg(ID_HELP, 0);

    LRESULT lResult;
    if (!pDlg->OnWndMsg(message, wParam, lParam, &lResult))
        return FALSE;
    // These few messages return their result directly; all others through DWLP_MSGRESULT.
    if (message == WM_QUERYDRAGICON)
        return lResult;
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
