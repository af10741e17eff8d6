// Each start of the emulator is watched: when it stops at once, the launcher
// says why, from the folders as O2em found them.
#include "TestSupport.h"
#include "core/FindFile.h"
#include "core/LaunchWatch.h"

#include <list>

namespace {

// size bytes of zeros whose last four are solved so that the CRC-32 of the
// whole is crc: the register is run back over them from the one that gives crc.
std::string BytesWithCrc32(uint32_t crc, size_t size)
{
    uint32_t table[256];
    for (uint32_t n = 0; n < 256; n++) {
        table[n] = n;
        for (int bit = 0; bit < 8; bit++)
            table[n] = table[n] & 1 ? (table[n] >> 1) ^ 0xEDB88320 : table[n] >> 1;
    }
    uint32_t state = 0xFFFFFFFF;
    for (size_t i = 0; i < size - 4; i++)
        state = (state >> 8) ^ table[state & 0xFF];
    // Each table entry has a top byte of its own.
    uint32_t wanted = ~crc;
    for (int i = 0; i < 4; i++) {
        uint32_t k = 0;
        while (table[k] >> 24 != wanted >> 24)
            k++;
        wanted = ((wanted ^ table[k]) << 8) | k;
    }
    wanted ^= state;
    std::string bytes(size, '\0');
    memcpy(&bytes[size - 4], &wanted, 4);
    return bytes;
}

const uint32_t kO2rom = 0x8016A315, kG7400 = 0xE20A9F41, kC52 = 0xA318E8D6, kJopac = 0x11647CA5;

int Watches(const CLauncherDlg& dlg)
{
    int count = 0;
    for (CLaunchWatch* pWatch = dlg.m_pWatches; pWatch != NULL; pWatch = pWatch->m_pNext)
        count++;
    return count;
}

void SetExitCode(const char* code) { SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", code); }

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct File
{
    std::string name, content;
};

void WriteFiles(const std::string& directory, const std::vector<File>& files)
{
    MakeFiles(directory, {});
    for (const File& file : files)
        WriteFile(directory + "\\" + file.name, file.content);
}

// Lists a ROM folder that holds game.bin and selects it, for a launch in emuDir.
void ListRoms(CLauncherDlg& dlg, const std::string& emuDir, const std::string& romDir)
{
    dlg.m_emuDir = emuDir.c_str();
    dlg.m_romDir = romDir.c_str();
    dlg.FillRomList();
    ASSERT_TRUE(SelectTreeItem(dlg.m_romTree.m_hWnd, "game.bin"));
}

TEST_F(LauncherTest, AStopAtOnceIsExplainedByTheFirstCauseInO2emsOrder)
{
    struct Case
    {
        const char* what;
        const char* exitCode;
        bool hasBios;
        std::vector<File> bios, roms; // roms: game.bin, the ROM launched, first
        std::function<void(CLauncherDlg&, const std::string& roms)> before;
        std::vector<std::string> says; // {emu} and {roms} stand for the case's folders
    };
    const auto image = [](uint32_t crc) {
        return std::vector<File>{{"O2ROM.BIN", BytesWithCrc32(crc, 1024)}};
    };
    const std::vector<File> game = {{"game.bin", ""}};
    const auto nothing = [](CLauncherDlg&, const std::string&) {};
    const auto lists = [](int window, int stick1, int stick2) {
        return [=](CLauncherDlg& dlg, const std::string&) {
            dlg.m_windowSizeCombo.SetCurSel(window);
            dlg.m_stick1Combo.SetCurSel(stick1);
            dlg.m_stick2Combo.SetCurSel(stick2);
        };
    };
    const auto number = [](int CLauncherDlg::*member, int value) {
        return [=](CLauncherDlg& dlg, const std::string&) { dlg.*member = value; };
    };
    std::vector<File> fullFolder = game;
    for (int i = 1; i < 1500; i++)
        fullFolder.push_back({"other " + std::to_string(i) + ".bin", ""});
    const std::vector<Case> cases = {
        {"BIOS folder missing",
         "-1",
         false,
         {},
         game,
         nothing,
         {"O2em says: \"dir 'bios/' not found !\"", "Create the folder {emu}\\BIOS ", "O2ROM ("}},
        {"BIOS folder empty",
         "1",
         true,
         {},
         game,
         nothing,
         {"its BIOS folder, {emu}\\bios,", "O2em says: \"BIOS directory empty!\""}},
        {"no BIOS image O2em knows",
         "1",
         true,
         {{"O2ROM.BIN", std::string(1024, '\0')}, {"readme.txt", "x"}, {"saves\\", ""}},
         game,
         nothing,
         {"O2em says: \"dir 'bios/' without BIOS !\"", "{emu}\\bios",
          "O2ROM (Odyssey2 and Videopac G7000), G7400 (Videopac+ G7400), C52 (French Videopac "
          "C52) or JOPAC (French Videopac+ Jopac)"}},
        // Each option O2em refuses, the first of them on the command line.
        {"speed 0",
         "1",
         true,
         image(kO2rom),
         game,
         number(&CLauncherDlg::m_speed, 0),
         {"the option -speed=0", "O2em says: \"Invalid value for option speed\"",
          "Relative speed slider off its far left"}},
        {"speed above 10000",
         "1",
         true,
         image(kO2rom),
         game,
         number(&CLauncherDlg::m_speed, 10001),
         {"\"Invalid value for option speed\""}},
        {"no window size, before the speed and the BIOS",
         "1",
         false,
         {},
         game,
         [&](CLauncherDlg& dlg, const std::string& roms) {
             lists(-1, 1, 2)(dlg, roms);
             dlg.m_speed = 0;
         },
         {"the option -wsize=0", "\"Invalid value for option wsize\"", "Window Size list"}},
        {"audio volume above 100",
         "1",
         true,
         image(kO2rom),
         game,
         number(&CLauncherDlg::m_audioVolume, 101),
         {"-svolume=101", "\"Invalid value for option svolume\"", "Audio Volume slider"}},
        {"voice volume below 0",
         "1",
         true,
         image(kO2rom),
         game,
         number(&CLauncherDlg::m_voiceVolume, -1),
         {"-vvolume=-1", "\"Invalid value for option vvolume\"", "Voice Volume slider"}},
        {"no stick 1",
         "1",
         true,
         image(kO2rom),
         game,
         lists(1, -1, 2),
         {"-s1=-1", "\"Invalid value for option s1 : key -1 unknown\"", "stick 1 list"}},
        {"no stick 2",
         "1",
         true,
         image(kO2rom),
         game,
         lists(1, 1, -1),
         {"-s2=-1", "\"Invalid value for option s2 : key -1 unknown\"", "stick 2 list"}},
        // The ROM's folder comes before the BIOS.
        {"ROM folder of 1,500 entries",
         "0xC0000005",
         false,
         {},
         fullFolder,
         nothing,
         {"the ROM's folder, {roms}, holds 1500 files and folders", "at most 1,022"}},
        {"ROM folder gone",
         "-1",
         true,
         image(kO2rom),
         game,
         [](CLauncherDlg&, const std::string& roms) {
             MoveFileA(roms.c_str(), (roms + " moved").c_str());
         },
         {"O2em says: \"dir '{roms}' not found !\""}},
        {"ROM folder emptied",
         "1",
         true,
         image(kO2rom),
         game,
         [](CLauncherDlg&, const std::string& roms) { DeleteFileA((roms + "\\game.bin").c_str()); },
         {"the ROM's folder, {roms}, is empty", "O2em says: \"ROMs directory empty!\""}},
        // The ROM itself comes after the BIOS.
        {"ROM gone",
         "1",
         true,
         image(kG7400),
         {{"game.bin", ""}, {"other.bin", ""}},
         [](CLauncherDlg&, const std::string& roms) { DeleteFileA((roms + "\\game.bin").c_str()); },
         {"cannot open the ROM {roms}\\game.bin.",
          "O2em says: \"Error loading {roms}\\game.bin\""}},
        {"3,000-byte ROM",
         "1",
         true,
         image(kG7400),
         {{"game.bin", std::string(3000, 'x')}},
         nothing,
         {"the ROM {roms}\\game.bin is 3000 bytes long",
          "O2em says: \"Error: file {roms}\\game.bin is an invalid ROM dump\""}},
        {"incomplete dump",
         "1",
         true,
         image(kC52),
         {{"game.bin", BytesWithCrc32(0x975AB8DA, 2048)}},
         nothing,
         {"O2em says: \"Error: file {roms}\\game.bin is an incomplete ROM dump\""}},
        {"the other incomplete dump",
         "1",
         true,
         image(kC52),
         {{"game.bin", BytesWithCrc32(0xE246A812, 4096)}},
         nothing,
         {"\"Error: file {roms}\\game.bin is an incomplete ROM dump\""}},
        // In debug mode O2em takes it, so something else stopped it.
        {"incomplete dump in debug mode",
         "1",
         true,
         image(kC52),
         {{"game.bin", BytesWithCrc32(0x975AB8DA, 2048)}},
         number(&CLauncherDlg::m_debug, 1),
         {"with exit code 1,"}},
        // Every value at the edge of what O2em takes, and a BIOS image under a
        // name outside the code page: nothing explains the stop.
        {"all in order",
         "5",
         true,
         {{u8"\u65e5\u672c JOPAC", BytesWithCrc32(kJopac, 1024)}},
         {{"game.bin", std::string(8192, 'x')}},
         [&](CLauncherDlg& dlg, const std::string& roms) {
             lists(3, 0, 3)(dlg, roms);
             dlg.m_audioVolume = 0;
             dlg.m_speed = 1;
         },
         {"O2em stopped at once, with exit code 5, and Zorvane finds no cause for it.",
          "It ran, in {emu}:\no2em \"{roms}\\game.bin\"  -wsize=4 -svolume=0 -speed=1 -s1=0 "
          "-s2=3\n",
          "cd /d \"{emu}\""}},
        {"a crash",
         "0xC0000005",
         true,
         image(kO2rom),
         game,
         nothing,
         {"with exit code -1073741819 (0xC0000005),"}},
    };

    std::list<StandInEmulator> emulators;
    std::vector<std::vector<std::string>> messages(cases.size());
    std::vector<HWND> owners(cases.size());
    CLauncherDlg dlg;
    HWND hLauncher = NULL;
    std::vector<Step> steps = {Do([&] { hLauncher = dlg.m_hWnd; })};
    for (size_t i = 0; i < cases.size(); i++) {
        const std::string emu = dir / ("case " + std::to_string(i)), roms = emu + "\\roms";
        steps.push_back(Do([&, i, emu, roms] {
            const Case& c = cases[i];
            MakeFiles(emu, {});
            emulators.emplace_back(emu);
            SetExitCode(c.exitCode);
            if (c.hasBios)
                WriteFiles(emu + "\\bios", c.bios);
            WriteFiles(roms, c.roms);
            dlg.m_debug = 0;
            dlg.m_audioVolume = dlg.m_voiceVolume = dlg.m_speed = 100;
            lists(1, 1, 2)(dlg, roms);
            ListRoms(dlg, emu, roms);
            c.before(dlg, roms);
            dlg.LaunchSelected();
        }));
        steps.push_back(CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, messages[i], &owners[i]));
    }
    steps.push_back(End(dlg));
    RunModal(dlg, steps, 120000);

    for (size_t i = 0; i < cases.size(); i++) {
        const std::string emu = dir / ("case " + std::to_string(i)), roms = emu + "\\roms";
        ASSERT_EQ(messages[i].size(), 1u) << cases[i].what;
        for (const std::string& part : cases[i].says)
            EXPECT_NE(messages[i][0].find(Replaced(Replaced(part, "{emu}", emu), "{roms}", roms)),
                      std::string::npos)
                << cases[i].what << ": " << part << "\n"
                << messages[i][0];
        EXPECT_EQ(owners[i], hLauncher) << cases[i].what;
    }
}

// Each entry of a folder but "." and "..": its name, size and time of last write.
std::vector<std::string> Listing(const std::string& folder)
{
    std::vector<std::string> entries;
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    for (bool bFound = finder.FindFirst(Wide(folder + "\\*").c_str(), entry); bFound;
         bFound = finder.FindNext(entry))
        if (entry.cFileName[0] != L'.')
            entries.push_back(Utf8(entry.cFileName) + " " + std::to_string(entry.nFileSizeHigh) +
                              ":" + std::to_string(entry.nFileSizeLow) + " " +
                              std::to_string(entry.ftLastWriteTime.dwLowDateTime));
    return entries;
}

TEST_F(LauncherTest, ABadBiosFolderIsOnlyReadAndExplainedAtOnce)
{
    const std::string emu = dir / "emu", bios = emu + "\\BIOS";
    MakeFiles(emu, {});
    StandInEmulator emulator(emu);
    SetExitCode("1");
    // Thousands of files of an image's size, none an image; a name outside the
    // code page; a folder; a huge file; and an image that another program
    // holds, so that it cannot be read.
    std::vector<File> files = {{u8"\u65e5\u672c.bin", std::string(1024, 'n')}};
    for (int i = 0; i < 3000; i++)
        files.push_back({"junk " + std::to_string(i) + ".bin", std::string(1024, 'j')});
    files.push_back({"locked.bin", BytesWithCrc32(kO2rom, 1024)});
    WriteFiles(bios, files);
    MakeFiles(bios, {"sub\\"});
    HANDLE hLocked = CreateFileW(Wide(bios + "\\locked.bin").c_str(), GENERIC_READ, 0, NULL,
                                 OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLocked, INVALID_HANDLE_VALUE);
    HANDLE hHuge = CreateFileW(Wide(bios + "\\huge.bin").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, 0, NULL);
    LARGE_INTEGER size;
    size.QuadPart = 32LL << 30;
    EXPECT_TRUE(SetFilePointerEx(hHuge, size, NULL, FILE_BEGIN) && SetEndOfFile(hHuge));
    CloseHandle(hHuge);
    WriteFiles(dir / "roms", {{"game.bin", ""}});
    const std::vector<std::string> before = Listing(bios);

    CLauncherDlg dlg;
    DWORD launched = 0, shown = 0;
    std::vector<std::string> message;
    RunModal(dlg, {Do([&] {
                       ListRoms(dlg, emu, dir / "roms");
                       launched = GetTickCount();
                       dlg.LaunchSelected();
                   }),
                   Until([&] {
                       shown = GetTickCount();
                       return FindDialog(MSG_CAPTION_LAUNCHER_ERROR) != NULL;
                   }),
                   CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, message), End(dlg)});
    CloseHandle(hLocked);
    ASSERT_EQ(message.size(), 1u);
    EXPECT_NE(message[0].find("its BIOS folder, " + bios + ", holds no BIOS image"),
              std::string::npos)
        << message[0];
    // The stand-in's own start and end included: far less than reading the
    // huge file would take. make bench measures the time itself.
    EXPECT_LT(shown - launched, 3000u);
    EXPECT_EQ(Listing(bios), before);
}

