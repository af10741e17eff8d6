#include "core/LauncherDlg.h"
#include "core/CurrentDirectory.h"

void CLauncherDlg::LaunchSelected()
{
    char name[1024];
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = m_romTree.GetSelectedItem();
    item.pszText = name;
    item.cchTextMax = sizeof name;

    BuildOptions();
    if (!m_romTree.GetItem(&item))
        return;

    CString commandLine;
    commandLine.Format("o2em \"%s\\%s\" %s", (LPCTSTR)m_romDir, name, (LPCTSTR)m_options);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;

    // The emulator is found in, and runs in, the emulator directory: the current
    // directory for the span of the start. If it cannot be entered, the start
    // goes ahead where we are.
    CSavedCurrentDirectory savedDirectory;
    SetCurrentDirectoryA(m_emuDir);
    PROCESS_INFORMATION process;
    // CreateProcess may write to the command line, so it gets a buffer of its own.
    BOOL bStarted = CreateProcessA(NULL, commandLine.GetBuffer(0), NULL, NULL, FALSE,
                                   NORMAL_PRIORITY_CLASS, NULL, NULL, &startup, &process);
    commandLine.ReleaseBuffer();
    savedDirectory.Restore();

    if (bStarted) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    CString message;
    message.Format("Unable to find O2em.exe at %s", (LPCTSTR)m_emuDir);
    MessageBox(message, "Launcher Error", MB_ICONHAND);
}
