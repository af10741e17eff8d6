// GDI objects: a paint context for one WM_PAINT, and a bitmap that owns its handle.
#pragma once

#include "afxapp.h"

class CPaintDC
{
public:
    explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

class CBitmap
{
public:
    CBitmap() {}
    ~CBitmap() { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    BOOL LoadBitmap(UINT nIDResource)
    {
        DeleteObject();
        m_hObject = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
        return m_hObject != NULL;
    }
    BOOL DeleteObject()
    {
        if (m_hObject == NULL)
            return FALSE;
        BOOL bDeleted = ::DeleteObject(m_hObject);
        m_hObject = NULL;
        return bDeleted;
    }
    operator HBITMAP() const { return m_hObject; }

    HBITMAP m_hObject = NULL;
};
