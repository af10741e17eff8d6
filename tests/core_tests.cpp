// The option string and the start of the emulator, on a real launcher dialog.
#include "TestSupport.h"

namespace {

TEST_F(LauncherTest, OptionStringLeavesOutDefaultsAndKeepsItsFixedOrder)
{
    // {flags and numbers in the file's order (debug, no sound, no voice,
    // scanlines, full screen, no limit, audio, voice, speed), list selections
    // (window, stick 1, stick 2), the option string}
    struct Case
    {
        std::vector<int> values, lists;
        const char* options;
    };
    const std::vector<Case> cases = {
        {{0, 0, 0, 0, 0, 0, 100, 100, 100}, {1, 1, 2}, ""},
        {{0, 0, 0, 0, 1, 0, 40, 100, 100}, {3, 1, 2}, " -wsize=4 -fullscreen -svolume=40"},
        // A switch silences its level; no limiter leaves out the speed.
        {{0, 1, 0, 0, 0, 0, 40, 100, 100}, {1, 1, 2}, " -nosound"},
        {{0, 0, 1, 0, 0, 1, 100, 10, 150}, {1, 1, 2}, " -novoice -nolimit"},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0},
         {0, 0, 3},
         " -wsize=1 -svolume=0 -vvolume=0 -speed=0 -s1=0 -s2=3"},
        {{0, 0, 0, 0, 0, 0, 100, 100, 100}, {-1, -1, -1}, " -wsize=0 -s1=-1 -s2=-1"},
        {{0, 0, 0, 0, 0, 0, 100, 100, 100}, {1, 2, 1}, " -s1=2 -s2=1"},
        {{1, 0, 0, 1, 1, 0, 5, 6, 7},
         {2, 3, 0},
         " -wsize=3 -fullscreen -scanlines -svolume=5 -vvolume=6 -debug -speed=7 -s1=3 -s2=0"},
        // 2 counts as on, for every flag; a level out of the slider's range goes
        // through unchanged.
        {{2, 0, 2, 2, 2, 2, 150, 100, 100},
         {1, 1, 2},
         " -fullscreen -scanlines -novoice -svolume=150 -debug -nolimit"},
        {{0, 2, 0, 0, 0, 0, 100, 100, 100}, {1, 1, 2}, " -nosound"},
    };
    WithLauncher([&](CLauncherDlg& dlg) {
        int* numbers[] = {&dlg.m_debug,       &dlg.m_noSound,     &dlg.m_noVoice,
                          &dlg.m_scanlines,   &dlg.m_fullScreen,  &dlg.m_noLimit,
                          &dlg.m_audioVolume, &dlg.m_voiceVolume, &dlg.m_speed};
        CComboBox* lists[] = {&dlg.m_windowSizeCombo, &dlg.m_stick1Combo, &dlg.m_stick2Combo};
        for (const Case& c : cases) {
            for (int i = 0; i < 9; i++)
                *numbers[i] = c.values[i];
            for (int i = 0; i < 3; i++)
                lists[i]->SetCurSel(c.lists[i]);
            EXPECT_EQ(dlg.BuildOptions(), 1);
            EXPECT_EQ(Str(dlg.m_options), c.options);
        }
    });
}

