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
    MakeFiles(dir / "100% roms", {"a b %s %n.bin", std::string(200, 'n') + ".bin"});
    // Names outside the ANSI code page reach the program as the platform spells
    // them in ANSI: these two both as "?? ?.bin".
    CreateDirectoryA((dir / "unicode").c_str(), NULL);
    const std::wstring unicode[] = {Wide(dir / "unicode\\") + L"\u65e5\u672c \u0431.bin",
                                    Wide(dir / "unicode\\") + L"\u65e5\u672c \u0434.bin"};
    for (const std::wstring& path : unicode)
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    StandInEmulator emulator(dir / "emu");

    // Each ROM directory with the items it lists; each item is launched.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {dir / "100% roms\\", {"a b %s %n.bin", std::string(200, 'n') + ".bin"}},
        {longDir, {"deep.bin"}},
        {dir / "unicode", {"?? ?.bin", "?? ?.bin"}},
    };
    CLauncherDlg dlg;
    std::vector<std::string> message;
    RunModal(dlg, {Do([&] {
                       HWND hTree = dlg.m_romTree.m_hWnd;
                       size_t launched = 0;
                       dlg.m_emuDir = (dir / "emu").c_str();
                       for (const auto& c : cases) {
                           dlg.m_romDir = c.first.c_str();
                           dlg.FillRomList();
                           EXPECT_EQ(TreeItems(hTree), c.second) << c.first;
                           for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem;
                                hItem = TreeView_GetNextSibling(hTree, hItem)) {
                               TreeView_SelectItem(hTree, hItem);
                               dlg.LaunchSelected();
                               emulator.WaitForLaunches(++launched);
                           }
                       }
                       // A name with no alias (here: the file is gone) is not passed on.
                       for (const std::wstring& path : unicode)
                           DeleteFileW(path.c_str());
                       dlg.LaunchSelected();
                   }),
                   CloseMessageBox("Launcher Error", message), End(dlg)});

    std::vector<Launch> launches = emulator.Launches();
    ASSERT_EQ(launches.size(), 5u);
    EXPECT_EQ(launches[0].commandLine, "o2em \"" + dir / "100% roms\\\\a b %s %n.bin\" ");
    EXPECT_EQ(launches[2].commandLine, "o2em \"" + longDir + "\\deep.bin\" ");
    // Each by the short alias of its own file (a name with '?' would name none).
    EXPECT_NE(launches[3].commandLine, launches[4].commandLine);
    for (const Launch& launch : launches)
        EXPECT_TRUE(launch.romFound) << launch.commandLine;
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
