// CCmdTarget and CWnd: message-map dispatch and the window basics the program uses.
#pragma once

#include "afxmsg.h"
#include "afxstr.h"

class CDataExchange;

class CCmdTarget
{
public:
    virtual ~CCmdTarget() {}

    // Routes a WM_COMMAND (menu, accelerator or control notification) through
    // the map chain; TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    static const AFX_MSGMAP* GetThisMessageMap();

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

class CWnd : public CCmdTarget
{
public:
    CWnd() {}
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = NULL;

    BOOL Attach(HWND hWndNew);
    HWND Detach();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK)
    {
        return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
    }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    {
        return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Lets the platform's default processing follow the current handler.
    LRESULT Default();

    afx_msg void OnPaint() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnDestroy() { Default(); }

protected:
    virtual void DoDataExchange(CDataExchange*) {}

    // Dispatches one message through the map chain; FALSE when nothing handled it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Children of this window that DDX_Control attached, let go when it is destroyed.
    void DetachChildren();

private:
    BOOL m_bCallDefault = FALSE;
};
