// Bad settings files, bad directories and names, and faults at launch: the
// launcher keeps to its rules and neither crashes, hangs nor leaks.
#include "TestSupport.h"
#include "core/LauncherDlg.h"

#include <shlobj.h>

#include <random>

namespace {

Step EndDialog(CLauncherDlg& dlg)
{
    return Do([&dlg] { dlg.EndDialog(0); });
}

bool IsInteger(const std::string& text)
{
    size_t digits = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (digits == text.size())
        return false;
    if (text[digits] == '0' && text.size() > digits + 1)
        return false;
    return text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// Fragments from the fixed set, each once at most, in the fixed order.
bool IsWellFormed(const std::string& options)
{
    static const char* const names[] = {"wsize=",  "fullscreen", "scanlines", "nosound",
                                        "novoice", "svolume=",   "vvolume=",  "debug",
                                        "nolimit", "speed=",     "s1=",       "s2="};
    int last = -1;
    for (size_t pos = 0; pos < options.size();) {
        if (options.compare(pos, 2, " -") != 0)
            return false;
        size_t end = std::min(options.find(' ', pos + 2), options.size());
        std::string fragment = options.substr(pos + 2, end - pos - 2);
        pos = end;
        int which = -1;
        for (int i = 0; i < 12 && which < 0; i++) {
            std::string name = names[i];
            bool takesNumber = name.back() == '=';
            if (takesNumber
                    ? fragment.rfind(name, 0) == 0 && IsInteger(fragment.substr(name.size()))
                    : fragment == name)
                which = i;
        }
        if (which <= last)
            return false;
        last = which;
    }
    return true;
}

// The settings as the file stores them.
struct Snapshot
{
    std::string romDir, emuDir;
    std::vector<int> values;
    bool operator==(const Snapshot& other) const
    {
        return romDir == other.romDir && emuDir == other.emuDir && values == other.values;
    }
};

Snapshot Take(CLauncherDlg& dlg)
{
    return {(LPCTSTR)dlg.m_romDir,
            (LPCTSTR)dlg.m_emuDir,
            {dlg.m_debug != 0, dlg.m_noSound != 0, dlg.m_noVoice != 0, dlg.m_scanlines != 0,
             dlg.m_fullScreen != 0, dlg.m_noLimit != 0, dlg.m_audioVolume, dlg.m_voiceVolume,
             dlg.m_speed, dlg.m_windowSizeCombo.GetCurSel(), dlg.m_stick1Combo.GetCurSel(),
             dlg.m_stick2Combo.GetCurSel()}};
}

// What the dialog holds once it has read a file, as at the end of its initialisation.
void CheckOpened(CLauncherDlg& dlg, const std::string& what)
{
    for (BOOL flag : {dlg.m_debug, dlg.m_noSound, dlg.m_noVoice, dlg.m_scanlines, dlg.m_fullScreen,
                      dlg.m_noLimit})
        EXPECT_TRUE(flag >= 0 && flag <= 2) << what;
    for (CComboBox* list : {&dlg.m_windowSizeCombo, &dlg.m_stick1Combo, &dlg.m_stick2Combo})
        EXPECT_TRUE(list->GetCurSel() >= -1 && list->GetCurSel() <= 3) << what;
    dlg.BuildOptions();
    EXPECT_TRUE(IsWellFormed((LPCTSTR)dlg.m_options)) << what << ": " << (LPCTSTR)dlg.m_options;
}

std::string RandomValue(std::mt19937& random)
{
    static const char* const values[] = {
        "0",          "1",           "2",    "5",  "-1",  "100",        "150",       "-2147483648",
        "2147483647", "99999999999", "abc",  "",   " 7 ", "\"quoted\"", "%s%n%d",    "12abc",
        "C:\\roms\\", "..\\x",       "0x10", "+3", "\t",  "=",          "[SETTINGS]"};
    std::string value = values[random() % (sizeof values / sizeof *values)];
    if (random() % 8 == 0)
        value += std::string(random() % 700, "ab%\"; "[random() % 6]);
    return value;
}

std::string RandomSettingsFile(std::mt19937& random)
{
    static const char* const keys[] = {"ROMS_DIR", "EMU_DIR",   "DEBUG",      "NOAUDIO",
                                       "NOVOICE",  "SCANLINES", "FULLSCREEN", "SPEEDLIMITER",
                                       "AUDIO",    "VOICE",     "SPEED",      "WINDOW",
                                       "STICK1",   "STICK2",    "OTHER"};
    static const char* const sections[] = {"[SETTINGS]", "[settings]", "[OTHER]", "[ SETTINGS ]",
                                           "[]"};
    std::string file;
    int lines = random() % 24;
    for (int i = 0; i < lines; i++) {
        switch (random() % 6) {
        case 0:
            file += sections[random() % 5];
            break;
        case 1:
            file += "; a comment";
            break;
        case 2:
            for (int n = random() % 40; n > 0; n--)
                file += (char)(1 + random() % 255);
            break;
        default: {
            std::string key = keys[random() % 15];
            if (random() % 4 == 0)
                for (char& c : key)
                    c = (char)tolower(c);
            file += key + (random() % 3 ? "=" : " = ") + RandomValue(random);
        }
        }
        file += random() % 5 ? "\r\n" : "\n";
    }
    return file;
}

TEST_F(LauncherTest, RandomSettingsFilesOpenWellAndSurviveASave)
{
    std::mt19937 random(20261207);
    const int cases = 1000;
    int failures = 0;
    CLauncherDlg dlg;
    RunModal(dlg,
             {Do([&] {
                  for (int i = 0; i < cases && failures < 5; i++) {
                      std::string content = RandomSettingsFile(random);
                      WriteSettings(content);
                      // As the dialog's initialisation does: load, then the controls.
                      dlg.LoadSettings();
                      dlg.UpdateData(FALSE);
                      std::string what = "case " + std::to_string(i);
                      CheckOpened(dlg, what);
                      Snapshot opened = Take(dlg);
                      dlg.SaveSettings();
                      dlg.LoadSettings();
                      dlg.UpdateData(FALSE);
                      if (!(Take(dlg) == opened)) {
                          ADD_FAILURE() << what << " does not load back the same:\n" << content;
                          failures++;
                      }
                  }
              }),
              EndDialog(dlg)},
             120000);
}

struct BadFile
{
    const char* what;
    std::function<void(const std::string& path)> make;
    bool writable;
};

TEST_F(LauncherTest, HandPickedSettingsFilesOpenWellAndCloseCleanly)
{
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[SETTINGS]\r\nAUDIO=42\r\n"))
        utf16 += std::string(1, c) + '\0';
    std::string random;
    std::mt19937 generator(7);
    for (int i = 0; i < 5000; i++)
        random += (char)generator();
    auto content = [](std::string text) {
        return [text](const std::string& path) { WriteFile(path, text); };
    };
    const std::vector<BadFile> files = {
        {"empty", content(""), true},
        {"random bytes", content(random), true},
        {"10 MB", content("[SETTINGS]\r\nAUDIO=7\r\n" + std::string(10 << 20, 'x')), true},
        {"a line of 100,000 characters",
         content("[SETTINGS]\r\nROMS_DIR=" + std::string(100000, 'r') + "\r\n"), true},
        {"no section", content("AUDIO=5\r\nDEBUG=1\r\n"), true},
        {"the section twice", content("[SETTINGS]\r\nAUDIO=5\r\n[SETTINGS]\r\nAUDIO=6\r\n"), true},
        {"keys twice", content("[SETTINGS]\r\nAUDIO=5\r\nAUDIO=6\r\n"), true},
        {"other case", content("[settings]\r\naudio=5\r\nroms_dir=x\r\n"), true},
        {"blanks around =", content("[SETTINGS]\r\n  AUDIO  =  5  \r\n"), true},
        {"quoted values", content("[SETTINGS]\r\nROMS_DIR=\"C:\\my roms\"\r\nAUDIO=\"5\"\r\n"),
         true},
        {"format characters", content("[SETTINGS]\r\nROMS_DIR=%s%n%d\r\nEMU_DIR=%s%s%s%n\r\n"),
         true},
        {"extreme numbers",
         content("[SETTINGS]\r\nAUDIO=-2147483648\r\nSPEED=99999999999\r\nWINDOW=99999999999\r\n"),
         true},
        {"UTF-8 byte-order mark", content("\xEF\xBB\xBF[SETTINGS]\r\nAUDIO=5\r\n"), true},
        {"UTF-16", content(utf16), true},
        {"a directory", [](const std::string& path) { CreateDirectoryA(path.c_str(), NULL); },
         false},
        {"read-only",
         [](const std::string& path) {
             WriteFile(path, "[SETTINGS]\r\nAUDIO=5\r\n");
             SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         false},
    };
    std::string path = dir / "zorvane.ini";
    for (const BadFile& file : files) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
        file.make(path);
        CLauncherDlg dlg;
        Snapshot opened;
        int result = RunModal(dlg, {Do([&] {
                                  CheckOpened(dlg, file.what);
                                  opened = Take(dlg);
                                  dlg.SendMessage(WM_CLOSE);
                              })});
        EXPECT_EQ(result, IDCANCEL) << file.what;
        if (!file.writable)
            continue;
        CLauncherDlg again;
        RunModal(again, {Do([&] {
                     EXPECT_TRUE(Take(again) == opened) << file.what;
                     again.EndDialog(0);
                 })});
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(LauncherTest, BadDirectoriesAndNamesListAndLaunchByTheRules)
{
    // 250 characters: made through the wide calls, which CreateDirectoryA's limit
    // of 248 does not bind.
    std::string longDir = dir.Path();
    while (longDir.size() < 250) {
        longDir += "\\" + std::string(std::min<size_t>(249 - longDir.size(), 40), 'd');
        std::wstring wide = L"\\\\?\\" + std::wstring(longDir.begin(), longDir.end());
        CreateDirectoryW(wide.c_str(), NULL);
    }
    MakeFiles(longDir, {"deep.bin"});
    MakeFiles(dir / "100% roms", {"a b %s %n.bin", std::string(200, 'n') + ".bin"});
    WriteFile(dir / "a file", "");
    // Names outside the ANSI code page reach the program as the platform spells
    // them in ANSI: these two both as "?? ?.bin".
    CreateDirectoryA((dir / "unicode").c_str(), NULL);
    std::wstring wideDir(dir.Path().begin(), dir.Path().end());
    std::vector<std::string> shortNames;
    for (const wchar_t* name :
         {L"\\unicode\\\u65e5\u672c \u0431.bin", L"\\unicode\\\u65e5\u672c \u0434.bin"}) {
        std::wstring path = wideDir + name;
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        wchar_t shortPath[MAX_PATH];
        ASSERT_NE(GetShortPathNameW(path.c_str(), shortPath, MAX_PATH), 0u);
        std::wstring shortName = wcsrchr(shortPath, L'\\') + 1;
        shortNames.push_back(std::string(shortName.begin(), shortName.end()));
    }
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    StandInEmulator emulator(dir / "emu");

    struct Case
    {
        std::string romDir;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {dir / "missing", {}},
        {dir / "a file", {}},
        {dir / "100% roms\\", {"a b %s %n.bin", std::string(200, 'n') + ".bin"}},
        {longDir, {"deep.bin"}},
    };
    CLauncherDlg dlg;
    std::vector<std::string> messages;
    size_t launched = 0;
    std::vector<Step> steps;
    for (const Case& c : cases) {
        steps.push_back(Do([&] {
            dlg.m_romDir = c.romDir.c_str();
            dlg.m_emuDir = (dir / "emu").c_str();
            dlg.FillRomList();
            EXPECT_EQ(TreeItems(dlg.m_romTree.m_hWnd), c.items) << c.romDir;
            for (const std::string& item : c.items) {
                SelectTreeItem(dlg.m_romTree.m_hWnd, item);
                dlg.LaunchSelected();
                launched++;
                emulator.WaitForLaunches(launched);
            }
        }));
    }
    std::vector<std::string> message;
    steps.push_back(Do([&] {
        dlg.m_romDir = (dir / "unicode").c_str();
        dlg.FillRomList();
        EXPECT_EQ(TreeItems(dlg.m_romTree.m_hWnd), std::vector<std::string>(2, "?? ?.bin"));
        // Each item is launched by its own file's short alias.
        HTREEITEM hItem = TreeView_GetRoot(dlg.m_romTree.m_hWnd);
        for (int i = 0; i < 2; i++, hItem = TreeView_GetNextSibling(dlg.m_romTree.m_hWnd, hItem)) {
            TreeView_SelectItem(dlg.m_romTree.m_hWnd, hItem);
            dlg.LaunchSelected();
            emulator.WaitForLaunches(++launched);
        }
        // A name with no alias (here: the file is gone) is not passed on.
        for (const wchar_t* name :
             {L"\\unicode\\\u65e5\u672c \u0431.bin", L"\\unicode\\\u65e5\u672c \u0434.bin"})
            DeleteFileW((wideDir + name).c_str());
        dlg.LaunchSelected();
    }));
    steps.push_back(CloseMessageBox("Launcher Error", message));
    steps.push_back(EndDialog(dlg));
    RunModal(dlg, steps, 60000);

    std::vector<Launch> launches = emulator.Launches();
    ASSERT_EQ(launches.size(), 5u);
    EXPECT_EQ(launches[0].commandLine, "o2em \"" + dir / "100% roms\\\\a b %s %n.bin\" ");
    EXPECT_EQ(launches[2].commandLine, "o2em \"" + longDir + "\\deep.bin\" ");
    std::vector<std::string> aliases;
    for (const Launch& launch : {launches[3], launches[4]}) {
        std::string prefix = "o2em \"" + dir / "unicode\\";
        ASSERT_EQ(launch.commandLine.rfind(prefix, 0), 0u) << launch.commandLine;
        aliases.push_back(launch.commandLine.substr(prefix.size(),
                                                    launch.commandLine.size() - prefix.size() - 2));
    }
    std::sort(aliases.begin(), aliases.end());
    std::sort(shortNames.begin(), shortNames.end());
    EXPECT_EQ(aliases, shortNames);
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

TEST_F(LauncherTest, OddEmulatorDirectoriesStartTheEmulatorOrSaySo)
{
    MakeFiles(dir / "roms", {"game.bin"});
    CreateDirectoryA((dir / "100% emu").c_str(), NULL);
    StandInEmulator emulator(dir / "100% emu");
    const std::string missing = dir / "50%s %n emu\\";
    std::vector<std::string> message;
    CLauncherDlg dlg;
    RunModal(dlg, {Do([&] {
                       // A trailing backslash is kept and does no harm.
                       dlg.m_emuDir = (dir / "100% emu\\").c_str();
                       SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin");
                       dlg.LaunchSelected();
                       emulator.WaitForLaunches(1);
                       dlg.m_emuDir = missing.c_str();
                       dlg.LaunchSelected();
                   }),
                   CloseMessageBox("Launcher Error", message), EndDialog(dlg)});
    std::vector<Launch> launches = emulator.Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].directory, dir / "100% emu");
    EXPECT_EQ(message, std::vector<std::string>{"Unable to find O2em.exe at " + missing});
}

TEST_F(LauncherTest, FaultsAtLaunchLeaveTheLauncherAsItWas)
{
    MakeFiles(dir / "roms", {"game.bin"});
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    CreateDirectoryA((dir / "broken").c_str(), NULL);
    WriteFile(dir / "broken\\o2em.exe", "this is not a program");
    StandInEmulator emulator(dir / "emu");
    CLauncherDlg dlg;
    std::vector<std::string> message;
    int handlesAfterFirst = 0;
    RunModal(
        dlg,
        {Do([&] {
             dlg.m_emuDir = (dir / "broken").c_str();
             SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin");
             dlg.LaunchSelected();
         }),
         CloseMessageBox("Launcher Error", message), Do([&] {
             EXPECT_TRUE(CurrentDirectoryW() == std::wstring(dir.Path().begin(), dir.Path().end()));
             dlg.m_emuDir = (dir / "emu").c_str();
             // An emulator that fails at once, then a hundred launches and refills.
             SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", "3");
             for (int i = 1; i <= 100; i++) {
                 SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin");
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
             EXPECT_TRUE(CurrentDirectoryW() == std::wstring(dir.Path().begin(), dir.Path().end()));
         }),
         // An emulator that keeps running leaves the launcher free.
         Do([&] {
             SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
             SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin");
             dlg.LaunchSelected();
             SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", NULL);
         }),
         [&] { return FindWindowA(NULL, "O2em stand-in") != NULL; }, Do([&] {
             DWORD_PTR result;
             EXPECT_TRUE(
                 SendMessageTimeoutA(dlg.m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));
             PostMessageA(FindWindowA(NULL, "O2em stand-in"), WM_COMMAND, IDOK, 0);
             dlg.EndDialog(0);
         })},
        120000);
    EXPECT_EQ(message, std::vector<std::string>{"Unable to find O2em.exe at " + dir / "broken"});
    EXPECT_EQ(emulator.Launches().size(), 101u);
}

} // namespace