TEST_F(LauncherTest, NoMessageWhenO2emEndsWellIsClosedByItsUserOrRunsOn)
{
    // With no BIOS folder, any look at the folders would find a cause.
    const std::string emu = dir / "emu";
    MakeFiles(emu, {});
    StandInEmulator emulator(emu);
    WriteFiles(dir / "roms", {{"game.bin", ""}});
    CLauncherDlg dlg;
    DWORD runnerStarted = 0;
    HWND hRunner = NULL;
    auto noMessage = [] { EXPECT_EQ(FindDialog(MSG_CAPTION_LAUNCHER_ERROR), (HWND)NULL); };
    RunModal(dlg,
             {Do([&] {
                  ListRoms(dlg, emu, dir / "roms");
                  for (const char* code : {"0", "0xC000013A"}) {
                      SetExitCode(code);
                      dlg.LaunchSelected();
                  }
                  // One that runs until it is closed, and then fails.
                  SetExitCode("1");
                  SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
                  dlg.LaunchSelected();
                  runnerStarted = GetTickCount();
                  SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", NULL);
              }),
              Until([&] {
                  noMessage();
                  return emulator.Launches().size() == 3 && Watches(dlg) == 1;
              }),
              Until([&] {
                  noMessage();
                  return Watches(dlg) == 0;
              }),
              Do([&] {
                  EXPECT_GE(GetTickCount() - runnerStarted, (DWORD)CLaunchWatch::WATCH_MS - 100);
                  hRunner = FindWindowA(NULL, "O2em stand-in");
                  ASSERT_NE(hRunner, (HWND)NULL);
                  PostMessageA(hRunner, WM_COMMAND, IDOK, 0);
              }),
              Until([&] { return !IsWindow(hRunner); }), Do([] { Sleep(500); }), Do([&] {
                  noMessage();
                  dlg.EndDialog(0);
              })},
             30000);
}

