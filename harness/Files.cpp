#include "Files.h"
#include "win/FindFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& path)
{
    if (!SetCurrentDirectoryW(Wide(path).c_str()))
        fprintf(stderr, "The directory %s could not be entered.\n", path.c_str());
}

// The temporary folder is read in UTF-16, so that one outside the code page (a
// user name with an accent) is named in UTF-8 as it is.
TempDir::TempDir()
{
    WCHAR base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    do
        m_path = Utf8(base) + "zorvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
    while (!CreateDirectoryW(Wide(m_path).c_str(), NULL));
}

// Removes a directory with everything in it, given in the long form (\\?\),
// which reaches entries deeper than MAX_PATH too.
static void RemoveTree(const std::wstring& path)
{
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst((path + L"\\*").c_str(), entry); bFound;
         bFound = finder.FindNext(entry)) {
        std::wstring name = entry.cFileName, child = path + L"\\" + name;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW(child.c_str());
        else if (name != L"." && name != L"..")
            RemoveTree(child);
    }
    // A folder with a search open in it cannot be removed.
    finder.Close();
    RemoveDirectoryW(path.c_str());
}

TempDir::~TempDir() { RemoveTree(L"\\\\?\\" + Wide(m_path)); }

std::wstring CurrentDirectoryW()
{
    std::wstring path(GetCurrentDirectoryW(0, NULL), L'\0');
    path.resize(GetCurrentDirectoryW((DWORD)path.size(), &path[0]));
    return path;
}

void WriteFile(const std::string& path, const std::string& content)
{
    HANDLE hFile = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    ::WriteFile(hFile, content.data(), (DWORD)content.size(), &written, NULL);
    CloseHandle(hFile);
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::wstring Wide(const std::string& utf8)
{
    std::wstring text(utf8.size(), L'\0');
    text.resize(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &text[0], (int)text.size()));
    return text;
}

std::string Utf8(const std::wstring& text)
{
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &utf8[0],
                                    (int)utf8.size(), NULL, NULL));
    return utf8;
}

std::string Ansi(const std::string& utf8)
{
    std::wstring text = Wide(utf8);
    std::string ansi(text.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), &ansi[0],
                                    (int)ansi.size(), NULL, NULL));
    return ansi;
}

std::string ShortName(const std::string& path)
{
    WIN32_FIND_DATAW entry = {};
    CFindFile().FindFirst(Wide(path).c_str(), entry);
    char alias[14] = "";
    WideCharToMultiByte(CP_ACP, 0, entry.cAlternateFileName, -1, alias, sizeof alias, NULL, NULL);
    return alias;
}

void MakeFiles(const std::string& directory, const std::vector<std::string>& names)
{
    CreateDirectoryW(Wide(directory).c_str(), NULL);
    for (const std::string& name : names) {
        std::wstring path = Wide(directory + "\\" + name);
        if (!name.empty() && name.back() == '\\')
            CreateDirectoryW(path.c_str(), NULL);
        else
            CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
}

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    std::string program(path, GetModuleFileNameA(NULL, path, MAX_PATH));
    return program.substr(0, program.find_last_of('\\'));
}

// size bytes of zeros whose last four are solved so that the CRC-32 of the
// whole is crc: the register is run back over them from the one that gives crc.
std::string BytesWithCrc32(uint32_t crc, size_t size)
{
    uint32_t table[256];
    for (uint32_t n = 0; n < 256; n++) {
        table[n] = n;
        for (int bit = 0; bit < 8; bit++)
            table[n] = table[n] & 1 ? (table[n] >> 1) ^ 0xEDB88320 : table[n] >> 1;
    }
    uint32_t state = 0xFFFFFFFF;
    for (size_t i = 0; i < size - 4; i++)
        state = (state >> 8) ^ table[state & 0xFF];
    // Each table entry has a top byte of its own.
    uint32_t wanted = ~crc;
    for (int i = 0; i < 4; i++) {
        uint32_t k = 0;
        while (table[k] >> 24 != wanted >> 24)
            k++;
        wanted = ((wanted ^ table[k]) << 8) | k;
    }
    wanted ^= state;
    std::string bytes(size, '\0');
    memcpy(&bytes[size - 4], &wanted, 4);
    return bytes;
}
