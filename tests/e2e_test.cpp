// Zorvane.exe itself, driven from outside as a user would: real keys and clicks.
#include "TestSupport.h"

#include <psapi.h>

namespace {

std::string BuiltProgram() { return ProgramDirectory() + "\\..\\Zorvane.exe"; }

// Where a process loaded comctl32.dll from, in lower case; "" if it did not.
std::string CommonControlsOf(HANDLE hProcess)
{
    HMODULE modules[512];
    DWORD size = 0;
    EnumProcessModules(hProcess, modules, sizeof modules, &size);
    char path[MAX_PATH] = "";
    for (DWORD i = 0; i < size / sizeof(HMODULE) && i < 512; i++) {
        if (!GetModuleFileNameExA(hProcess, modules[i], path, MAX_PATH))
            continue;
        CharLowerA(path);
        if (strstr(path, "\\comctl32.dll") != NULL)
            return path;
    }
    return "";
}

// The quickest set-up: Zorvane put into O2em's own folder, as its archive
// unpacks, and started there with nothing set.
TEST(EndToEnd, InO2emsOwnFolderEnterLaunchesARomFromRomsAndTheCloseBoxSavesThere)
{
    TempDir o2em;
    MakeFiles(o2em.Path(), {"ROMS\\", "BIOS\\", "VOICE\\"});
    MakeFiles(o2em / "ROMS", {"zeta.bin", "alpha.bin"});
    StandInEmulator emulator(o2em.Path());
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), (o2em / "Zorvane.exe").c_str(), FALSE));

    // The stand-in stays open (showing what it received) until it is closed.
    SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
    LauncherProcess launcher(o2em / "Zorvane.exe", "", o2em.Path().c_str());
    ASSERT_NE(launcher.hWnd, (HWND)NULL);
    EXPECT_EQ(SendMessageA(GetDlgItem(launcher.hWnd, IDC_ROM_TREE), TVM_GETCOUNT, 0, 0), 2);
    // Its manifest has the loader take the version 6 common controls, from the
    // side-by-side folder.
    std::string controls = CommonControlsOf(launcher.process.hProcess);
    EXPECT_NE(controls.find("\\winsxs\\"), std::string::npos) << controls;
    EXPECT_NE(controls.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::string::npos)
        << controls;

    // Enter gives the list the focus, which selects its first item, and launches it.
    EXPECT_TRUE(BringToFront(launcher.hWnd));
    PressKey(VK_RETURN);
    std::vector<Launch> launches = emulator.WaitForLaunches(1);
    // The emulator's window takes the foreground when it opens.
    HWND hEmulator = NULL;
    EXPECT_TRUE(
        WaitUntil([&] { return (hEmulator = FindWindowA(NULL, "O2em stand-in")) != NULL; }, 15000));
    EXPECT_TRUE(CloseWithCloseBox(launcher.hWnd, launcher.process.hProcess));
    DWORD exitCode = 1;
    GetExitCodeProcess(launcher.process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    // The emulator it started outlives the launcher.
    EXPECT_TRUE(IsWindow(hEmulator));

    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].commandLine, "o2em \"roms\\alpha.bin\" ");
    EXPECT_EQ(launches[0].directory, o2em.Path());
    EXPECT_TRUE(launches[0].romFound);
    EXPECT_EQ(launches[0].romFile, "alpha.bin");
    // The close box saved the settings in O2em's folder, with the two defaults.
    std::vector<std::string> settings = ReadLines(o2em / "zorvane.ini");
    EXPECT_TRUE(Contains(settings, "ROMS_DIR=roms"));
    EXPECT_TRUE(Contains(settings, "EMU_DIR="));
}

