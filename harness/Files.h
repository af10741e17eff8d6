// Files, folders and text as the tests, the benchmark and the tour meet them:
// paths are UTF-8, in which names outside the code page can be written.
#pragma once

#include "win/CurrentDirectory.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A fresh directory under %TEMP%, removed with everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Text in UTF-8, in which the tests write names outside the code page, as
// UTF-16, and back.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& text);
// UTF-8 text as the ANSI code page spells it.
std::string Ansi(const std::string& utf8);

// Makes a directory (a UTF-8 path) the current one for the scope, through the
// wide call, which takes one of any length.
class ScopedCurrentDirectory
{
public:
    explicit ScopedCurrentDirectory(const std::string& path);
    ~ScopedCurrentDirectory() { m_saved.Restore(); }

private:
    CSavedCurrentDirectory m_saved;
};

// The current directory, in UTF-16 so that one of any length can be compared.
std::wstring CurrentDirectoryW();
// Writes a file (a UTF-8 path) anew with this content.
void WriteFile(const std::string& path, const std::string& content);
// A file's lines without their line ends, blank ones left out.
std::vector<std::string> ReadLines(const std::string& path);
inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
// The short alias that the platform gives an entry (a UTF-8 path), or "".
std::string ShortName(const std::string& path);
// Creates empty files (and, for names ending in a backslash, directories) in a
// directory; the names are in UTF-8.
void MakeFiles(const std::string& directory, const std::vector<std::string>& names);

// size bytes of zeros but their last four, which give the whole the CRC-32
// crc: a BIOS image or a game as O2em knows them, whose contents cannot be
// shipped.
std::string BytesWithCrc32(uint32_t crc, size_t size);

// Where the built test programs and the stand-in are.
std::string ProgramDirectory();
