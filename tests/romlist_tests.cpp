// The ROM list: the *.bin entries of the ROM directory in the tree, sorted.
#include "TestSupport.h"

namespace {

// The order a tree gives names inserted one by one with TVI_SORT.
std::vector<std::string> SortedByTheTree(HWND hParent, const std::vector<std::string>& names)
{
    HWND hTree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 10, 10, hParent, NULL,
                                 GetModuleHandleA(NULL), NULL);
    for (const std::string& name : names) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = (LPSTR)name.c_str();
        SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    }
    std::vector<std::string> sorted = TreeItems(hTree);
    DestroyWindow(hTree);
    return sorted;
}

TEST_F(LauncherTest, ListsTheRomsInTheOrderOfTheTreesSortedInsertion)
{
    // File names that differ only in case name the same file, so the case
    // variants differ in something else too.
    const std::vector<std::string> names = {
        "game.bin",  "_z.bin",    "~t.bin",    "01.bin",         "10.bin",    "9.bin",
        "a b.bin",   "a-b.bin",   "ab.bin",    "co-op.bin",      "coop.bin",  "Coop1.bin",
        "COOP2.bin", "cOOp3.bin", "Game2.bin", "game (USA).bin", "GAME!.bin",
    };
    MakeFiles(dir / "roms", names);
    WithLauncher([&](CLauncherDlg& dlg) {
        std::vector<std::string> listed = TreeItems(dlg.m_romTree.m_hWnd);
        EXPECT_EQ(listed, SortedByTheTree(dlg.m_hWnd, names));
        EXPECT_EQ(listed, SortedByTheTree(dlg.m_hWnd, {names.rbegin(), names.rend()}));
    });
}

TEST_F(LauncherTest, ListsOnlyRomImagesAndDirectoriesNamedLikeThemWithTheRomImage)
{
    MakeFiles(dir / "roms", {"c.bin", "a.bin", "b.bin", "game.BIN", "game.rom", "notes.binary",
                             "game.bin2", "x.bin.txt", "saves.bin\\", "other\\"});
    WithLauncher([&](CLauncherDlg& dlg) {
        HWND hTree = dlg.m_romTree.m_hWnd;
        EXPECT_EQ(TreeItems(hTree),
                  (std::vector<std::string>{"a.bin", "b.bin", "c.bin", "game.BIN", "saves.bin"}));
        for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
             hItem = TreeView_GetNextSibling(hTree, hItem)) {
            TVITEMA item = {};
            item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
            item.hItem = hItem;
            item.iImage = item.iSelectedImage = -5;
            TreeView_GetItem(hTree, &item);
            EXPECT_EQ(item.iImage, 0);
            EXPECT_EQ(item.iSelectedImage, 0);
        }
        // The image list holds the one 16 x 16 image; the tree has its own colours.
        HIMAGELIST hImages = TreeView_GetImageList(hTree, TVSIL_NORMAL);
        EXPECT_EQ(ImageList_GetImageCount(hImages), 1);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImages, &cx, &cy);
        EXPECT_EQ(cx, 16);
        EXPECT_EQ(cy, 16);
        EXPECT_EQ(TreeView_GetTextColor(hTree), 0x1E0000u);
        EXPECT_EQ(TreeView_GetBkColor(hTree), 0xFFFFFFu);
    });
}

TEST_F(LauncherTest, ARefillReplacesTheListAndLeavesNothingSelected)
{
    MakeFiles(dir / "roms", {"one.bin", "two.bin"});
    MakeFiles(dir / "more", {"three.bin"});
    const std::string atRoot = "\\zorvane-test-root.bin";
    WriteFile(atRoot, "");
    WithLauncher([&](CLauncherDlg& dlg) {
        HWND hTree = dlg.m_romTree.m_hWnd;
        ASSERT_TRUE(SelectTreeItem(hTree, "two.bin"));
        dlg.FillRomList();
        dlg.FillRomList();
        EXPECT_EQ(TreeItems(hTree), (std::vector<std::string>{"one.bin", "two.bin"}));
        EXPECT_EQ(TreeView_GetSelection(hTree), (HTREEITEM)NULL);
        // Relative to the current directory at the time of the fill.
        dlg.m_romDir = "more";
        dlg.FillRomList();
        EXPECT_EQ(TreeItems(hTree), std::vector<std::string>{"three.bin"});
        dlg.m_romDir = "missing";
        dlg.FillRomList();
        EXPECT_TRUE(TreeItems(hTree).empty());
        // An empty setting searches the root of the current drive.
        dlg.m_romDir = "";
        dlg.FillRomList();
        EXPECT_TRUE(Contains(TreeItems(hTree), atRoot.substr(1)));
    });
    DeleteFileA(atRoot.c_str());
}

} // namespace
