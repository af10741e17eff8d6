// The option string and the start of the emulator, on a real launcher dialog.
#include "TestSupport.h"
#include "core/LauncherDlg.h"

namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Str(const CString& s) { return (LPCTSTR)s; }

void ResetToDefaults(CLauncherDlg& dlg)
{
    dlg.m_fullScreen = dlg.m_scanlines = dlg.m_noSound = dlg.m_noVoice = 0;
    dlg.m_noLimit = dlg.m_debug = 0;
    dlg.m_audioVolume = dlg.m_voiceVolume = dlg.m_speed = 100;
    dlg.m_windowSizeCombo.SetCurSel(1);
    dlg.m_stick1Combo.SetCurSel(1);
    dlg.m_stick2Combo.SetCurSel(2);
}

Step EndDialog(CLauncherDlg& dlg)
{
    return Do([&dlg] { dlg.EndDialog(0); });
}

TEST_F(LauncherTest, OptionStringLeavesOutDefaultsAndKeepsItsFixedOrder)
{
    CLauncherDlg dlg;
    struct Case
    {
        const char* what;
        std::function<void()> set;
        const char* options;
    };
    const std::vector<Case> cases = {
        {"defaults", [] {}, ""},
        {"giant window, full screen, audio 40",
         [&] {
             dlg.m_windowSizeCombo.SetCurSel(3);
             dlg.m_fullScreen = 1;
             dlg.m_audioVolume = 40;
         },
         " -wsize=4 -fullscreen -svolume=40"},
        {"no sound silences the audio level",
         [&] {
             dlg.m_noSound = 1;
             dlg.m_audioVolume = 40;
         },
         " -nosound"},
        {"no voice silences the voice level",
         [&] {
             dlg.m_noVoice = 1;
             dlg.m_voiceVolume = 10;
         },
         " -novoice"},
        {"no limiter leaves out the speed",
         [&] {
             dlg.m_noLimit = 1;
             dlg.m_speed = 150;
         },
         " -nolimit"},
        {"levels and speed at zero",
         [&] { dlg.m_audioVolume = dlg.m_voiceVolume = dlg.m_speed = 0; },
         " -svolume=0 -vvolume=0 -speed=0"},
        {"stick 1 disabled, stick 2 joystick",
         [&] {
             dlg.m_stick1Combo.SetCurSel(0);
             dlg.m_stick2Combo.SetCurSel(3);
         },
         " -s1=0 -s2=3"},
        {"stick 1 left", [&] { dlg.m_stick1Combo.SetCurSel(2); }, " -s1=2"},
        {"tiny window", [&] { dlg.m_windowSizeCombo.SetCurSel(0); }, " -wsize=1"},
        {"lists with no selection",
         [&] {
             dlg.m_windowSizeCombo.SetCurSel(-1);
             dlg.m_stick1Combo.SetCurSel(-1);
             dlg.m_stick2Combo.SetCurSel(-1);
         },
         " -wsize=0 -s1=-1 -s2=-1"},
        {"switches in the fixed order, whatever order they were set in",
         [&] {
             dlg.m_noLimit = 1;
             dlg.m_debug = 1;
             dlg.m_fullScreen = 1;
         },
         " -fullscreen -debug -nolimit"},
        {"every fragment",
         [&] {
             dlg.m_windowSizeCombo.SetCurSel(2);
             dlg.m_fullScreen = dlg.m_scanlines = dlg.m_debug = 1;
             dlg.m_audioVolume = 5;
             dlg.m_voiceVolume = 6;
             dlg.m_speed = 7;
             dlg.m_stick1Combo.SetCurSel(3);
             dlg.m_stick2Combo.SetCurSel(0);
         },
         " -wsize=3 -fullscreen -scanlines -svolume=5 -vvolume=6 -debug -speed=7 -s1=3 -s2=0"},
        {"a flag of 2 counts as on", [&] { dlg.m_scanlines = 2; }, " -scanlines"},
        {"a level out of the slider's range goes through unchanged",
         [&] { dlg.m_audioVolume = 150; }, " -svolume=150"},
    };

    RunModal(dlg, {Do([&] {
                       for (const Case& c : cases) {
                           ResetToDefaults(dlg);
                           c.set();
                           EXPECT_EQ(dlg.BuildOptions(), 1);
                           EXPECT_EQ(Str(dlg.m_options), c.options) << c.what;
                       }
                   }),
                   EndDialog(dlg)});
}

class LaunchTest : public LauncherTest
{
protected:
    std::string emuDir = dir / "emu";
    std::string romDir = dir / "roms";

