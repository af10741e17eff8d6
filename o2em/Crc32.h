// CRC-32 as O2em reckons it (the zip polynomial), by which it knows BIOS images
// and games whatever their names.
#pragma once

#include <windows.h>

DWORD Crc32(const BYTE* pData, DWORD dwSize, DWORD dwCrc = 0);

// The CRC-32 of the next dwSize bytes of an open file; FALSE when they cannot
// all be read.
BOOL ReadCrc32(HANDLE hFile, DWORD dwSize, DWORD* pdwCrc);
