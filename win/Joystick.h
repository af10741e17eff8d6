// The joysticks that Windows reports through its multimedia joystick calls.
#pragma once

#include <windows.h>

#include <mmsystem.h>

// joyGetNumDevs counts the joysticks the driver can take, not those connected:
// joyGetPosEx succeeds only for a connected one.
inline BOOL IsJoystickConnected()
{
    UINT nDevices = joyGetNumDevs();
    for (UINT id = 0; id < nDevices; id++) {
        JOYINFOEX info = {};
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNALL;
        if (joyGetPosEx(id, &info) == JOYERR_NOERROR)
            return TRUE;
    }
    return FALSE;
}
