#include "win/CodePage.h"

#include <wchar.h>

static CString InCodePage(UINT nCodePage, LPCWSTR pszText)
{
    CString text;
    int size = WideCharToMultiByte(nCodePage, 0, pszText, -1, NULL, 0, NULL, NULL);
    WideCharToMultiByte(nCodePage, 0, pszText, -1, text.GetBuffer(size), size, NULL, NULL);
    text.ReleaseBuffer();
    return text;
}

CString SpellInCodePage(LPCWSTR pszName, BOOL* pbExact)
{
    CString spelling = InCodePage(CP_ACP, pszName);
    // Exact when it reads back as the name.
    *pbExact = wcscmp(CWideText(spelling, CP_ACP), pszName) == 0;
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

CString Utf8Of(LPCWSTR pszText) { return InCodePage(CP_UTF8, pszText); }

CWideText::CWideText(LPCSTR pszText, UINT nCodePage) : m_szShort()
{
    int size = MultiByteToWideChar(nCodePage, 0, pszText, -1, NULL, 0);
    m_pszText = size <= MAX_PATH ? m_szShort : (LPWSTR)malloc(size * sizeof(WCHAR));
    if (m_pszText == NULL)
        AfxThrowMemoryException();
    m_pszText[0] = L'\0';
    MultiByteToWideChar(nCodePage, 0, pszText, -1, m_pszText, size);
}
