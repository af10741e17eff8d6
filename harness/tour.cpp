// The guided tour that `make run` gives when there is no display: starts
// Zorvane.exe, saves a screenshot of its window, launches the selected ROM as
// Enter would, and closes the window with its close box.
//
// usage: tour.exe ZORVANE_EXE SCREENSHOT_BMP LAUNCH_LOG
#include "Input.h"
#include "LauncherProcess.h"
#include "Patience.h"

#include <cstdio>

static bool SaveScreenshot(HWND hWnd, const char* path)
{
    RECT rect;
    GetWindowRect(hWnd, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC hScreen = GetDC(NULL);
    HDC hDC = CreateCompatibleDC(hScreen);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    void* bits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hDC, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(hDC, hBitmap);
    BitBlt(hDC, 0, 0, width, height, hScreen, rect.left, rect.top, SRCCOPY);
    SelectObject(hDC, old);

    DWORD imageSize = ((width * 3 + 3) & ~3) * height;
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof file + sizeof header + imageSize), 0, 0,
                             sizeof file + sizeof header};
    FILE* out = fopen(path, "wb");
    bool saved = out != NULL;
    if (saved) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&header, sizeof header, 1, out);
        fwrite(bits, imageSize, 1, out);
        fclose(out);
    }
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    ReleaseDC(NULL, hScreen);
    return saved;
}

static DWORD FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: tour.exe ZORVANE_EXE SCREENSHOT_BMP LAUNCH_LOG\n");
        return 2;
    }
    LauncherProcess launcher(argv[1]);
    HWND hWnd = launcher.hWnd;
    if (hWnd == NULL) {
        fprintf(stderr, "the launcher window did not open\n");
        return 1;
    }
    BringToFront(hWnd);
    Sleep(500);
    printf("The launcher window is open.%s\n",
           SaveScreenshot(hWnd, argv[2]) ? " Screenshot saved." : "");

    printf("Pressing Enter: the selected ROM is launched...\n");
    fflush(stdout);
    DWORD logSize = FileSize(argv[3]);
    PressKey(VK_RETURN);
    WaitUntil([&] { return FileSize(argv[3]) != logSize; }, 10000, 50);
    Sleep(300);

    printf("Clicking the close box: the settings are saved and the launcher ends.\n");
    fflush(stdout);
    return CloseWithCloseBox(hWnd, launcher.process.hProcess) ? 0 : 1;
}