TEST_F(LauncherTest, AMessageThatComesWhileADialogIsOpenOverTheLauncherBelongsToThatDialog)
{
    const std::string emu = dir / "emu";
    MakeFiles(emu, {});
    StandInEmulator emulator(emu);
    WriteFiles(dir / "roms", {{"game.bin", ""}});
    CLauncherDlg dlg;
    AfxGetApp()->m_pMainWnd = &dlg;
    std::vector<std::string> message;
    HWND owner = NULL;
    RunModal(dlg, {Do([&] {
                       ListRoms(dlg, emu, dir / "roms");
                       SetExitCode("-1");
                       dlg.LaunchSelected();
                       PostMessageA(dlg.m_hWnd, WM_COMMAND, ID_ABOUT_ABOUT, 0);
                   }),
                   CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, message, &owner),
                   Until([] { return FindDialog(MSG_CAPTION_LAUNCHER_ERROR) == NULL; }),
                   OnDialog("The About box",
                            [&](HWND hAbout) {
                                EXPECT_EQ(owner, hAbout);
                                // The About box is still modal.
                                EXPECT_FALSE(IsWindowEnabled(dlg.m_hWnd));
                                EndDialog(hAbout, IDOK);
                            }),
                   Until([] { return FindDialog("The About box") == NULL; }), End(dlg)});
    AfxGetApp()->m_pMainWnd = NULL;
    ASSERT_EQ(message.size(), 1u);
    EXPECT_NE(message[0].find("\"dir 'bios/' not found !\""), std::string::npos);
}

