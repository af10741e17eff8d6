#include "afxstr.h"

#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void AfxThrowMemoryException()
{
    FatalAppExitA(0, "Out of memory");
    // FatalAppExit does not return.
    __builtin_unreachable();
}

void CString::Init()
{
    m_pchData = (LPTSTR)malloc(1);
    if (m_pchData == NULL)
        AfxThrowMemoryException();
    m_pchData[0] = '\0';
    m_nDataLength = m_nAllocLength = 0;
}

CString::~CString() { free(m_pchData); }

void CString::Reserve(int nLength)
{
    if (nLength <= m_nAllocLength)
        return;
    LPTSTR pchData = nLength < INT_MAX ? (LPTSTR)realloc(m_pchData, nLength + 1) : NULL;
    if (pchData == NULL)
        AfxThrowMemoryException();
    m_pchData = pchData;
    m_nAllocLength = nLength;
}

// The source may lie inside this string's own buffer, so it is copied with
// memmove, after any growth of the buffer.
const CString& CString::operator=(LPCTSTR psz)
{
    int nLength = psz ? lstrlenA(psz) : 0;
    if (psz == NULL || psz < m_pchData || psz > m_pchData + m_nAllocLength)
        Reserve(nLength);
    memmove(m_pchData, psz ? psz : "", nLength);
    m_pchData[nLength] = '\0';
    m_nDataLength = nLength;
    return *this;
}

const CString& CString::operator+=(LPCTSTR psz)
{
    // Growing the buffer would move a source that lies inside it.
    if (psz >= m_pchData && psz <= m_pchData + m_nAllocLength)
        return *this += CString(psz);
    int nLength = lstrlenA(psz);
    // A CString counts its length in an int: a longer one cannot be held.
    if (nLength > INT_MAX - m_nDataLength)
        AfxThrowMemoryException();
    Reserve(m_nDataLength + nLength);
    memcpy(m_pchData + m_nDataLength, psz, nLength);
    m_nDataLength += nLength;
    m_pchData[m_nDataLength] = '\0';
    return *this;
}

void CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    int nLength = _vscprintf(lpszFormat, args);
    va_end(args);
    if (nLength < 0)
        nLength = 0;
    Reserve(nLength);
    va_start(args, lpszFormat);
    _vsnprintf(m_pchData, nLength + 1, lpszFormat, args);
    va_end(args);
    m_pchData[nLength] = '\0';
    m_nDataLength = nLength;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    Reserve(nMinBufLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = lstrlenA(m_pchData);
    m_nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}
