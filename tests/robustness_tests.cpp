// Bad directories and names, and faults at launch: the launcher keeps to its
// rules and neither crashes, hangs nor leaks.
#include "TestSupport.h"
#include "win/FindFile.h"

namespace {

// Creates, inside base, a directory path of this length, made through the wide
// calls, which are held neither to CreateDirectoryA's limit of 248 nor to MAX_PATH.
std::string MakeDirectoryOfLength(const std::string& base, size_t length)
{
    std::string path = base;
    while (path.size() < length) {
        path += "\\" + std::string(std::min<size_t>(length - path.size() - 1, 40), 'd');
        CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), NULL);
    }
    return path;
}

// The ROM images of a folder, as the code page spells their names, in the
// order of a tree that inserts them with TVI_SORT in the order the folder
// search gives them.
std::vector<std::string> SortedByTheTree(HWND hParent, const std::string& folder)
{
    HWND hTree =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 10, 10, hParent, NULL, NULL, NULL);
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst(Wide(folder + "\\*.bin").c_str(), entry); bFound;
         bFound = finder.FindNext(entry)) {
        std::string name = Ansi(Utf8(entry.cFileName));
        if (lstrcmpiA(name.c_str() + name.size() - 4, ".bin") != 0)
            continue;
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = &name[0];
        SendMessageA(hTree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
    }
    std::vector<std::string> items = TreeItems(hTree);
    DestroyWindow(hTree);
    return items;
}

TEST_F(LauncherTest, BadDirectoriesAndNamesListAndLaunchByTheRules)
{
    const std::string longName = std::string(200, 'n') + ".bin";
    // Names outside the ANSI code page reach the program as the platform spells
    // them there: with '?' ("?? ?.bin" twice), or with a look-alike letter that
    // may also be another file's exact name (Maze.bin twice, Lódz.bin). A soft
    // hyphen, which the code page has, weighs nothing in the list's sort, so
    // items of different texts tie, and a full-width letter is spelled by its
    // plain look-alike: ab.bin and a-b.bin twice each, in the folder's order.
    struct Rom
    {
        std::string file;
        bool byAlias; // passed under its short alias, the code page cannot spell it
    };
    struct Case
    {
        std::string romDir;
        std::vector<std::string> items; // sorted
        std::vector<Rom> roms;
    };
    const std::vector<Case> cases = {
        {dir / "100% roms\\",
         {"a b %s %n.bin", longName},
         {{"a b %s %n.bin", false}, {longName, false}}},
        {MakeDirectoryOfLength(dir.Path(), 250), {"deep.bin"}, {{"deep.bin", false}}},
        {dir / "unicode",
         {"?? ?.bin", "?? ?.bin"},
         {{u8"\u65e5\u672c \u0431.bin", true}, {u8"\u65e5\u672c \u0434.bin", true}}},
        {dir / "best fit",
         {u8"L\u00f3dz.bin", "Maze.bin", "Maze.bin"},
         {{"Maze.bin", false}, {u8"M\u0101ze.bin", true}, {u8"\u0141\u00f3d\u017a.bin", true}}},
        {dir / "soft hyphens",
         {"ab.bin", "ab.bin", u8"a\u00adb.bin", u8"a\u00adb.bin"},
         {{"ab.bin", false},
          {u8"a\u00adb.bin", false},
          {u8"\uff41b.bin", true},
          {u8"\uff41\u00adb.bin", true}}},
    };
    StandInEmulator emulator(dir / "emu");
    CLauncherDlg dlg;
    std::vector<std::string> message;
    RunModal(dlg,
             {Do([&] {
                  HWND hTree = dlg.m_romTree.m_hWnd;
                  size_t count = 0;
                  dlg.m_emuDir = (dir / "emu").c_str();
                  for (const Case& c : cases) {
                      std::vector<std::string> files;
                      for (const Rom& rom : c.roms)
                          files.push_back(rom.file);
                      MakeFiles(c.romDir, files);
                      dlg.m_romDir = c.romDir.c_str();
                      dlg.FillRomList();
                      std::vector<std::string> items = TreeItems(hTree);
                      // Ties stand in the order of a tree that sorts them itself.
                      EXPECT_EQ(items, SortedByTheTree(dlg.m_hWnd, c.romDir)) << c.romDir;
                      std::sort(items.begin(), items.end());
                      EXPECT_EQ(items, c.items) << c.romDir;
                      // Each item starts a file of its own, under its own
                      // name or, where the code page cannot spell it, its alias.
                      std::vector<std::string> started;
                      for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
                           hItem = TreeView_GetNextSibling(hTree, hItem)) {
                          TreeView_SelectItem(hTree, hItem);
                          dlg.LaunchSelected();
                          std::vector<Launch> launches = emulator.WaitForLaunches(++count);
                          if (launches.size() < count)
                              return;
                          const Launch& launch = launches[count - 1];
                          EXPECT_TRUE(launch.romFound) << launch.commandLine;
                          started.push_back(launch.romFile);
                          auto rom = std::find_if(c.roms.begin(), c.roms.end(), [&](const Rom& r) {
                              return r.file == launch.romFile;
                          });
                          ASSERT_NE(rom, c.roms.end()) << launch.romFile;
                          std::string name = rom->byAlias ? ShortName(c.romDir + "\\" + rom->file)
                                                          : Ansi(rom->file);
                          EXPECT_EQ(launch.commandLine, "o2em \"" + c.romDir + "\\" + name + "\" ");
                      }
                      std::sort(started.begin(), started.end());
                      std::sort(files.begin(), files.end());
                      EXPECT_EQ(started, files) << c.romDir;
                  }
                  // On a volume that keeps no short names the '?' names have
                  // no alias: they cannot be passed on.
                  dlg.m_romDir = (dir / "unicode").c_str();
                  dlg.FillRomList();
                  int aliases = dlg.m_romAliases.GetSize();
                  dlg.m_romAliases.RemoveAll();
                  for (int i = 0; i < aliases; i++)
                      dlg.m_romAliases.Add("");
                  TreeView_SelectItem(hTree, TreeView_GetRoot(hTree));
                  dlg.LaunchSelected();
              }),
              CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, message),
              Do([&] { ExpectNoLaunchBeyond(emulator, 12); }), End(dlg)});
    EXPECT_EQ(message, std::vector<std::string>{Formatted(MSG_ROM_NAME_UNSPELLABLE, "?? ?.bin")});
}

