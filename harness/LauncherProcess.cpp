#include "LauncherProcess.h"
#include "Input.h"
#include "Patience.h"
#include "resource.h"

LauncherProcess::LauncherProcess(const std::string& program, const std::string& arguments,
                                 const char* directory, DWORD pollMs)
{
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, directory,
                        &startup, &process))
        return;
    WaitForInputIdle(process.hProcess, Scaled(30000));
    hWnd = WaitForWindow(process.dwProcessId, "Zorvane V0.1b", 30000, pollMs);
}

LauncherProcess::~LauncherProcess()
{
    if (process.hProcess == NULL)
        return;
    // The bare dialog answers File, Quit too. A window that never opened gets
    // nothing: a message posted to no window goes to this thread's own queue.
    if (hWnd != NULL)
        PostMessageA(hWnd, WM_COMMAND, ID_FILE_QUIT, 0);
    if (hWnd == NULL || WaitForSingleObject(process.hProcess, Scaled(10000)) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
