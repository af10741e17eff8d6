#include "win/CurrentDirectory.h"
#include "win/CodePage.h"

// GetCurrentDirectory returns the size it needs, terminator included, when the
// buffer is too small, and the length copied otherwise.
CString GetCurrentDirectoryPath()
{
    CString path;
    DWORD size = GetCurrentDirectoryA(0, NULL);
    while (size != 0) {
        DWORD length = GetCurrentDirectoryA(size, path.GetBuffer(size));
        if (length < size) {
            path.ReleaseBuffer(length);
            return path;
        }
        size = length;
    }
    return ".";
}

CString GetCurrentDirectoryUtf8()
{
    CSavedCurrentDirectory current;
    return current.GetPath() != NULL ? Utf8Of(current.GetPath()) : CString(".");
}

// GetFullPathName sizes its result as GetCurrentDirectory does.
CString GetFullPath(LPCTSTR pszPath)
{
    CString path;
    DWORD size = GetFullPathNameA(pszPath, 0, NULL, NULL);
    while (size != 0) {
        DWORD length = GetFullPathNameA(pszPath, size, path.GetBuffer(size), NULL);
        if (length < size) {
            path.ReleaseBuffer(length);
            return length != 0 ? path : CString(pszPath);
        }
        size = length;
    }
    return pszPath;
}

CSavedCurrentDirectory::CSavedCurrentDirectory()
{
    DWORD size = GetCurrentDirectoryW(0, NULL);
    while (size != 0) {
        HANDLE hHeap = GetProcessHeap();
        m_pszPath = (LPWSTR)(m_pszPath ? HeapReAlloc(hHeap, 0, m_pszPath, size * sizeof(WCHAR))
                                       : HeapAlloc(hHeap, 0, size * sizeof(WCHAR)));
        DWORD length = GetCurrentDirectoryW(size, m_pszPath);
        if (length < size)
            return;
        size = length;
    }
}
