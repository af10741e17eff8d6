// Bad directories and names, and faults at launch: the launcher keeps to its
// rules and neither crashes, hangs nor leaks.
#include "TestSupport.h"

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

TEST_F(LauncherTest, BadDirectoriesAndNamesListAndLaunchByTheRules)
{
    std::string longDir = MakeDirectoryOfLength(dir.Path(), 250);
    MakeFiles(longDir, {"deep.bin"});
    const std::string longName = std::string(200, 'n') + ".bin";
    MakeFiles(dir / "100% roms", {"a b %s %n.bin", longName});
    // Names outside the ANSI code page reach the program as the platform spells
    // them there: with '?' ("?? ?.bin" twice), or with a look-alike letter that
    // may also be another file's exact name (Maze.bin twice, Lódz.bin).
    const std::vector<std::string> question = {u8"\u65e5\u672c \u0431.bin",
                                               u8"\u65e5\u672c \u0434.bin"};
    MakeFiles(dir / "unicode", question);
    MakeFiles(dir / "best fit", {"Maze.bin", u8"M\u0101ze.bin", u8"\u0141\u00f3d\u017a.bin"});
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    StandInEmulator emulator(dir / "emu");

    // Each ROM directory with the items it lists and the files they start: each
    // item is launched, and items of the same text start different files.
    struct Case
    {
        std::string romDir;
        std::vector<std::string> items, files;
    };
    const std::vector<Case> cases = {
        {dir / "100% roms\\", {"a b %s %n.bin", longName}, {"a b %s %n.bin", longName}},
        {longDir, {"deep.bin"}, {"deep.bin"}},
        {dir / "unicode", {"?? ?.bin", "?? ?.bin"}, question},
        {dir / "best fit",
         {u8"L\u00f3dz.bin", "Maze.bin", "Maze.bin"},
         {u8"\u0141\u00f3d\u017a.bin", "Maze.bin", u8"M\u0101ze.bin"}},
    };
    CLauncherDlg dlg;
    std::vector<std::string> message;
    RunModal(dlg, {Do([&] {
                       HWND hTree = dlg.m_romTree.m_hWnd;
                       size_t count = 0;
                       dlg.m_emuDir = (dir / "emu").c_str();
                       for (const Case& c : cases) {
                           dlg.m_romDir = c.romDir.c_str();
                           dlg.FillRomList();
                           EXPECT_EQ(TreeItems(hTree), c.items) << c.romDir;
                           for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
                                hItem = TreeView_GetNextSibling(hTree, hItem)) {
                               TreeView_SelectItem(hTree, hItem);
                               dlg.LaunchSelected();
                               emulator.WaitForLaunches(++count);
                           }
                       }
                       // A '?' name whose file is gone cannot be passed on.
                       dlg.m_romDir = (dir / "unicode").c_str();
                       dlg.FillRomList();
                       for (const std::string& name : question)
                           DeleteFileW(Wide(dir / "unicode\\" + name).c_str());
                       TreeView_SelectItem(hTree, TreeView_GetRoot(hTree));
                       dlg.LaunchSelected();
                   }),
                   CloseMessageBox("Launcher Error", message),
                   Do([&] { emulator.ExpectNoLaunchBeyond(8); }), End(dlg)});

    // Every item started its own file (all names differ; items of the same text
    // may stand for their files in either order).
    std::vector<Launch> launches = emulator.Launches();
    std::vector<std::string> files, expected;
    for (const Launch& launch : launches) {
        EXPECT_TRUE(launch.romFound) << launch.commandLine;
        files.push_back(launch.romFile);
    }
    for (const Case& c : cases)
        expected.insert(expected.end(), c.files.begin(), c.files.end());
    std::sort(files.begin(), files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
    // A name the code page spells exactly goes as it is, and one it does not by
    // the short alias of its own file.
    ASSERT_EQ(launches.size(), 8u);
    EXPECT_EQ(launches[0].commandLine, "o2em \"" + dir / "100% roms\\\\a b %s %n.bin\" ");
    EXPECT_EQ(launches[2].commandLine, "o2em \"" + longDir + "\\deep.bin\" ");
    for (size_t i = 5; i < 8; i++) {
        const std::string& file = launches[i].romFile;
        std::string name = file == "Maze.bin" ? file : ShortName(dir / "best fit\\" + file);
        EXPECT_EQ(launches[i].commandLine, "o2em \"" + dir / "best fit\\" + name + "\" ");
    }
    EXPECT_EQ(message, std::vector<std::string>{
                           "The name of ?? ?.bin cannot be passed to O2em: it has characters that "
                           "this system's code page cannot spell.\n\nRenaming the file helps."});
}

// Wine reports no count of handles (GetProcessHandleCount and GetGuiResources
// give 0), so the open kernel handles are counted one by one.
int OpenKernelHandles()
{
    int count = 0;
    DWORD flags;
    for (UINT_PTR value = 4; value < 0x4000; value += 4)
        count += GetHandleInformation((HANDLE)value, &flags) ? 1 : 0;
    return count;
}

TEST_F(LauncherTest, ManyLaunchesFromADirectoryBeyondMaxPathLeakNothingAndNoSaveGoesAstray)
{
    MakeFiles(dir / "roms", {"game.bin"});
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    StandInEmulator emulator(dir / "emu");
    // The launcher in a current directory longer than the ANSI calls can name:
    // the settings file there cannot be reached, so the save fails silently and
    // writes nothing anywhere else, such as the root.
    std::string launcherDir = MakeDirectoryOfLength(dir.Path(), 300);
    DeleteFileA("\\zorvane.ini");
    ScopedCurrentDirectory inLauncherDir(launcherDir);
    ASSERT_EQ(GetCurrentDirectoryA(0, NULL), 0u);
    CLauncherDlg dlg;
    int result = RunModal(dlg, {Do([&] {
                              dlg.m_romDir = (dir / "roms").c_str();
                              dlg.m_emuDir = (dir / "emu").c_str();
                              dlg.FillRomList();
                              // Emulators that fail at once, each launch followed by a refill.
                              SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", "3");
                              int handlesAfterFirst = 0;
                              for (size_t i = 1; i <= 30 && !HasFailure(); i++) {
                                  ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin"));
                                  dlg.LaunchSelected();
                                  dlg.FillRomList();
                                  emulator.WaitForLaunches(i);
                                  if (i == 1) {
                                      Sleep(200);
                                      handlesAfterFirst = OpenKernelHandles();
                                  }
                              }
                              SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", NULL);
                              Sleep(200);
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
