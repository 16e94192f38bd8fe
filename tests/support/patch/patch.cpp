// A borderless window of known colours for the tests, in a process of its own:
//   tanzel_patch LEFT TOP RIGHT BOTTOM COLOR [BAND_LEFT BAND_TOP BAND_RIGHT BAND_BOTTOM COLOR]...
// Colours are COLORREF values (0x00BBGGRR); band rectangles are in the
// patch's client coordinates. The window closes on WM_CLOSE; kRepaintPatch
// (patch/patch_message.h) fills it with another colour, the bands kept.
#include <windows.h>

#include "support/patch/patch_message.h"

#include <cstdlib>
#include <vector>

namespace
{

struct Band {
    RECT rect;
    COLORREF color;
};

RECT g_area;
std::vector<Band> g_bands; // the first is the whole patch

void Fill(HDC dc, const RECT &rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK PatchWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        for (const Band &band : g_bands)
            Fill(dc, band.rect, band.color);
        EndPaint(window, &paint);
        return 0;
    }
    case kRepaintPatch:
        g_bands[0].color = static_cast<COLORREF>(wParam);
        InvalidateRect(window, NULL, FALSE);
        UpdateWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool ReadArguments(int argc, char **argv)
{
    if (argc < 6 || (argc - 6) % 5 != 0)
        return false;
    long values[5];
    for (int i = 1; i < argc; i += 5) {
        for (int j = 0; j < 5; ++j)
            values[j] = std::strtol(argv[i + j], NULL, 0);
        Band band = {{values[0], values[1], values[2], values[3]},
                     static_cast<COLORREF>(values[4])};
        g_bands.push_back(band);
    }
    g_area = g_bands[0].rect;
    g_bands[0].rect = {0, 0, g_area.right - g_area.left, g_area.bottom - g_area.top};
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!ReadArguments(argc, argv))
        return 2;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PatchWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = "TanzelTestPatch";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "tanzel test patch", WS_POPUP,
                        g_area.left, g_area.top, g_area.right - g_area.left,
                        g_area.bottom - g_area.top, NULL, NULL, windowClass.hInstance, NULL);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
