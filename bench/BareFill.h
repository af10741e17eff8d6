// The platform's floor for filling the ROM list: enumerate, sort with the
// tree's comparison, append to a tree with redraw off.
#pragma once

#include <windows.h>

#include <string>

void BareFill(HWND hTree, const std::string& directory);
