#include "win/Joystick.h"

#include <mmsystem.h>

typedef UINT(WINAPI* JoyGetNumDevs)();
typedef MMRESULT(WINAPI* JoyGetPosEx)(UINT, LPJOYINFOEX);

// winmm is loaded only when a joystick is asked for, so that the program's start
// does not pay for it, and by its full path in the system folder, so that no
// DLL of the same name elsewhere is taken for it.
BOOL IsJoystickConnected()
{
    WCHAR path[MAX_PATH + sizeof "\\winmm.dll"];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcpyW(path + length, L"\\winmm.dll");
    HMODULE hWinmm = LoadLibraryW(path);
    if (hWinmm == NULL)
        return TRUE;
    JoyGetNumDevs pGetNumDevs = (JoyGetNumDevs)(void*)GetProcAddress(hWinmm, "joyGetNumDevs");
    JoyGetPosEx pGetPosEx = (JoyGetPosEx)(void*)GetProcAddress(hWinmm, "joyGetPosEx");
    BOOL bConnected = pGetNumDevs == NULL || pGetPosEx == NULL;
    // joyGetNumDevs counts the joysticks the driver can take, not those
    // connected: joyGetPosEx succeeds only for a connected one.
    UINT nDevices = bConnected ? 0 : pGetNumDevs();
    for (UINT id = 0; id < nDevices && !bConnected; id++) {
        JOYINFOEX info = {};
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNALL;
        bConnected = pGetPosEx(id, &info) == JOYERR_NOERROR;
    }
    FreeLibrary(hWinmm);
    return bConnected;
}
