#include "o2em/StartFailure.h"
#include "o2em/Crc32.h"
#include "o2em/LaunchWatch.h"
#include "o2em/O2em.h"
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

// Whether the options, each after a space, hold this one.
static BOOL HasOption(const CString& options, LPCTSTR pszOption)
{
    size_t nLength = strlen(pszOption);
    for (LPCTSTR psz = strstr(options, pszOption); psz != NULL; psz = strstr(psz + 1, pszOption))
        if (psz > (LPCTSTR)options && psz[-1] == ' ' &&
            (psz[nLength] == ' ' || psz[nLength] == '\0'))
            return TRUE;
    return FALSE;
}

// Opens a file to read, shared, as the emulator may still hold it.
static HANDLE OpenToRead(const CString& path)
{
    return CreateFileW(CWideText(path), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, NULL);
}

// The BIOS image that a file of an image's size holds, or BIOS_COUNT for none.
static int BiosImageOf(const CString& path)
{
    HANDLE hFile = OpenToRead(path);
    if (hFile == INVALID_HANDLE_VALUE)
        return BIOS_COUNT;
    DWORD crc;
    BOOL bRead = ReadCrc32(hFile, O2EM_IMAGE_SIZE, &crc);
    CloseHandle(hFile);
    int image = 0;
    while (bRead && image < BIOS_COUNT && O2EM_BIOS_IMAGES[image].dwCrc != crc)
        image++;
    return bRead ? image : BIOS_COUNT;
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

// A directory and a name, with one backslash between them.
static CString Join(const CString& directory, LPCTSTR pszName)
{
    int nLength = directory.GetLength();
    return nLength > 0 && ((LPCTSTR)directory)[nLength - 1] == '\\' ? directory + pszName
                                                                    : directory + "\\" + pszName;
}

// A path that the emulator was given, as it reads it from the directory it
// runs in, in UTF-8.
static CString PathFrom(const CString& directory, LPCTSTR pszPath)
{
    CString path = Utf8Of(CWideText(pszPath, CP_ACP));
    LPCTSTR psz = path;
    if (psz[0] == '\\' && psz[1] != '\\' && directory.GetLength() >= 2) {
        // From the root of the directory's drive.
        CString rooted;
        rooted.Format("%.2s%s", (LPCTSTR)directory, psz);
        return rooted;
    }
    return psz[0] == '\\' || (psz[0] != '\0' && psz[1] == ':') ? path : Join(directory, path);
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

// O2em takes its options in the order of the command line and stops at the
// first value it refuses.
static BOOL CheckOptions(const CString& options, CString& message)
{
    CString scratch = options;
    for (LPSTR pszOption = strtok(scratch.GetBuffer(0), " "); pszOption != NULL;
         pszOption = strtok(NULL, " ")) {
        LPSTR pszValue = strchr(pszOption, '=');
        if (pszOption[0] != '-' || pszValue == NULL)
            continue;
        *pszValue++ = '\0';
        for (size_t i = 0; i < sizeof kOptionFixes / sizeof kOptionFixes[0]; i++) {
            const O2emOptionRange& range = O2EM_OPTION_RANGES[i];
            if (strcmp(pszOption + 1, range.pszName) != 0)
                continue;
            BOOL bKeys = range.bKeys && strlen(pszValue) > 1;
            int nValue = atoi(pszValue);
            if (!bKeys && nValue >= range.nLow && nValue <= range.nHigh)
                break;
            CString option, words;
            option.Format("-%s=%s", range.pszName, pszValue);
            if (bKeys)
                words.Format(O2EM_UNKNOWN_KEY, range.pszName, pszValue);
            else
                words.Format(O2EM_INVALID_VALUE, range.pszName);
            message.Format(MSG_STOPPED_OPTION, (LPCTSTR)option, (LPCTSTR)words, kOptionFixes[i]);
            return TRUE;
        }
    }
    return FALSE;
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
    DWORD dwAttributes = GetFileAttributesW(CWideText(folder));
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        message.Format(MSG_STOPPED_ROM_FOLDER_MISSING, (LPCTSTR)folder,
                       (LPCTSTR)Utf8Of(CWideText(given, CP_ACP)));
        return TRUE;
    }
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    int nNames = 0, nEntries = 0;
    for (bool bFound = finder.FindFirst(CWideText(Join(folder, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        nNames++;
        nEntries += IsDots(entry.cFileName) ? 0 : 1;
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

// bios\ of the directory O2em runs in: it needs a file there whose CRC-32 is
// that of a BIOS image it knows, and among those one that runs this game; the
// names do not matter.
static BOOL CheckBios(const CString& directory, const RomFile& rom, CString& message)
{
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    if (!finder.FindFirst(CWideText(Join(directory, "bios")), entry) ||
        !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // Named as O2em's own archive names it.
        message.Format(MSG_STOPPED_BIOS_MISSING, (LPCTSTR)directory,
                       (LPCTSTR)Join(directory, "BIOS"));
        return TRUE;
    }
    // Named as it is on the disk.
    CString bios = Join(directory, Utf8Of(entry.cFileName));
    BOOL bVideopacPlus = rom.IsVideopacPlus();
    UINT usable = bVideopacPlus ? O2EM_VIDEOPAC_PLUS_BIOSES : O2EM_ODYSSEY2_BIOSES, held = 0;
    int nEntries = 0;
    for (bool bFound = finder.FindFirst(CWideText(Join(bios, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        if (IsDots(entry.cFileName))
            continue;
        nEntries++;
        // Only a file of an image's size needs reading.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || entry.nFileSizeHigh != 0 ||
            entry.nFileSizeLow != O2EM_IMAGE_SIZE)
            continue;
        int image = BiosImageOf(Join(bios, Utf8Of(entry.cFileName)));
        held |= image < BIOS_COUNT ? 1u << image : 0;
        if (held & usable)
            return FALSE;
    }
    if (held != 0)
        message.Format(bVideopacPlus ? MSG_STOPPED_BIOS_VIDEOPAC_PLUS : MSG_STOPPED_BIOS_ODYSSEY2,
                       (LPCTSTR)rom.path, (LPCTSTR)bios, (LPCTSTR)ImageNames(held));
    else
        message.Format(nEntries == 0 ? MSG_STOPPED_BIOS_EMPTY : MSG_STOPPED_BIOS_UNKNOWN,
                       (LPCTSTR)bios);
    return TRUE;
}

// The ROM file, which O2em reads only after the BIOS.
static BOOL CheckRom(const RomFile& rom, const CString& options, CString& message)
{
    if (!rom.bOpened) {
        message.Format(MSG_STOPPED_ROM_UNREADABLE, (LPCTSTR)rom.path, (LPCTSTR)rom.given);
        return TRUE;
    }
    // Not in debug mode, O2em refuses two known incomplete dumps.
    if (!HasOption(options, "-debug") && rom.bCrcRead &&
        IsAmong(rom.dwCrc, O2EM_INCOMPLETE_DUMPS)) {
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
// to one (the stick lists' Joystick, 3); one is enough for both sticks. A
// crash is not the joystick's doing: only a refusal counts.
static BOOL CheckJoystick(const CString& options, DWORD dwExitCode, CString& message)
{
    BOOL bStick1 = HasOption(options, "-s1=3"), bStick2 = HasOption(options, "-s2=3");
    if (dwExitCode != O2EM_EXIT_REFUSED || !(bStick1 || bStick2) || IsJoystickConnected())
        return FALSE;
    message.Format(MSG_STOPPED_NO_JOYSTICK,
                   bStick1 && bStick2 ? "stick 1 and stick 2 are"
                   : bStick1          ? "stick 1 is"
                                      : "stick 2 is",
                   bStick1 && bStick2 ? "both sticks"
                   : bStick1          ? "stick 1"
                                      : "stick 2");
    return TRUE;
}

CString DescribeFailedStart(const CLaunchWatch& watch, DWORD dwExitCode)
{
    CString message;
    if (CheckOptions(watch.m_options, message) || CheckRomFolder(watch, message))
        return message;
    RomFile rom(watch);
    if (CheckBios(watch.m_directory, rom, message) || CheckRom(rom, watch.m_options, message) ||
        CheckJoystick(watch.m_options, dwExitCode, message))
        return message;
    // As a Command Prompt shows it, and an exception code in hex as well.
    CString code;
    if ((LONG)dwExitCode < 0)
        code.Format("%ld (0x%08lX)", (LONG)dwExitCode, dwExitCode);
    else
        code.Format("%lu", dwExitCode);
    message.Format(MSG_STOPPED_UNEXPLAINED, (LPCTSTR)code, (LPCTSTR)watch.m_directory,
                   (LPCTSTR)Utf8Of(CWideText(watch.m_commandLine, CP_ACP)),
                   (LPCTSTR)watch.m_directory);
    return message;
}
