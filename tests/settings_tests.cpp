// zorvane.ini: read when the launcher opens, written by its close message.
#include "TestSupport.h"

namespace {

TEST_F(LauncherTest, OddValuesLoadByTheFileRulesAndASaveKeepsWhatElseTheFileHolds)
{
    WriteSettings(
        "; written by hand\r\n[OTHER]\r\nA=1\r\n[SETTINGS]\r\nEXTRA=keep\r\nROMS_DIR=\r\nEMU_DIR=" +
        std::string(600, 'e') +
        "\r\nAUDIO=150\r\nVOICE=-2147483648\r\nSPEED=150\r\nWINDOW=7\r\nSTICK1=0\r\n"
        "STICK2=\r\n");
    WithLauncher([&](CLauncherDlg& dlg) {
        // An empty value takes the default; a value is cut at 511 characters; a
        // list index past the end selects nothing; a level past its slider's
        // end stays as read and shows in its value box. The save shows the rest.
        EXPECT_EQ(ControlText(dlg.m_hWnd, IDC_AUDIO_VALUE), "150");
        EXPECT_EQ(dlg.m_audioSlider.GetPos(), 100);
        EXPECT_EQ(dlg.m_voiceSlider.GetPos(), 0);
        EXPECT_EQ(dlg.m_speedSlider.GetPos(), 150);
        dlg.SaveSettings();
        EXPECT_EQ(
            SettingsLines(),
            (std::vector<std::string>{
                "; written by hand", "[OTHER]", "A=1", "[SETTINGS]", "EXTRA=keep", "ROMS_DIR=roms",
                "EMU_DIR=" + std::string(511, 'e'), "AUDIO=150", "VOICE=-2147483648", "SPEED=150",
                "WINDOW=-1", "STICK1=0", "STICK2=2", "DEBUG=0", "NOAUDIO=0", "NOVOICE=0",
                "SCANLINES=0", "FULLSCREEN=0", "SPEEDLIMITER=0"}));
    });
}

TEST_F(LauncherTest, EveryFlagReadAsOneOrTwoIsOnAndAnythingElseOffAndIsSavedSoNearMaxPath)
{
    // In a current directory just short enough for the profile functions
    // (MAX_PATH for the whole file path), which read and write the file there.
    std::string nearLimit = dir.Path();
    while (nearLimit.size() + sizeof "\\zorvane.ini" < MAX_PATH - 5) {
        nearLimit += "\\d";
        CreateDirectoryA(nearLimit.c_str(), NULL);
    }
    ScopedCurrentDirectory inDir(nearLimit);
    const std::vector<std::pair<std::string, int>> flags = {
        {"DEBUG", IDC_DEBUG},           {"NOAUDIO", IDC_NOSOUND},
        {"NOVOICE", IDC_NOVOICE},       {"SCANLINES", IDC_SCANLINES},
        {"FULLSCREEN", IDC_FULLSCREEN}, {"SPEEDLIMITER", IDC_NOLIMIT}};
    for (const char* value : {"1", "2", "3", "-1", "2147483647", "yes", ""}) {
        bool on = std::string(value) == "1" || std::string(value) == "2";
        std::string file = "[SETTINGS]\r\n";
        for (const auto& flag : flags)
            file += flag.first + "=" + value + "\r\n";
        WriteFile("zorvane.ini", file);
        WithLauncher([&](CLauncherDlg& dlg) {
            for (const auto& flag : flags)
                EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, flag.second),
                          on ? BST_CHECKED : BST_UNCHECKED)
                    << flag.first << "=" << value;
            dlg.SaveSettings();
        });
        std::vector<std::string> lines = ReadLines("zorvane.ini");
        for (const auto& flag : flags)
            EXPECT_TRUE(Contains(lines, flag.first + (on ? "=1" : "=0")))
                << flag.first << "=" << value;
    }
}

} // namespace
