#include "afxfind.h"

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    m_hContext = ::FindFirstFileA(pstrName, &m_next);
    m_bGotNext = m_hContext != INVALID_HANDLE_VALUE;
    return m_bGotNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bGotNext)
        return FALSE;
    m_found = m_next;
    m_bGotNext = ::FindNextFileA(m_hContext, &m_next);
    return m_bGotNext;
}

void CFileFind::Close()
{
    if (m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = INVALID_HANDLE_VALUE;
    m_bGotNext = FALSE;
}
