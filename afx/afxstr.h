// CString: a single-byte string with value semantics, in one heap buffer.
#pragma once

#include <windows.h>

// Ends the program with the platform's fatal-error message, "Out of memory",
// as the class library's out-of-memory exception does when nothing catches it.
[[noreturn]] void AfxThrowMemoryException();

class CString
{
public:
    CString() { Init(); }
    CString(const CString& stringSrc)
    {
        Init();
        *this = stringSrc;
    }
    CString(LPCTSTR psz)
    {
        Init();
        *this = psz;
    }
    ~CString();

    int GetLength() const { return m_nDataLength; }
    operator LPCTSTR() const { return m_pchData; }

    const CString& operator=(const CString& stringSrc) { return *this = stringSrc.m_pchData; }
    const CString& operator=(LPCTSTR psz);
    const CString& operator+=(LPCTSTR psz);
    friend CString operator+(const CString& a, LPCTSTR b) { return CString(a) += b; }

    void Format(LPCTSTR lpszFormat, ...);

    // Room for at least nMinBufLength characters and the terminator;
    // ReleaseBuffer(-1) then takes the length from the terminator.
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    void Init();
    void Reserve(int nLength);

    LPTSTR m_pchData;
    int m_nDataLength;
    int m_nAllocLength;
};
