// Doubles a CString until it can hold no more: in a 32-bit process the address
// space runs out first, in a 64-bit one the length that a CString counts. The
// string must end the program with the out-of-memory message, not write
// through the null pointer of a failed allocation.
#include <afxwin.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A thread with windows, as the program's is, where the message is a box.
    IsGUIThread(TRUE);
    CString text = "x";
    for (;;)
        text += text;
}
