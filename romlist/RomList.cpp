#include "core/LauncherDlg.h"

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

// Sorted insertion into the tree walks the list for every item, which is
// quadratic. The names are sorted here instead, with the tree's own comparison,
// and appended. The merge sort is stable (ties keep the order of the search)
// and makes half the comparisons of the runtime's qsort.
static void SortNames(LPCTSTR* names, int count)
{
    LPCTSTR* scratch = (LPCTSTR*)malloc(count * sizeof(LPCTSTR) + 1);
    LPCTSTR* from = names;
    LPCTSTR* to = scratch;
    for (int width = 1; width < count; width *= 2) {
        for (int left = 0; left < count; left += 2 * width) {
            int middle = left + width < count ? left + width : count;
            int right = left + 2 * width < count ? left + 2 * width : count;
            int i = left, j = middle, k = left;
            while (i < middle && j < right)
                to[k++] = lstrcmpA(from[j], from[i]) < 0 ? from[j++] : from[i++];
            while (i < middle)
                to[k++] = from[i++];
            while (j < right)
                to[k++] = from[j++];
        }
        LPCTSTR* swap = from;
        from = to;
        to = swap;
    }
    if (from != names)
        memcpy(names, from, count * sizeof(LPCTSTR));
    free(scratch);
}

int CLauncherDlg::FillRomList()
{
    m_romTree.SetRedraw(FALSE);
    m_romTree.DeleteAllItems();

    CStringArray names;
    CFileFind finder;
    if (finder.FindFile(m_romDir + "\\*.bin")) {
        BOOL bMore;
        do {
            bMore = finder.FindNextFile();
            CString name = finder.GetFileName();
            if (IsRomImageName(name))
                names.Add(name);
        } while (bMore);
    }

    int count = names.GetSize();
    LPCTSTR* sorted = (LPCTSTR*)malloc(count * sizeof(LPCTSTR) + 1);
    for (int i = 0; i < count; i++)
        sorted[i] = names.GetAt(i);
    SortNames(sorted, count);
    for (int i = 0; i < count; i++)
        m_romTree.InsertItem(TVIF_TEXT | TVIF_IMAGE, sorted[i], 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
    free(sorted);

    m_romTree.SetRedraw(TRUE);
    m_romTree.Invalidate();
    return 1;
}
