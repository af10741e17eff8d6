#include "o2em/OptionsInForce.h"
#include "o2em/ConfigFile.h"
#include "o2em/O2em.h"

#include <stdlib.h>
#include <string.h>

static const LPCTSTR kStickOptions[2] = {"s1", "s2"};

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

static void Set(O2emSetting& setting, int nValue, LPCTSTR pszValue, int nLine, LPCTSTR pszLine)
{
    setting.nValue = nValue;
    setting.value = pszValue;
    setting.nLine = nLine;
    setting.line = pszLine;
}

// O2em's reading of one option: the place in O2EM_OPTION_RANGES of an option
// whose value it refuses, which then changes nothing, or -1 when it takes it.
// Options that cannot change a start are only checked.
static int TakeOption(O2emOptions& options, LPCTSTR pszName, LPCTSTR pszValue, int nLine,
                      LPCTSTR pszLine, BOOL* pbKeys)
{
    *pbKeys = FALSE;
    for (int i = 0; i < (int)(sizeof O2EM_OPTION_RANGES / sizeof O2EM_OPTION_RANGES[0]); i++) {
        const O2emOptionRange& range = O2EM_OPTION_RANGES[i];
        if (strcmp(pszName, range.pszName) != 0)
            continue;
        *pbKeys = range.bKeys && strlen(pszValue) > 1;
        int nValue = *pbKeys ? -1 : atoi(pszValue);
        if (*pbKeys ? IsNumber(pszValue) : nValue < range.nLow || nValue > range.nHigh)
            return i;
        for (int stick = 0; stick < 2; stick++)
            if (strcmp(pszName, kStickOptions[stick]) == 0)
                Set(options.sticks[stick], nValue, pszValue, nLine, pszLine);
        return -1;
    }
    // A switch is on unless its value starts with 0.
    if (strcmp(pszName, "debug") == 0)
        Set(options.debug, pszValue[0] != '0', pszValue, nLine, pszLine);
    else if (strcmp(pszName, "fullscreen") == 0)
        Set(options.fullScreen, pszValue[0] != '0', pszValue, nLine, pszLine);
    else if (strcmp(pszName, "bios") == 0)
        Set(options.biosFile, 0, pszValue, nLine, pszLine);
    // Any value asks for the image.
    for (int image = 0; image < BIOS_COUNT; image++)
        if (lstrcmpiA(pszName, O2EM_BIOS_IMAGES[image].pszName) == 0)
            Set(options.console, image, pszValue, nLine, pszLine);
    return -1;
}

O2emOptions OptionsInForce(const CString& directory, LPCTSTR pszCommandLineOptions)
{
    O2emOptions options;
    CConfigFile config;
    options.bConfigRead = config.Read(directory);
    options.configPath = config.m_path;
    BOOL bKeys;
    // A line that O2em refuses is skipped.
    while (config.NextOption())
        TakeOption(options, config.m_szName, config.m_szValue, config.m_nLine, config.m_szText,
                   &bKeys);

    // The command line's options, -name or -name=value, each after a space; the
    // first that O2em refuses stops it.
    CString scratch = pszCommandLineOptions;
    for (LPSTR pszOption = strtok(scratch.GetBuffer(0), " "); pszOption != NULL;
         pszOption = strtok(NULL, " ")) {
        if (pszOption[0] != '-')
            continue;
        CString option = pszOption;
        LPSTR pszValue = strchr(pszOption, '=');
        if (pszValue != NULL)
            *pszValue++ = '\0';
        int nRefused =
            TakeOption(options, pszOption + 1, pszValue != NULL ? pszValue : "", 0, option, &bKeys);
        if (nRefused < 0)
            continue;
        options.nRefused = nRefused;
        options.refusedValue = pszValue;
        options.bRefusedKeys = bKeys;
        break;
    }
    return options;
}
