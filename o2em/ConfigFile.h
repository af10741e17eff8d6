// O2em's own settings file, o2em_def.cfg in the folder it runs in, read as O2em
// reads it at its start, with fgets on a file opened in text mode: CR LF reads
// as LF, Ctrl+Z ends the file, and a line is read 1,022 characters at a time,
// each piece taken as a line of its own.
#pragma once

#include <afxwin.h>

class CConfigFile
{
public:
    enum
    {
        // The most that O2em reads of a line at once.
        PIECE_LENGTH = 1022,
        // No settings file comes near this size; a larger one is not read, so
        // that it cannot hold a message up.
        MAX_SIZE = 1 << 20
    };

    CConfigFile() {}
    ~CConfigFile()
    {
        if (m_hFile != INVALID_HANDLE_VALUE)
            CloseHandle(m_hFile);
    }
    CConfigFile(const CConfigFile&) = delete;
    CConfigFile& operator=(const CConfigFile&) = delete;

    // Opens the file in the directory (in UTF-8). FALSE when it is larger than
    // MAX_SIZE, and then holds no options; one that is missing or cannot be
    // opened holds none either, as O2em then finds none.
    BOOL Open(const CString& directory);
    // Reads on to the next name and value that O2em hands to its option
    // parser, into the members below; FALSE after the last. A piece that is
    // blank or a comment (# after any spaces) holds none.
    BOOL NextOption();
    // The text of the option whose piece starts there, from its name on,
    // without the spaces at its end: read back from the file, once the options
    // are read, for the few that a message names.
    CString GetText(int nPiece) const;

    // The file, in UTF-8, and its size; "" and 0 when there is none.
    CString m_path;
    LONGLONG m_nSize = 0;
    // The last option read: its name in lower case and its value; the line it
    // stands on, as an editor counts lines; and where its piece starts in the
    // file.
    char m_szName[PIECE_LENGTH + 1] = "";
    char m_szValue[PIECE_LENGTH + 1] = "";
    int m_nLine = 0;
    int m_nPiece = 0;

private:
    BOOL ParsePiece(LPCTSTR psz, LPCTSTR pszEnd);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    // The file is read a block at a time: what is left of a block is moved to
    // the front, so that a whole piece is always at hand.
    char m_block[65536] = {};
    int m_nStart = 0, m_nFilled = 0;
    // Where m_block[m_nStart] is in the file; whether all of it is read.
    int m_nOffset = 0;
    BOOL m_bAllRead = TRUE;
    int m_nLineEnds = 0;
};
