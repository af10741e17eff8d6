#include "o2em/StartFailure.h"
#include "o2em/Crc32.h"
#include "o2em/LaunchWatch.h"
#include "o2em/O2em.h"
#include "o2em/OptionsInForce.h"
#include "o2em/Paths.h"
#include "win/CodePage.h"
#include "win/FindFile.h"
#include "win/Joystick.h"
#include "Messages.h"

#include <stdlib.h>
#include <string.h>

// No cartridge comes near this size: a larger file's CRC is not worth reading.
static const LONGLONG kMaxRomSize = 1 << 20;

// What to do about a value O2em refuses, in the order of O2EM_OPTION_RANGES.
static const LPCTSTR kOptionFixes[] = {MSG_FIX_WINDOW_SIZE,  MSG_FIX_AUDIO_VOLUME,
                                       MSG_FIX_VOICE_VOLUME, MSG_FIX_SPEED,
                                       MSG_FIX_STICK1,       MSG_FIX_STICK2};
static_assert(sizeof kOptionFixes / sizeof kOptionFixes[0] ==
                  sizeof O2EM_OPTION_RANGES / sizeof O2EM_OPTION_RANGES[0],
              "one fix for each option");

template <size_t N> static BOOL IsAmong(DWORD crc, const DWORD (&crcs)[N])
{
    for (DWORD known : crcs)
        if (crc == known)
            return TRUE;
    return FALSE;
}

// The BIOS image that an open file of an image's size holds, or BIOS_COUNT for none.
static int BiosImageIn(HANDLE hFile)
{
    DWORD crc;
    int image = ReadCrc32(hFile, O2EM_IMAGE_SIZE, &crc) ? 0 : BIOS_COUNT;
    while (image < BIOS_COUNT && O2EM_BIOS_IMAGES[image].dwCrc != crc)
        image++;
    return image;
}

static int BiosImageOf(const CString& path)
{
    HANDLE hFile = OpenToRead(path);
    if (hFile == INVALID_HANDLE_VALUE)
        return BIOS_COUNT;
    int image = BiosImageIn(hFile);
    CloseHandle(hFile);
    return image;
}

// The names of a set of images: "G7400", "G7400 and JOPAC".
static CString ImageNames(UINT images)
{
    CString names;
    for (int image = 0; image < BIOS_COUNT; image++) {
        if (!(images & 1u << image))
            continue;
        images &= ~(1u << image);
        if (names.GetLength() > 0)
            names += images != 0 ? ", " : " and ";
        names += O2EM_BIOS_IMAGES[image].pszName;
    }
    return names;
}

static BOOL IsDots(LPCWSTR pszName)
{
    return lstrcmpW(pszName, L".") == 0 || lstrcmpW(pszName, L"..") == 0;
}

// The ROM file as O2em meets it, read once: its path from where O2em runs and
// as O2em was given it (both in UTF-8), whether it opens, its size and, for a
// size that a cartridge can have, its CRC-32.
struct RomFile
{
    CString path, given;
    BOOL bOpened = FALSE;
    LONGLONG nSize = 0;
    BOOL bCrcRead = FALSE;
    DWORD dwCrc = 0;

    explicit RomFile(const CLaunchWatch& watch)
        : path(PathFrom(watch.m_directory, watch.m_romPath)),
          given(Utf8Of(CWideText(watch.m_romPath, CP_ACP)))
    {
        // A file that is gone, cannot be read or is a folder does not open.
        HANDLE hRom = OpenToRead(path);
        if (hRom == INVALID_HANDLE_VALUE)
            return;
        bOpened = TRUE;
        LARGE_INTEGER size = {};
        GetFileSizeEx(hRom, &size);
        nSize = size.QuadPart;
        bCrcRead = nSize <= kMaxRomSize && ReadCrc32(hRom, (DWORD)nSize, &dwCrc);
        CloseHandle(hRom);
    }
    // O2em knows a Videopac+ only game by its CRC-32; one that does not open
    // counts as any other game.
    BOOL IsVideopacPlus() const { return bCrcRead && IsAmong(dwCrc, O2EM_VIDEOPAC_PLUS_GAMES); }
};

