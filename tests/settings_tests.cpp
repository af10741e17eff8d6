// zorvane.ini: read when the launcher opens, written by its close message.
#include "TestSupport.h"
#include "core/LauncherDlg.h"

#include <shlobj.h>

namespace {

std::string Str(const CString& s) { return (LPCTSTR)s; }

Step EndDialog(CLauncherDlg& dlg)
{
    return Do([&dlg] { dlg.EndDialog(0); });
}

const std::vector<std::string> kDefaultFile = {
    "[SETTINGS]", "ROMS_DIR=roms", "EMU_DIR=",     "DEBUG=0",        "NOAUDIO=0",
    "NOVOICE=0",  "SCANLINES=0",   "FULLSCREEN=0", "SPEEDLIMITER=0", "AUDIO=100",
    "VOICE=100",  "SPEED=100",     "WINDOW=1",     "STICK1=1",       "STICK2=2",
};

std::vector<std::string> WithoutBlankLines(std::vector<std::string> lines)
{
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}

TEST_F(LauncherTest, WithoutAFileTheDefaultsApplyAndASaveWritesFourteenKeysInOrder)
{
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] {
                       EXPECT_EQ(Str(dlg.m_romDir), "roms");
                       EXPECT_EQ(Str(dlg.m_emuDir), "");
                       for (BOOL flag : {dlg.m_debug, dlg.m_noSound, dlg.m_noVoice, dlg.m_scanlines,
                                         dlg.m_fullScreen, dlg.m_noLimit})
                           EXPECT_EQ(flag, 0);
                       EXPECT_EQ(dlg.m_audioVolume, 100);
                       EXPECT_EQ(dlg.m_voiceVolume, 100);
                       EXPECT_EQ(dlg.m_speed, 100);
                       EXPECT_EQ(dlg.m_windowSizeCombo.GetCurSel(), 1);
                       EXPECT_EQ(dlg.m_stick1Combo.GetCurSel(), 1);
                       EXPECT_EQ(dlg.m_stick2Combo.GetCurSel(), 2);
                       dlg.BuildOptions();
                       EXPECT_EQ(Str(dlg.m_options), "");
                       dlg.SaveSettings();
                   }),
                   EndDialog(dlg)});
    EXPECT_EQ(WithoutBlankLines(SettingsLines()), kDefaultFile);
}

TEST_F(LauncherTest, OddValuesLoadByTheFileRules)
{
    WriteSettings(
        "[SETTINGS]\r\nROMS_DIR=\r\nEMU_DIR=\r\nDEBUG=2\r\nNOAUDIO=5\r\nNOVOICE=-1\r\n"
        "SCANLINES=1\r\nFULLSCREEN=yes\r\nAUDIO=abc\r\nVOICE=\r\nSPEED=150\r\nWINDOW=7\r\n"
        "STICK1=0\r\nSTICK2=3\r\n");
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] {
                       EXPECT_EQ(Str(dlg.m_romDir), "roms");
                       EXPECT_EQ(Str(dlg.m_emuDir), "");
                       // 2 counts as on; anything outside 0..2 is off once the dialog is open.
                       EXPECT_EQ(dlg.m_debug, 2);
                       EXPECT_EQ(dlg.m_noSound, 0);
                       EXPECT_EQ(dlg.m_noVoice, 0);
                       EXPECT_EQ(dlg.m_scanlines, 1);
                       EXPECT_EQ(dlg.m_fullScreen, 0);
                       EXPECT_EQ(dlg.m_audioVolume, 0);
                       EXPECT_EQ(dlg.m_voiceVolume, 100);
                       EXPECT_EQ(dlg.m_speed, 150);
                       EXPECT_EQ(dlg.m_speedSlider.GetPos(), 150);
                       EXPECT_EQ(dlg.m_windowSizeCombo.GetCurSel(), -1);
                       EXPECT_EQ(dlg.m_stick1Combo.GetCurSel(), 0);
                       EXPECT_EQ(dlg.m_stick2Combo.GetCurSel(), 3);
                       dlg.BuildOptions();
                       EXPECT_EQ(Str(dlg.m_options),
                                 " -wsize=0 -scanlines -svolume=0 -debug -speed=150 -s1=0 -s2=3");
                       dlg.SaveSettings();
                       EXPECT_EQ(WithoutBlankLines(SettingsLines()),
                                 (std::vector<std::string>{
                                     "[SETTINGS]", "ROMS_DIR=roms", "EMU_DIR=", "DEBUG=1",
                                     "NOAUDIO=0", "NOVOICE=0", "SCANLINES=1", "FULLSCREEN=0",
                                     "AUDIO=0", "VOICE=100", "SPEED=150", "WINDOW=-1", "STICK1=0",
                                     "STICK2=3", "SPEEDLIMITER=0"}));

                       // The load itself keeps a flag as the number read.
                       WriteSettings("[SETTINGS]\r\nNOAUDIO=5\r\nSPEEDLIMITER=-3\r\n");
                       dlg.LoadSettings();
                       EXPECT_EQ(dlg.m_noSound, 5);
                       EXPECT_EQ(dlg.m_noLimit, -3);
                   }),
                   EndDialog(dlg)});
}

