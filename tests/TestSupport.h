// Helpers for driving real dialogs, files and processes under Wine.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include "Files.h"
#include "Input.h"
#include "LauncherProcess.h"
#include "win/CurrentDirectory.h"
#include "Messages.h"
#include "core/LauncherDlg.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Makes a directory the current one for the scope, through the wide call, which
// takes one of any length.
class ScopedCurrentDirectory
{
public:
    explicit ScopedCurrentDirectory(const std::string& path)
    {
        EXPECT_TRUE(SetCurrentDirectoryW(Wide(path).c_str())) << path;
    }
    ~ScopedCurrentDirectory() { m_saved.Restore(); }

private:
    CSavedCurrentDirectory m_saved;
};

// One of the program's messages (Messages.h) as it shows it, its %s filled in.
std::string Formatted(const char* format, const std::string& argument);

inline std::string Str(const CString& s) { return (LPCTSTR)s; }

inline bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
// One step of a script run inside a modal loop: true when done, false to be
// tried again on the next tick.
using Step = std::function<bool()>;

// Runs the dialog modally and plays the steps, one per timer tick, inside its
// modal loop (and inside any nested one). Fails the test and cancels the
// dialog when the steps take longer than the timeout, or as soon as a step
// has failed the test.
int RunModal(CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs = 15000);

// A step that does something once; one that waits for a condition; one that
// ends the dialog with 0.
Step Do(std::function<void()> action);
inline Step Until(std::function<bool()> condition) { return condition; }
inline Step End(CDialog& dlg)
{
    return Do([&dlg] { dlg.EndDialog(0); });
}
// Runs a launcher dialog, plays the body once inside its modal loop, then ends it.
void WithLauncher(const std::function<void(CLauncherDlg&)>& body);
// A step that waits for this thread's dialog with this caption, then acts on it.
Step OnDialog(const char* caption, std::function<void(HWND)> action);
// A step that waits for the message box with this caption, keeps its texts
// (and its owner) and closes it.
Step CloseMessageBox(const char* caption, std::vector<std::string>& texts, HWND* owner = NULL);

// This thread's visible top-level window with this caption, or NULL.
inline HWND FindDialog(const char* caption) { return FindWindowOf(GetCurrentProcessId(), caption); }
inline std::string ControlText(HWND hDlg, int nID) { return WindowText(GetDlgItem(hDlg, nID)); }
// The texts of a dialog's static controls in UTF-8, in order (a message box's
// text among them).
std::vector<std::string> StaticTexts(HWND hDlg);

// The records of the stand-in emulator, one per start: its command line, its
// current directory, whether the ROM path it received names a file from there,
// and that file's own name in UTF-8.
struct Launch
{
    std::string commandLine, directory;
    bool romFound;
    std::string romFile;
};

// The stand-in emulator copied into a directory (made if need be), recording
// into a log of its own; it shows what it received in a window captioned "O2em
// stand-in" when ZORVANE_O2EM_SHOW is set.
class StandInEmulator
{
public:
    explicit StandInEmulator(const std::string& directory);
    // Closes any stand-in still showing what it received, so that none outlives
    // the test, holding its output open.
    ~StandInEmulator();
    std::vector<Launch> Launches() const;
    // Waits until at least count launches were recorded; fails the test if they never are.
    std::vector<Launch> WaitForLaunches(size_t count) const;
    // After a refused launch: fails the test if more than count launches are
    // recorded within the time a start takes to show.
    void ExpectNoLaunchBeyond(size_t count) const;

private:
    std::string m_log;
};

// The process's open kernel handles.
int OpenKernelHandles();

// The texts of a tree's root items in UTF-8, in order; the selected item's text
// ("" for none); selecting an item by its text.
std::vector<std::string> TreeItems(HWND hTree);
std::string SelectedTreeItem(HWND hTree);
bool SelectTreeItem(HWND hTree, const std::string& text);

// A launcher dialog test that runs in a fresh current directory of its own.
class LauncherTest : public testing::Test
{
protected:
    TempDir dir;
    ScopedCurrentDirectory cwd{dir.Path()};

    void WriteSettings(const std::string& lines) { WriteFile(dir / "zorvane.ini", lines); }
    std::vector<std::string> SettingsLines() { return ReadLines(dir / "zorvane.ini"); }
};
