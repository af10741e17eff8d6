// The process's current directory, read and restored whatever its length.
#pragma once

#include <afxwin.h>

// The current directory in the ANSI code page. Where the platform cannot give it
// that way (Wine's ANSI call fails beyond MAX_PATH) it is ".", which names the
// same directory as the start of a path.
CString GetCurrentDirectoryPath();

// The current directory in UTF-8, which spells any name.
CString GetCurrentDirectoryUtf8();

// The path made absolute against the current directory, or the path itself
// where the platform cannot make it so.
CString GetFullPath(LPCTSTR pszPath);

// Keeps the current directory in UTF-16, so that one of any length or name
// comes back exactly.
class CSavedCurrentDirectory
{
public:
    CSavedCurrentDirectory();
    ~CSavedCurrentDirectory() { HeapFree(GetProcessHeap(), 0, m_pszPath); }
    CSavedCurrentDirectory(const CSavedCurrentDirectory&) = delete;
    CSavedCurrentDirectory& operator=(const CSavedCurrentDirectory&) = delete;

    BOOL Restore() const { return m_pszPath != NULL && SetCurrentDirectoryW(m_pszPath); }
    // NULL where the platform could not give it.
    LPCWSTR GetPath() const { return m_pszPath; }

private:
    LPWSTR m_pszPath = NULL;
};
