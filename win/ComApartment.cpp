#include "win/ComApartment.h"

#include <objbase.h>

// The result of setting COM up on the program's one thread; E_PENDING before.
static HRESULT g_hrCom = E_PENDING;

void EnterComApartment()
{
    if (g_hrCom == E_PENDING)
        g_hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

void LeaveComApartment()
{
    if (SUCCEEDED(g_hrCom))
        CoUninitialize();
    g_hrCom = E_PENDING;
}
