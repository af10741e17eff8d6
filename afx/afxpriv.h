// Conversions from the ANSI code page to UTF-16, on the stack of the calling
// function, which frees them when it returns.
#pragma once

#include <malloc.h>
#include <windows.h>

inline LPWSTR AfxA2WHelper(LPWSTR lpw, LPCSTR lpa, int nChars)
{
    lpw[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, lpa, -1, lpw, nChars);
    return lpw;
}

#define USES_CONVERSION                                                                            \
    int _convert;                                                                                  \
    (void)_convert

// A double-byte code page never takes more UTF-16 characters than bytes.
#define A2W(lpa)                                                                                   \
    ((LPCSTR)(lpa) == NULL ? NULL                                                                  \
                           : (_convert = lstrlenA(lpa) + 1,                                        \
                              AfxA2WHelper((LPWSTR)alloca(_convert * 2), (lpa), _convert)))
#define A2CW(lpa) ((LPCWSTR)A2W(lpa))
