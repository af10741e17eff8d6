#include "o2em/ConfigFile.h"
#include "o2em/Paths.h"

#include <string.h>

static BOOL IsBlank(char c) { return c == ' ' || c == '\t'; }
// A piece ends at its line's end or at a NUL, where O2em's string does.
static BOOL IsEnd(char c) { return c == '\0' || c == '\n' || c == '\r'; }

// How long the piece at the start of the text is, and whether it ends its
// line; *pbFileEnd tells that it ends at a Ctrl+Z, where text mode ends the
// file. A line's end is looked for within reach: CR LF reads as one
// character, so a line of PIECE_LENGTH characters may end one further on.
static int PieceLength(LPCTSTR psz, int nLength, BOOL* pbLineEnd, BOOL* pbFileEnd)
{
    int nReach = nLength <= CConfigFile::PIECE_LENGTH ? nLength : CConfigFile::PIECE_LENGTH + 1;
    int n = 0;
    while (n < nReach && psz[n] != '\n' && psz[n] != '\x1A')
        n++;
    *pbFileEnd = n < nReach && psz[n] == '\x1A';
    *pbLineEnd = n < nReach && psz[n] == '\n' &&
                 n - (n > 0 && psz[n - 1] == '\r') < CConfigFile::PIECE_LENGTH;
    return *pbLineEnd ? n + 1 : n < CConfigFile::PIECE_LENGTH ? n : CConfigFile::PIECE_LENGTH;
}

BOOL CConfigFile::Open(const CString& directory)
{
    // Missing, held unshared by another program, or a folder: it does not
    // open, and O2em finds no options either.
    CString path = JoinPath(directory, "o2em_def.cfg");
    m_hFile = OpenToRead(path);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return TRUE;
    m_path = path;
    LARGE_INTEGER size = {};
    m_bAllRead = !GetFileSizeEx(m_hFile, &size) || size.QuadPart > MAX_SIZE;
    m_nSize = size.QuadPart;
    return m_nSize <= MAX_SIZE;
}

BOOL CConfigFile::NextOption()
{
    for (;;) {
        if (m_nFilled - m_nStart <= PIECE_LENGTH && !m_bAllRead) {
            memmove(m_block, m_block + m_nStart, m_nFilled - m_nStart);
            m_nFilled -= m_nStart;
            m_nStart = 0;
            DWORD dwRead = 0;
            m_bAllRead = !ReadFile(m_hFile, m_block + m_nFilled, sizeof m_block - m_nFilled,
                                   &dwRead, NULL) ||
                         dwRead == 0;
            m_nFilled += dwRead;
        }
        if (m_nStart == m_nFilled)
            return FALSE;
        BOOL bLineEnd, bFileEnd;
        LPCTSTR pszPiece = m_block + m_nStart;
        int n = PieceLength(pszPiece, m_nFilled - m_nStart, &bLineEnd, &bFileEnd);
        if (bFileEnd) {
            m_nFilled = m_nStart + n;
            m_bAllRead = TRUE;
        }
        m_nPiece = m_nOffset;
        m_nLine = m_nLineEnds + 1;
        m_nLineEnds += bLineEnd ? 1 : 0;
        m_nStart += n;
        m_nOffset += n;
        if (ParsePiece(pszPiece, pszPiece + n))
            return TRUE;
    }
}

CString CConfigFile::GetText(int nPiece) const
{
    char piece[PIECE_LENGTH + 2];
    LARGE_INTEGER offset;
    offset.QuadPart = nPiece;
    DWORD dwRead = 0;
    if (!SetFilePointerEx(m_hFile, offset, NULL, FILE_BEGIN) ||
        !ReadFile(m_hFile, piece, sizeof piece, &dwRead, NULL))
        dwRead = 0;
    BOOL bLineEnd, bFileEnd;
    LPCTSTR psz = piece, pszEnd = psz + PieceLength(piece, dwRead, &bLineEnd, &bFileEnd);
    while (psz < pszEnd && IsBlank(*psz))
        psz++;
    int n = 0;
    while (psz + n < pszEnd && !IsEnd(psz[n]))
        n++;
    while (n > 0 && IsBlank(psz[n - 1]))
        n--;
    CString text;
    memcpy(text.GetBuffer(n), psz, n);
    text.ReleaseBuffer(n);
    return text;
}

// Spaces, the name up to a space or '=', spaces, '=', spaces, and the value: in
// double quotes up to the closing one, else up to the next space. A name with
// no '=' has an empty value. A CR that text mode leaves ends them as the line's
// end does.
BOOL CConfigFile::ParsePiece(LPCTSTR psz, LPCTSTR pszEnd)
{
    auto ends = [pszEnd](LPCTSTR p) { return p == pszEnd || IsEnd(*p); };
    while (!ends(psz) && IsBlank(*psz))
        psz++;
    if (ends(psz) || *psz == '#')
        return FALSE;

    int n = 0;
    for (; !ends(psz) && !IsBlank(*psz) && *psz != '='; psz++)
        m_szName[n++] = *psz >= 'A' && *psz <= 'Z' ? *psz - 'A' + 'a' : *psz;
    m_szName[n] = '\0';
    while (!ends(psz) && IsBlank(*psz))
        psz++;
    n = 0;
    if (!ends(psz) && *psz == '=') {
        psz++;
        while (!ends(psz) && IsBlank(*psz))
            psz++;
        BOOL bQuoted = !ends(psz) && *psz == '"';
        for (psz += bQuoted ? 1 : 0; !ends(psz) && (bQuoted ? *psz != '"' : !IsBlank(*psz)); psz++)
            m_szValue[n++] = *psz;
    }
    m_szValue[n] = '\0';
    return TRUE;
}