TEST_F(LauncherTest, AValueLongerThan511CharactersLoadsCut)
{
    WriteSettings("[SETTINGS]\r\nEMU_DIR=" + std::string(600, 'e') + "\r\n");
    CLauncherDlg dlg;
    RunModal(dlg,
             {Do([&] { EXPECT_EQ(Str(dlg.m_emuDir), std::string(511, 'e')); }), EndDialog(dlg)});
}

TEST_F(LauncherTest, SettingsSurviveASaveAndALoad)
{
    {
        CLauncherDlg dlg;
        RunModal(dlg, {Do([&] {
                           dlg.m_romDir = "C:\\some roms\\";
                           dlg.m_emuDir = "D:\\emu";
                           dlg.m_debug = dlg.m_noSound = dlg.m_noVoice = 1;
                           dlg.m_scanlines = dlg.m_fullScreen = dlg.m_noLimit = 1;
                           dlg.m_audioVolume = 33;
                           dlg.m_voiceVolume = 0;
                           dlg.m_speed = 200;
                           dlg.m_windowSizeCombo.SetCurSel(3);
                           dlg.m_stick1Combo.SetCurSel(-1);
                           dlg.m_stick2Combo.SetCurSel(0);
                           dlg.SaveSettings();
                       }),
                       EndDialog(dlg)});
    }
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] {
                       EXPECT_EQ(Str(dlg.m_romDir), "C:\\some roms\\");
                       EXPECT_EQ(Str(dlg.m_emuDir), "D:\\emu");
                       for (BOOL flag : {dlg.m_debug, dlg.m_noSound, dlg.m_noVoice, dlg.m_scanlines,
                                         dlg.m_fullScreen, dlg.m_noLimit})
                           EXPECT_EQ(flag, 1);
                       EXPECT_EQ(dlg.m_audioVolume, 33);
                       EXPECT_EQ(dlg.m_voiceVolume, 0);
                       EXPECT_EQ(dlg.m_speed, 200);
                       EXPECT_EQ(dlg.m_audioSlider.GetPos(), 33);
                       EXPECT_EQ(dlg.m_windowSizeCombo.GetCurSel(), 3);
                       EXPECT_EQ(dlg.m_stick1Combo.GetCurSel(), -1);
                       EXPECT_EQ(dlg.m_stick2Combo.GetCurSel(), 0);
                   }),
                   EndDialog(dlg)});
}

TEST_F(LauncherTest, ASaveKeepsWhatElseTheFileHolds)
{
    WriteSettings(
        "; written by hand\r\n[OTHER]\r\nA=1\r\n[SETTINGS]\r\nEXTRA=keep\r\nAUDIO=50\r\n");
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] { dlg.SaveSettings(); }), EndDialog(dlg)});
    std::vector<std::string> lines = SettingsLines();
    for (const char* kept :
         {"; written by hand", "[OTHER]", "A=1", "EXTRA=keep", "AUDIO=50", "STICK2=2"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), kept), lines.end()) << kept;
}

TEST_F(LauncherTest, ALongCurrentDirectoryNeverSendsTheFileElsewhere)
{
    // Just short enough for the profile functions (MAX_PATH for the whole file path).
    std::string nearLimit = dir.Path();
    while (nearLimit.size() + sizeof "\\zorvane.ini" < MAX_PATH - 5)
        nearLimit += "\\d";
    SHCreateDirectoryExA(NULL, nearLimit.c_str(), NULL);
    {
        ScopedCurrentDirectory inDir(nearLimit);
        WriteFile("zorvane.ini", "[SETTINGS]\r\nAUDIO=42\r\n");
        CLauncherDlg dlg;
        RunModal(dlg, {Do([&] {
                           EXPECT_EQ(dlg.m_audioVolume, 42);
                           dlg.m_speed = 77;
                           dlg.SaveSettings();
                       }),
                       EndDialog(dlg)});
        std::vector<std::string> lines = SplitLines(ReadFile("zorvane.ini"));
        EXPECT_NE(std::find(lines.begin(), lines.end(), "SPEED=77"), lines.end());
    }

    // Past it, the platform cannot reach the file: the save fails silently and
    // writes nothing anywhere else, such as the drive's root.
    std::string longest = MakeLongestDirectory(dir.Path());
    ASSERT_GT(longest.size(), 255u);
    DeleteFileA("\\zorvane.ini");
    ScopedCurrentDirectory inLongest(longest);
    CLauncherDlg dlg;
    EXPECT_EQ(RunModal(dlg, {Do([&] { dlg.SendMessage(WM_CLOSE); })}), IDCANCEL);
    EXPECT_FALSE(FileExists("\\zorvane.ini"));
    EXPECT_FALSE(FileExists(dir / "zorvane.ini"));
}

} // namespace