TEST_F(LauncherTest, ManyLaunchesFromADirectoryBeyondMaxPathLeakNothingAndNoSaveGoesAstray)
{
    MakeFiles(dir / "roms", {"game.bin"});
    StandInEmulator emulator(dir / "emu");
    // The launcher in a current directory longer than the ANSI calls can name:
    // the settings file there cannot be reached, so the save fails silently and
    // writes nothing anywhere else, such as the root.
    std::string launcherDir = MakeDirectoryOfLength(dir.Path(), 300);
    DeleteFileA("\\zorvane.ini");
    ScopedCurrentDirectory inLauncherDir(launcherDir);
    ASSERT_EQ(GetCurrentDirectoryA(0, NULL), 0u);
    CLauncherDlg dlg;
    auto launch = [&](size_t count) {
        for (size_t i = emulator.Launches().size() + 1; i <= count && !HasFailure(); i++) {
            ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin"));
            dlg.LaunchSelected();
            dlg.FillRomList();
            emulator.WaitForLaunches(i);
        }
    };
    // Each launch followed by a refill; the handles are counted once the first
    // start's watch has ended.
    int handlesAfterFirst = 0;
    const Step watchesEnded = Until([&] { return dlg.m_pWatches == NULL; });
    int result = RunModal(dlg, {Do([&] {
                                    dlg.m_romDir = (dir / "roms").c_str();
                                    dlg.m_emuDir = (dir / "emu").c_str();
                                    dlg.FillRomList();
                                    launch(1);
                                }),
                                watchesEnded, Do([&] {
                                    handlesAfterFirst = OpenKernelHandles();
                                    launch(30);
                                }),
                                watchesEnded, Do([&] {
                                    EXPECT_LE(OpenKernelHandles(), handlesAfterFirst);
                                    EXPECT_TRUE(CurrentDirectoryW() == Wide(launcherDir));
                                    dlg.SendMessage(WM_CLOSE);
                                })});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(emulator.Launches().size(), 30u);
    for (const Launch& launch : emulator.Launches()) {
        EXPECT_EQ(launch.directory, dir / "emu");
        EXPECT_TRUE(launch.romFound);
    }
    EXPECT_FALSE(FileExists("\\zorvane.ini"));
    EXPECT_FALSE(FileExists(dir / "zorvane.ini"));
}

} // namespace
