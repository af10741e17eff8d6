// Standard controls: thin wrappers that hold only the window handle.
#pragma once

#include "afxwnd.h"

class CComboBox : public CWnd
{
public:
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
    // An index that names no item clears the selection (and returns CB_ERR).
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, nSelect, 0); }
    int InsertString(int nIndex, LPCTSTR lpszString)
    {
        return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)lpszString);
    }
    int InitStorage(int nItems, UINT nBytes)
    {
        return (int)SendMessage(CB_INITSTORAGE, (WPARAM)nItems, nBytes);
    }
};