TEST_F(LauncherTest, TheEmulatorGetsAPathToTheChosenRomOrTheUserHearsWhyNot)
{
    const std::string emuDir = dir / "emu", romDir = dir / "roms";
    MakeFiles(romDir, {"pacman.bin", "game.bin"});
    // A stand-in in the emulator directory, and one in the launcher's own, where
    // the start runs when the emulator directory is empty or cannot be entered.
    StandInEmulator emulator(emuDir);
    ASSERT_TRUE(CopyFileA((emuDir + "\\o2em.exe").c_str(), (dir / "o2em.exe").c_str(), FALSE));
    struct Case
    {
        std::string romDir, emuDir, commandLine, directory;
    };
    const std::string here = "o2em \"roms\\pacman.bin\" ";
    const std::vector<Case> cases = {
        {romDir, emuDir, "o2em \"" + romDir + "\\pacman.bin\" ", emuDir},
        // A relative ROM directory is made absolute when the emulator runs elsewhere,
        {"roms", emuDir, "o2em \"" + romDir + "\\pacman.bin\" ", emuDir},
        {"roms\\", emuDir + "\\", "o2em \"" + romDir + "\\\\pacman.bin\" ", emuDir},
        // and stays as it is when the emulator runs here.
        {"roms", dir.Path(), here, dir.Path()},
        {"roms", "", here, dir.Path()},
        {"roms", dir / "missing", here, dir.Path()},
    };
    // Without the launcher's own copy, these find no emulator to start.
    CreateDirectoryA((dir / "broken").c_str(), NULL);
    WriteFile(dir / "broken\\o2em.exe", "this is not a program");
    const std::vector<std::string> noEmulator = {dir / "nothing", "", dir / "50%s %n emu\\",
                                                 dir / "broken"};
    std::vector<std::vector<std::string>> messages(noEmulator.size());
    std::vector<HWND> owners(noEmulator.size());
    HWND hLauncher = NULL;
    CLauncherDlg dlg;
    std::vector<Launch> launches;
    std::vector<Step> steps = {Do([&] {
        hLauncher = dlg.m_hWnd;
        ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "pacman.bin"));
        for (const Case& c : cases) {
            dlg.m_romDir = c.romDir.c_str();
            dlg.m_emuDir = c.emuDir.c_str();
            dlg.LaunchSelected();
            EXPECT_TRUE(CurrentDirectoryW() == Wide(dir.Path()));
            // The directory is kept as the user gave it.
            EXPECT_EQ(Str(dlg.m_romDir), c.romDir);
            launches = emulator.WaitForLaunches(launches.size() + 1);
        }
        // The last start ran from here, and its program goes once it has ended.
        ASSERT_TRUE(
            WaitUntil([&] { return DeleteFileA((dir / "o2em.exe").c_str()) != FALSE; }, 5000));
    })};
    for (size_t i = 0; i < noEmulator.size(); i++) {
        steps.push_back(Do([&, i] {
            dlg.m_emuDir = noEmulator[i].c_str();
            dlg.LaunchSelected();
            EXPECT_TRUE(CurrentDirectoryW() == Wide(dir.Path()));
        }));
        steps.push_back(CloseMessageBox("Launcher Error", messages[i], &owners[i]));
    }
    steps.push_back(Do([&] {
        // With nothing selected nothing starts, but the options are rebuilt.
        dlg.m_romDir = "nothing-here";
        dlg.FillRomList();
        dlg.m_debug = 1;
        dlg.LaunchSelected();
        EXPECT_EQ(Str(dlg.m_options), " -debug");
        // None of the refused starts above either.
        ExpectNoLaunchBeyond(emulator, cases.size());
    }));
    steps.push_back(End(dlg));
    RunModal(dlg, steps);

    launches = emulator.Launches();
    ASSERT_EQ(launches.size(), cases.size());
    for (size_t i = 0; i < cases.size(); i++) {
        EXPECT_EQ(launches[i].commandLine, cases[i].commandLine) << i;
        EXPECT_EQ(launches[i].directory, cases[i].directory) << i;
    }
    for (const Launch& launch : launches)
        EXPECT_TRUE(launch.romFound) << launch.commandLine;
    // The failed start's words, which users know, are pinned here; the other
    // tests take the program's texts from Messages.h.
    for (size_t i = 0; i < noEmulator.size(); i++) {
        EXPECT_EQ(messages[i],
                  std::vector<std::string>{"Unable to find O2em.exe at " + noEmulator[i]});
        EXPECT_EQ(owners[i], hLauncher) << noEmulator[i];
    }
}

} // namespace
