// COM on the program's thread, which the shell's folder picker and its opening
// of files may reach: set up apartment-threaded, with OLE1 DDE off, only when
// one of them is first used, so that the program's start neither loads ole32
// nor pays for COM, and taken down when the program ends.
#pragma once

#include <windows.h>

// Before a call that may reach COM; once on the thread, then nothing.
void EnterComApartment();
// When the program ends: takes down what EnterComApartment set up.
void LeaveComApartment();
