// The test pattern in a window of its own process:
//   tanzel_pattern LEFT TOP RIGHT BOTTOM
// Each pixel shows TestPatternColor of its screen position. Closes on WM_CLOSE.
#include "support/test_pattern.h"

#include <cstdlib>

namespace
{

HDC g_pattern;

void DrawPattern(const RECT &area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    DWORD *pixels = static_cast<DWORD *>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF color = TestPatternColor(area.left + x, area.top + y);
            pixels[y * width + x] =
                GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
        }
    }
    g_pattern = CreateCompatibleDC(NULL);
    SelectObject(g_pattern, bitmap);
}

LRESULT CALLBACK PatternWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, g_pattern, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    RECT area = {std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4])};
    DrawPattern(area);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PatternWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = "TanzelTestPattern";
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW, windowClass.lpszClassName, "tanzel test pattern",
                        WS_POPUP, area.left, area.top, area.right - area.left,
                        area.bottom - area.top, NULL, NULL, windowClass.hInstance, NULL);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
