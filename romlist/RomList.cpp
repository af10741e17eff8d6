#include "core/LauncherDlg.h"

#include <stdlib.h>

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
// quadratic. The names are sorted here instead, with the tree's own comparison
// and stably (ties keep the order of the search), and appended.
struct RomName
{
    LPCTSTR name;
    int position;
};

static int CompareRomNames(const void* a, const void* b)
{
    const RomName* left = (const RomName*)a;
    const RomName* right = (const RomName*)b;
    int order = lstrcmpA(left->name, right->name);
    return order != 0 ? order : left->position - right->position;
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
    RomName* sorted = (RomName*)malloc(count * sizeof(RomName) + 1);
    for (int i = 0; i < count; i++)
        sorted[i] = {names.GetAt(i), i};
    qsort(sorted, count, sizeof(RomName), CompareRomNames);
    for (int i = 0; i < count; i++)
        m_romTree.InsertItem(TVIF_TEXT | TVIF_IMAGE, sorted[i].name, 0, 0, 0, 0, 0, TVI_ROOT,
                             TVI_LAST);
    free(sorted);

    m_romTree.SetRedraw(TRUE);
    m_romTree.Invalidate();
    return 1;
}
