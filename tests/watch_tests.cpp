// Each start of the emulator is watched: when it stops at once, the launcher
// says why, from the folders as O2em found them.
#include "TestSupport.h"
#include "win/FindFile.h"
#include "o2em/ConfigFile.h"
#include "o2em/LaunchWatch.h"
#include "o2em/StartFailure.h"

#include <list>

namespace {

const uint32_t kO2rom = 0x8016A315, kG7400 = 0xE20A9F41, kC52 = 0xA318E8D6, kJopac = 0x11647CA5;

void SetExitCode(const char* code) { SetEnvironmentVariableA("ZORVANE_O2EM_EXIT", code); }

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

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
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

// O2em's record of an O2ROM image in a bios folder whose images are named
// o2rom-*: the last of them in the folder's own listing order.
std::string LastO2romListed(const std::string& bios)
{
    std::string last;
    for (const std::string& entry : Listing(bios))
        if (entry.rfind("o2rom-", 0) == 0)
            last = entry.substr(0, entry.find(' '));
    return "bios/" + last;
}

TEST_F(LauncherTest, AStopAtOnceIsExplainedByTheFirstCauseInO2emsOrder)
{
    using Before = std::function<void(CLauncherDlg&, const std::string& roms)>;
    struct Case
    {
        const char* what;
        const char* exitCode;
        const char* biosFolder;       // NULL for none
        std::vector<File> bios, roms; // game.bin, the ROM launched, among the roms
        Before before;
        std::vector<std::string> says; // {emu}, {roms} and {last o2rom} stand for the case's own
        std::string config = "";       // O2em's settings file, if any
    };
    const auto images = [](std::initializer_list<uint32_t> crcs) {
        std::vector<File> files;
        for (uint32_t crc : crcs)
            files.push_back({std::to_string(files.size()) + ".BIN", BytesWithCrc32(crc, 1024)});
        return files;
    };
    const std::vector<File> game = {{"game.bin", ""}};
    const Before nothing = [](CLauncherDlg&, const std::string&) {};
    const auto lists = [](int window, int stick1, int stick2) -> Before {
        return [=](CLauncherDlg& dlg, const std::string&) {
            dlg.m_windowSizeCombo.SetCurSel(window);
            dlg.m_stick1Combo.SetCurSel(stick1);
            dlg.m_stick2Combo.SetCurSel(stick2);
        };
    };
    const auto set = [](int CLauncherDlg::*member, int value) -> Before {
        return [=](CLauncherDlg& dlg, const std::string&) { dlg.*member = value; };
    };
    const Before removeGame = [](CLauncherDlg&, const std::string& roms) {
        DeleteFileA((roms + "\\game.bin").c_str());
    };
    const Before endsAfter3s = [](CLauncherDlg&, const std::string&) {
        SetEnvironmentVariableA("ZORVANE_O2EM_WAIT", "3000");
    };
    std::vector<File> fullFolder = game;
    for (int i = 1; i < 1500; i++)
        fullFolder.push_back({"other " + std::to_string(i) + ".bin", ""});
    const std::vector<File> safeFolder(fullFolder.begin(), fullFolder.begin() + 1022);
    const std::vector<File> videopacPlusGame = {{"game.bin", BytesWithCrc32(0xB0A7D723, 4096)}};
    const char* window = "O2em then says: \"Error: could not create window.\"";
    // clang-format off
    std::vector<Case> cases = {
        {"BIOS folder missing, O2em ending 3 s after its start", "-1", NULL, {}, game, endsAfter3s,
         {"O2em says: \"dir 'bios/' not found !\"", "Create the folder {emu}\\BIOS ", "O2ROM ("}},
        // The BIOS folder comes before the ROM.
        {"BIOS folder empty, and a 3,000-byte ROM", "1", "bios", {},
         {{"game.bin", std::string(3000, 'x')}}, nothing,
         {"its BIOS folder, {emu}\\bios,", "O2em says: \"BIOS directory empty!\""}},
        // O2em takes the CRC-32 of the whole file.
        {"no BIOS image O2em knows, an image in the first half of 2 KB among them", "1", "Bios",
         {{"O2ROM.BIN", std::string(1024, '\0')}, {"readme.txt", "x"},
          {"2K.BIN", BytesWithCrc32(kO2rom, 1024) + std::string(1024, '\0')}}, game, nothing,
         {"O2em says: \"dir 'bios/' without BIOS !\"", "{emu}\\Bios",
          "O2ROM (Odyssey2 and Videopac G7000), G7400 (Videopac+ G7400), C52 (French Videopac "
          "C52) or JOPAC (French Videopac+ Jopac)"}},
        // Each option O2em refuses, the first of them on the command line.
        {"speed 0", "1", "bios", images({kO2rom}), game, set(&CLauncherDlg::m_speed, 0),
         {"the option -speed=0", "O2em says: \"Invalid value for option speed\"",
          "Relative speed slider off its far left"}},
        {"speed above 10000", "1", "bios", images({kO2rom}), game, set(&CLauncherDlg::m_speed, 10001),
         {"-speed=10001", "\"Invalid value for option speed\""}},
        {"no window size, before the speed and the BIOS", "1", NULL, {}, game,
         [&](CLauncherDlg& dlg, const std::string& roms) {
             lists(-1, 1, 2)(dlg, roms);
             dlg.m_speed = 0;
         },
         {"the option -wsize=0", "\"Invalid value for option wsize\"", "Window Size list"}},
        {"audio volume above 100", "1", "bios", images({kO2rom}), game,
         set(&CLauncherDlg::m_audioVolume, 101),
         {"-svolume=101", "\"Invalid value for option svolume\"", "Audio Volume slider"}},
        {"voice volume below 0", "1", "bios", images({kO2rom}), game,
         set(&CLauncherDlg::m_voiceVolume, -1),
         {"-vvolume=-1", "\"Invalid value for option vvolume\"", "Voice Volume slider"}},
        {"no stick 1", "1", "bios", images({kO2rom}), game, lists(1, -1, 2),
         {"-s1=-1", "\"Invalid value for option s1 : key -1 unknown\"", "stick 1 list"}},
        {"no stick 2", "1", "bios", images({kO2rom}), game, lists(1, 1, -1),
         {"-s2=-1", "\"Invalid value for option s2 : key -1 unknown\"", "stick 2 list"}},
        // The ROM's folder comes before the BIOS.
        {"ROM folder of 1,500 entries", "0xC0000005", NULL, {}, fullFolder, nothing,
         {"the ROM's folder, {roms}, holds 1500 files and folders", "at most 1,022"}},
        {"ROM folder gone", "-1", "bios", images({kO2rom}), game,
         [](CLauncherDlg&, const std::string& roms) {
             MoveFileA(roms.c_str(), (roms + " moved").c_str());
         },
         {"O2em says: \"dir '{roms}' not found !\""}},
        {"ROM folder emptied", "1", "bios", images({kO2rom}), game, removeGame,
         {"the ROM's folder, {roms}, is empty", "O2em says: \"ROMs directory empty!\""}},
        // The image for the game's console comes after a known image, and
        // before the ROM, which counts as any other game when it is gone.
        {"G7400 only, and the ROM gone", "1", "bios", images({kG7400}),
         {{"game.bin", ""}, {"other.bin", ""}}, removeGame,
         {"to start {roms}\\game.bin, it needs the O2ROM BIOS image",
          "its BIOS folder, {emu}\\bios, holds only G7400,",
          "O2em says: \"Odyssey2 BIOS not found !\""}},
        {"JOPAC only, o2rom after a BIOS file", "1", "bios", images({kJopac}), game, nothing,
         {"holds only JOPAC,", "\"Odyssey2 BIOS not found !\"", "Put the O2ROM or C52 image"},
         "bios=.\\gone.bin\no2rom\n"},
        {"Videopac+ game on JOPAC", "5", "bios", images({kJopac}),
         {{"game.bin", BytesWithCrc32(0x0CA26992, 4096)}}, nothing,
         {"with exit code 5,"}},
        // The ROM itself comes after the BIOS.
        {"ROM gone", "1", "bios", images({kO2rom}), {{"game.bin", ""}, {"other.bin", ""}}, removeGame,
         {"cannot open the ROM {roms}\\game.bin.", "O2em says: \"Error loading {roms}\\game.bin\""}},
        {"3,000-byte ROM", "1", "bios", images({kO2rom}), {{"game.bin", std::string(3000, 'x')}},
         nothing,
         {"the ROM {roms}\\game.bin is 3000 bytes long",
          "O2em says: \"Error: file {roms}\\game.bin is an invalid ROM dump\""}},
        {"incomplete dump", "1", "bios", images({kC52}),
         {{"game.bin", BytesWithCrc32(0x975AB8DA, 2048)}}, nothing,
         {"O2em says: \"Error: file {roms}\\game.bin is an incomplete ROM dump\""}},
        {"the other incomplete dump", "1", "bios", images({kC52}),
         {{"game.bin", BytesWithCrc32(0xE246A812, 4096)}}, nothing,
         {"\"Error: file {roms}\\game.bin is an incomplete ROM dump\""}},
        // In debug mode O2em takes it, and opens no display, so nothing
        // explains the stop.
        {"incomplete dump in debug mode", "1", "bios", images({kC52}),
         {{"game.bin", BytesWithCrc32(0x975AB8DA, 2048)}}, set(&CLauncherDlg::m_debug, 1),
         {"with exit code 1,"}},
        {"incomplete dump, debug on in the settings file", "1", "bios", images({kC52}),
         {{"game.bin", BytesWithCrc32(0x975AB8DA, 2048)}}, nothing, {"with exit code 1,"}, "debug\n"},
        // The joystick comes last, and only a refusal is its doing.
        {"stick 1 at Joystick, none connected", "1", "bios", images({kO2rom}), game, lists(1, 3, 2),
         {"stick 1 is set to Joystick, and Windows reports no joystick connected.",
          "O2em says: \"Error: no joystick detected\"",
          "Connect a joystick before launching, or set stick 1 to Right or Left"}},
        {"stick 2 at Joystick", "1", "bios", images({kO2rom}), game, lists(1, 1, 3),
         {"stick 2 is set to Joystick", "set stick 2 to Right"}},
        {"both sticks at Joystick", "1", "bios", images({kO2rom}), game, lists(1, 3, 3),
         {"stick 1 and stick 2 are set to Joystick", "set both sticks to Right",
          "\"Error: no joystick detected\""}},
        // O2em's settings file: names in any case, lines it refuses skipped, and
        // the command line over it.
        {"stick 1 at Joystick by the settings file", "1", "bios", images({kO2rom}), game, nothing,
         {"stick 1 is set to Joystick by line 3 of O2em's own settings file, "
          "{emu}\\o2em_def.cfg (\"S1 = 3\"), and Windows reports no joystick connected.",
          "or for stick 1, remove line 3 of that file or change it to s1=1 or s1=2",
          "stick 1 at Left or Disable overrides that line, but at Right, its default,"},
         "# keys\r\n\r\n \tS1 = 3  \r\ns2=3x\r\n"},
        {"refused lines skipped", "1", "bios", images({kO2rom}), game, lists(1, 3, 2),
         {"stick 1 is set to Joystick, and stick 2 is set to Joystick by line 1 of O2em's own "
          "settings file, {emu}\\o2em_def.cfg (\"s2=3\"),",
          "or set stick 1 to Right or Left to play with the keys; and for stick 2, remove line 1"},
         "s2=3\ns2=4\ns2=-1\nspeed=0\nwsize=9\nfoo\n"},
        {"the command line over the settings file", "1", "bios", images({kO2rom}), game,
         lists(1, 2, 0), {window}, "s1=3\ns2=3\n"},
        // The BIOS image that the settings file asks for, after a known image;
        // only JOPAC counts for a Videopac+ game. bios=, g7400, c52, jopac and
        // o2rom write one setting, and the last of them holds.
        {"G7400 asked for after a BIOS file", "1", "bios", images({kO2rom, kC52}), game, nothing,
         {"O2em stopped at once: line 2 of O2em's own settings file, {emu}\\o2em_def.cfg "
          "(\"g7400=0\") tells it to start {roms}\\game.bin on the G7400 BIOS image (Videopac+ "
          "G7400), and of the images it knows, its BIOS folder, {emu}\\bios, holds only O2ROM and "
          "C52.",
          "O2em says: \"G7400 BIOS not found !\"", "Put the G7400 image into that folder"},
         "bios=\"C:\\no such\\x.rom\"\ng7400=0\n"},
        {"C52 asked for after a BIOS file", "1", "bios", images({kO2rom}), game, nothing,
         {"line 2 of O2em's own settings file, {emu}\\o2em_def.cfg (\"C52\") tells it to start "
          "{roms}\\game.bin on the C52 BIOS image (French Videopac C52)",
          "\"C52 BIOS not found !\""},
         "bios=mine.bin\nC52\n"},
        {"JOPAC asked for last", "1", "bios", images({kO2rom, kG7400}), game, nothing,
         {"line 2 of", "holds only O2ROM and G7400.", "\"JOPAC BIOS not found !\""}, "c52\njopac=1\n"},
        {"JOPAC asked for, a Videopac+ game", "1", "bios", images({kG7400}), videopacPlusGame,
         nothing, {"on the JOPAC BIOS image", "\"JOPAC BIOS not found !\""}, "jopac\n"},
        // A BIOS file named by a path is all that O2em loads; named without a
        // backslash, after the checks of bios\ and instead of the console's.
        // (A "..\\" file lies beside bios\.)
        {"a BIOS file by a path that is gone, no bios folder", "1", NULL, {}, game, nothing,
         {"line 2 of O2em's own settings file, {emu}\\o2em_def.cfg (\"bios = "
          "\"images\\o2rom.bin\"\") tells it to load its BIOS from {emu}\\images\\o2rom.bin, "
          "which it cannot open",
          "O2em says: \"Error loading bios ROM (images\\o2rom.bin)\""},
         "g7400\nbios = \"images\\o2rom.bin\"\n"},
        {"a BIOS file by a path, bios folder empty, a 3,000-byte ROM", "1", "bios",
         {{"..\\mine.bin", std::string(1024, 'm')}}, {{"game.bin", std::string(3000, 'x')}},
         nothing, {"the ROM {roms}\\game.bin is 3000 bytes long"}, "bios=.\\mine.bin\n"},
        // O2em then names its record of an O2ROM image, not the short file.
        {"a BIOS file by name of 100 bytes, G7400 only", "1", "bios",
         {{"G7400", BytesWithCrc32(kG7400, 1024)}, {"..\\mine.bin", std::string(100, 'm')}}, game,
         nothing,
         {"tells it to load its BIOS from {emu}\\mine.bin, which is 100 bytes long",
          "O2em says: \"Error loading bios ROM \"\n"},
         "bios=mine.bin\n"},
        {"a BIOS file by name of 100 bytes, O2ROM too", "1", "bios",
         {{"G7400", BytesWithCrc32(kG7400, 1024)}, {"my o2rom", BytesWithCrc32(kO2rom, 1024)},
          {"..\\mine.bin", std::string(100, 'm')}},
         game, nothing, {"O2em says: \"Error loading bios ROM bios/my o2rom\"\n"}, "bios=mine.bin\n"},
        // With two, the last that the folder lists ({last o2rom}), as O2em's own listing finds it.
        {"a BIOS file by name of 100 bytes, two O2ROM images", "1", "bios",
         {{"o2rom-a.bin", BytesWithCrc32(kO2rom, 1024)}, {"C52", BytesWithCrc32(kC52, 1024)},
          {"o2rom-b.bin", BytesWithCrc32(kO2rom, 1024)}, {"..\\mine.bin", std::string(100, 'm')}},
         game, nothing, {"O2em says: \"Error loading bios ROM {last o2rom}\"\n"}, "bios=mine.bin\n"},
        // One that Zorvane does not read is named.
        {"a settings file of over 1 MB", "1", "bios", images({kO2rom}), game, nothing,
         {"O2em's own settings file, {emu}\\o2em_def.cfg, is 1048577 bytes long", "O2em reads all of it"},
         std::string(1 << 20, '#') + "\n"},
        {"a BIOS file by a path, not Videopac+, a Videopac+ game", "1", "bios",
         {{"..\\o2rom.bin", BytesWithCrc32(kO2rom, 1024)}}, videopacPlusGame, nothing,
         {"{roms}\\game.bin is a Videopac+ game",
          "tells it to load its BIOS from {emu}\\o2rom.bin, which holds neither.",
          "O2em says: \"Error: ROM only VP+ BIOS\""},
         "bios=.\\o2rom.bin\n"},
        // With exit code 1 and every check passed, the display by elimination;
        // the edges that O2em takes are not blamed.
        {"all in order, exit code 1: the window", "1", "bios", images({kO2rom}), game, nothing,
         {"every check of its start that Zorvane can make passed. What is left is O2em's window",
          window, "Try another Window Size", "It ran, in {emu}:\no2em \"{roms}\\game.bin\" \n",
          "cd /d \"{emu}\""}},
        {"Full Screen: the screen", "1", "bios", images({kO2rom}), game,
         set(&CLauncherDlg::m_fullScreen, 1),
         {"What is left is the full screen, which", "\"Error: could not create screen.\"",
          "Untick Full Screen to play in a window."}},
        {"the screen by the settings file", "1", "bios", images({kO2rom}), game, nothing,
         {"the full screen (set by line 1 of O2em's own settings file, {emu}\\o2em_def.cfg "
          "(\"FullScreen\")), which",
          "Remove that line, or change it to fullscreen=0, to play in a window."},
         "FullScreen\n"},
        {"ROM folder of 1,022 entries", "1", "bios", images({kO2rom}), safeFolder, nothing, {window}},
        // Every value at the edge of what O2em takes, a stick at Joystick, and
        // a BIOS image under a name outside the code page: nothing explains a
        // stop with another code.
        {"all in order", "5", "bios", {{u8"\u65e5\u672c C52", BytesWithCrc32(kC52, 1024)}},
         {{"game.bin", std::string(8192, 'x')}},
         [&](CLauncherDlg& dlg, const std::string& roms) {
             lists(3, 0, 3)(dlg, roms);
             dlg.m_audioVolume = 0;
             dlg.m_speed = 1;
         },
         {"O2em stopped at once, with exit code 5, and Zorvane finds no cause for it.",
          "It ran, in {emu}:\no2em \"{roms}\\game.bin\"  -wsize=4 -svolume=0 -speed=1 -s1=0 -s2=3\n",
          "cd /d \"{emu}\""}},
        {"a crash, stick 1 at Joystick", "0xC0000005", "bios", images({kO2rom}), game,
         lists(1, 3, 2),
         {"with exit code -1073741819 (0xC0000005),"}},
    };
    // clang-format on
    // Each Videopac+ game, with the Odyssey2 images only.
    const uint32_t videopacPlusGames[] = {0xD7089068, 0xB0A7D723, 0x0CA26992, 0x0B6EB25B,
                                          0x06861A9C, 0xB2F0F0B4, 0x68560DC7, 0x0D2D721D,
                                          0xC4134DF8, 0xA75C42F8};
    for (uint32_t crc : videopacPlusGames) {
        const char* held = crc == videopacPlusGames[0] ? "O2ROM and C52"
                           : crc & 1                   ? "O2ROM"
                                                       : "C52";
        cases.push_back({"Videopac+ game on an Odyssey2 BIOS",
                         "1",
                         "bios",
                         crc == videopacPlusGames[0] ? images({kC52, kO2rom})
                                                     : images({crc & 1 ? kO2rom : kC52}),
                         {{"game.bin", BytesWithCrc32(crc, 4096)}},
                         nothing,
                         {"{roms}\\game.bin is a Videopac+ game, which O2em runs only on the G7400 "
                          "or JOPAC BIOS image",
                          std::string("its BIOS folder, {emu}\\bios, holds only ") + held + ".",
                          "O2em says: \"ROM only VP+ BIOS\""}});
    }

    std::list<StandInEmulator> emulators;
    std::vector<std::vector<std::string>> messages(cases.size());
    std::vector<HWND> owners(cases.size());
    CLauncherDlg dlg;
    HWND hLauncher = NULL;
    std::vector<Step> steps = {Do([&] { hLauncher = dlg.m_hWnd; })};
    const auto folderOf = [&](size_t i) { return dir / ("case " + std::to_string(i)); };
    for (size_t i = 0; i < cases.size(); i++) {
        steps.push_back(Do([&, i] {
            const Case& c = cases[i];
            const std::string emu = folderOf(i), roms = emu + "\\roms";
            emulators.emplace_back(emu);
            SetExitCode(c.exitCode);
            SetEnvironmentVariableA("ZORVANE_O2EM_WAIT", NULL);
            if (c.biosFolder != NULL)
                WriteFiles(emu + "\\" + c.biosFolder, c.bios);
            WriteFiles(roms, c.roms);
            if (!c.config.empty())
                WriteFile(emu + "\\o2em_def.cfg", c.config);
            dlg.m_debug = dlg.m_fullScreen = 0;
            dlg.m_audioVolume = dlg.m_voiceVolume = dlg.m_speed = 100;
            lists(1, 1, 2)(dlg, roms);
            ListRoms(dlg, emu, roms);
            c.before(dlg, roms);
            dlg.LaunchSelected();
        }));
        // The message, if the watch brings one: a watch that ends without one
        // moves the script on.
        Step close = CloseMessageBox(MSG_CAPTION_LAUNCHER_ERROR, messages[i], &owners[i]);
        steps.push_back([&, close] {
            return close() || (dlg.m_pWatches == NULL && dlg.m_launchErrors.GetSize() == 0);
        });
    }
    steps.push_back(End(dlg));
    RunModal(dlg, steps, 120000);

    for (size_t i = 0; i < cases.size(); i++) {
        ASSERT_EQ(messages[i].size(), 1u) << cases[i].what;
        for (const std::string& part : cases[i].says) {
            std::string expected = Replaced(part, "{emu}", folderOf(i));
            expected = Replaced(expected, "{roms}", folderOf(i) + "\\roms");
            expected = Replaced(expected, "{last o2rom}", LastO2romListed(folderOf(i) + "\\bios"));
            EXPECT_NE(messages[i][0].find(expected), std::string::npos)
                << cases[i].what << ": " << expected << "\n"
                << messages[i][0];
        }
        EXPECT_EQ(owners[i], hLauncher) << cases[i].what;
    }
}

// Each name and value that a reader hands on, as "line:name=value", joined by " | ".
std::string OptionsRead(CConfigFile& config)
{
    std::string options;
    while (config.NextOption())
        options += (options.empty() ? "" : " | ") + std::to_string(config.m_nLine) + ":" +
                   config.m_szName + "=" + config.m_szValue;
    return options;
}

TEST_F(LauncherTest, O2emsSettingsFileIsReadLineByLineAsO2emReadsIt)
{
    using namespace std::string_literals;
    const std::string piece(1017, 'a'); // "bios=" and this: the most O2em reads at once
    struct Row
    {
        std::string content, options;
    };
    const std::vector<Row> rows = {
        {"", ""},
        {"s1=3", "1:s1=3"},
        {"S1=3\r\nDebug\r\n", "1:s1=3 | 2:debug="},
        {" \tS2 \t=  3  \n", "1:s2=3"},
        {"# s1=3\n  #fullscreen\n\n \t\r\n", ""},
        {"bios=\"C:\\my bios\\o2rom.bin\" c52\n", "1:bios=C:\\my bios\\o2rom.bin"},
        {"bios=\"C:\\open\nwsize 3\n=3\ns1=\n", "1:bios=C:\\open | 2:wsize= | 3:=3 | 4:s1="},
        {"s1=3\rs2=3\n", "1:s1=3"},
        {"s1=3\r\r\ns2=3\n", "1:s1=3 | 2:s2=3"},
        {"fullscreen=1\x1A\nfullscreen=0\n", "1:fullscreen=1"},
        {"s1=3\0s2=3\ns2=3"s, "1:s1=3 | 2:s2=3"},
        {"bios=" + piece + "\nc52\n", "1:bios=" + piece + " | 2:c52="},
        {"bios=" + piece + "Z\r\nc52", "1:bios=" + piece + " | 1:z= | 2:c52="},
        {"# " + std::string(1020, '#') + "s1=3\n", "1:s1=3"},
    };
    const std::string path = dir / "o2em_def.cfg";
    for (const Row& row : rows) {
        WriteFile(path, row.content);
        CConfigFile config;
        EXPECT_TRUE(config.Open(dir.Path().c_str()));
        EXPECT_EQ(Str(config.m_path), path);
        EXPECT_EQ(OptionsRead(config), row.options) << row.content;
    }

    // Held by another program, unshared, it cannot be opened, as for O2em.
    HANDLE hFile = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                               OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    CConfigFile locked;
    EXPECT_TRUE(locked.Open(dir.Path().c_str()));
    EXPECT_EQ(OptionsRead(locked), "");
    // A huge one is not read at all.
    LARGE_INTEGER size;
    size.QuadPart = 32LL << 30;
    EXPECT_TRUE(SetFilePointerEx(hFile, size, NULL, FILE_BEGIN) && SetEndOfFile(hFile));
    CloseHandle(hFile);
    CConfigFile huge;
    EXPECT_FALSE(huge.Open(dir.Path().c_str()));
    EXPECT_EQ(OptionsRead(huge), "");
}

// Starts of O2em drawn at random and answered by O2em 1.18's own start-up code:
// its folder, the command line, and what it did.
struct O2emCaseFile
{
    enum Kind
    {
        FOLDER,
        ZEROS, // size zeros
        CRC32, // size zeros but the last four bytes, which give the whole this CRC-32
        TEXT
    };
    int nCase;
    const char* name;
    Kind kind;
    size_t size;
    uint32_t crc;
    const char* text;
};

struct O2emCase
{
    int id;
    const char *commandLine, *romPath, *options;
    DWORD exitCode;
    bool started;
    // Its last refusal in its own words; where a display that failed hid a
    // missing joystick, that refusal too, which explains it as well.
    const char *says, *orSays;
};

#include "o2em_cases.inc"

TEST_F(LauncherTest, EveryStartThatO2emAnsweredIsExplainedInItsOwnWords)
{
    const auto folderOf = [&](int id) { return dir / ("case " + std::to_string(id)); };
    for (const O2emCaseFile& file : kO2emCaseFiles) {
        const std::string path = folderOf(file.nCase) + "\\" + file.name;
        if (file.kind == O2emCaseFile::FOLDER)
            MakeFiles(folderOf(file.nCase), {std::string(file.name) + "\\"});
        else
            WriteFile(path, file.kind == O2emCaseFile::TEXT ? std::string(file.text, file.size)
                            : file.kind == O2emCaseFile::ZEROS
                                ? std::string(file.size, '\0')
                                : BytesWithCrc32(file.crc, file.size));
    }
    ASSERT_EQ(sizeof kO2emCases / sizeof kO2emCases[0], 300u);
    for (const O2emCase& c : kO2emCases) {
        HANDLE hProcess;
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(),
                                    &hProcess, 0, FALSE, DUPLICATE_SAME_ACCESS));
        CLaunchWatch watch(hProcess, c.commandLine, c.romPath, c.options, folderOf(c.id).c_str());
        const std::string message = Str(DescribeFailedStart(watch, c.exitCode));
        const auto quotes = [&](const char* words) {
            return words != NULL &&
                   message.find('"' + std::string(words) + '"') != std::string::npos;
        };
        // Where O2em started, nothing that Zorvane checks may stand in its way.
        if (c.started)
            EXPECT_NE(message.find("with exit code 0, and Zorvane finds no cause"),
                      std::string::npos)
                << "case " << c.id << "\n"
                << message;
        else
            EXPECT_TRUE(quotes(c.says) || quotes(c.orSays))
                << "case " << c.id << ": O2em says \"" << c.says << "\"\n"
                << message;
    }
}

