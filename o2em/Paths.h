// Files as O2em meets them from the folder it runs in. Paths are in UTF-8,
// which spells any name; those that O2em was given are in the code page.
#pragma once

#include <afxwin.h>

// A directory and a name, with one backslash between them.
CString JoinPath(const CString& directory, LPCTSTR pszName);

// A path that O2em was given (in the code page), as it reads it from the
// directory it runs in.
CString PathFrom(const CString& directory, LPCTSTR pszPath);

// Opens a file to read, shared, as the emulator may still hold it.
HANDLE OpenToRead(const CString& path);
