#include "core/LauncherDlg.h"
#include "win/CodePage.h"
#include "win/FindFile.h"

#include <stdlib.h>
#include <string.h>

void CLauncherDlg::SetUpRomTree()
{
    m_imageList.Create(16, 16, ILC_COLOR8, 0, 4);
    // The image list keeps its own copy of the bitmap.
    CBitmap bitmap;
    bitmap.LoadBitmap(IDB_ROM);
    m_imageList.Add(&bitmap, RGB(0, 0, 0));
    bitmap.DeleteObject();
    m_romTree.SetImageList(&m_imageList, TVSIL_NORMAL);
    m_romTree.SetTextColor(RGB(0, 0, 30));
    m_romTree.SetBkColor(RGB(255, 255, 255));
}

// The search for *.bin also matches names whose short 8.3 alias ends in .BIN,
// such as notes.binary; only names that end in .bin themselves are ROM images.
static bool IsRomImageName(const CString& name)
{
    int length = name.GetLength();
    return length >= 4 && lstrcmpiA((LPCTSTR)name + length - 4, ".bin") == 0;
}

// An item of the list: its text, and 0 where the text itself opens its file,
// else 1 + the index of the name that does in m_romAliases.
struct RomItem
{
    LPCTSTR pszText;
    LPARAM lParam;
};

// Sorted insertion into the tree walks the list for every item, which is
// quadratic. The items are sorted here instead, with the tree's own comparison,
// and appended. The merge sort is stable (ties keep the order of the search)
// and makes half the comparisons of the runtime's qsort. It needs room for as
// many items again.
static void SortItems(RomItem* items, int count, RomItem* scratch)
{
    RomItem* from = items;
    RomItem* to = scratch;
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            int middle = left + width < count ? left + width : count;
            int right = left + 2 * width < count ? left + 2 * width : count;
            int i = left, j = middle, k = left;
            while (i < middle && j < right)
                to[k++] = lstrcmpA(from[j].pszText, from[i].pszText) < 0 ? from[j++] : from[i++];
            while (i < middle)
                to[k++] = from[i++];
            while (j < right)
                to[k++] = from[j++];
        }
        RomItem* swap = from;
        from = to;
        to = swap;
    }
    if (from != items)
        memcpy(items, from, count * sizeof(RomItem));
}

int CLauncherDlg::FillRomList()
{
    m_romTree.SetRedraw(FALSE);
    m_romTree.DeleteAllItems();
    m_romAliases.RemoveAll();

    // The folder is read in UTF-16, which gives each entry's short alias beside
    // its name, and each item is bound to the name under which its file opens,
    // so that a launch need not look for the file again.
    CStringArray texts;
    // The items, and as much room again for the sort; where memory runs out,
    // the list stops at the items it holds.
    RomItem* items = NULL;
    int room = 0;
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst(CWideText(m_romDir + "\\*.bin", CP_ACP), entry); bFound;
         bFound = finder.FindNext(entry)) {
        CString text;
        CString name = AnsiNameOf(entry, &text);
        if (!IsRomImageName(text))
            continue;
        int i = texts.GetSize();
        if (i == room) {
            int more = room > 0 ? 2 * room : 1024;
            void* grown = realloc(items, 2 * more * sizeof(RomItem));
            if (grown == NULL)
                break;
            items = (RomItem*)grown;
            room = more;
        }
        texts.Add(text);
        // The strings stay where they are when the array grows.
        items[i].pszText = texts.GetAt(i);
        items[i].lParam = strcmp(name, text) == 0 ? 0 : m_romAliases.Add(name) + 1;
    }

    int count = texts.GetSize();
    SortItems(items, count, items + room);
    for (int i = 0; i < count; i++)
        m_romTree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM, items[i].pszText, 0, 0, 0, 0,
                             items[i].lParam, TVI_ROOT, TVI_LAST);
    free(items);

    m_romTree.SetRedraw(TRUE);
    m_romTree.Invalidate();
    return 1;
}
