// The launcher's watches of the emulators it started, and the launch errors it shows.
#include "core/LauncherDlg.h"
#include "win/CodePage.h"
#include "win/CurrentDirectory.h"
#include "o2em/LaunchWatch.h"
#include "o2em/StartFailure.h"
#include "Messages.h"

#include <string.h>

// Called while the emulator directory is the current one, where the emulator runs.
void CLauncherDlg::WatchLaunch(HANDLE hProcess, LPCTSTR pszCommandLine, LPCTSTR pszRomPath)
{
    CLaunchWatch* pWatch = new CLaunchWatch(hProcess, pszCommandLine, pszRomPath, m_options,
                                            GetCurrentDirectoryUtf8());
    if (!pWatch->Begin(m_hWnd)) {
        delete pWatch;
        return;
    }
    pWatch->m_pNext = m_pWatches;
    m_pWatches = pWatch;
}

LRESULT CLauncherDlg::OnLaunchWatchEnded(WPARAM wParam, LPARAM lParam)
{
    CLaunchWatch** ppWatch = &m_pWatches;
    while (*ppWatch != NULL && *ppWatch != (CLaunchWatch*)lParam)
        ppWatch = &(*ppWatch)->m_pNext;
    CLaunchWatch* pWatch = *ppWatch;
    if (pWatch == NULL)
        return 0;
    *ppWatch = pWatch->m_pNext;
    DWORD dwExitCode;
    CString message;
    if (pWatch->HasFailed((BOOL)wParam, &dwExitCode))
        message = DescribeFailedStart(*pWatch, dwExitCode);
    delete pWatch;
    if (message.GetLength() != 0)
        ShowLaunchError(message);
    return 0;
}

// The watches end with the window, at once; the emulators run on.
void CLauncherDlg::OnDestroy()
{
    while (m_pWatches != NULL) {
        CLaunchWatch* pWatch = m_pWatches;
        m_pWatches = pWatch->m_pNext;
        delete pWatch;
    }
    CDialog::OnDestroy();
}

void CLauncherDlg::ShowLaunchError(const CString& message)
{
    for (int i = 0; i < m_launchErrors.GetSize(); i++)
        if (strcmp(m_launchErrors.GetAt(i), message) == 0)
            return;
    m_launchErrors.Add(message);
    // The box open now shows this one when it is closed.
    if (m_launchErrors.GetSize() > 1)
        return;
    // Owned by the window that is active in the launcher, so that a dialog open
    // over it stays modal when the box is closed.
    for (int i = 0; i < m_launchErrors.GetSize(); i++)
        MessageBoxW(GetLastActivePopup(m_hWnd), CWideText(m_launchErrors.GetAt(i)),
                    L"" MSG_CAPTION_LAUNCHER_ERROR, MB_ICONHAND);
    m_launchErrors.RemoveAll();
}
