// Real keyboard and mouse input through the system's input queue, and the
// windows it is aimed at. Shared by the tests, the benchmark and the guided tour.
#pragma once

#include <windows.h>

#include <string>

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
