#include "o2em/Paths.h"
#include "win/CodePage.h"

#include <stdlib.h>

// Windows takes a slash for a backslash.
static BOOL IsSlash(char c) { return c == '\\' || c == '/'; }

CString JoinPath(const CString& directory, LPCTSTR pszName)
{
    int nLength = directory.GetLength();
    return nLength > 0 && IsSlash(((LPCTSTR)directory)[nLength - 1]) ? directory + pszName
                                                                     : directory + "\\" + pszName;
}

// Without the "." and ".." that it may hold, as Windows reads it.
static CString Resolved(const CString& path)
{
    CWideText wide(path);
    DWORD dwSize = GetFullPathNameW(wide, 0, NULL, NULL);
    LPWSTR pszFull = dwSize > 0 ? (LPWSTR)malloc(dwSize * sizeof(WCHAR)) : NULL;
    CString resolved = path;
    if (pszFull != NULL && GetFullPathNameW(wide, dwSize, pszFull, NULL) < dwSize)
        resolved = Utf8Of(pszFull);
    free(pszFull);
    return resolved;
}

CString PathFrom(const CString& directory, LPCTSTR pszPath)
{
    CString path = Utf8Of(CWideText(pszPath, CP_ACP));
    LPCTSTR psz = path;
    if (IsSlash(psz[0]) && !IsSlash(psz[1]) && directory.GetLength() >= 2) {
        // From the root of the directory's drive.
        CString rooted;
        rooted.Format("%.2s%s", (LPCTSTR)directory, psz);
        return Resolved(rooted);
    }
    return Resolved(
        IsSlash(psz[0]) || (psz[0] != '\0' && psz[1] == ':') ? path : JoinPath(directory, path));
}

HANDLE OpenToRead(const CString& path)
{
    return CreateFileW(CWideText(path), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}
