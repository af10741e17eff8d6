// The stand-in emulator as the tests and the benchmark use it: copied in as
// o2em.exe, recording each start into a log of its own, which is read back.
#pragma once

#include <string>
#include <vector>

// One start: its command line, its current directory, whether the ROM path it
// received names a file from there, and that file's own name in UTF-8.
struct Launch
{
    std::string commandLine, directory;
    bool romFound;
    std::string romFile;
};

// The stand-in copied into a directory (made if need be); it shows what it
// received in a window captioned "O2em stand-in" when ZORVANE_O2EM_SHOW is set.
class StandInEmulator
{
public:
    explicit StandInEmulator(const std::string& directory);
    // Closes any stand-in still showing what it received, so that none outlives
    // its user, holding its output open.
    ~StandInEmulator();
    StandInEmulator(const StandInEmulator&) = delete;
    StandInEmulator& operator=(const StandInEmulator&) = delete;

    std::vector<Launch> Launches() const;
    // The launches once there are at least count of them, or after 5 s scaled.
    std::vector<Launch> WaitForLaunches(size_t count) const;

private:
    std::string m_log;
};
