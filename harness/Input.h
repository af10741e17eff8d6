// Real keyboard and mouse input through the system's input queue, and the
// windows it is aimed at, read as a user sees them. Shared by the tests, the
// benchmark and the guided tour.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Real input through the system's input queue.
void ClickAt(POINT screen, bool doubleClick = false);
void MouseDown(POINT screen);
void MouseMove(POINT screen);
void MouseUp(POINT screen);
void PressKey(WORD vk);
POINT CenterOf(HWND hWnd);
// A point on a window's close box, found by asking the window itself; {-1, -1} if none.
POINT CloseBoxOf(HWND hWnd);

// Makes the window the foreground window and waits until it is; false if it never is.
bool BringToFront(HWND hWnd);

// Brings a process's window to the front and clicks its close box; true when
// the process has ended.
bool CloseWithCloseBox(HWND hWnd, HANDLE hProcess);

std::string WindowText(HWND hWnd);
// The visible top-level window of a process with this caption, or NULL; and
// the same, waited for up to the timeout, looked for every pollMs.
HWND FindWindowOf(DWORD processId, const std::string& caption);
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs = 15000,
                   DWORD pollMs = 50);

// The texts of a dialog's static controls in UTF-8, in order (a message box's
// text among them).
std::vector<std::string> StaticTexts(HWND hDlg);
// The texts of a tree's root items in UTF-8, in order; the selected item's text
// ("" for none); selecting an item by its text.
std::vector<std::string> TreeItems(HWND hTree);
std::string SelectedTreeItem(HWND hTree);
bool SelectTreeItem(HWND hTree, const std::string& text);
