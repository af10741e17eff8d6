// CDialog: a modal dialog run from a dialog resource.
#pragma once

#include "afxwnd.h"

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
    {
    }

    virtual int DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL CheckAutoCenter() const;
    void CenterWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
