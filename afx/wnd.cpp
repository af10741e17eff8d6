#include "afxwnd.h"
#include "afxdd.h"

// An attached window carries its CWnd object in this property, so that a
// dialog can let go of its bound controls when it is destroyed.
static const char kWndProperty[] = "AfxWnd";

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP messageMap = {NULL, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != NULL;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage == nMessage && entry->nCode == nCode && entry->nID <= nID &&
                nID <= entry->nLastID)
                return entry;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (entry == NULL)
        return FALSE;
    (this->*entry->pfn)();
    return TRUE;
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL)
        Detach();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL)
        return FALSE;
    m_hWnd = hWndNew;
    SetPropA(hWndNew, kWndProperty, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    RemovePropA(hWnd, kWndProperty);
    m_hWnd = NULL;
    return hWnd;
}

static BOOL CALLBACK DetachChild(HWND hChild, LPARAM)
{
    CWnd* pWnd = (CWnd*)GetPropA(hChild, kWndProperty);
    if (pWnd != NULL)
        pWnd->Detach();
    return TRUE;
}

void CWnd::DetachChildren() { EnumChildWindows(m_hWnd, DetachChild, 0); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

LRESULT CWnd::Default()
{
    m_bCallDefault = TRUE;
    return 0;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    // A command with no control window (a menu's or an accelerator's, which
    // carries code 1) is routed as code 0, as a menu command is.
    if (message == WM_COMMAND)
        return OnCmdMsg(LOWORD(wParam), lParam == 0 ? 0 : HIWORD(wParam));

    const AFX_MSGMAP_ENTRY* entry;
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (message == WM_NOTIFY)
        entry = FindMessageEntry(WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom);
    else
        entry = FindMessageEntry(message, 0, 0);
    if (entry == NULL)
        return FALSE;

    // A handler may call Default(); messages it sends meanwhile keep their own flag.
    BOOL bOuterCallDefault = m_bCallDefault;
    m_bCallDefault = FALSE;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*AfxMsgFunction<void (CWnd::*)()>(entry->pfn))();
        break;
    case AfxSig_hv:
        *pResult = (LRESULT)(this->*AfxMsgFunction<HCURSOR (CWnd::*)()>(entry->pfn))();
        break;
    case AfxSig_vNMHDRpl:
        (this->*AfxMsgFunction<void (CWnd::*)(NMHDR*, LRESULT*)>(entry->pfn))(pNMHDR, pResult);
        break;
    case AfxSig_lwl:
        *pResult =
            (this->*AfxMsgFunction<LRESULT (CWnd::*)(WPARAM, LPARAM)>(entry->pfn))(wParam, lParam);
        break;
    }
    BOOL bHandled = !m_bCallDefault;
    m_bCallDefault = bOuterCallDefault;
    return bHandled;
}
