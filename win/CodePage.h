// Names between UTF-16, in which the file system keeps them, the ANSI code
// page, in which the program works, and UTF-8, in which its messages can name
// any file.
#pragma once

#include <afxwin.h>

#include <stdlib.h>

// The code page's spelling of a name, as the platform's ANSI calls give it: a
// character the code page lacks becomes '?' or a look-alike letter. *pbExact
// tells whether the spelling names the same thing.
CString SpellInCodePage(LPCWSTR pszName, BOOL* pbExact);

// The name under which the ANSI calls open a directory entry: its own name where
// the code page spells it exactly, else its short alias, else "" (the volume
// keeps none). *pSpelling, if given, gets the spelling under which they list it.
CString AnsiNameOf(const WIN32_FIND_DATAW& entry, CString* pSpelling = NULL);

// UTF-16 text in UTF-8.
CString Utf8Of(LPCWSTR pszText);

// Text in a code page (UTF-8 unless told) as UTF-16, for the wide calls, in a
// buffer of its own: within the object for a file name's length, so that a
// folder's names need no heap, and on the heap beyond it.
class CWideText
{
public:
    explicit CWideText(LPCSTR pszText, UINT nCodePage = CP_UTF8);
    ~CWideText()
    {
        if (m_pszText != m_szShort)
            free(m_pszText);
    }
    CWideText(const CWideText&) = delete;
    CWideText& operator=(const CWideText&) = delete;

    operator LPCWSTR() const { return m_pszText; }

private:
    LPWSTR m_pszText;
    WCHAR m_szShort[MAX_PATH];
};
