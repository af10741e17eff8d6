// Measures the program's paths against the platform's own floor for the same
// work, in the same run and on the same data, and reports the ratios.
//
// usage: zorvane_bench.exe DATA_DIR JSON_OUT [--quick]
//   --quick: the smallest size, one pair, no goals (keeps it from rotting)
#include "BareFill.h"
#include "Files.h"
#include "LauncherProcess.h"
#include "ModalScript.h"
#include "StandIn.h"
#include "win/FindFile.h"
#include "o2em/LaunchWatch.h"
#include "core/LauncherDlg.h"
#include "o2em/O2em.h"
#include "o2em/StartFailure.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

CWinApp benchApp;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return (double)counter.QuadPart / frequency.QuadPart;
}

// The value below which the share q of the values lies, between the two
// nearest where it falls between them.
double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    double at = q * (values.size() - 1);
    size_t below = (size_t)at;
    if (below + 1 >= values.size())
        return values.back();
    return values[below] + (at - below) * (values[below + 1] - values[below]);
}

double Median(const std::vector<double>& values) { return Quantile(values, 0.5); }

double Min(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

// A path measured in pairs: the program's sample and the floor's taken beside it.
struct Row
{
    std::string path;
    std::string unit; // of the samples: "ms" or "MB"
    std::vector<double> program = {}, floor = {};
    double goal = 0; // the highest ratio that meets it

    std::vector<double> Ratios() const
    {
        std::vector<double> ratios;
        for (size_t i = 0; i < program.size() && i < floor.size(); i++)
            ratios.push_back(program[i] / floor[i]);
        return ratios;
    }
    // What decides: the median of the pairs' ratios, which a pair disturbed by
    // the machine cannot move; and how far the middle half of them spreads.
    double Ratio() const { return Median(Ratios()); }
    double Spread() const { return Quantile(Ratios(), 0.75) - Quantile(Ratios(), 0.25); }
};

struct Settings
{
    std::string data;
    std::string work;
    int minPairs;
    double budget; // seconds a row's pairs go on for, or its least pairs if they take longer
    std::vector<int> sizes;
};

// The program and its floor in turns, after a warm-up of each: program then
// floor, then floor then program, and so on, so that neither side always
// runs on what the other left warm, and a drift of the machine's load weighs
// on both alike. At least the least pairs, and more while the row's share of
// the budget lasts.
void InTurns(const Settings& settings, Row& row, const std::function<double()>& program,
             const std::function<double()>& floor, double budgetShare = 1)
{
    program();
    floor();
    double end = Now() + settings.budget * budgetShare;
    for (int i = 0; i < settings.minPairs || (Now() < end && i < 1000); i++) {
        if (i % 2 == 0) {
            row.program.push_back(program());
            row.floor.push_back(floor());
        } else {
            row.floor.push_back(floor());
            row.program.push_back(program());
        }
    }
}

// Made beforehand by scripts/bench-data.sh.
std::string RomDirectory(const Settings& settings, int count)
{
    return settings.data + "\\roms-" + std::to_string(count);
}

// A bare tree of the same size and style as the launcher's, in a window of its own.
struct BareTree
{
    HWND hWindow, hTree;
    explicit BareTree(HWND hLike)
    {
        RECT rect;
        GetWindowRect(hLike, &rect);
        hWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
        hTree = CreateWindowExA(0, WC_TREEVIEWA, "", GetWindowLongA(hLike, GWL_STYLE), 0, 0,
                                rect.right - rect.left, rect.bottom - rect.top, hWindow, NULL,
                                GetModuleHandleA(NULL), NULL);
    }
    ~BareTree() { DestroyWindow(hWindow); }
};

double Timed(const std::function<void()>& work)
{
    double start = Now();
    work();
    return (Now() - start) * 1000;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Everything measured inside the running launcher dialog.
void MeasureInDialog(const Settings& settings, const std::string& emuDir, std::vector<Row>& rows)
{
    CLauncherDlg dlg;
    PlayModal(
        dlg, {Do([&] {
            HWND hTree = dlg.m_romTree.m_hWnd;
            BareTree bare(hTree);
            for (bool visible : {false, true}) {
                ShowWindow(dlg.m_hWnd, visible ? SW_SHOW : SW_HIDE);
                ShowWindow(bare.hWindow, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
                for (int count : settings.sizes) {
                    std::string directory = RomDirectory(settings, count);
                    dlg.m_romDir = directory.c_str();
                    Row row = {"ROM list fill, " + std::to_string(count) +
                                   (visible ? ", visible" : ", hidden"),
                               "ms"};
                    // Each fill starts from an empty list.
                    InTurns(
                        settings, row,
                        [&] {
                            dlg.m_romTree.DeleteAllItems();
                            PumpMessages();
                            return Timed([&] {
                                dlg.FillRomList();
                                UpdateWindow(hTree);
                            });
                        },
                        [&] {
                            SendMessageA(bare.hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
                            PumpMessages();
                            return Timed([&] {
                                BareFill(bare.hTree, directory);
                                UpdateWindow(bare.hTree);
                            });
                        });
                    row.goal = 1.5;
                    rows.push_back(row);
                }
            }

            // A refill replaces a full list, as after the Directories dialog.
            int count = settings.sizes.size() > 2 ? 10000 : settings.sizes.back();
            std::string directory = RomDirectory(settings, count);
            dlg.m_romDir = directory.c_str();
            Row refill = {"refill, " + std::to_string(count) + ", visible", "ms"};
            InTurns(
                settings, refill,
                [&] {
                    PumpMessages();
                    return Timed([&] {
                        dlg.FillRomList();
                        UpdateWindow(hTree);
                    });
                },
                [&] {
                    PumpMessages();
                    return Timed([&] {
                        BareFill(bare.hTree, directory);
                        UpdateWindow(bare.hTree);
                    });
                });
            refill.goal = 1.5;
            rows.push_back(refill);

            // The settings file: fourteen reads; fourteen writes that each change a value.
            static const char* const keys[] = {
                "ROMS_DIR",     "EMU_DIR", "DEBUG", "NOAUDIO", "NOVOICE", "SCANLINES", "FULLSCREEN",
                "SPEEDLIMITER", "AUDIO",   "VOICE", "SPEED",   "WINDOW",  "STICK1",    "STICK2"};
            std::string ini = settings.work + "\\zorvane.ini";
            dlg.SaveSettings();
            Row load = {"settings load", "ms"};
            InTurns(
                settings, load, [&] { return Timed([&] { dlg.LoadSettings(); }); },
                [&] {
                    return Timed([&] {
                        char value[512];
                        for (const char* key : keys)
                            GetPrivateProfileStringA("SETTINGS", key, "", value, sizeof value,
                                                     ini.c_str());
                    });
                });
            load.goal = 2;
            rows.push_back(load);

            int flip = 0;
            auto change = [&] {
                flip ^= 1;
                dlg.m_romDir = flip ? "roms-a" : "roms-b";
                dlg.m_emuDir = flip ? "emu-a" : "emu-b";
                dlg.m_debug = dlg.m_noSound = dlg.m_noVoice = dlg.m_scanlines = flip;
                dlg.m_fullScreen = dlg.m_noLimit = flip;
                dlg.m_audioVolume = dlg.m_voiceVolume = dlg.m_speed = 50 + flip;
                dlg.m_windowSizeCombo.SetCurSel(flip);
                dlg.m_stick1Combo.SetCurSel(flip + 1);
                dlg.m_stick2Combo.SetCurSel(flip + 2);
            };
            Row save = {"settings save", "ms"};
            InTurns(
                settings, save,
                [&] {
                    change();
                    return Timed([&] { dlg.SaveSettings(); });
                },
                [&] {
                    flip ^= 1;
                    return Timed([&] {
                        for (const char* key : keys)
                            WritePrivateProfileStringA("SETTINGS", key, flip ? "1" : "2",
                                                       ini.c_str());
                    });
                });
            save.goal = 1.5;
            rows.push_back(save);

            // A launch, until the emulator's process has been created, from a
            // small ROM folder and from the largest.
            std::string standIn = emuDir + "\\o2em.exe";
            dlg.m_emuDir = emuDir.c_str();
            std::vector<int> launchSizes = {settings.sizes.front()};
            if (settings.sizes.size() > 1)
                launchSizes.push_back(settings.sizes.back());
            for (int count : launchSizes) {
                dlg.m_romDir = RomDirectory(settings, count).c_str();
                dlg.FillRomList();
                TreeView_SelectItem(hTree, TreeView_GetRoot(hTree));
                Row launch = {"launch, " + std::to_string(count) + " ROMs", "ms"};
                InTurns(
                    settings, launch,
                    [&] {
                        double ms = Timed([&] { dlg.LaunchSelected(); });
                        Sleep(200);
                        return ms;
                    },
                    [&] {
                        STARTUPINFOA startup = {};
                        startup.cb = sizeof startup;
                        PROCESS_INFORMATION process;
                        char commandLine[] = "o2em \"roms\\x.bin\" ";
                        double ms = Timed([&] {
                            if (CreateProcessA(standIn.c_str(), commandLine, NULL, NULL, FALSE, 0,
                                               NULL, emuDir.c_str(), &startup, &process)) {
                                CloseHandle(process.hThread);
                                CloseHandle(process.hProcess);
                            }
                        });
                        Sleep(200);
                        return ms;
                    });
                launch.goal = 1.5;
                rows.push_back(launch);
            }
            dlg.EndDialog(0);
        })},
        30 * 60 * 1000);
}

// The least the platform does to find what stopped an emulator at once in such
// folders: count the entries of the ROM's folder, read O2em's settings file and
// find each of its lines, then read each file of an image's size in the bios
// folder and take its CRC-32 with the platform's own function, and that of the
// ROM, which tells which image the game needs.
int BareExplanation(const std::string& romFolder, const std::string& rom, const std::string& emu)
{
    typedef DWORD(WINAPI * Crc32)(DWORD, const BYTE*, INT);
    static Crc32 crc32 =
        (Crc32)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32");
    CFindFile finder;
    WIN32_FIND_DATAW entry;
    int found = 0;
    for (bool bFound = finder.FindFirst(Wide(romFolder + "\\*").c_str(), entry); bFound;
         bFound = finder.FindNext(entry))
        found++;
    static char text[1 << 20];
    HANDLE hConfig = CreateFileW(Wide(emu + "\\o2em_def.cfg").c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    DWORD read = 0;
    ReadFile(hConfig, text, sizeof text, &read, NULL);
    CloseHandle(hConfig);
    for (const char* line = text; line < text + read; line++) {
        found += *line == '=';
        line = (const char*)memchr(line, '\n', text + read - line);
        if (line == NULL)
            break;
    }
    std::wstring folder = Wide(emu) + L"\\bios\\";
    for (bool bFound = finder.FindFirst((folder + L"*").c_str(), entry); bFound;
         bFound = finder.FindNext(entry)) {
        if (entry.nFileSizeHigh != 0 || entry.nFileSizeLow != 1024)
            continue;
        HANDLE hFile = CreateFileW((folder + entry.cFileName).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        BYTE data[1024];
        read = 0;
        ReadFile(hFile, data, sizeof data, &read, NULL);
        CloseHandle(hFile);
        found += crc32(0, data, read) == 0x8016A315;
    }
    static BYTE data[1 << 20];
    HANDLE hRom =
        CreateFileW(Wide(rom).c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    read = 0;
    ReadFile(hRom, data, sizeof data, &read, NULL);
    CloseHandle(hRom);
    return found + (crc32(0, data, read) == 0x0CA26992);
}

// What stopped an emulator at once with O2em's refusal, found in an emulator
// folder against the platform's floor for it.
Row Explanation(const Settings& settings, const std::string& path, const std::string& emu,
                const std::string& rom)
{
    std::string romFolder = RomDirectory(settings, 100), romPath = romFolder + "\\" + rom;
    HANDLE hProcess;
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &hProcess, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
    CLaunchWatch watch(hProcess, ("o2em \"" + romPath + "\" ").c_str(), romPath.c_str(), "",
                       emu.c_str());
    Row row = {path, "ms"};
    InTurns(
        settings, row,
        [&] { return Timed([&] { DescribeFailedStart(watch, O2EM_EXIT_REFUSED); }); },
        [&] { return Timed([&] { BareExplanation(romFolder, romPath, emu); }); });
    row.goal = 1.5;
    return row;
}

// An O2em settings file of this many lines: comments, blank lines, options
// O2em takes and ones it refuses, every one read; the sticks at the keys.
std::string SettingsFile(int lines)
{
    const char* kinds[] = {"# line %d: what O2em starts with", "", "  Speed = %d",
                           "scorefile_%d=\"high scores.txt\"", "S1=1"};
    std::string text;
    for (int i = 0; i < lines; i++) {
        char line[80];
        snprintf(line, sizeof line, kinds[i % 5], i);
        text += std::string(line) + "\r\n";
    }
    return text;
}

void MeasureExplanation(const Settings& settings, std::vector<Row>& rows)
{
    // bios\ holds 3,000 files of an image's size, none of them an image: every
    // one of them is read, and none gives a cause.
    rows.push_back(Explanation(settings, "explain a stop at once, bios of 3000 files",
                               settings.data + "\\o2em", "x.bin"));
    // O2em's settings file, and every check passed: the display is left.
    const int lines = 10000;
    std::string emu = settings.work + "\\emu-config";
    MakeFiles(emu, {"bios\\"});
    WriteFile(emu + "\\bios\\o2rom.bin", BytesWithCrc32(0x8016A315, 1024));
    WriteFile(emu + "\\o2em_def.cfg", SettingsFile(lines));
    rows.push_back(Explanation(
        settings, "explain a stop at once, o2em_def.cfg of " + std::to_string(lines) + " lines",
        emu, "00000 Game (USA).bin"));
}

// Starts a program in a directory and returns the time until its window is
// painted and idle, and its peak working set then.
struct Opened
{
    double ms;
    double peakMB;
};

Opened OpenAndQuit(const std::string& program, const std::string& arguments,
                   const std::string& directory)
{
    double start = Now();
    LauncherProcess opened(program, arguments, directory.c_str(), 1);
    while (opened.hWnd != NULL && GetUpdateRect(opened.hWnd, NULL, FALSE))
        Sleep(1);
    double ms = (Now() - start) * 1000;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(opened.process.hProcess, &memory, sizeof memory);
    return {ms, memory.PeakWorkingSetSize / 1048576.0};
}

void MeasureProcesses(const Settings& settings, std::vector<Row>& rows)
{
    std::string programs = ProgramDirectory();
    std::string zorvane = programs + "\\..\\Zorvane.exe";
    std::string bare = programs + "\\bare_dialog.exe";
    TempDir dir;

    int opening = settings.sizes.size() > 1 ? 1000 : settings.sizes.front();
    std::string roms = RomDirectory(settings, opening);
    WriteFile(dir / "zorvane.ini", "[SETTINGS]\r\nROMS_DIR=" + roms + "\r\nAUDIO=80\r\n");
    Row open = {"open, " + std::to_string(opening) + " ROMs and a settings file", "ms"};
    // Starting a process under Wine drifts most with the machine's load: the
    // opening has a larger share of the budget.
    InTurns(
        settings, open, [&] { return OpenAndQuit(zorvane, "", dir.Path()).ms; },
        [&] { return OpenAndQuit(bare, "", dir.Path()).ms; }, 10);
    open.goal = 1.2;
    rows.push_back(open);

    std::vector<int> memorySizes = {opening};
    if (settings.sizes.size() > 1)
        memorySizes.push_back(settings.sizes.back());
    for (int count : memorySizes) {
        std::string directory = RomDirectory(settings, count);
        WriteFile(dir / "zorvane.ini", "[SETTINGS]\r\nROMS_DIR=" + directory + "\r\n");
        Row memory = {"peak working set, " + std::to_string(count) + " ROMs", "MB"};
        InTurns(
            settings, memory, [&] { return OpenAndQuit(zorvane, "", dir.Path()).peakMB; },
            [&] { return OpenAndQuit(bare, directory, dir.Path()).peakMB; }, 0);
        memory.goal = 1.2;
        rows.push_back(memory);
    }
}

// The size of the shipped program, whether it needs only the system's DLLs,
// and whether it carries no symbol table.
struct Executable
{
    double kb;
    bool staticallyLinked;
    bool stripped;
};

Executable Inspect(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    std::string image = content.str();
    Executable exe = {image.size() / 1024.0, true, false};
    const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)image.data();
    const IMAGE_NT_HEADERS32* nt = (const IMAGE_NT_HEADERS32*)(image.data() + dos->e_lfanew);
    exe.stripped = nt->FileHeader.PointerToSymbolTable == 0;
    HMODULE module = LoadLibraryExA(path.c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES);
    if (module == NULL)
        return exe;
    BYTE* base = (BYTE*)module;
    const IMAGE_NT_HEADERS32* loaded =
        (const IMAGE_NT_HEADERS32*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    DWORD rva = loaded->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    static const char* const system[] = {"comctl32.dll", "gdi32.dll", "kernel32.dll",
                                         "msvcrt.dll",   "ole32.dll", "shell32.dll",
                                         "user32.dll"};
    for (IMAGE_IMPORT_DESCRIPTOR* import = (IMAGE_IMPORT_DESCRIPTOR*)(base + rva);
         rva && import->Name; import++) {
        const char* name = (const char*)(base + import->Name);
        bool known = false;
        for (const char* dll : system)
            known = known || lstrcmpiA(name, dll) == 0;
        exe.staticallyLinked = exe.staticallyLinked && known;
    }
    FreeLibrary(module);
    return exe;
}

std::string Format(double value)
{
    char text[32];
    snprintf(text, sizeof text, value < 10 ? "%.2f" : "%.1f", value);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: zorvane_bench.exe DATA_DIR JSON_OUT [--quick]\n");
        return 2;
    }
    bool quick = argc > 3 && std::string(argv[3]) == "--quick";
    char data[MAX_PATH], jsonPath[MAX_PATH];
    GetFullPathNameA(argv[1], MAX_PATH, data, NULL);
    GetFullPathNameA(argv[2], MAX_PATH, jsonPath, NULL);
    TempDir work;
    // At least 11 pairs a row, and pairs for 2 seconds.
    Settings settings = {data, work.Path(), quick ? 1 : 11, quick ? 0.0 : 2.0,
                         quick ? std::vector<int>{100} : std::vector<int>{100, 1000, 10000, 50000}};

    ScopedCurrentDirectory inWork(work.Path());
    StandInEmulator emulator(work / "emu");

    std::vector<Row> rows;
    MeasureInDialog(settings, work / "emu", rows);
    MeasureExplanation(settings, rows);
    MeasureProcesses(settings, rows);

    if (!quick) {
        // Time per entry at 50,000 against 1,000, pair by pair: the fill stays linear.
        auto row = [&](const std::string& path) {
            return *std::find_if(rows.begin(), rows.end(),
                                 [&](const Row& r) { return r.path == path; });
        };
        for (const char* visibility : {"hidden", "visible"}) {
            const Row small = row(std::string("ROM list fill, 1000, ") + visibility),
                      large = row(std::string("ROM list fill, 50000, ") + visibility);
            Row perEntry = {std::string("fill per entry 50000 vs 1000, ") + visibility, "us"};
            for (size_t i = 0; i < large.program.size() && i < small.program.size(); i++) {
                perEntry.program.push_back(large.program[i] * 1000 / 50000);
                perEntry.floor.push_back(small.program[i] * 1000 / 1000);
            }
            perEntry.goal = 1.5;
            rows.push_back(perEntry);
        }
    }

    const char* format = "%-52s %5s %21s %21s %6s %6s %9s %s\n";
    printf(format, "path", "pairs", "program min/median", "floor min/median", "ratio", "spread",
           "goal", "met");
    std::ostringstream json;
    json << "{\n  \"rows\": [\n";
    bool allMet = true;
    auto report = [&](const std::string& path, size_t pairs, const std::string& program,
                      const std::string& floor, double ratio, double spread,
                      const std::string& goal, bool met) {
        allMet = allMet && met;
        printf(format, path.c_str(), std::to_string(pairs).c_str(), program.c_str(), floor.c_str(),
               Format(ratio).c_str(), Format(spread).c_str(), goal.c_str(),
               quick ? "-"
               : met ? "yes"
                     : "NO");
        json << "    {\"path\": \"" << path << "\", \"pairs\": " << pairs
             << ", \"ratio\": " << ratio << ", \"spread\": " << spread << ", \"goal\": \"" << goal
             << "\", \"met\": " << (met ? "true" : "false") << "},\n";
    };
    for (const Row& row : rows) {
        std::string program =
            Format(Min(row.program)) + " / " + Format(Median(row.program)) + " " + row.unit;
        std::string floor =
            Format(Min(row.floor)) + " / " + Format(Median(row.floor)) + " " + row.unit;
        report(row.path, row.program.size(), program, floor, row.Ratio(), row.Spread(),
               "<= " + Format(row.goal), row.Ratio() <= row.goal);
    }
    Executable exe = Inspect(ProgramDirectory() + "\\..\\Zorvane.exe");
    report("size of Zorvane.exe (static, stripped)", 1, Format(exe.kb) + " KB", "-", exe.kb / 300,
           0, "<= 300 KB", exe.kb <= 300 && exe.staticallyLinked && exe.stripped);
    std::string text = json.str();
    text.erase(text.size() - 2);
    text += "\n  ]\n}\n";
    WriteFile(jsonPath, text);
    printf("%s\n", quick    ? "Benchmark ran once at its smallest size (no goals checked)."
                   : allMet ? "Every goal is met."
                            : "Some goals are not met.");
    return 0;
}
