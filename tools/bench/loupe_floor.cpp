// The loupe's floor: a bare layered window of the loupe's size and styles,
// with no program code, that shows an 11 x 11 screen read 8 x; moved by one
// SetWindowPos and painted by one StretchBlt (in WM_PAINT, or past it), or
// both in one UpdateLayeredWindow, to learn which costs less under Wine.
#include "tools/bench/loupe_bench.h"

#include "tools/bench/table.h"
#include "tools/bench/timing.h"

namespace
{

const int kSquareSize = 11;
const int kMagnifiedSize = 88;
const DWORD kLoupeExStyle = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
const DWORD kLoupeStyle = WS_POPUP | WS_BORDER;
const char kFloorClass[] = "TanzelBenchLoupeFloor";

struct Bitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

HWND g_windows[kLoupeFloorWayCount];
// The square as read, and for UpdateLayeredWindow the whole window, border and all.
Bitmap g_square;
Bitmap g_frame;

Bitmap MakeBitmap(int size)
{
    HDC screen = GetDC(NULL);
    Bitmap made = {CreateCompatibleDC(screen), CreateCompatibleBitmap(screen, size, size), NULL};
    made.previous = SelectObject(made.dc, made.bitmap);
    PatBlt(made.dc, 0, 0, size, size, BLACKNESS);
    ReleaseDC(NULL, screen);
    return made;
}

void FreeBitmap(Bitmap *bitmap)
{
    if (!bitmap->dc)
        return;
    SelectObject(bitmap->dc, bitmap->previous);
    DeleteDC(bitmap->dc);
    DeleteObject(bitmap->bitmap);
    *bitmap = Bitmap();
}

void ReadSquare(POINT hotSpot)
{
    HDC screen = GetDC(NULL);
    BitBlt(g_square.dc, 0, 0, kSquareSize, kSquareSize, screen, hotSpot.x - kSquareSize / 2,
           hotSpot.y - kSquareSize / 2, SRCCOPY);
    ReleaseDC(NULL, screen);
}

void Magnify(HDC target, int at)
{
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, at, at, kMagnifiedSize, kMagnifiedSize, g_square.dc, 0, 0, kSquareSize,
               kSquareSize, SRCCOPY);
}

POINT OriginFor(POINT hotSpot)
{
    POINT origin = {hotSpot.x + kLoupeOffset, hotSpot.y + kLoupeOffset};
    return origin;
}

void UpdateLayered(POINT hotSpot)
{
    Magnify(g_frame.dc, 1);
    POINT origin = OriginFor(hotSpot);
    SIZE size = {kLoupeOuterSize, kLoupeOuterSize};
    POINT source = {0, 0};
    UpdateLayeredWindow(g_windows[kUpdateLayered], NULL, &origin, &size, g_frame.dc, &source, 0,
                        NULL, ULW_OPAQUE);
}

// Shows what the square holds, lower right of the hot spot.
void ShowSquare(LoupeFloorWay way, POINT hotSpot)
{
    if (way == kUpdateLayered)
        UpdateLayered(hotSpot);
    POINT origin = OriginFor(hotSpot);
    HWND window = g_windows[way];
    SetWindowPos(window, HWND_TOPMOST, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window, NULL, FALSE);
    UpdateWindow(window);
}

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    Magnify(target, 0);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

bool CreateLoupeFloors(HWND owner)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFloorClass;
    RegisterClassA(&windowClass);
    g_square = MakeBitmap(kSquareSize);
    g_frame = MakeBitmap(kLoupeOuterSize);
    for (HWND &window : g_windows) {
        window = CreateWindowExA(kLoupeExStyle, kFloorClass, "", kLoupeStyle, 0, 0, kLoupeOuterSize,
                                 kLoupeOuterSize, owner, NULL, instance, NULL);
        RECT client = {};
        GetClientRect(window, &client);
        if (!window || client.right != kMagnifiedSize || client.bottom != kMagnifiedSize) {
            Fail("the loupe's floor window is not 88 x 88 inside");
            DestroyLoupeFloors();
            return false;
        }
    }
    // Opaque; a layered window shows nothing before this or UpdateLayeredWindow.
    SetLayeredWindowAttributes(g_windows[kMoveAndPaint], 0, 255, LWA_ALPHA);
    SetLayeredWindowAttributes(g_windows[kMoveAndDirectPaint], 0, 255, LWA_ALPHA);
    return true;
}

void DestroyLoupeFloors()
{
    for (HWND &window : g_windows) {
        if (window)
            DestroyWindow(window);
        window = NULL;
    }
    FreeBitmap(&g_square);
    FreeBitmap(&g_frame);
}

void ShowLoupeFloor(LoupeFloorWay way, POINT hotSpot)
{
    ReadSquare(hotSpot);
    ShowSquare(way, hotSpot);
}

bool LoupeFloorReachesScreen(LoupeFloorWay way, POINT hotSpot)
{
    // A colour no desktop shows by chance, in place of the screen read.
    const COLORREF kProbeColor = RGB(1, 254, 3);
    HBRUSH brush = CreateSolidBrush(kProbeColor);
    RECT square = {0, 0, kSquareSize, kSquareSize};
    FillRect(g_square.dc, &square, brush);
    DeleteObject(brush);
    ShowSquare(way, hotSpot);
    PumpFor(100);
    POINT centre = OriginFor(hotSpot);
    centre.x += kLoupeOuterSize / 2;
    centre.y += kLoupeOuterSize / 2;
    HDC screen = GetDC(NULL);
    COLORREF seen = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(NULL, screen);
    HideLoupeFloor(way);
    Pump();
    return seen == kProbeColor;
}

void HideLoupeFloor(LoupeFloorWay way)
{
    ShowWindow(g_windows[way], SW_HIDE);
}

void TakeLoupeFloorSample(LoupeFloorWay way, POINT hotSpot)
{
    ReadSquare(hotSpot);
    if (way == kUpdateLayered) {
        UpdateLayered(hotSpot);
        return;
    }
    HWND window = g_windows[way];
    POINT origin = OriginFor(hotSpot);
    // Moving a layered window does not repaint it: Wine sends no WM_PAINT.
    SetWindowPos(window, NULL, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (way == kMoveAndDirectPaint) {
        HDC target = GetDC(window);
        Magnify(target, 0);
        ReleaseDC(window, target);
        return;
    }
    InvalidateRect(window, NULL, FALSE);
    UpdateWindow(window);
}
