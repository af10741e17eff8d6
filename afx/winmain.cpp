#include "afxapp.h"

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    pApp->m_hInstance = hInstance;
    // A dialog-based application runs its whole life inside InitInstance and
    // returns FALSE, so there is no message loop to run afterwards.
    pApp->InitInstance();
    return 0;
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                              int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
