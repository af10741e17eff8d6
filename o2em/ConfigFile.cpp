#include "o2em/ConfigFile.h"
#include "o2em/Paths.h"
#include "win/CodePage.h"
#include "win/FindFile.h"

#include <string.h>

static BOOL IsBlank(char c) { return c == ' ' || c == '\t'; }
// A piece ends at its line's end or at a NUL, where O2em's string does.
static BOOL IsEnd(char c) { return c == '\0' || c == '\n' || c == '\r'; }

BOOL CConfigFile::Read(const CString& directory)
{
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    if (!finder.FindFirst(CWideText(JoinPath(directory, "o2em_def.cfg")), entry) ||
        entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return TRUE;
    m_path = JoinPath(directory, Utf8Of(entry.cFileName));
    HANDLE hFile = OpenToRead(m_path);
    if (hFile == INVALID_HANDLE_VALUE)
        return TRUE;
    LARGE_INTEGER size = {};
    DWORD dwRead = 0;
    BOOL bSmall = GetFileSizeEx(hFile, &size) && size.QuadPart <= MAX_SIZE;
    if (bSmall && !ReadFile(hFile, m_content.GetBuffer((int)size.QuadPart), (DWORD)size.QuadPart,
                            &dwRead, NULL))
        dwRead = 0;
    CloseHandle(hFile);
    // Text mode ends the file at its first Ctrl+Z.
    const void* pEnd = memchr((LPCTSTR)m_content, '\x1A', dwRead);
    m_content.ReleaseBuffer(pEnd != NULL ? (int)((LPCTSTR)pEnd - (LPCTSTR)m_content) : (int)dwRead);
    return bSmall;
}

BOOL CConfigFile::NextOption()
{
    LPCTSTR pszContent = m_content;
    int nLength = m_content.GetLength();
    char piece[PIECE_LENGTH + 1];
    while (m_nNext < nLength) {
        m_nLine = m_nLineEnds + 1;
        int n = 0;
        while (n < PIECE_LENGTH && m_nNext < nLength) {
            char c = pszContent[m_nNext++];
            if (c == '\r' && m_nNext < nLength && pszContent[m_nNext] == '\n')
                c = pszContent[m_nNext++];
            piece[n++] = c;
            if (c == '\n') {
                m_nLineEnds++;
                break;
            }
        }
        piece[n] = '\0';
        if (ParsePiece(piece))
            return TRUE;
    }
    return FALSE;
}

// Spaces, the name up to a space or '=', spaces, '=', spaces, and the value: in
// double quotes up to the closing one, else up to the next space. A name with
// no '=' has an empty value.
BOOL CConfigFile::ParsePiece(LPCTSTR pszPiece)
{
    LPCTSTR psz = pszPiece;
    while (IsBlank(*psz))
        psz++;
    if (*psz == '#' || IsEnd(*psz))
        return FALSE;
    int nText = 0;
    while (!IsEnd(psz[nText]))
        nText++;
    while (IsBlank(psz[nText - 1]))
        nText--;
    memcpy(m_szText, psz, nText);
    m_szText[nText] = '\0';

    int n = 0;
    for (; !IsBlank(*psz) && *psz != '=' && !IsEnd(*psz); psz++)
        m_szName[n++] = *psz >= 'A' && *psz <= 'Z' ? *psz - 'A' + 'a' : *psz;
    m_szName[n] = '\0';
    while (IsBlank(*psz))
        psz++;
    n = 0;
    if (*psz == '=') {
        psz++;
        while (IsBlank(*psz))
            psz++;
        BOOL bQuoted = *psz == '"';
        for (psz += bQuoted ? 1 : 0; !IsEnd(*psz) && (bQuoted ? *psz != '"' : !IsBlank(*psz));
             psz++)
            m_szValue[n++] = *psz;
    }
    m_szValue[n] = '\0';
    return TRUE;
}
