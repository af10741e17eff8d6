// Standard controls: thin wrappers that hold only the window handle.
#pragma once

#include "afxwnd.h"

class CComboBox : public CWnd
{
public:
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL, 0, 0); }
    // An index that names no item clears the selection and returns CB_ERR. Wine
    // keeps the old selection instead, so it is cleared here.
    int SetCurSel(int nSelect)
    {
        int nResult = (int)SendMessage(CB_SETCURSEL, nSelect, 0);
        if (nResult == CB_ERR && nSelect != -1)
            SendMessage(CB_SETCURSEL, (WPARAM)-1, 0);
        return nResult;
    }
    int InsertString(int nIndex, LPCTSTR lpszString)
    {
        return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)lpszString);
    }
    int InitStorage(int nItems, UINT nBytes)
    {
        return (int)SendMessage(CB_INITSTORAGE, (WPARAM)nItems, nBytes);
    }
};
