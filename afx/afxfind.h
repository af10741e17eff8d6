// CFileFind: a file search that is always one match ahead, so that
// FindNextFile can tell whether the match it moves to is the last.
#pragma once

#include "afxstr.h"

class CFileFind
{
public:
    CFileFind() {}
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // TRUE when at least one entry matches; FindNextFile then moves to it.
    BOOL FindFile(LPCTSTR pstrName, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when that match is the last (it is still valid).
    BOOL FindNextFile();
    CString GetFileName() const { return m_found.cFileName; }
    void Close();

private:
    HANDLE m_hContext = INVALID_HANDLE_VALUE;
    BOOL m_bGotNext = FALSE;
    WIN32_FIND_DATAA m_found = {};
    WIN32_FIND_DATAA m_next = {};
};
