// Names between UTF-16, in which the file system keeps them, and the ANSI code
// page, in which the program works.
#pragma once

#include <afxwin.h>

// The code page's spelling of a name, as the platform's ANSI calls give it: a
// character the code page lacks becomes '?' or a look-alike letter. *pbExact
// tells whether the spelling names the same thing.
CString SpellInCodePage(LPCWSTR pszName, BOOL* pbExact);

// The name under which the ANSI calls open a directory entry: its own name where
// the code page spells it exactly, else its short alias, else "" (the volume
// keeps none). *pSpelling, if given, gets the spelling under which they list it.
CString AnsiNameOf(const WIN32_FIND_DATAW& entry, CString* pSpelling = NULL);
