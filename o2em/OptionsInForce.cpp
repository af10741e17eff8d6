#include "o2em/OptionsInForce.h"
#include "o2em/ConfigFile.h"
#include "o2em/O2em.h"

#include <stdlib.h>
#include <string.h>

static const LPCTSTR kStickOptions[2] = {"s1", "s2"};

// Whether O2em's name for an option, in lower case, is this one, in any case.
static BOOL IsOption(LPCTSTR pszName, LPCTSTR pszOption)
{
    for (; *pszName != '\0'; pszName++, pszOption++)
        if (*pszName !=
            (*pszOption >= 'A' && *pszOption <= 'Z' ? *pszOption - 'A' + 'a' : *pszOption))
            return FALSE;
    return *pszOption == '\0';
}

// A value as O2em reads it, with atoi: a short number without its cost, which
// under Wine is many times that of reading the number here; anything else as
// the C runtime reads it.
static int ValueOf(LPCTSTR pszValue)
{
    LPCTSTR psz = pszValue + (*pszValue == '-' ? 1 : 0);
    int nValue = 0, nDigits = 0;
    for (; *psz >= '0' && *psz <= '9' && nDigits < 9; psz++, nDigits++)
        nValue = nValue * 10 + *psz - '0';
    if (nDigits == 0 || nDigits == 9)
        return atoi(pszValue);
    return *pszValue == '-' ? -nValue : nValue;
}

// A key list that is a number names no key.
static BOOL IsNumber(LPCTSTR psz)
{
    psz += *psz == '-' || *psz == '+' ? 1 : 0;
    if (*psz == '\0')
        return FALSE;
    while (*psz >= '0' && *psz <= '9')
        psz++;
    return *psz == '\0';
}

// The image a name in lower case asks for, or BIOS_COUNT.
static int BiosImageNamed(LPCTSTR pszName)
{
    int image = 0;
    while (image < BIOS_COUNT && !IsOption(pszName, O2EM_BIOS_IMAGES[image].pszName))
        image++;
    return image;
}

static void Set(O2emSetting& setting, int nValue, int nLine, int nPiece)
{
    setting.nValue = nValue;
    setting.nLine = nLine;
    setting.nPiece = nPiece;
}

// O2em's reading of one option: the place in O2EM_OPTION_RANGES of an option
// whose value it refuses, which then changes nothing, or -1 when it takes it.
// Options that cannot change a start are only checked.
static int TakeOption(O2emOptions& options, LPCTSTR pszName, LPCTSTR pszValue, int nLine,
                      int nPiece, BOOL* pbKeys)
{
    *pbKeys = FALSE;
    for (int i = 0; i < (int)(sizeof O2EM_OPTION_RANGES / sizeof O2EM_OPTION_RANGES[0]); i++) {
        const O2emOptionRange& range = O2EM_OPTION_RANGES[i];
        if (pszName[0] != range.pszName[0] || !IsOption(pszName, range.pszName))
            continue;
        *pbKeys = range.bKeys && strlen(pszValue) > 1;
        int nValue = *pbKeys ? -1 : ValueOf(pszValue);
        if (*pbKeys ? IsNumber(pszValue) : nValue < range.nLow || nValue > range.nHigh)
            return i;
        for (int stick = 0; stick < 2; stick++)
            if (IsOption(pszName, kStickOptions[stick]))
                Set(options.sticks[stick], nValue, nLine, nPiece);
        return -1;
    }
    // A switch is on unless its value starts with 0.
    if (IsOption(pszName, "debug"))
        Set(options.debug, pszValue[0] != '0', nLine, nPiece);
    else if (IsOption(pszName, "fullscreen"))
        Set(options.fullScreen, pszValue[0] != '0', nLine, nPiece);
    // bios= stores its value, and an image's name itself, whatever its value.
    else if (IsOption(pszName, "bios") || BiosImageNamed(pszName) < BIOS_COUNT) {
        Set(options.bios, 0, nLine, nPiece);
        options.biosText = IsOption(pszName, "bios") ? pszValue : pszName;
    }
    return -1;
}

int O2emOptions::BiosImage() const
{
    int image = BiosImageNamed(biosText);
    return image < BIOS_COUNT ? image : BIOS_O2ROM;
}

BOOL O2emOptions::IsBiosName() const
{
    return !IsBiosPath() && biosText[0] != '\0' && BiosImageNamed(biosText) == BIOS_COUNT;
}

O2emOptions OptionsInForce(const CString& directory, LPCTSTR pszCommandLineOptions)
{
    O2emOptions options;
    CConfigFile config;
    options.bConfigRead = config.Open(directory);
    options.configPath = config.m_path;
    options.nConfigSize = config.m_nSize;
    BOOL bKeys;
    // A line that O2em refuses is skipped.
    while (config.NextOption())
        TakeOption(options, config.m_szName, config.m_szValue, config.m_nLine, config.m_nPiece,
                   &bKeys);
    // The texts of the lines that set what is in force, for the messages.
    O2emSetting* settings[] = {&options.sticks[0], &options.sticks[1], &options.debug,
                               &options.fullScreen, &options.bios};
    for (O2emSetting* pSetting : settings)
        if (pSetting->nLine > 0)
            pSetting->line = config.GetText(pSetting->nPiece);

    // The command line's options, -name or -name=value, each after a space; the
    // first that O2em refuses stops it.
    CString scratch = pszCommandLineOptions;
    for (LPSTR pszOption = strtok(scratch.GetBuffer(0), " "); pszOption != NULL;
         pszOption = strtok(NULL, " ")) {
        if (pszOption[0] != '-')
            continue;
        LPSTR pszValue = strchr(pszOption, '=');
        if (pszValue != NULL)
            *pszValue++ = '\0';
        int nRefused =
            TakeOption(options, pszOption + 1, pszValue != NULL ? pszValue : "", 0, 0, &bKeys);
        if (nRefused < 0)
            continue;
        options.nRefused = nRefused;
        options.refusedValue = pszValue;
        options.bRefusedKeys = bKeys;
        break;
    }
    return options;
}