// Watches a start that ends at once, so that the thread pool that waits is
// up, and counts the handles then.
std::vector<Step> Warm(CLauncherDlg& dlg, const std::string& emu, const std::string& roms,
                       int& handles)
{
    return {Do([&dlg, emu, roms] {
                ListRoms(dlg, emu, roms);
                SetExitCode("0");
                dlg.LaunchSelected();
            }),
            Until([&dlg] { return dlg.m_pWatches == NULL; }),
            Do([&handles] { handles = OpenKernelHandles(); })};
}

TEST_F(LauncherTest, ClosingTheLauncherEndsItsWatchesAtOnceAndO2emRunsOn)
{
    const std::string emu = dir / "emu";
    MakeFiles(emu, {});
    StandInEmulator emulator(emu);
    WriteFiles(dir / "roms", {{"game.bin", ""}});
    CLauncherDlg dlg;
    int handles = 0;
    HWND hRunner = NULL;
    DWORD closed = 0;
    std::vector<Step> steps = Warm(dlg, emu, dir / "roms", handles);
    steps.push_back(Do([&] {
        SetExitCode("1");
        SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
        dlg.LaunchSelected();
        SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", NULL);
    }));
    steps.push_back(Until([&] { return (hRunner = FindWindowA(NULL, "O2em stand-in")) != NULL; }));
    steps.push_back(Do([&] {
        closed = GetTickCount();
        dlg.SendMessage(WM_CLOSE);
    }));
    RunModal(dlg, steps);
    EXPECT_LT(GetTickCount() - closed, 2000u);
    EXPECT_EQ(dlg.m_pWatches, (CLaunchWatch*)NULL);
    EXPECT_LE(OpenKernelHandles(), handles);
    // The emulator runs on; when it fails afterwards, nothing answers.
    ASSERT_TRUE(IsWindow(hRunner));
    PostMessageA(hRunner, WM_COMMAND, IDOK, 0);
    for (DWORD deadline = GetTickCount() + 5000; IsWindow(hRunner); Sleep(20))
        ASSERT_LT(GetTickCount(), deadline);
    Sleep(500);
    EXPECT_EQ(FindWindowA(NULL, MSG_CAPTION_LAUNCHER_ERROR), (HWND)NULL);
}

