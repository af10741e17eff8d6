#include "core/StartFailure.h"
#include "core/CodePage.h"
#include "core/FindFile.h"
#include "core/LaunchWatch.h"
#include "Messages.h"

#include <stdlib.h>
#include <string.h>

// O2em reads the names of the ROM's folder, "." and ".." among them, into a
// table of this many.
static const int kRomFolderNames = 1024;
static const DWORD kBiosImageSize = 1024;
static const DWORD kBiosImageCrcs[] = {0x8016A315, 0xE20A9F41, 0xA318E8D6, 0x11647CA5};
static const DWORD kIncompleteDumpCrcs[] = {0x975AB8DA, 0xE246A812};
// No cartridge comes near this size: a larger file's CRC is not worth reading.
static const LONGLONG kMaxRomSize = 1 << 20;

// The options whose values O2em checks, and the values it takes.
struct OptionRange
{
    LPCTSTR pszName;
    int nLow, nHigh;
    BOOL bKeys; // a value of two characters or more is a list of keys
    LPCTSTR pszFix;
};

static const OptionRange kOptionRanges[] = {
    {"wsize", 1, 4, FALSE, MSG_FIX_WINDOW_SIZE},
    {"svolume", 0, 100, FALSE, MSG_FIX_AUDIO_VOLUME},
    {"vvolume", 0, 100, FALSE, MSG_FIX_VOICE_VOLUME},
    {"speed", 1, 10000, FALSE, MSG_FIX_SPEED},
    {"s1", 0, 3, TRUE, MSG_FIX_STICK1},
    {"s2", 0, 3, TRUE, MSG_FIX_STICK2},
};

// CRC-32 as O2em reckons it (the zip polynomial), with a table made on first use.
static DWORD Crc32(const BYTE* pData, DWORD dwSize)
{
    static DWORD table[256];
    if (table[1] == 0) {
        for (DWORD n = 0; n < 256; n++) {
            table[n] = n;
            for (int bit = 0; bit < 8; bit++)
                table[n] = (table[n] >> 1) ^ (0xEDB88320 & (0 - (table[n] & 1)));
        }
    }
    DWORD crc = 0xFFFFFFFF;
    for (DWORD i = 0; i < dwSize; i++)
        crc = (crc >> 8) ^ table[(crc ^ pData[i]) & 0xFF];
    return ~crc;
}

template <size_t N> static BOOL IsAmong(DWORD crc, const DWORD (&crcs)[N])
{
    for (DWORD known : crcs)
        if (crc == known)
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

// The CRC-32 of the next dwSize bytes of an open file; FALSE when they cannot
// all be read.
static BOOL ReadCrc32(HANDLE hFile, DWORD dwSize, DWORD* pdwCrc)
{
    BYTE* pData = (BYTE*)malloc(dwSize + 1);
    DWORD dwRead = 0;
    BOOL bRead = ReadFile(hFile, pData, dwSize, &dwRead, NULL) && dwRead == dwSize;
    *pdwCrc = Crc32(pData, dwRead);
    free(pData);
    return bRead;
}

static BOOL IsBiosImage(const CString& path)
{
    HANDLE hFile = OpenToRead(path);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD crc;
    BOOL bImage = ReadCrc32(hFile, kBiosImageSize, &crc) && IsAmong(crc, kBiosImageCrcs);
    CloseHandle(hFile);
    return bImage;
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
        for (const OptionRange& range : kOptionRanges) {
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
            message.Format(MSG_STOPPED_OPTION, (LPCTSTR)option, (LPCTSTR)words, range.pszFix);
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
    if (nNames <= kRomFolderNames)
        return FALSE;
    CString count;
    count.Format("%d", nEntries);
    message.Format(MSG_STOPPED_ROM_FOLDER_FULL, (LPCTSTR)folder, (LPCTSTR)count);
    return TRUE;
}

// bios\ of the directory O2em runs in: it needs a file there whose CRC-32 is
// that of a BIOS image it knows; the names do not matter.
static BOOL CheckBios(const CString& directory, CString& message)
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
    int nEntries = 0;
    for (bool bFound = finder.FindFirst(CWideText(Join(bios, "*")), entry); bFound;
         bFound = finder.FindNext(entry)) {
        if (IsDots(entry.cFileName))
            continue;
        nEntries++;
        // Only a file of an image's size needs reading.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.nFileSizeHigh == 0 &&
            entry.nFileSizeLow == kBiosImageSize &&
            IsBiosImage(Join(bios, Utf8Of(entry.cFileName))))
            return FALSE;
    }
    message.Format(nEntries == 0 ? MSG_STOPPED_BIOS_EMPTY : MSG_STOPPED_BIOS_UNKNOWN,
                   (LPCTSTR)bios);
    return TRUE;
}

// The ROM file, which O2em reads only after the BIOS.
static BOOL CheckRom(const CLaunchWatch& watch, CString& message)
{
    CString rom = PathFrom(watch.m_directory, watch.m_romPath);
    CString given = Utf8Of(CWideText(watch.m_romPath, CP_ACP));
    // A file that is gone, cannot be read or is a folder does not open.
    HANDLE hRom = OpenToRead(rom);
    if (hRom == INVALID_HANDLE_VALUE) {
        message.Format(MSG_STOPPED_ROM_UNREADABLE, (LPCTSTR)rom, (LPCTSTR)given);
        return TRUE;
    }
    LARGE_INTEGER size = {};
    GetFileSizeEx(hRom, &size);
    // Not in debug mode, O2em refuses two known incomplete dumps.
    DWORD crc;
    BOOL bIncomplete = strstr(watch.m_options, " -debug") == NULL && size.QuadPart <= kMaxRomSize &&
                       ReadCrc32(hRom, (DWORD)size.QuadPart, &crc) &&
                       IsAmong(crc, kIncompleteDumpCrcs);
    CloseHandle(hRom);
    if (bIncomplete) {
        message.Format(MSG_STOPPED_ROM_INCOMPLETE, (LPCTSTR)rom, (LPCTSTR)given);
        return TRUE;
    }
    if (size.QuadPart % 1024 == 0)
        return FALSE;
    CString length;
    length.Format("%I64d", size.QuadPart);
    message.Format(MSG_STOPPED_ROM_INVALID, (LPCTSTR)rom, (LPCTSTR)length, (LPCTSTR)given);
    return TRUE;
}

CString DescribeFailedStart(const CLaunchWatch& watch, DWORD dwExitCode)
{
    CString message;
    if (CheckOptions(watch.m_options, message) || CheckRomFolder(watch, message) ||
        CheckBios(watch.m_directory, message) || CheckRom(watch, message))
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
