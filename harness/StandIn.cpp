#include "StandIn.h"
#include "Files.h"
#include "Patience.h"

#include <cstdio>

StandInEmulator::StandInEmulator(const std::string& directory) : m_log(directory + "\\launches.log")
{
    std::string standIn = ProgramDirectory() + "\\..\\standin\\o2em.exe";
    CreateDirectoryW(Wide(directory).c_str(), NULL);
    if (!CopyFileA(standIn.c_str(), (directory + "\\o2em.exe").c_str(), FALSE))
        fprintf(stderr, "The stand-in %s could not be copied into %s.\n", standIn.c_str(),
                directory.c_str());
    SetEnvironmentVariableA("ZORVANE_O2EM_LOG", m_log.c_str());
}

StandInEmulator::~StandInEmulator()
{
    for (const char* name :
         {"ZORVANE_O2EM_LOG", "ZORVANE_O2EM_SHOW", "ZORVANE_O2EM_EXIT", "ZORVANE_O2EM_WAIT"})
        SetEnvironmentVariableA(name, NULL);
    HWND hWnd;
    for (int tries = 0; tries < 20 && (hWnd = FindWindowA(NULL, "O2em stand-in")) != NULL; tries++)
        SendMessageTimeoutA(hWnd, WM_COMMAND, IDOK, 0, SMTO_ABORTIFHUNG, 1000, NULL);
}

std::vector<Launch> StandInEmulator::Launches() const
{
    std::vector<Launch> launches;
    for (const std::string& line : ReadLines(m_log)) {
        if (line.rfind("cmdline: ", 0) == 0)
            launches.push_back({line.substr(9), "", false, ""});
        else if (line.rfind("cwd: ", 0) == 0 && !launches.empty())
            launches.back().directory = line.substr(5);
        else if (line == "rom: found" && !launches.empty())
            launches.back().romFound = true;
        else if (line.rfind("file: ", 0) == 0 && !launches.empty())
            launches.back().romFile = line.substr(6);
    }
    return launches;
}

std::vector<Launch> StandInEmulator::WaitForLaunches(size_t count) const
{
    std::vector<Launch> launches;
    WaitUntil([&] { return (launches = Launches()).size() >= count; }, 5000);
    return launches;
}
