// A folder search in UTF-16, in which the file system keeps names (and each
// entry's short alias): the one owner of its search handle.
#pragma once

#include <windows.h>

class CFindFile
{
public:
    CFindFile() {}
    ~CFindFile() { Close(); }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;

    // The first entry that matches the pattern; false when none does.
    bool FindFirst(LPCWSTR pszPattern, WIN32_FIND_DATAW& entry)
    {
        Close();
        m_hFind = ::FindFirstFileW(pszPattern, &entry);
        return m_hFind != INVALID_HANDLE_VALUE;
    }
    // The next entry; false when there is none left.
    bool FindNext(WIN32_FIND_DATAW& entry) { return ::FindNextFileW(m_hFind, &entry) != FALSE; }
    void Close()
    {
        if (m_hFind != INVALID_HANDLE_VALUE)
            ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};
