// The joysticks that Windows reports through its multimedia joystick calls.
#pragma once

#include <windows.h>

// FALSE only when Windows reports no joystick connected; TRUE also where it
// cannot be asked.
BOOL IsJoystickConnected();
