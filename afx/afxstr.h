// CString: a single-byte string with value semantics.
#pragma once

#include <windows.h>
#include <string>

class CString
{
public:
    CString() {}
    CString(LPCTSTR psz) : m_str(psz ? psz : "") {}

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    operator LPCTSTR() const { return m_str.c_str(); }

    const CString& operator=(LPCTSTR psz)
    {
        m_str = psz ? psz : "";
        return *this;
    }
    const CString& operator+=(LPCTSTR psz)
    {
        m_str += psz;
        return *this;
    }
    friend CString operator+(const CString& a, LPCTSTR b) { return CString(a) += b; }
    friend CString operator+(LPCTSTR a, const CString& b) { return CString(a) += b; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a) += b; }

    friend bool operator==(const CString& a, LPCTSTR b) { return a.m_str == b; }
    friend bool operator!=(const CString& a, LPCTSTR b) { return a.m_str != b; }

    void Format(LPCTSTR lpszFormat, ...);

    // The buffer holds at least nMinBufLength characters plus the terminator;
    // ReleaseBuffer(-1) takes the length from the terminator.
    LPTSTR GetBuffer(int nMinBufLength)
    {
        if ((int)m_str.size() < nMinBufLength)
            m_str.resize(nMinBufLength);
        return &m_str[0];
    }
    void ReleaseBuffer(int nNewLength = -1)
    {
        m_str.resize(nNewLength < 0 ? lstrlenA(m_str.c_str()) : nNewLength);
    }

private:
    std::string m_str;
};
