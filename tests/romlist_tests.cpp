// The ROM list: the *.bin entries of the ROM directory in the tree, sorted.
#include "TestSupport.h"
#include "win/CodePage.h"

namespace {

TEST_F(LauncherTest, ListsTheRomsInTheOrderOfTheTreesSortedInsertion)
{
    // The order in which a tree inserting with TVI_SORT puts these names. File
    // names that differ only in case name the same file, so the case variants
    // differ in something else too.
    const std::vector<std::string> sorted = {
        "_z.bin",    "~t.bin",         "01.bin",    "10.bin",    "9.bin",     "a b.bin",
        "ab.bin",    "a-b.bin",        "coop.bin",  "co-op.bin", "Coop1.bin", "COOP2.bin",
        "cOOp3.bin", "game (USA).bin", "GAME!.bin", "game.bin",  "Game2.bin",
    };
    MakeFiles(dir / "roms", {sorted.rbegin(), sorted.rend()});
    WithLauncher([&](CLauncherDlg& dlg) { EXPECT_EQ(TreeItems(dlg.m_romTree.m_hWnd), sorted); });
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
            EXPECT_EQ(std::make_pair(item.iImage, item.iSelectedImage), std::make_pair(0, 0));
        }
        // The image list holds the one 16 x 16 image; the tree has its own colours.
        HIMAGELIST hImages = TreeView_GetImageList(hTree, TVSIL_NORMAL);
        EXPECT_EQ(ImageList_GetImageCount(hImages), 1);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImages, &cx, &cy);
        EXPECT_EQ(std::make_pair(cx, cy), std::make_pair(16, 16));
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

// Made-up entries, since the platform here gives every name that is not plain
// 8.3 ASCII a short alias. The spellings are those of code page 1252
// (octal escapes).
TEST(RomEntry, OpensByItsOwnNameWhereTheCodePageSpellsItElseByItsShortAlias)
{
    struct Case
    {
        const wchar_t *name, *alias;
        const char *listed, *opened; // "" for none
    };
    const Case cases[] = {
        {L"Maze.bin", L"", "Maze.bin", "Maze.bin"},
        {L"Pel\u00e9 game.bin", L"PELGAM~1.BIN", "Pel\351 game.bin", "Pel\351 game.bin"},
        {L"M\u0101ze.bin", L"M_ZE~1IQ.BIN", "Maze.bin", "M_ZE~1IQ.BIN"},
        {L"\u65e5\u672c \u0431.bin", L"___~1.BIN", "?? ?.bin", "___~1.BIN"},
        {L"\u0141\u00f3d\u017a.bin", L"", "L\363dz.bin", ""},
        {L"\u0141.bin", L"\u0141~1.BIN", "L.bin", ""},
    };
    for (const Case& c : cases) {
        WIN32_FIND_DATAW entry = {};
        lstrcpyW(entry.cFileName, c.name);
        lstrcpyW(entry.cAlternateFileName, c.alias);
        CString listed;
        EXPECT_EQ(Str(AnsiNameOf(entry, &listed)), c.opened) << c.listed;
        EXPECT_EQ(Str(listed), c.listed);
    }
}

// Spells a path of 32,000 characters on a thread of its own, whose stack below
// its frame is filled with a pattern first: the lowest byte that the spelling
// changed (or the lowest the platform then committed) marks how deep it went,
// the thread's exit code. 0 when the spelling is wrong.
// The lowest address of the stack's committed pages, as a number: the
// pattern lies below every object that the compiler knows of.
ULONG_PTR CommittedStackBottom(LPCVOID pOnStack)
{
    MEMORY_BASIC_INFORMATION region = {};
    VirtualQuery(pOnStack, &region, sizeof region);
    return (ULONG_PTR)region.BaseAddress;
}

DWORD WINAPI SpellOnAPatternedStack(LPVOID pPath)
{
    const ULONG_PTR frame = (ULONG_PTR)&pPath, limit = CommittedStackBottom(&pPath);
    memset((void*)limit, 0xA5, frame - 4096 - limit);
    BOOL bExact = FALSE;
    if (SpellInCodePage((LPCWSTR)pPath, &bExact).GetLength() != 32000 || !bExact)
        return 0;
    ULONG_PTR low = std::min(limit, CommittedStackBottom(&pPath));
    while (low < frame && *(const BYTE*)low == 0xA5)
        low++;
    return (DWORD)(frame - low);
}

TEST(RomEntry, APathOfAnyLengthIsConvertedWithinABoundedStack)
{
    const std::wstring path = L"C:\\roms\\" + std::wstring(32000 - 8, L'a');
    HANDLE hThread = CreateThread(NULL, 0, SpellOnAPatternedStack, (LPVOID)path.c_str(), 0, NULL);
    WaitForSingleObject(hThread, INFINITE);
    DWORD dwUsed = 0;
    GetExitCodeThread(hThread, &dwUsed);
    CloseHandle(hThread);
    EXPECT_GT(dwUsed, 0u);
    EXPECT_LT(dwUsed, 16384u);
}

} // namespace
