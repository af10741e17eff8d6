// Common controls: slider, tree view and image list.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class CImageList
{
public:
    CImageList() {}
    ~CImageList()
    {
        if (m_hImageList != NULL)
            ImageList_Destroy(m_hImageList);
    }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_hImageList != NULL;
    }
    // Copies the bitmap; the caller keeps and frees its own.
    int Add(CBitmap* pbmImage, COLORREF crMask)
    {
        return ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
    }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    HIMAGELIST m_hImageList = NULL;
};

class CSliderCtrl : public CWnd
{
public:
    int GetPos() const { return (int)SendMessage(TBM_GETPOS, 0, 0); }
    // Always redraws; the thumb stays within the range.
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGE, bRedraw, MAKELPARAM(nMin, nMax));
    }
};

class CTreeCtrl : public CWnd
{
public:
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
    {
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = hParent;
        tvis.hInsertAfter = hInsertAfter;
        tvis.item.mask = nMask;
        tvis.item.pszText = (LPSTR)lpszItem;
        tvis.item.iImage = nImage;
        tvis.item.iSelectedImage = nSelectedImage;
        tvis.item.state = nState;
        tvis.item.stateMask = nStateMask;
        tvis.item.lParam = lParam;
        return (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)&tvis);
    }
    // NULL when no item is selected.
    HTREEITEM GetSelectedItem() const
    {
        return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, TVGN_CARET, 0);
    }
    // FALSE for a NULL or stale item handle.
    BOOL GetItem(TVITEMA* pItem) const { return (BOOL)SendMessage(TVM_GETITEMA, 0, (LPARAM)pItem); }
    void SetImageList(CImageList* pImageList, int nImageListType)
    {
        SendMessage(TVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle());
    }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, clr); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, clr); }
};
