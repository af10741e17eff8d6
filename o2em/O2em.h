// What O2em 1.18 takes and knows at its start, as its own sources have it.
#pragma once

#include <windows.h>

// O2em reads the names of the ROM's folder, "." and ".." among them, into a
// table of this many, with no bound check.
const int O2EM_ROM_FOLDER_NAMES = 1024;
// A BIOS image is a file of this size; a ROM's size is a multiple of it.
const DWORD O2EM_IMAGE_SIZE = 1024;

// The options whose values O2em checks, and the values it takes.
struct O2emOptionRange
{
    LPCTSTR pszName;
    int nLow, nHigh;
    BOOL bKeys; // a value of two characters or more is read as a list of keys
};

const O2emOptionRange O2EM_OPTION_RANGES[] = {
    {"wsize", 1, 4, FALSE},     {"svolume", 0, 100, FALSE}, {"vvolume", 0, 100, FALSE},
    {"speed", 1, 10000, FALSE}, {"s1", 0, 3, TRUE},         {"s2", 0, 3, TRUE},
};

// The BIOS images O2em knows, each by its name and the CRC-32 of the whole file.
enum O2emBios
{
    BIOS_O2ROM,
    BIOS_G7400,
    BIOS_C52,
    BIOS_JOPAC,
    BIOS_COUNT
};

struct O2emBiosImage
{
    LPCTSTR pszName; // as O2em's option that asks for it, in any case
    DWORD dwCrc;
    LPCTSTR pszConsole;
};

const O2emBiosImage O2EM_BIOS_IMAGES[BIOS_COUNT] = {
    {"O2ROM", 0x8016A315, "Odyssey2 and Videopac G7000"},
    {"G7400", 0xE20A9F41, "Videopac+ G7400"},
    {"C52", 0xA318E8D6, "French Videopac C52"},
    {"JOPAC", 0x11647CA5, "French Videopac+ Jopac"}};

// The images each kind of game runs on: a Videopac+ only game on G7400 or
// JOPAC, every other one on O2ROM or C52.
const UINT O2EM_VIDEOPAC_PLUS_BIOSES = 1 << BIOS_G7400 | 1 << BIOS_JOPAC;
const UINT O2EM_ODYSSEY2_BIOSES = 1 << BIOS_O2ROM | 1 << BIOS_C52;

// The games O2em runs only on a Videopac+ BIOS, by the CRC-32 of the ROM file.
const DWORD O2EM_VIDEOPAC_PLUS_GAMES[] = {0xD7089068, 0xB0A7D723, 0x0CA26992, 0x0B6EB25B,
                                          0x06861A9C, 0xB2F0F0B4, 0x68560DC7, 0x0D2D721D,
                                          0xC4134DF8, 0xA75C42F8};

// Two known incomplete dumps, which O2em refuses but in debug mode.
const DWORD O2EM_INCOMPLETE_DUMPS[] = {0x975AB8DA, 0xE246A812};

// The exit code of a refusal (EXIT_FAILURE).
const DWORD O2EM_EXIT_REFUSED = 1;
