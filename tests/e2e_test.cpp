// Zorvane.exe itself, driven from outside as a user would: real keys and clicks.
#include "TestSupport.h"

namespace {

TEST(EndToEnd, AUserLaunchesTheFirstRomWithEnterAndClosesTheWindow)
{
    TempDir dir;
    MakeFiles(dir / "roms", {"zeta.bin", "alpha.bin"});
    CreateDirectoryA((dir / "emu").c_str(), NULL);
    StandInEmulator emulator(dir / "emu");
    WriteFile(dir / "zorvane.ini", "[SETTINGS]\r\nEMU_DIR=" + dir / "emu" + "\r\nFULLSCREEN=1\r\n");

    // The stand-in stays open (showing what it received) until it is closed.
    SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
    std::string program = ProgramDirectory() + "\\..\\Zorvane.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(program.c_str(), NULL, NULL, NULL, FALSE, 0, NULL,
                               dir.Path().c_str(), &startup, &process))
        << program;

    HWND hWnd = WaitForWindow(process.dwProcessId, "Zorvane V0.1b");
    if (hWnd == NULL)
        TerminateProcess(process.hProcess, 1);
    ASSERT_NE(hWnd, (HWND)NULL) << "no launcher window";
    EXPECT_TRUE(BringToFront(hWnd));
    PressKey(VK_RETURN);
    std::vector<Launch> launches = emulator.WaitForLaunches(1);
    // The emulator's window takes the foreground when it opens.
    HWND hEmulator = NULL;
    for (DWORD deadline = GetTickCount() + 15000; hEmulator == NULL && GetTickCount() < deadline;
         Sleep(50))
        hEmulator = FindWindowA(NULL, "O2em stand-in");
    EXPECT_NE(hEmulator, (HWND)NULL);
    bool ended = CloseWithCloseBox(hWnd, process.hProcess);
    EXPECT_TRUE(ended);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // The emulator it started outlives the launcher.
    EXPECT_TRUE(IsWindow(hEmulator));

    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].commandLine, "o2em \"" + dir / "roms\\alpha.bin\"  -fullscreen");
    EXPECT_EQ(launches[0].directory, dir / "emu");
    EXPECT_TRUE(launches[0].romFound);
    // The close box saved the settings in the launcher's current directory.
    EXPECT_TRUE(Contains(ReadLines(dir / "zorvane.ini"), "STICK2=2"));
}

} // namespace
