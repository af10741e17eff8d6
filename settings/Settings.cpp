#include "core/LauncherDlg.h"
#include "win/CurrentDirectory.h"

#include <cstdlib>

// zorvane.ini, section SETTINGS. Keys are handled in this order: the two
// directories, the nine flags and numbers, then the three list selections.
static const char kSection[] = "SETTINGS";

struct NumberSetting
{
    LPCTSTR key;
    int CLauncherDlg::*member;
    int defaultValue;
    bool isFlag; // saved as "1" or "0"
};

static const NumberSetting kNumberSettings[] = {
    {"DEBUG", &CLauncherDlg::m_debug, 0, true},
    {"NOAUDIO", &CLauncherDlg::m_noSound, 0, true},
    {"NOVOICE", &CLauncherDlg::m_noVoice, 0, true},
    {"SCANLINES", &CLauncherDlg::m_scanlines, 0, true},
    {"FULLSCREEN", &CLauncherDlg::m_fullScreen, 0, true},
    {"SPEEDLIMITER", &CLauncherDlg::m_noLimit, 0, true},
    {"AUDIO", &CLauncherDlg::m_audioVolume, 100, false},
    {"VOICE", &CLauncherDlg::m_voiceVolume, 100, false},
    {"SPEED", &CLauncherDlg::m_speed, 100, false},
};

struct ListSetting
{
    LPCTSTR key;
    CComboBox CLauncherDlg::*list;
    int defaultValue;
};

static const ListSetting kListSettings[] = {
    {"WINDOW", &CLauncherDlg::m_windowSizeCombo, 1},
    {"STICK1", &CLauncherDlg::m_stick1Combo, 1},
    {"STICK2", &CLauncherDlg::m_stick2Combo, 2},
};

static CString SettingsPath() { return GetCurrentDirectoryPath() + "\\zorvane.ini"; }

int CLauncherDlg::LoadSettings()
{
    CString path = SettingsPath();
    // Values longer than 511 characters come back cut to 511.
    char value[512];
    // An empty value (a count of zero) takes the default as it stands.
    auto readText = [&](LPCTSTR key, LPCTSTR defaultText) -> LPCTSTR {
        DWORD count =
            GetPrivateProfileStringA(kSection, key, defaultText, value, sizeof value, path);
        return count != 0 ? value : defaultText;
    };
    auto readNumber = [&](LPCTSTR key, int defaultValue) {
        char defaultText[12];
        _itoa(defaultValue, defaultText, 10);
        DWORD count =
            GetPrivateProfileStringA(kSection, key, defaultText, value, sizeof value, path);
        return count != 0 ? atoi(value) : defaultValue;
    };

    m_romDir = readText("ROMS_DIR", "roms");
    m_emuDir = readText("EMU_DIR", "");
    // Flags keep the number read; the data exchange that follows the load clears
    // anything outside 0 to 2.
    for (const NumberSetting& setting : kNumberSettings)
        this->*setting.member = readNumber(setting.key, setting.defaultValue);
    for (const ListSetting& setting : kListSettings)
        (this->*setting.list).SetCurSel(readNumber(setting.key, setting.defaultValue));

    m_audioSlider.SetPos(m_audioVolume);
    m_voiceSlider.SetPos(m_voiceVolume);
    m_speedSlider.SetPos(m_speed);
    return 1;
}

void CLauncherDlg::SaveSettings()
{
    CString path = SettingsPath();
    auto write = [&](LPCTSTR key, LPCTSTR value) {
        WritePrivateProfileStringA(kSection, key, value, path);
    };
    char number[12];

    write("ROMS_DIR", m_romDir);
    write("EMU_DIR", m_emuDir);
    for (const NumberSetting& setting : kNumberSettings) {
        int value = this->*setting.member;
        write(setting.key, setting.isFlag ? (value ? "1" : "0") : _itoa(value, number, 10));
    }
    // A list with no selection is saved as -1.
    for (const ListSetting& setting : kListSettings)
        write(setting.key, _itoa((this->*setting.list).GetCurSel(), number, 10));
}
