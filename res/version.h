// The program's file version, written once: the resource script's version
// record and the build, which names the release after it, read it from here.
#pragma once

#define ZORVANE_VERSION_MAJOR 0
#define ZORVANE_VERSION_MINOR 1
#define ZORVANE_VERSION_BUILD 0
#define ZORVANE_VERSION_REVISION 0
