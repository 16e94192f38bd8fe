// The loupe's floor: a bare layered window of the loupe's size and styles,
// with no program code, that shows an 11 x 11 screen read 8 x: moved by one
// SetWindowPos and painted straight after by one StretchBlt, as the loupe
// must be under Wine (a window shown by UpdateLayeredWindow never appears).
#include "tools/bench/loupe_bench.h"

#include "tools/bench/table.h"
#include "tools/bench/timing.h"

namespace
{

const DWORD kLoupeExStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
const DWORD kLoupeStyle = WS_POPUP | WS_BORDER;
const char kFloorClass[] = "TanzelBenchLoupeFloor";

HWND g_window;
HDC g_squareDC;
HBITMAP g_squareBitmap;
HGDIOBJ g_previousBitmap;

void ReadSquare(POINT hotSpot)
{
    HDC screen = GetDC(NULL);
    BitBlt(g_squareDC, 0, 0, kFloorSquareSize, kFloorSquareSize, screen,
           hotSpot.x - kFloorSquareSize / 2, hotSpot.y - kFloorSquareSize / 2, SRCCOPY);
    ReleaseDC(NULL, screen);
}

void Magnify(HDC target)
{
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, kFloorClientSize, kFloorClientSize, g_squareDC, 0, 0, kFloorSquareSize,
               kFloorSquareSize, SRCCOPY);
}

void PaintNow()
{
    HDC target = GetDC(g_window);
    Magnify(target);
    ReleaseDC(g_window, target);
}

void MoveTo(POINT hotSpot, UINT flags)
{
    SetWindowPos(g_window, NULL, hotSpot.x + kFloorGap, hotSpot.y + kFloorGap, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
}

// Uncovered parts, after a hide elsewhere, are painted as usual.
LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    Magnify(BeginPaint(window, &paint));
    EndPaint(window, &paint);
    return 0;
}

// Shown once, untimed, with a colour no desktop has: is that colour then on
// the screen?
bool ReachesScreen(POINT hotSpot)
{
    const COLORREF kProbeColor = RGB(1, 254, 3);
    HBRUSH brush = CreateSolidBrush(kProbeColor);
    RECT square = {0, 0, kFloorSquareSize, kFloorSquareSize};
    FillRect(g_squareDC, &square, brush);
    DeleteObject(brush);
    MoveTo(hotSpot, SWP_SHOWWINDOW);
    PaintNow();
    PumpFor(100);
    HDC screen = GetDC(NULL);
    COLORREF seen = GetPixel(screen, hotSpot.x + kFloorGap + kFloorOuterSize / 2,
                             hotSpot.y + kFloorGap + kFloorOuterSize / 2);
    ReleaseDC(NULL, screen);
    HideLoupeFloor();
    Pump();
    return seen == kProbeColor;
}

} // namespace

bool CreateLoupeFloor(HWND owner, POINT probe)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorClass;
    RegisterClassA(&windowClass);
    HDC screen = GetDC(NULL);
    g_squareDC = CreateCompatibleDC(screen);
    g_squareBitmap = CreateCompatibleBitmap(screen, kFloorSquareSize, kFloorSquareSize);
    g_previousBitmap = SelectObject(g_squareDC, g_squareBitmap);
    ReleaseDC(NULL, screen);
    g_window = CreateWindowExA(kLoupeExStyle, kFloorClass, "", kLoupeStyle, 0, 0, kFloorOuterSize,
                               kFloorOuterSize, owner, NULL, instance, NULL);
    RECT client = {};
    GetClientRect(g_window, &client);
    if (!g_window || client.right != kFloorClientSize || client.bottom != kFloorClientSize) {
        Fail("the loupe's floor window is not 88 x 88 inside");
        return false;
    }
    // Opaque; a layered window shows nothing before this.
    SetLayeredWindowAttributes(g_window, 0, 255, LWA_ALPHA);
    return ReachesScreen(probe);
}

void DestroyLoupeFloor()
{
    if (g_window)
        DestroyWindow(g_window);
    g_window = NULL;
    if (g_squareDC) {
        SelectObject(g_squareDC, g_previousBitmap);
        DeleteDC(g_squareDC);
        DeleteObject(g_squareBitmap);
    }
    g_squareDC = NULL;
}

void ShowLoupeFloor(POINT hotSpot)
{
    ReadSquare(hotSpot);
    MoveTo(hotSpot, SWP_SHOWWINDOW);
    PaintNow();
}

void HideLoupeFloor()
{
    ShowWindow(g_window, SW_HIDE);
}

void TakeLoupeFloorSample(POINT hotSpot)
{
    ReadSquare(hotSpot);
    MoveTo(hotSpot, 0);
    PaintNow();
}
