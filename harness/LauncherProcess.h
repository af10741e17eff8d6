// Zorvane.exe, or the benchmark's bare dialog, as a process of its own, driven
// from outside. Shared by the tests, the benchmark and the guided tour.
#pragma once

#include <windows.h>

#include <string>

// The program started in a directory (the current one for NULL), with its
// window once it is idle (NULL if it never opens), looked for every pollMs
// (the benchmark, which times the opening, looks every millisecond); ended
// with File, Quit when the object goes, and killed if that does not end it or
// it has no window.
class LauncherProcess
{
public:
    LauncherProcess(const std::string& program, const std::string& arguments = "",
                    const char* directory = NULL, DWORD pollMs = 50);
    ~LauncherProcess();
    LauncherProcess(const LauncherProcess&) = delete;
    LauncherProcess& operator=(const LauncherProcess&) = delete;

    HWND hWnd = NULL;
    PROCESS_INFORMATION process = {};
};
