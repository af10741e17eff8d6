// Why a started emulator stopped at once: O2em's own checks at its start, made
// again, in O2em's order, on the files as they are now. They only read.
#pragma once

#include <afxwin.h>

class CLaunchWatch;

// The message for the user, in UTF-8: the first cause found with the options
// in force (O2em's own settings file read now, then the command line), in
// O2em's words, with the file or folder concerned, the settings file's line
// where that set it, and what to do; for a refusal that nothing else explains,
// O2em's display; where none is found, the exit code, the command line and how
// to read O2em's own message.
CString DescribeFailedStart(const CLaunchWatch& watch, DWORD dwExitCode);