// O2em stops at the first value of its command line that it refuses.
static BOOL CheckOptions(const O2emOptions& options, CString& message)
{
    if (options.nRefused < 0)
        return FALSE;
    LPCTSTR pszName = O2EM_OPTION_RANGES[options.nRefused].pszName;
    LPCTSTR pszValue = options.refusedValue;
    CString option, words;
    option.Format("-%s=%s", pszName, pszValue);
    if (options.bRefusedKeys)
        words.Format(O2EM_UNKNOWN_KEY, pszName, pszValue);
    else
        words.Format(O2EM_INVALID_VALUE, pszName);
    message.Format(MSG_STOPPED_OPTION, (LPCTSTR)option, (LPCTSTR)words,
                   kOptionFixes[options.nRefused]);
    return TRUE;
}

// The ROM's folder, the ROM path up to its last backslash: O2em reads every
// name in it into its table, and refuses a folder that is missing or empty.
static BOOL CheckRomFolder(const CLaunchWatch& watch, CString& message)
{
    CString given = watch.m_romPath;
    LPSTR pszLast = strrchr(given.GetBuffer(0), '\\');
    if (pszLast == NULL)
        return FALSE;
    *pszLast = '\0';
    given.ReleaseBuffer();
    CString folder = PathFrom(watch.m_directory, given);
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    int nNames = 0, nEntries = 0;
    for (bool bFound = finder.FindFirst(CWideText(JoinPath(folder, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        nNames++;
        nEntries += IsDots(entry.cFileName) ? 0 : 1;
    }
    // Only a folder that lists nothing at all may be missing.
    DWORD dwAttributes =
        nNames > 0 ? FILE_ATTRIBUTE_DIRECTORY : GetFileAttributesW(CWideText(folder));
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        message.Format(MSG_STOPPED_ROM_FOLDER_MISSING, (LPCTSTR)folder,
                       (LPCTSTR)Utf8Of(CWideText(given, CP_ACP)));
        return TRUE;
    }
    if (nNames > 0 && nEntries == 0) {
        message.Format(MSG_STOPPED_ROM_FOLDER_EMPTY, (LPCTSTR)folder);
        return TRUE;
    }
    if (nNames <= O2EM_ROM_FOLDER_NAMES)
        return FALSE;
    CString count;
    count.Format("%d", nEntries);
    message.Format(MSG_STOPPED_ROM_FOLDER_FULL, (LPCTSTR)folder, (LPCTSTR)count);
    return TRUE;
}

// The line of O2em's settings file that set a value in force.
static CString ConfigLine(const O2emOptions& options, const O2emSetting& setting)
{
    CString line;
    line.Format(MSG_CONFIG_LINE, setting.nLine, (LPCTSTR)options.configPath,
                (LPCTSTR)Utf8Of(CWideText(setting.line, CP_ACP)));
    return line;
}

// O2em's record of an O2ROM image, which it names when a BIOS file is short:
// for a file named without a backslash, bios/ and the last file of bios\ that
// holds O2ROM, in the folder's own order; else none.
static CString O2romRecord(const CString& directory, const O2emOptions& options)
{
    CString record;
    if (options.IsBiosPath())
        return record;
    CString bios = JoinPath(directory, "bios");
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst(CWideText(JoinPath(bios, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        CString name = Utf8Of(entry.cFileName);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.nFileSizeHigh == 0 &&
            entry.nFileSizeLow == O2EM_IMAGE_SIZE &&
            BiosImageOf(JoinPath(bios, name)) == BIOS_O2ROM)
            record = "bios/" + name;
    }
    return record;
}

// The BIOS file that O2em's one BIOS setting names. Named with a backslash, it
// is all that O2em looks at, and for a Videopac+ game it must be a Videopac+
// image; else O2em loads it once bios\ has passed its checks.
static BOOL CheckBiosFile(const CString& directory, const RomFile& rom, const O2emOptions& options,
                          CString& message)
{
    const CString& name = options.biosText;
    CString path = PathFrom(directory, name), where = ConfigLine(options, options.bios);
    HANDLE hFile = OpenToRead(path);
    LARGE_INTEGER size = {};
    int image = BIOS_COUNT;
    if (hFile != INVALID_HANDLE_VALUE) {
        GetFileSizeEx(hFile, &size);
        // O2em takes the CRC-32 of the whole file.
        if (size.QuadPart == O2EM_IMAGE_SIZE)
            image = BiosImageIn(hFile);
        CloseHandle(hFile);
    }
    if (rom.IsVideopacPlus() && options.IsBiosPath() &&
        !(O2EM_VIDEOPAC_PLUS_BIOSES & 1u << image)) {
        message.Format(MSG_STOPPED_BIOS_FILE_VIDEOPAC_PLUS, (LPCTSTR)rom.path, (LPCTSTR)where,
                       (LPCTSTR)path,
                       hFile != INVALID_HANDLE_VALUE ? "holds neither" : "cannot be opened");
        return TRUE;
    }
    if (hFile == INVALID_HANDLE_VALUE) {
        message.Format(MSG_STOPPED_BIOS_FILE_UNREADABLE, (LPCTSTR)where, (LPCTSTR)path,
                       (LPCTSTR)Utf8Of(CWideText(name, CP_ACP)));
        return TRUE;
    }
    if (size.QuadPart >= O2EM_IMAGE_SIZE)
        return FALSE;
    CString length;
    length.Format("%I64d", size.QuadPart);
    message.Format(MSG_STOPPED_BIOS_FILE_SHORT, (LPCTSTR)where, (LPCTSTR)path, (LPCTSTR)length,
                   (LPCTSTR)O2romRecord(directory, options));
    return TRUE;
}

// bios\ of the directory O2em runs in: it needs a file there whose CRC-32 is
// that of a BIOS image it knows, and among those one that runs this game; the
// names do not matter.
static BOOL CheckBios(const CString& directory, const RomFile& rom, const O2emOptions& options,
                      CString& message)
{
    if (options.IsBiosPath())
        return CheckBiosFile(directory, rom, options, message);
    CString bios = JoinPath(directory, "bios");
    // The images that run the game: for a Videopac+ game, those of Videopac+,
    // or JOPAC when O2em is told to use it; for any other, the image O2em is
    // told to use, else O2ROM or C52, and any image at all where it is told to
    // load a BIOS file instead.
    BOOL bVideopacPlus = rom.IsVideopacPlus(), bOtherFile = !bVideopacPlus && options.IsBiosName();
    int console = options.BiosImage();
    BOOL bForced = bVideopacPlus ? console == BIOS_JOPAC : console != BIOS_O2ROM;
    UINT usable = bForced         ? 1u << console
                  : bVideopacPlus ? O2EM_VIDEOPAC_PLUS_BIOSES
                  : bOtherFile    ? (1u << BIOS_COUNT) - 1
                                  : O2EM_ODYSSEY2_BIOSES,
         held = 0;
    int nEntries = 0;
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst(CWideText(JoinPath(bios, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        if (IsDots(entry.cFileName))
            continue;
        nEntries++;
        // Only a file of an image's size needs reading.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || entry.nFileSizeHigh != 0 ||
            entry.nFileSizeLow != O2EM_IMAGE_SIZE)
            continue;
        int image = BiosImageOf(JoinPath(bios, Utf8Of(entry.cFileName)));
        held |= image < BIOS_COUNT ? 1u << image : 0;
        if (held & usable)
            return bOtherFile && CheckBiosFile(directory, rom, options, message);
    }
    // Nothing there runs the game: bios\ itself is looked at only now.
    if (!finder.FindFirst(CWideText(bios), entry) ||
        !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // Named as O2em's own archive names it.
        message.Format(MSG_STOPPED_BIOS_MISSING, (LPCTSTR)directory,
                       (LPCTSTR)JoinPath(directory, "BIOS"));
        return TRUE;
    }
    // Named as it is on the disk.
    bios = JoinPath(directory, Utf8Of(entry.cFileName));
    if (held == 0) {
        message.Format(nEntries == 0 ? MSG_STOPPED_BIOS_EMPTY : MSG_STOPPED_BIOS_UNKNOWN,
                       (LPCTSTR)bios);
    } else if (bForced) {
        LPCTSTR pszImage = O2EM_BIOS_IMAGES[console].pszName;
        message.Format(MSG_STOPPED_BIOS_FORCED, (LPCTSTR)ConfigLine(options, options.bios),
                       (LPCTSTR)rom.path, pszImage, O2EM_BIOS_IMAGES[console].pszConsole,
                       (LPCTSTR)bios, (LPCTSTR)ImageNames(held), pszImage, pszImage);
    } else {
        message.Format(bVideopacPlus ? MSG_STOPPED_BIOS_VIDEOPAC_PLUS : MSG_STOPPED_BIOS_ODYSSEY2,
                       (LPCTSTR)rom.path, (LPCTSTR)bios, (LPCTSTR)ImageNames(held));
    }
    return TRUE;
}

// The ROM file, which O2em reads only after the BIOS.
static BOOL CheckRom(const RomFile& rom, const O2emOptions& options, CString& message)
{
    if (!rom.bOpened) {
        message.Format(MSG_STOPPED_ROM_UNREADABLE, (LPCTSTR)rom.path, (LPCTSTR)rom.given);
        return TRUE;
    }
    // Not in debug mode, O2em refuses two known incomplete dumps.
    if (!options.debug.nValue && rom.bCrcRead && IsAmong(rom.dwCrc, O2EM_INCOMPLETE_DUMPS)) {
        message.Format(MSG_STOPPED_ROM_INCOMPLETE, (LPCTSTR)rom.path, (LPCTSTR)rom.given);
        return TRUE;
    }
    if (rom.nSize % O2EM_IMAGE_SIZE == 0)
        return FALSE;
    CString length;
    length.Format("%I64d", rom.nSize);
    message.Format(MSG_STOPPED_ROM_INVALID, (LPCTSTR)rom.path, (LPCTSTR)length, (LPCTSTR)rom.given);
    return TRUE;
}

// Last, once its window is open, O2em looks for a joystick when a stick is set
// to one; one is enough for both sticks. A crash is not the joystick's doing:
// only a refusal counts.
static BOOL CheckJoystick(const O2emOptions& options, DWORD dwExitCode, CString& message)
{
    const O2emSetting* sticks = options.sticks;
    BOOL bAt[2] = {sticks[0].nValue == O2EM_STICK_JOYSTICK,
                   sticks[1].nValue == O2EM_STICK_JOYSTICK};
    if (dwExitCode != O2EM_EXIT_REFUSED || !(bAt[0] || bAt[1]) || IsJoystickConnected())
        return FALSE;
    CString cause, fix;
    BOOL bBothHere = bAt[0] && bAt[1] && sticks[0].nLine == 0 && sticks[1].nLine == 0;
    if (bBothHere) {
        cause = "stick 1 and stick 2 are set to Joystick";
        fix.Format(MSG_FIX_STICK, "both sticks");
    }
    for (int i = 0; i < 2 && !bBothHere; i++) {
        if (!bAt[i])
            continue;
        CString stick, part;
        stick.Format("stick %d", i + 1);
        cause += cause.GetLength() > 0 ? ", and " : "";
        cause += stick + " is set to Joystick";
        if (sticks[i].nLine == 0) {
            part.Format(MSG_FIX_STICK, (LPCTSTR)stick);
        } else {
            cause += " by ";
            cause += ConfigLine(options, sticks[i]);
            // The stick lists' defaults: Right for stick 1, Left for stick 2.
            part.Format(MSG_FIX_STICK_LINE, i + 1, sticks[i].nLine, i + 1, i + 1, i + 1,
                        i == 0 ? "Left" : "Right", i == 0 ? "Right" : "Left");
        }
        fix += fix.GetLength() > 0 ? "; and " : "";
        fix += part;
    }
    message.Format(MSG_STOPPED_NO_JOYSTICK, (LPCTSTR)cause, (LPCTSTR)fix);
    return TRUE;
}

// O2em opens its window, or its full screen, after the ROM and before its
// joystick check, but not in debug mode, and refuses to start when it cannot.
// That cannot be checked from outside: the display is named only when nothing
// else that is checked explains a refusal.
static BOOL CheckDisplay(const CLaunchWatch& watch, const O2emOptions& options, DWORD dwExitCode,
                         CString& message)
{
    if (dwExitCode != O2EM_EXIT_REFUSED || options.debug.nValue)
        return FALSE;
    CString commandLine = Utf8Of(CWideText(watch.m_commandLine, CP_ACP));
    const O2emSetting& fullScreen = options.fullScreen;
    if (!fullScreen.nValue) {
        message.Format(MSG_STOPPED_WINDOW, (LPCTSTR)watch.m_directory, (LPCTSTR)commandLine,
                       (LPCTSTR)watch.m_directory);
        return TRUE;
    }
    CString where;
    if (fullScreen.nLine > 0) {
        where = " (set by ";
        where += ConfigLine(options, fullScreen);
        where += ")";
    }
    message.Format(MSG_STOPPED_SCREEN, (LPCTSTR)where,
                   fullScreen.nLine > 0 ? MSG_FIX_FULL_SCREEN_LINE : MSG_FIX_FULL_SCREEN,
                   (LPCTSTR)watch.m_directory, (LPCTSTR)commandLine, (LPCTSTR)watch.m_directory);
    return TRUE;
}

CString DescribeFailedStart(const CLaunchWatch& watch, DWORD dwExitCode)
{
    CString message;
    O2emOptions options = OptionsInForce(watch.m_directory, watch.m_options);
    if (CheckOptions(options, message) || CheckRomFolder(watch, message))
        return message;
    // The rest follows O2em's settings file, unless it was too large to read.
    if (options.bConfigRead) {
        RomFile rom(watch);
        if (CheckBios(watch.m_directory, rom, options, message) ||
            CheckRom(rom, options, message) || CheckJoystick(options, dwExitCode, message) ||
            CheckDisplay(watch, options, dwExitCode, message))
            return message;
    }
    // As a Command Prompt shows it, and an exception code in hex as well.
    CString code, commandLine = Utf8Of(CWideText(watch.m_commandLine, CP_ACP));
    if ((LONG)dwExitCode < 0)
        code.Format("%ld (0x%08lX)", (LONG)dwExitCode, dwExitCode);
    else
        code.Format("%lu", dwExitCode);
    if (options.bConfigRead) {
        message.Format(MSG_STOPPED_UNEXPLAINED, (LPCTSTR)code, (LPCTSTR)watch.m_directory,
                       (LPCTSTR)commandLine, (LPCTSTR)watch.m_directory);
    } else {
        CString size;
        size.Format("%I64d", options.nConfigSize);
        message.Format(MSG_STOPPED_CONFIG_UNREAD, (LPCTSTR)code, (LPCTSTR)options.configPath,
                       (LPCTSTR)size, (LPCTSTR)watch.m_directory, (LPCTSTR)commandLine,
                       (LPCTSTR)watch.m_directory);
    }
    return message;
}
