// CStringArray: a growable array of strings.
#pragma once

#include "afxstr.h"

class CStringArray
{
public:
    CStringArray() {}
    ~CStringArray() { RemoveAll(); }
    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;

    int GetSize() const { return m_nSize; }
    const CString& GetAt(int nIndex) const { return m_pData[nIndex]; }
    int Add(LPCTSTR newElement);
    void RemoveAll();

private:
    CString* m_pData = NULL;
    int m_nSize = 0;
    int m_nMaxSize = 0;
};