    void SetUp() override
    {
        MakeFiles(romDir, {"pacman.bin", "game.bin"});
        CreateDirectoryA(emuDir.c_str(), NULL);
    }
};

TEST_F(LaunchTest, HandsTheEmulatorAPathToTheChosenRom)
{
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
        {"roms\\", emuDir, "o2em \"" + romDir + "\\\\pacman.bin\" ", emuDir},
        // and stays as it is when the emulator runs here.
        {"roms", dir.Path(), here, dir.Path()},
        {"roms", "", here, dir.Path()},
        {"roms", dir / "missing", here, dir.Path()},
    };
    WriteSettings("[SETTINGS]\r\nEMU_DIR=" + emuDir + "\r\nFULLSCREEN=1\r\nWINDOW=3\r\n");
    CLauncherDlg dlg;
    std::vector<Launch> launches;
    RunModal(dlg, {Do([&] {
                       // The options follow the settings.
                       ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin"));
                       dlg.LaunchSelected();
                       EXPECT_EQ(WindowText(GetActiveWindow()), "Zorvane V0.1b");
                       launches = emulator.WaitForLaunches(1);
                       dlg.m_fullScreen = 0;
                       dlg.m_windowSizeCombo.SetCurSel(1);
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
                   }),
                   EndDialog(dlg)});

    ASSERT_EQ(launches.size(), cases.size() + 1);
    EXPECT_EQ(launches[0].commandLine, "o2em \"" + romDir + "\\game.bin\"  -wsize=4 -fullscreen");
    EXPECT_EQ(launches[0].directory, emuDir);
    for (size_t i = 0; i < cases.size(); i++) {
        EXPECT_EQ(launches[i + 1].commandLine, cases[i].commandLine) << i;
        EXPECT_EQ(launches[i + 1].directory, cases[i].directory) << i;
    }
    for (const Launch& launch : launches)
        EXPECT_TRUE(launch.romFound) << launch.commandLine;
}

TEST_F(LaunchTest, LeavesTheLauncherInItsOwnCurrentDirectory)
{
    StandInEmulator emulator(emuDir);
    // As long as the platform allows (Wine stops ANSI programs at MAX_PATH).
    std::string launcherDir = MakeLongestDirectory(dir.Path());
    ASSERT_TRUE(SetCurrentDirectoryA(launcherDir.c_str()));

    CLauncherDlg dlg;
    std::vector<Launch> launches;
    RunModal(dlg, {Do([&] {
                       dlg.m_romDir = romDir.c_str();
                       dlg.m_emuDir = emuDir.c_str();
                       dlg.FillRomList();
                       ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin"));
                       dlg.LaunchSelected();
                       EXPECT_TRUE(CurrentDirectoryW() == Wide(launcherDir));
                       launches = emulator.WaitForLaunches(1);
                   }),
                   EndDialog(dlg)});

    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].directory, emuDir);
    EXPECT_TRUE(launches[0].romFound);
}

TEST_F(LaunchTest, DoesNothingWithoutASelectionButRebuildsTheOptions)
{
    StandInEmulator emulator(emuDir);
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] {
                       dlg.m_emuDir = emuDir.c_str();
                       dlg.m_romDir = (dir / "nothing-here").c_str();
                       dlg.FillRomList();
                       dlg.m_debug = 1;
                       dlg.m_options = "stale";
                       dlg.LaunchSelected();
                       EXPECT_EQ(Str(dlg.m_options), " -debug");
                       EXPECT_EQ(FindDialog("Launcher Error"), (HWND)NULL);
                   }),
                   EndDialog(dlg)});
    Sleep(300);
    EXPECT_TRUE(emulator.Launches().empty());
}

TEST_F(LaunchTest, ReportsAnEmulatorThatCannotBeStarted)
{
    const std::string missing = dir / "nothing";
    for (const std::string& emu : {missing, std::string()}) {
        CLauncherDlg dlg;
        std::vector<std::string> texts;
        HWND owner = NULL, launcher = NULL;
        RunModal(dlg, {Do([&] {
                           launcher = dlg.m_hWnd;
                           dlg.m_romDir = romDir.c_str();
                           dlg.m_emuDir = emu.c_str();
                           dlg.FillRomList();
                           SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin");
                           dlg.LaunchSelected();
                           EXPECT_TRUE(CurrentDirectoryW() == Wide(dir.Path()));
                       }),
                       CloseMessageBox("Launcher Error", texts, &owner), EndDialog(dlg)});
        EXPECT_EQ(texts, std::vector<std::string>{"Unable to find O2em.exe at " + emu});
        EXPECT_EQ(owner, launcher);
    }
}

} // namespace
