#include "afxdd.h"

#include <stdlib.h>

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == NULL)
        rControl.Attach(pDX->PrepareCtrl(nIDC));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
        return;
    }
    // Only 0, 1 and 2 (indeterminate) are check states; anything else becomes 0.
    if (value < 0 || value > 2)
        value = 0;
    SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    char text[64];
    if (pDX->m_bSaveAndValidate) {
        GetWindowTextA(hWndCtrl, text, sizeof text);
        // Blanks, then a signed decimal number; empty text reads as 0.
        char* end;
        long number = strtol(text, &end, 10);
        while (*end == ' ' || *end == '\t')
            ++end;
        if (*end != '\0') {
            MessageBoxA(pDX->m_pDlgWnd->m_hWnd, "Please enter an integer.", NULL,
                        MB_ICONEXCLAMATION);
            SetFocus(hWndCtrl);
            pDX->Fail();
            return;
        }
        value = (int)number;
        return;
    }
    wsprintfA(text, "%d", value);
    SetWindowTextA(hWndCtrl, text);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int length = GetWindowTextLengthA(hWndCtrl);
        GetWindowTextA(hWndCtrl, value.GetBuffer(length), length + 1);
        value.ReleaseBuffer();
        return;
    }
    SetWindowTextA(hWndCtrl, value);
}
