#include "o2em/Crc32.h"

// The table is made on first use.
DWORD Crc32(const BYTE* pData, DWORD dwSize, DWORD dwCrc)
{
    static DWORD table[256];
    if (table[1] == 0) {
        for (DWORD n = 0; n < 256; n++) {
            table[n] = n;
            for (int bit = 0; bit < 8; bit++)
                table[n] = (table[n] >> 1) ^ (0xEDB88320 & (0 - (table[n] & 1)));
        }
    }
    DWORD crc = ~dwCrc;
    for (DWORD i = 0; i < dwSize; i++)
        crc = (crc >> 8) ^ table[(crc ^ pData[i]) & 0xFF];
    return ~crc;
}

// Read a piece at a time, so that no file size asks for memory.
BOOL ReadCrc32(HANDLE hFile, DWORD dwSize, DWORD* pdwCrc)
{
    BYTE piece[16384];
    *pdwCrc = 0;
    while (dwSize > 0) {
        DWORD dwWanted = dwSize < sizeof piece ? dwSize : sizeof piece, dwRead = 0;
        if (!ReadFile(hFile, piece, dwWanted, &dwRead, NULL) || dwRead != dwWanted)
            return FALSE;
        *pdwCrc = Crc32(piece, dwRead, *pdwCrc);
        dwSize -= dwRead;
    }
    return TRUE;
}
