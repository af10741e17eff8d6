#include "core/CodePage.h"

#include <afxpriv.h>

#include <wchar.h>

CString SpellInCodePage(LPCWSTR pszName, BOOL* pbExact)
{
    CString spelling;
    int size = WideCharToMultiByte(CP_ACP, 0, pszName, -1, NULL, 0, NULL, NULL);
    WideCharToMultiByte(CP_ACP, 0, pszName, -1, spelling.GetBuffer(size), size, NULL, NULL);
    spelling.ReleaseBuffer();
    // Exact when it reads back as the name.
    USES_CONVERSION;
    *pbExact = wcscmp(A2CW((LPCTSTR)spelling), pszName) == 0;
    return spelling;
}

CString AnsiNameOf(const WIN32_FIND_DATAW& entry, CString* pSpelling)
{
    BOOL bExact;
    CString spelling = SpellInCodePage(entry.cFileName, &bExact);
    if (pSpelling != NULL)
        *pSpelling = spelling;
    if (bExact)
        return spelling;
    // An alias that the code page cannot spell either opens nothing.
    CString alias = SpellInCodePage(entry.cAlternateFileName, &bExact);
    return bExact ? alias : CString();
}
