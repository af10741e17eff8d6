#include "core/LauncherDlg.h"

#include <algorithm>
#include <vector>

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

int CLauncherDlg::FillRomList()
{
    m_romTree.SetRedraw(FALSE);
    m_romTree.DeleteAllItems();

    std::vector<CString> names;
    CFileFind finder;
    if (finder.FindFile(m_romDir + "\\*.bin")) {
        BOOL bMore;
        do {
            bMore = finder.FindNextFile();
            CString name = finder.GetFileName();
            if (IsRomImageName(name))
                names.push_back(name);
        } while (bMore);
    }

    // Sorted insertion into the tree walks the list for every item; sorting
    // first, with the tree's own comparison, and appending gives the same order
    // in linear time.
    std::stable_sort(names.begin(), names.end(),
                     [](const CString& a, const CString& b) { return lstrcmpA(a, b) < 0; });

    for (const CString& name : names)
        m_romTree.InsertItem(TVIF_TEXT | TVIF_IMAGE, name, 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
    m_romTree.SetRedraw(TRUE);
    m_romTree.Invalidate();
    return 1;
}
