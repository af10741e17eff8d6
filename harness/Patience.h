// How long the harness and the tests wait, for something or for nothing: each
// wait is given as on a fast host and scaled by how much slower this machine
// is, a factor that the tests measure once and the benchmark and the tour
// leave at 1.
#pragma once

#include <windows.h>

#include <functional>

extern double g_slowness;

inline DWORD Scaled(DWORD ms) { return (DWORD)(ms * g_slowness); }

// Sets the factor: how many times longer than on a fast host a launch of the
// stand-in takes here to be recorded (1 at the least), the median of a few
// launches after one that warms the machine up.
double MeasureSlowness();

// Asks done() every pollMs until it is true or ms (scaled) have passed; its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD ms, DWORD pollMs = 20);
