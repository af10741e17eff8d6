#include "core/LauncherDlg.h"
#include "core/CurrentDirectory.h"

#include <string.h>

// The short alias of the directory's nth entry whose name the ANSI code page
// spells as pszName; empty when there is no such entry or it has no alias.
// Each '?' of the spelling matches any one character in the search.
static CString FindShortName(LPCTSTR pszDirectory, LPCTSTR pszName, int nth)
{
    CString alias;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(CString(pszDirectory) + "\\" + pszName, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return alias;
    do {
        if (lstrcmpA(data.cFileName, pszName) == 0 && nth-- == 0) {
            alias = data.cAlternateFileName;
            break;
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return alias;
}

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

    // A name that the ANSI code page cannot spell comes with '?' in place of
    // those characters and names no file; its short alias does. Items of the
    // same spelling stand in the order of the search, so the nth is the nth match.
    CString romName = name;
    if (strchr(name, '?') != NULL) {
        int nth = 0;
        for (HTREEITEM hItem = m_romTree.GetPrevSiblingItem(item.hItem);
             hItem != NULL && lstrcmpA(m_romTree.GetItemText(hItem), name) == 0;
             hItem = m_romTree.GetPrevSiblingItem(hItem))
            nth++;
        romName = FindShortName(m_romDir, name, nth);
        if (romName.GetLength() == 0) {
            CString message;
            message.Format("The name of %s cannot be passed to O2em: it has characters that "
                           "this system's code page cannot spell.\n\nRenaming the file helps.",
                           name);
            MessageBox(message, "Launcher Error", MB_ICONHAND);
            return;
        }
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
    CString commandLine;
    commandLine.Format("o2em \"%s\\%s\" %s", romDir, (LPCTSTR)romName, (LPCTSTR)m_options);
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
