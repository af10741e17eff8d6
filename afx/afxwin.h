// The class library's main header: strings, windows, dialogs, the application,
// standard controls, GDI objects and data exchange.
#pragma once

#include <windows.h>

#include "afxres.h"
#include "afxstr.h"
#include "afxcoll.h"
#include "afxmsg.h"
#include "afxwnd.h"
#include "afxdlg.h"
#include "afxapp.h"
#include "afxctl.h"
#include "afxgdi.h"
#include "afxdd.h"
