#include "afxcoll.h"

#include <new>
#include <stdlib.h>

// A CString is a pointer and two counts, so the elements move with the buffer.
int CStringArray::Add(LPCTSTR newElement)
{
    if (m_nSize == m_nMaxSize) {
        int nMaxSize = m_nMaxSize ? m_nMaxSize * 2 : 16;
        void* pData = realloc((void*)m_pData, nMaxSize * sizeof(CString));
        if (pData == NULL)
            AfxThrowMemoryException();
        m_pData = (CString*)pData;
        m_nMaxSize = nMaxSize;
    }
    new (&m_pData[m_nSize]) CString(newElement);
    return m_nSize++;
}

void CStringArray::RemoveAll()
{
    for (int i = 0; i < m_nSize; i++)
        m_pData[i].~CString();
    free((void*)m_pData);
    m_pData = NULL;
    m_nSize = m_nMaxSize = 0;
}