// A launcher with the stand-in in its emulator folder, which has no BIOS
// folder, so that any look at the folders would find a cause.
class WatchTest : public LauncherTest
{
protected:
    const std::string emu = dir / "emu", roms = dir / "roms";
    StandInEmulator emulator{emu};
    CLauncherDlg dlg;

    void SetUp() override { WriteFiles(roms, {{"game.bin", ""}}); }
    // A start that shows what it received until it is closed, then fails.
    void LaunchARunner()
    {
        SetExitCode("1");
        SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", "1");
        dlg.LaunchSelected();
        SetEnvironmentVariableA("ZORVANE_O2EM_SHOW", NULL);
    }
    int Watches() const
    {
        int count = 0;
        for (CLaunchWatch* pWatch = dlg.m_pWatches; pWatch != NULL; pWatch = pWatch->m_pNext)
            count++;
        return count;
    }
};

TEST_F(WatchTest, ABadBiosFolderIsOnlyReadAndExplainedAtOnce)
{
    // Thousands of files of an image's size, one of them the G7400 image, which
    // does not run the game; a name outside the code page; a folder; a huge
    // file; and an image for the game that another program holds, so that it
    // cannot be read.
    const std::string bios = emu + "\\BIOS";
    std::vector<File> files = {{u8"\u65e5\u672c.bin", std::string(1024, 'n')},
                               {"locked.bin", BytesWithCrc32(kO2rom, 1024)},
                               {"junk 1500 G7400.bin", BytesWithCrc32(kG7400, 1024)}};
    for (int i = 0; i < 3000; i++)
        files.push_back({"junk " + std::to_string(i) + ".bin", std::string(1024, 'j')});
    WriteFiles(bios, files);
    MakeFiles(bios, {"sub\\"});
    HANDLE hLocked = CreateFileW(Wide(bios + "\\locked.bin").c_str(), GENERIC_READ, 0, NULL,
                                 OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLocked, INVALID_HANDLE_VALUE);
    HANDLE hHuge = CreateFileW(Wide(bios + "\\huge.bin").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, 0, NULL);
    LARGE_INTEGER size;
    size.QuadPart = 1LL << 40;
    EXPECT_TRUE(SetFilePointerEx(hHuge, size, NULL, FILE_BEGIN) && SetEndOfFile(hHuge));
    CloseHandle(hHuge);
    const std::vector<std::string> before = Listing(bios);

    DWORD launched = 0, shown = 0;
    std::vector<std::string> message;
    RunModal(dlg, {Do([&] {
                       ListRoms(dlg, emu, roms);
                       SetExitCode("1");
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
    EXPECT_NE(message[0].find("its BIOS folder, " + bios + ", holds only G7400,"),
              std::string::npos)
        << message[0];
    // The stand-in's own start and end included: far less than reading the
    // huge file, a terabyte, would take, and far more than the rest takes.
    // make bench measures the time itself.
    EXPECT_LT(shown - launched, Scaled(3000));
    EXPECT_EQ(Listing(bios), before);
}

TEST_F(WatchTest, NoMessageWhenO2emEndsWellIsClosedByItsUserOrRunsOn)
{
    DWORD runnerStarted = 0;
    HWND hRunner = NULL;
    auto noMessage = [] { EXPECT_EQ(FindDialog(MSG_CAPTION_LAUNCHER_ERROR), (HWND)NULL); };
    RunModal(
        dlg,
        {Do([&] {
             ListRoms(dlg, emu, roms);
             for (const char* code : {"0", "0xC000013A"}) {
                 SetExitCode(code);
                 dlg.LaunchSelected();
             }
             LaunchARunner();
             runnerStarted = GetTickCount();
         }),
         Until([&] {
             noMessage();
             return emulator.Launches().size() == 3 && Watches() == 1;
         }),
         Until([&] {
             noMessage();
             return Watches() == 0;
         }),
         Do([&] {
             EXPECT_GE(GetTickCount() - runnerStarted, (DWORD)CLaunchWatch::WATCH_MS - 100);
             // A loaded machine may show the runner's window after the watch.
             ASSERT_TRUE(WaitUntil(
                 [&] { return (hRunner = FindWindowA(NULL, "O2em stand-in")) != NULL; }, 5000));
             PostMessageA(hRunner, WM_COMMAND, IDOK, 0);
         }),
         Until([&] { return !IsWindow(hRunner); }), Do([] { Sleep(Scaled(500)); }), Do([&] {
             noMessage();
             dlg.EndDialog(0);
         })});
}

TEST_F(WatchTest, AMessageThatComesWhileADialogIsOpenOverTheLauncherBelongsToThatDialog)
{
    AfxGetApp()->m_pMainWnd = &dlg;
    std::vector<std::string> message;
    HWND owner = NULL;
    RunModal(dlg, {Do([&] {
                       ListRoms(dlg, emu, roms);
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

// The visible top-level windows with this caption; closed too when there are
// more than one, so that a test that finds them fails instead of waiting.
int WindowsCaptioned(const char* caption)
{
    std::vector<HWND> windows;
    for (HWND hWnd = FindWindowExA(NULL, NULL, NULL, caption); hWnd != NULL;
         hWnd = FindWindowExA(NULL, hWnd, NULL, caption))
        if (IsWindowVisible(hWnd))
            windows.push_back(hWnd);
    for (HWND hWnd : windows)
        if (windows.size() > 1)
            EndDialog(hWnd, IDOK);
    return (int)windows.size();
}

TEST_F(WatchTest, FailedStartsShowOneMessageAtATimeAndNoWatchOutlivesItsEndOrTheLauncher)
{
    int handles = 0, processHandles = 0;
    std::vector<std::string> shown;
    HWND hRunner = NULL;
    DWORD closed = 0;
    RunModal(dlg,
             {// A start that ends well first, so that the thread pool that waits is up.
              Do([&] {
                  ListRoms(dlg, emu, roms);
                  SetExitCode("0");
                  dlg.LaunchSelected();
              }),
              Until([&] { return Watches() == 0; }), Do([&] {
                  handles = OpenKernelHandles();
                  processHandles = OpenKernelHandles(true);
                  // Two causes, each ten times: a speed O2em refuses, and no BIOS.
                  SetExitCode("-1");
                  for (int i = 0; i < 20; i++) {
                      dlg.m_speed = i % 2 ? 100 : 0;
                      dlg.LaunchSelected();
                  }
              }),
              Until([&] {
                  EXPECT_LE(WindowsCaptioned(MSG_CAPTION_LAUNCHER_ERROR), 1);
                  HWND hBox = FindDialog(MSG_CAPTION_LAUNCHER_ERROR);
                  // Closed once every start has ended: the failures meet an open box.
                  bool ended = emulator.Launches().size() == 21 && Watches() == 0;
                  if (hBox != NULL && ended) {
                      std::vector<std::string> texts = StaticTexts(hBox);
                      shown.insert(shown.end(), texts.begin(), texts.end());
                      EndDialog(hBox, IDOK);
                      return false;
                  }
                  return ended && hBox == NULL && dlg.m_launchErrors.GetSize() == 0;
              }),
              Do([&] {
                  EXPECT_LE(OpenKernelHandles(), handles);
                  LaunchARunner();
              }),
              Until([&] { return (hRunner = FindWindowA(NULL, "O2em stand-in")) != NULL; }),
              Do([&] {
                  closed = GetTickCount();
                  dlg.SendMessage(WM_CLOSE);
              })});
    // Each cause shown once, in the order the starts ended.
    ASSERT_EQ(shown.size(), 2u);
    std::sort(shown.begin(), shown.end());
    EXPECT_NE(shown[0].find("O2em says: \"Invalid value for option speed\""), std::string::npos);
    EXPECT_NE(shown[1].find("O2em says: \"dir 'bios/' not found !\""), std::string::npos);
    // Closing the launcher ends the watch at once; the emulator runs on, and
    // when it fails afterwards, nothing answers.
    EXPECT_LT(GetTickCount() - closed, Scaled(2000));
    EXPECT_EQ(Watches(), 0);
    EXPECT_EQ(OpenKernelHandles(true), processHandles);
    ASSERT_TRUE(IsWindow(hRunner));
    PostMessageA(hRunner, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hRunner); }, 5000));
    Sleep(Scaled(500));
    EXPECT_EQ(FindWindowA(NULL, MSG_CAPTION_LAUNCHER_ERROR), (HWND)NULL);
}

} // namespace
