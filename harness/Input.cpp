#include "Input.h"
#include "Files.h"
#include "Patience.h"

#include <commctrl.h>

std::string WindowText(HWND hWnd)
{
    char text[2048];
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

static void SendMouse(POINT screen, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void MouseDown(POINT screen) { SendMouse(screen, MOUSEEVENTF_LEFTDOWN); }

void MouseMove(POINT screen) { SendMouse(screen, 0); }

void MouseUp(POINT screen) { SendMouse(screen, MOUSEEVENTF_LEFTUP); }

void ClickAt(POINT screen, bool doubleClick)
{
    for (int i = 0; i < (doubleClick ? 2 : 1); i++) {
        MouseDown(screen);
        MouseUp(screen);
    }
}

void PressKey(WORD vk)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

POINT CenterOf(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT CloseBoxOf(HWND hWnd)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    for (int y = rect.top + 2; y < rect.top + 40; y++) {
        for (int x = rect.right - 2; x > rect.right - 60; x--) {
            if (SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return {x - 3, y + 3};
        }
    }
    return {-1, -1};
}

namespace {
struct WindowSearch
{
    DWORD processId;
    std::string caption;
    HWND found;
};
} // namespace

static BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = (WindowSearch*)lParam;
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId == search->processId && IsWindowVisible(hWnd) &&
        WindowText(hWnd) == search->caption) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowOf(DWORD processId, const std::string& caption)
{
    WindowSearch search = {processId, caption, NULL};
    EnumWindows(MatchWindow, (LPARAM)&search);
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs, DWORD pollMs)
{
    HWND hWnd = NULL;
    WaitUntil([&] { return (hWnd = FindWindowOf(processId, caption)) != NULL; }, timeoutMs, pollMs);
    return hWnd;
}

bool BringToFront(HWND hWnd)
{
    // Another process's window may still take the foreground just after; it
    // counts once it has held for a moment.
    DWORD heldSince = 0;
    for (DWORD deadline = GetTickCount() + Scaled(5000); GetTickCount() < deadline; Sleep(50)) {
        if (GetForegroundWindow() != hWnd) {
            heldSince = 0;
            SetForegroundWindow(hWnd);
        } else if (heldSince == 0) {
            heldSince = GetTickCount();
        } else if (GetTickCount() - heldSince >= Scaled(300)) {
            return true;
        }
    }
    return false;
}

bool CloseWithCloseBox(HWND hWnd, HANDLE hProcess)
{
    // The pointer goes onto the close box first, and the button goes down only
    // once the system has the pointer there, so that the press is aimed by
    // where the pointer is and not by where it was.
    BringToFront(hWnd);
    POINT target = CloseBoxOf(hWnd), at = {};
    MouseMove(target);
    WaitUntil([&] { return GetCursorPos(&at) && at.x == target.x && at.y == target.y; }, 1000, 10);
    ClickAt(target);
    return WaitForSingleObject(hProcess, Scaled(15000)) == WAIT_OBJECT_0;
}

std::vector<std::string> StaticTexts(HWND hDlg)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(hDlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64];
        GetClassNameA(child, className, sizeof className);
        WCHAR text[2048] = L"";
        GetWindowTextW(child, text, 2048);
        if (lstrcmpiA(className, "Static") == 0 && *text != L'\0')
            texts.push_back(Utf8(text));
    }
    return texts;
}

static std::string TreeItemText(HWND hTree, HTREEITEM hItem)
{
    WCHAR text[1024] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(hTree, TVM_GETITEMW, 0, (LPARAM)&item);
    return Utf8(text);
}

std::vector<std::string> TreeItems(HWND hTree)
{
    std::vector<std::string> items;
    for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
         hItem = TreeView_GetNextSibling(hTree, hItem))
        items.push_back(TreeItemText(hTree, hItem));
    return items;
}

std::string SelectedTreeItem(HWND hTree)
{
    return TreeItemText(hTree, TreeView_GetSelection(hTree));
}

bool SelectTreeItem(HWND hTree, const std::string& text)
{
    for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
         hItem = TreeView_GetNextSibling(hTree, hItem))
        if (TreeItemText(hTree, hItem) == text)
            return TreeView_SelectItem(hTree, hItem);
    return false;
}
