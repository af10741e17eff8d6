// A started emulator, watched for its first seconds without blocking the
// window: a wait registered on its process posts WM_LAUNCH_WATCH_ENDED to the
// window when the process ends or the time is up, and the window's handler, on
// its own thread, ends the watch.
#pragma once

#include <afxwin.h>

#include <stdlib.h>

// wParam: TRUE when the time was up first; lParam: the CLaunchWatch.
#define WM_LAUNCH_WATCH_ENDED (WM_APP + 1)

class CLaunchWatch
{
public:
    // An emulator that ends within this time has stopped at once.
    enum
    {
        WATCH_MS = 10000
    };

    // Takes over the process handle. The texts are those of the start: the
    // command line, and in it the ROM path and the options, and the directory
    // the emulator runs in, in UTF-8.
    CLaunchWatch(HANDLE hProcess, LPCTSTR pszCommandLine, LPCTSTR pszRomPath, LPCTSTR pszOptions,
                 LPCTSTR pszDirectory);
    // Unregisters the wait, after a callback under way has returned, and closes
    // the process handle. The emulator runs on.
    ~CLaunchWatch();
    CLaunchWatch(const CLaunchWatch&) = delete;
    CLaunchWatch& operator=(const CLaunchWatch&) = delete;
    // From the C heap, as the strings are: the C++ runtime's operator new would
    // bring its exception machinery into the program.
    static void* operator new(size_t nSize) { return malloc(nSize); }
    static void operator delete(void* p) { free(p); }

    // FALSE when the platform cannot wait on the process.
    BOOL Begin(HWND hWndNotify);
    // Whether the emulator stopped at once with a code that is neither success
    // nor its console closed by its user; if so, *pdwExitCode is that code.
    BOOL HasFailed(BOOL bTimedOut, DWORD* pdwExitCode) const;

    CString m_commandLine;
    CString m_romPath;
    CString m_options;
    CString m_directory;
    // The next watch of the window's list.
    CLaunchWatch* m_pNext = NULL;

private:
    static VOID CALLBACK OnWaitEnded(PVOID pParameter, BOOLEAN bTimedOut);

    HANDLE m_hProcess;
    HANDLE m_hWait = NULL;
    HWND m_hWndNotify = NULL;
};
