// zorvane.ini: read when the launcher opens, written by its close message.
#include "TestSupport.h"

namespace {

TEST_F(LauncherTest, OddValuesLoadByTheFileRulesAndASaveKeepsWhatElseTheFileHolds)
{
    WriteSettings(
        "; written by hand\r\n[OTHER]\r\nA=1\r\n[SETTINGS]\r\nEXTRA=keep\r\nROMS_DIR=\r\nEMU_DIR=" +
        std::string(600, 'e') +
        "\r\nDEBUG=2\r\nNOAUDIO=3\r\nNOVOICE=-1\r\nSCANLINES=1\r\nFULLSCREEN=yes\r\n"
        "AUDIO=150\r\nVOICE=-2147483648\r\nSPEED=150\r\nWINDOW=7\r\nSTICK1=0\r\nSTICK2=\r\n");
    WithLauncher([&](CLauncherDlg& dlg) {
        // An empty value takes the default; a value is cut at 511 characters; 2
        // counts as on, and anything outside 0..2 is off once the dialog is open;
        // a list index past the end selects nothing; a level past its slider's
        // end stays as read and shows in its value box. The save shows the rest.
        EXPECT_EQ(dlg.m_debug, 2);
        EXPECT_EQ(ControlText(dlg.m_hWnd, IDC_AUDIO_VALUE), "150");
        EXPECT_EQ(dlg.m_audioSlider.GetPos(), 100);
        EXPECT_EQ(dlg.m_voiceSlider.GetPos(), 0);
        EXPECT_EQ(dlg.m_speedSlider.GetPos(), 150);
        EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_DEBUG), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_NOSOUND), BST_UNCHECKED);
        dlg.SaveSettings();
        EXPECT_EQ(SettingsLines(),
                  (std::vector<std::string>{
                      "; written by hand", "[OTHER]", "A=1", "[SETTINGS]", "EXTRA=keep",
                      "ROMS_DIR=roms", "EMU_DIR=" + std::string(511, 'e'), "DEBUG=1", "NOAUDIO=0",
                      "NOVOICE=0", "SCANLINES=1", "FULLSCREEN=0", "AUDIO=150", "VOICE=-2147483648",
                      "SPEED=150", "WINDOW=-1", "STICK1=0", "STICK2=2", "SPEEDLIMITER=0"}));
        // The load itself keeps a flag as the number read, and sets the sliders.
        WriteSettings("[SETTINGS]\r\nNOAUDIO=5\r\nSPEEDLIMITER=-3\r\nAUDIO=33\r\nVOICE=66\r\n");
        dlg.LoadSettings();
        EXPECT_EQ(dlg.m_noSound, 5);
        EXPECT_EQ(dlg.m_noLimit, -3);
        EXPECT_EQ(dlg.m_audioSlider.GetPos(), 33);
        EXPECT_EQ(dlg.m_voiceSlider.GetPos(), 66);
    });
}

TEST_F(LauncherTest, TheFileIsFoundInACurrentDirectoryNearTheLimit)
{
    // Just short enough for the profile functions (MAX_PATH for the whole file path).
    std::string nearLimit = dir.Path();
    while (nearLimit.size() + sizeof "\\zorvane.ini" < MAX_PATH - 5) {
        nearLimit += "\\d";
        CreateDirectoryA(nearLimit.c_str(), NULL);
    }
    ScopedCurrentDirectory inDir(nearLimit);
    WriteFile("zorvane.ini", "[SETTINGS]\r\nAUDIO=42\r\n");
    WithLauncher([](CLauncherDlg& dlg) {
        EXPECT_EQ(dlg.m_audioVolume, 42);
        dlg.m_speed = 77;
        dlg.SaveSettings();
    });
    EXPECT_TRUE(Contains(ReadLines("zorvane.ini"), "SPEED=77"));
}

} // namespace
