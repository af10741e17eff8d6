// Helpers for driving real dialogs, files and processes under Wine.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include "Files.h"
#include "Input.h"
#include "LauncherProcess.h"
#include "ModalScript.h"
#include "Patience.h"
#include "StandIn.h"
#include "Messages.h"
#include "core/LauncherDlg.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// One of the program's messages (Messages.h) as it shows it, its %s filled in.
std::string Formatted(const char* format, const std::string& argument);

inline std::string Str(const CString& s) { return (LPCTSTR)s; }

inline bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
// Runs the dialog modally and plays the steps inside its modal loop. Fails the
// test and cancels the dialog when the steps take longer than the timeout, or
// as soon as a step has failed the test. The timeout guards against a hang.
int RunModal(CDialog& dlg, std::vector<Step> steps, DWORD timeoutMs = 60000);
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
// After a refused launch: fails the test if the stand-in records more than
// count launches within many times what a start takes to be recorded.
void ExpectNoLaunchBeyond(const StandInEmulator& emulator, size_t count);

// The process's open kernel handles; or only those on other processes (those
// that a watch keeps: the platform's thread pool may keep threads and events of
// its own after a wait has been unregistered).
int OpenKernelHandles(bool bOtherProcessesOnly = false);

// A launcher dialog test that runs in a fresh current directory of its own.
class LauncherTest : public testing::Test
{
protected:
    TempDir dir;
    ScopedCurrentDirectory cwd{dir.Path()};

    void WriteSettings(const std::string& lines) { WriteFile(dir / "zorvane.ini", lines); }
    std::vector<std::string> SettingsLines() { return ReadLines(dir / "zorvane.ini"); }
};
