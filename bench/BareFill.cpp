#include "BareFill.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

void BareFill(HWND hTree, const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((directory + "\\*.bin").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do
            names.push_back(data.cFileName);
        while (FindNextFileA(find, &data));
        FindClose(find);
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpA(a.c_str(), b.c_str()) < 0;
    });
    SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    for (const std::string& name : names) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE;
        insert.item.pszText = (LPSTR)name.c_str();
        SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    }
    SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hTree, NULL, TRUE);
}
