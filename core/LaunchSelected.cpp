#include "core/LauncherDlg.h"
#include "core/CodePage.h"
#include "core/CurrentDirectory.h"

#include <afxpriv.h>

#include <string.h>

// The name by which the ANSI calls open the file behind a ROM item: the nth
// entry of the ROM directory that the code page spells as pszText, in the order
// of the directory search, which the list keeps for equal texts. That is the
// entry's own name where the code page spells it exactly, else its short alias,
// or empty where the volume keeps none.
static CString FindRomName(const CString& romDir, LPCTSTR pszText, int nth, BOOL bListedOnce)
{
    USES_CONVERSION;
    WIN32_FIND_DATAW entry;
    BOOL bExact;
    // The usual case, a name listed once and spelled exactly, is looked up
    // directly: a search of the whole folder costs in a large one.
    if (bListedOnce) {
        CString path = romDir + "\\" + pszText;
        HANDLE hFind = FindFirstFileW(A2CW(path), &entry);
        if (hFind != INVALID_HANDLE_VALUE) {
            FindClose(hFind);
            if (strcmp(SpellInCodePage(entry.cFileName, &bExact), pszText) == 0 && bExact)
                return pszText;
        }
    }
    CString pattern = romDir + "\\*.bin";
    HANDLE hFind = FindFirstFileW(A2CW(pattern), &entry);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(SpellInCodePage(entry.cFileName, &bExact), pszText) == 0 && nth-- == 0) {
                FindClose(hFind);
                return bExact ? CString(pszText)
                              : SpellInCodePage(entry.cAlternateFileName, &bExact);
            }
        } while (FindNextFileW(hFind, &entry));
        FindClose(hFind);
    }
    // The file went away after the list was read: a name that can be spelled
    // goes as it is, and the emulator says what it finds.
    return strchr(pszText, '?') == NULL ? pszText : "";
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

    // Items of the same text stand in the order of the directory search (the
    // list's sort keeps ties in place), so the nth of them is the nth entry.
    int nth = 0;
    for (HTREEITEM hItem = m_romTree.GetPrevSiblingItem(item.hItem);
         hItem != NULL && strcmp(m_romTree.GetItemText(hItem), name) == 0;
         hItem = m_romTree.GetPrevSiblingItem(hItem))
        nth++;
    HTREEITEM hNext = m_romTree.GetNextSiblingItem(item.hItem);
    BOOL bListedOnce =
        nth == 0 && (hNext == NULL || strcmp(m_romTree.GetItemText(hNext), name) != 0);
    CString romName = FindRomName(m_romDir, name, nth, bListedOnce);
    if (romName.GetLength() == 0) {
        CString message;
        message.Format("The name of %s cannot be passed to O2em: it has characters that "
                       "this system's code page cannot spell.\n\nRenaming the file helps.",
                       name);
        MessageBox(message, "Launcher Error", MB_ICONHAND);
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
