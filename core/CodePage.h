// Names between UTF-16, in which the file system keeps them, and the ANSI code
// page, in which the program works.
#pragma once

#include <afxwin.h>

// The code page's spelling of a name, as the platform's ANSI calls give it: a
// character the code page lacks becomes '?' or a look-alike letter. *pbExact
// tells whether the spelling names the same thing.
CString SpellInCodePage(LPCWSTR pszName, BOOL* pbExact);
