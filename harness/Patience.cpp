#include "Patience.h"
#include "Files.h"
#include "StandIn.h"

#include <algorithm>
#include <string>
#include <vector>

double g_slowness = 1;

// A launch of the stand-in on a fast host: 80 to 100 ms under Wine 8.0 on a
// 2-core machine, which a wineserver's round trips dominate.
const double kFastHostLaunchMs = 100;

double MeasureSlowness()
{
    TempDir dir;
    StandInEmulator emulator(dir.Path());
    std::vector<DWORD> times;
    for (int i = 0; i < 6; i++) {
        std::string commandLine = "o2em \"game.bin\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        DWORD start = GetTickCount();
        if (!CreateProcessA((dir / "o2em.exe").c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                            dir.Path().c_str(), &startup, &process))
            break;
        // The stand-in ends once its record is written.
        WaitForSingleObject(process.hProcess, INFINITE);
        times.push_back(GetTickCount() - start);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    // The first launch, which warms the machine up, is left out.
    if (times.size() > 1) {
        std::sort(times.begin() + 1, times.end());
        g_slowness = std::max(1.0, times[times.size() / 2] / kFastHostLaunchMs);
    }
    return g_slowness;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms, DWORD pollMs)
{
    bool bDone;
    for (DWORD deadline = GetTickCount() + Scaled(ms);
         !(bDone = done()) && GetTickCount() < deadline;)
        Sleep(pollMs);
    return bDone;
}
