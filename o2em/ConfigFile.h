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

    // Reads the file in the directory (in UTF-8) whole. FALSE when it is larger
    // than MAX_SIZE. One that is missing or cannot be opened holds no options,
    // as O2em then finds none.
    BOOL Read(const CString& directory);
    // The next name and value that O2em hands to its option parser, into the
    // members below; FALSE after the last. A piece that is blank or a comment
    // (# after any spaces) holds none.
    BOOL NextOption();

    // The file as the disk names it, in UTF-8; "" when there is none.
    CString m_path;
    // The last option read: its name in lower case and its value; the line it
    // stands on, as an editor counts lines; and its piece of that line, from
    // the name on, without the spaces at its end.
    char m_szName[PIECE_LENGTH + 1] = "";
    char m_szValue[PIECE_LENGTH + 1] = "";
    int m_nLine = 0;
    char m_szText[PIECE_LENGTH + 1] = "";

private:
    BOOL ParsePiece(LPCTSTR pszPiece);

    CString m_content;
    int m_nNext = 0;
    int m_nLineEnds = 0;
};
