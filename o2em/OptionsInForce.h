// The options in force for a start of O2em: those of its own settings file,
// then those of the command line, which override them one by one, as O2em
// reads them. Worked out once into a value that each check of the start reads.
#pragma once

#include <afxwin.h>

#include <string.h>

// An option's value and where it was set: nLine 0 for the command line or
// O2em's own default, else the line of O2em's settings file that set it, with
// that line's text, and where its piece starts in the file.
struct O2emSetting
{
    int nValue;
    int nLine = 0;
    int nPiece = 0;
    CString line;

    explicit O2emSetting(int nDefault = 0) : nValue(nDefault) {}
};

struct O2emOptions
{
    // O2em's settings file, in UTF-8 ("" when there is none), its size, and
    // whether it was read: one too large to read at once is not.
    CString configPath;
    LONGLONG nConfigSize = 0;
    BOOL bConfigRead = TRUE;
    // The first option of the command line that O2em refuses, which stops it:
    // its place in O2EM_OPTION_RANGES (-1 for none), its name and value, and
    // whether the value was read as a list of keys.
    int nRefused = -1;
    CString refusedValue;
    BOOL bRefusedKeys = FALSE;
    // The sticks' modes, as the stick lists number them (3 is the joystick; -1
    // a list of keys), O2em's defaults being those of the lists.
    O2emSetting sticks[2] = {O2emSetting(1), O2emSetting(2)};
    O2emSetting debug, fullScreen;
    // O2em's one BIOS setting, which bios=VALUE, c52, g7400, jopac and o2rom
    // all write, the last of them winning: the text last stored ("" for
    // none), and what O2em makes of it.
    O2emSetting bios;
    CString biosText;

    // A path (it holds a backslash): the file O2em loads, instead of bios\.
    BOOL IsBiosPath() const { return strchr(biosText, '\\') != NULL; }
    // The image O2em is told to use (exactly "g7400", "c52" or "jopac"), or
    // BIOS_O2ROM for its usual rule ("" or "o2rom") and for a file.
    int BiosImage() const;
    // A file name without a backslash: anything else.
    BOOL IsBiosName() const;
};

// The stick lists' item for the joystick.
const int O2EM_STICK_JOYSTICK = 3;

// From O2em's settings file in the directory (in UTF-8), read now, and the
// options of the command line.
O2emOptions OptionsInForce(const CString& directory, LPCTSTR pszCommandLineOptions);