// The first thing most users meet: O2em's archive comes with an empty BIOS
// folder, and O2em closes at once.
TEST(EndToEnd, WhenO2emStopsAtOnceForWantOfABiosTheLauncherSaysWhy)
{
    TempDir o2em;
    MakeFiles(o2em.Path(), {"ROMS\\", "BIOS\\", "VOICE\\"});
    MakeFiles(o2em / "ROMS", {"alpha.bin"});
    StandInEmulator emulator(o2em.Path());
    SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", "1");
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), (o2em / "Zorvane.exe").c_str(), FALSE));
    LauncherProcess launcher(o2em / "Zorvane.exe", "", o2em.Path().c_str());
    ASSERT_TRUE(BringToFront(launcher.hWnd));
    PressKey(VK_RETURN);
    HWND hBox = WaitForWindow(launcher.process.dwProcessId, MSG_CAPTION_LAUNCHER_ERROR);
    ASSERT_NE(hBox, (HWND)NULL);
    EXPECT_EQ(GetWindow(hBox, GW_OWNER), launcher.hWnd);
    std::vector<std::string> texts = StaticTexts(hBox);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].find("O2em stopped at once: its BIOS folder, " + o2em / "BIOS" +
                            ", is empty.\n\nO2em says: \"BIOS directory empty!\""),
              0u)
        << texts[0];
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

TEST(EndToEnd, F1OpensTheGuideBesideTheProgramOrSaysWhereItIsFromEveryWindow)
{
    TempDir dir;
    {
        // Beside the built program stands its guide, which opens in Notepad.
        std::vector<std::string> guide = ReadLines(ProgramDirectory() + "\\..\\Zorvane.txt");
        ASSERT_FALSE(guide.empty());
        LauncherProcess launcher(BuiltProgram(), "", dir.Path().c_str());
        ASSERT_TRUE(BringToFront(launcher.hWnd));
        PressKey(VK_F1);
        // The viewer's window comes first, then the text it reads.
        HWND hViewer = NULL;
        char text[64] = "";
        WaitUntil(
            [&] {
                // Another process's control gives its text only when asked with a message.
                if ((hViewer = FindWindowA(NULL, "Zorvane.txt - Notepad")) != NULL)
                    SendMessageA(FindWindowExA(hViewer, NULL, "Edit", NULL), WM_GETTEXT,
                                 sizeof text, (LPARAM)text);
                return *text != '\0';
            },
            15000);
        ASSERT_NE(hViewer, (HWND)NULL) << "no viewer opened the guide";
        PostMessageA(hViewer, WM_CLOSE, 0, 0);
        // The guide's first line, after its byte-order mark.
        EXPECT_EQ(std::string(text, strcspn(text, "\r")), guide[0].substr(3));
    }

    // A program with no guide beside it says where the guide is, over the
    // window in which F1 was pressed.
    MakeFiles(dir / "alone", {});
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), (dir / "alone\\Zorvane.exe").c_str(), FALSE));
    LauncherProcess launcher(dir / "alone\\Zorvane.exe", "", dir.Path().c_str());
    ASSERT_NE(launcher.hWnd, (HWND)NULL);
    struct Window
    {
        const char* caption;
        UINT nCommand; // that opens it from the launcher; 0 for the launcher itself
    };
    for (const Window& window :
         {Window{"Zorvane V0.1b", 0}, Window{"Settings", ID_SETTINGS_DIRECTORIES},
          Window{"The About box", ID_ABOUT_ABOUT}}) {
        if (window.nCommand != 0)
            PostMessageA(launcher.hWnd, WM_COMMAND, window.nCommand, 0);
        HWND hWindow = WaitForWindow(launcher.process.dwProcessId, window.caption);
        ASSERT_NE(hWindow, (HWND)NULL) << window.caption;
        ASSERT_TRUE(BringToFront(hWindow)) << window.caption;
        PressKey(VK_F1);
        HWND hBox = WaitForWindow(launcher.process.dwProcessId, "Zorvane");
        ASSERT_NE(hBox, (HWND)NULL) << window.caption;
        EXPECT_EQ(GetWindow(hBox, GW_OWNER), hWindow) << window.caption;
        EXPECT_EQ(StaticTexts(hBox), std::vector<std::string>{MSG_NO_GUIDE}) << window.caption;
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        if (window.nCommand != 0)
            PostMessageA(hWindow, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil(
            [&] { return !IsWindow(hBox) && (window.nCommand == 0 || !IsWindow(hWindow)); }, 5000))
            << window.caption;
    }
    EXPECT_EQ(FindWindowA(NULL, "Zorvane.txt - Notepad"), (HWND)NULL);
}

} // namespace