// The visible top-level windows with this caption.
int WindowsCaptioned(const char* caption)
{
    int count = 0;
    for (HWND hWnd = FindWindowExA(NULL, NULL, NULL, caption); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, NULL, caption))
        count += IsWindowVisible(hWnd) ? 1 : 0;
    return count;
}

TEST_F(LauncherTest, TwentyFailedStartsShowOneMessageAtATimeAndLeaveNoHandleOpen)
{
    const std::string emu = dir / "emu";
    MakeFiles(emu, {});
    StandInEmulator emulator(emu);
    WriteFiles(dir / "roms", {{"game.bin", ""}});
    CLauncherDlg dlg;
    int handles = 0;
    std::vector<std::string> shown;
    std::vector<Step> steps = Warm(dlg, emu, dir / "roms", handles);
    steps.push_back(Do([&] {
        SetExitCode("-1");
        for (int i = 0; i < 20; i++)
            dlg.LaunchSelected();
    }));
    steps.push_back(Until([&] {
        EXPECT_LE(WindowsCaptioned(MSG_CAPTION_LAUNCHER_ERROR), 1);
        if (HWND hBox = FindDialog(MSG_CAPTION_LAUNCHER_ERROR)) {
            std::vector<std::string> texts = StaticTexts(hBox);
            shown.insert(shown.end(), texts.begin(), texts.end());
            EndDialog(hBox, IDOK);
            return false;
        }
        return emulator.Launches().size() == 21 && dlg.m_pWatches == NULL &&
               dlg.m_launchErrors.GetSize() == 0;
    }));
    steps.push_back(Do([&] {
        EXPECT_LE(OpenKernelHandles(), handles);
        dlg.EndDialog(0);
    }));
    RunModal(dlg, steps, 30000);
    ASSERT_GE(shown.size(), 1u);
    for (const std::string& text : shown)
        EXPECT_NE(text.find("O2em says: \"dir 'bios/' not found !\""), std::string::npos) << text;
}

} // namespace
