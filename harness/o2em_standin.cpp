// A stand-in for the O2em emulator: records the command line and the current
// directory it was started with, whether the ROM path it received names a file
// from there and that file's own name (in UTF-8), one record per start, and
// shows them when asked.
// It only shows what the real emulator would receive.
//
//   ZORVANE_O2EM_LOG   file to append the record to (default: launches.log beside this program)
//   ZORVANE_O2EM_SHOW  when set, also shows the record in a message box
//   ZORVANE_O2EM_EXIT  exit code to end with, in decimal or 0x hex, -1 for
//                      0xFFFFFFFF (default 0)
//   ZORVANE_O2EM_WAIT  milliseconds to wait before ending (default 0)
#include "win/FindFile.h"

#include <windows.h>

#include <cstdlib>
#include <string>

static std::string Environment(const char* name)
{
    char value[MAX_PATH * 4];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

static std::string DefaultLogPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string log(path, length);
    return log.substr(0, log.find_last_of('\\') + 1) + "launches.log";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::wstring directory(GetCurrentDirectoryW(0, NULL), L'\0');
    directory.resize(GetCurrentDirectoryW((DWORD)directory.size(), &directory[0]));
    int size = WideCharToMultiByte(CP_ACP, 0, directory.c_str(), -1, NULL, 0, NULL, NULL);
    std::string cwd(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, directory.c_str(), -1, &cwd[0], size, NULL, NULL);
    cwd.resize(size - 1);

    // Whether the ROM path, the first quoted argument, names a file from here.
    std::string commandLine = GetCommandLineA();
    size_t first = commandLine.find('"'), last = commandLine.find('"', first + 1);
    std::string rom =
        last != std::string::npos ? commandLine.substr(first + 1, last - first - 1) : "";
    bool found = !rom.empty() && GetFileAttributesA(rom.c_str()) != INVALID_FILE_ATTRIBUTES;
    // The file's own name, which a short alias in the path stands for.
    std::string fileName;
    std::wstring widePath(rom.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, rom.c_str(), -1, &widePath[0], (int)widePath.size());
    WIN32_FIND_DATAW entry;
    if (found && CFindFile().FindFirst(widePath.c_str(), entry)) {
        char name[MAX_PATH * 4];
        WideCharToMultiByte(CP_UTF8, 0, entry.cFileName, -1, name, sizeof name, NULL, NULL);
        fileName = name;
    }

    std::string record = "cmdline: " + commandLine + "\r\ncwd: " + cwd +
                         "\r\nrom: " + (found ? "found" : "missing") + "\r\nfile: " + fileName +
                         "\r\n";

    std::string log = Environment("ZORVANE_O2EM_LOG");
    if (log.empty())
        log = DefaultLogPath();
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, record.data(), (DWORD)record.size(), &written, NULL);
        CloseHandle(file);
    }

    if (!Environment("ZORVANE_O2EM_SHOW").empty())
        MessageBoxA(NULL, record.c_str(), "O2em stand-in", MB_OK | MB_ICONINFORMATION);
    Sleep(strtoul(Environment("ZORVANE_O2EM_WAIT").c_str(), NULL, 0));
    return (int)strtoul(Environment("ZORVANE_O2EM_EXIT").c_str(), NULL, 0);
}
