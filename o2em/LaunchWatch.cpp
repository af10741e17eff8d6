#include "o2em/LaunchWatch.h"

CLaunchWatch::CLaunchWatch(HANDLE hProcess, LPCTSTR pszCommandLine, LPCTSTR pszRomPath,
                           LPCTSTR pszOptions, LPCTSTR pszDirectory)
    : m_commandLine(pszCommandLine), m_romPath(pszRomPath), m_options(pszOptions),
      m_directory(pszDirectory), m_hProcess(hProcess)
{
}

CLaunchWatch::~CLaunchWatch()
{
    if (m_hWait != NULL)
        UnregisterWaitEx(m_hWait, INVALID_HANDLE_VALUE);
    CloseHandle(m_hProcess);
}

BOOL CLaunchWatch::Begin(HWND hWndNotify)
{
    m_hWndNotify = hWndNotify;
    if (RegisterWaitForSingleObject(&m_hWait, m_hProcess, OnWaitEnded, this, WATCH_MS,
                                    WT_EXECUTEONLYONCE))
        return TRUE;
    m_hWait = NULL;
    return FALSE;
}

// Runs on a thread of the pool: it only tells the window, whose thread does the rest.
VOID CALLBACK CLaunchWatch::OnWaitEnded(PVOID pParameter, BOOLEAN bTimedOut)
{
    CLaunchWatch* pWatch = (CLaunchWatch*)pParameter;
    PostMessageA(pWatch->m_hWndNotify, WM_LAUNCH_WATCH_ENDED, bTimedOut, (LPARAM)pWatch);
}

BOOL CLaunchWatch::HasFailed(BOOL bTimedOut, DWORD* pdwExitCode) const
{
    return !bTimedOut && GetExitCodeProcess(m_hProcess, pdwExitCode) && *pdwExitCode != 0 &&
           *pdwExitCode != STATUS_CONTROL_C_EXIT;
}
