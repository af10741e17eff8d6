#include "core/LauncherDlg.h"
#include "win/CodePage.h"
#include "win/CurrentDirectory.h"
#include "Messages.h"

void CLauncherDlg::LaunchSelected()
{
    char name[1024];
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_HANDLE;
    item.hItem = m_romTree.GetSelectedItem();
    item.pszText = name;
    item.cchTextMax = sizeof name;

    BuildOptions();
    if (!m_romTree.GetItem(&item))
        return;

    // The list bound each item to the name under which its file opens.
    CString romName = item.lParam == 0 ? CString(name) : m_romAliases.GetAt((int)item.lParam - 1);
    CString message;
    if (romName.GetLength() == 0) {
        message.Format(MSG_ROM_NAME_UNSPELLABLE, name);
        ShowLaunchError(Utf8Of(CWideText(message, CP_ACP)));
        return;
    }

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;

    // The emulator is found in, and runs in, the emulator directory: the current
    // directory for the span of the start. If it cannot be entered, the start
    // goes ahead where we are.
    CString romDirHere = GetFullPath(m_romDir);
    CSavedCurrentDirectory savedDirectory;
    SetCurrentDirectoryA(m_emuDir);
    // A relative ROM directory names another folder, or none, from there: the
    // emulator then gets the one the list was read from.
    LPCTSTR romDir = lstrcmpiA(GetFullPath(m_romDir), romDirHere) == 0 ? m_romDir : romDirHere;
    CString romPath, commandLine;
    romPath.Format("%s\\%s", romDir, (LPCTSTR)romName);
    commandLine.Format("o2em \"%s\" %s", (LPCTSTR)romPath, (LPCTSTR)m_options);
    PROCESS_INFORMATION process;
    // CreateProcess may write to the command line, so it gets a buffer of its own.
    BOOL bStarted = CreateProcessA(NULL, commandLine.GetBuffer(0), NULL, NULL, FALSE,
                                   NORMAL_PRIORITY_CLASS, NULL, NULL, &startup, &process);
    commandLine.ReleaseBuffer();
    if (bStarted) {
        CloseHandle(process.hThread);
        WatchLaunch(process.hProcess, commandLine, romPath);
    }
    savedDirectory.Restore();
    if (bStarted)
        return;
    message.Format(MSG_NO_EMULATOR, (LPCTSTR)m_emuDir);
    ShowLaunchError(Utf8Of(CWideText(message, CP_ACP)));
}
