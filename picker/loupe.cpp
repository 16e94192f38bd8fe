#include "picker/loupe.h"

#include "picker/dpi_awareness.h"
#include "picker/loupe_placement.h"
#include "picker/screen_sample.h"

namespace
{

const char kLoupeClassName[] = "TANZEL_LOUPE";
// Layered: Windows leaves layered windows out of a screen read without
// CAPTUREBLT, so the picker's own reads never see the loupe.
const DWORD kLoupeExStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
const DWORD kLoupeStyle = WS_POPUP | WS_BORDER;
const BYTE kOpaque = 255;
const int kSquareCentre = kLoupeSquareSize / 2;

struct LoupeState {
    HWND window;
    // What the last paint showed: the square, and the ring around the sampled blocks
    HDC square;
    RECT ring;
    bool lightSample;
    // The monitor of the last hot spot, asked for again only once the hot
    // spot leaves it or the loupe has hidden.
    RECT monitor;
};

LoupeState g_loupe;
// No SWP_NOCOPYBITS: the loupe is repainted whole straight after the move
// anyway, and under Wine discarding the old pixels costs a quarter more.
const UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;

ScreenRect ScreenRectOf(const RECT &rect)
{
    ScreenRect result = {rect.left, rect.top, rect.right, rect.bottom};
    return result;
}

// The monitor the hot spot is on. Asking costs under Wine a tenth of the
// whole sample, so the answer is kept while the hot spot stays on it.
ScreenRect MonitorAt(POINT hotSpot)
{
    RECT &known = g_loupe.monitor;
    if (hotSpot.x < known.left || hotSpot.x >= known.right || hotSpot.y < known.top ||
        hotSpot.y >= known.bottom) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        // As MonitorFromPoint asks, through the import the window's place needs anyway.
        RECT spot = {hotSpot.x, hotSpot.y, hotSpot.x + 1, hotSpot.y + 1};
        GetMonitorInfoA(MonitorFromRect(&spot, MONITOR_DEFAULTTONEAREST), &monitor);
        known = monitor.rcMonitor;
    }
    return ScreenRectOf(known);
}

// Each pixel a solid block; the ring, black around a light sample and white
// around a dark one, runs along the sampled blocks' outer edge.
void PaintLoupe(HDC target)
{
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, kLoupeClientSize, kLoupeClientSize, g_loupe.square, 0, 0,
               kLoupeSquareSize, kLoupeSquareSize, SRCCOPY);
    int brush = g_loupe.lightSample ? BLACK_BRUSH : WHITE_BRUSH;
    FrameRect(target, &g_loupe.ring, static_cast<HBRUSH>(GetStockObject(brush)));
}

RECT RingAround(int side)
{
    int edge = (kSquareCentre - side / 2) * kLoupeBlockSize;
    int size = side * kLoupeBlockSize;
    RECT ring = {edge, edge, edge + size, edge + size};
    return ring;
}

// Straight after a move, without waiting for WM_PAINT: under Wine the paint
// message costs a third as much again as the move.
void RepaintLoupeNow(HWND window)
{
    HDC target = GetDC(window);
    PaintLoupe(target);
    ReleaseDC(window, target);
    RedrawWindow(window, NULL, NULL, RDW_VALIDATE); // ValidateRect(window, NULL)
}

void OnLoupePaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    PaintLoupe(target);
    EndPaint(window, &paint);
}

void OnLoupeDestroy()
{
    g_loupe.window = NULL;
}

LRESULT CALLBACK LoupeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnLoupePaint(window);
        return 0;
    case WM_DESTROY:
        OnLoupeDestroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

extern "C" IMAGE_DOS_HEADER __ImageBase;

void CreateLoupe(HWND pickerWindow)
{
    WNDCLASSEXA loupeClass = {};
    loupeClass.cbSize = sizeof(loupeClass);
    loupeClass.lpfnWndProc = LoupeWndProc;
    // The module that made the picker is this one, as GWLP_HINSTANCE would say.
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    loupeClass.hInstance = instance;
    loupeClass.lpszClassName = kLoupeClassName;
    RegisterClassExA(&loupeClass);
    // Made in physical pixels, so a scaled display never stretches its blocks.
    HANDLE previousContext = EnterPhysicalPixels();
    HWND window =
        CreateWindowExA(kLoupeExStyle, kLoupeClassName, "", kLoupeStyle, 0, 0, kLoupeOuterSize,
                        kLoupeOuterSize, pickerWindow, NULL, instance, NULL);
    LeavePhysicalPixels(previousContext);
    SetLayeredWindowAttributes(window, 0, kOpaque, LWA_ALPHA);
    g_loupe.window = window;
}

void ShowLoupeAt(HWND pickerWindow, POINT hotSpot, int side, const ColorSample &sample)
{
    // Made at the first drag, not at start: a start that never drags pays nothing.
    if (!g_loupe.window)
        CreateLoupe(pickerWindow);
    // Without its window, painting it would paint the screen.
    if (!g_loupe.window)
        return;
    HANDLE previousContext = EnterPhysicalPixels();
    RECT picker;
    GetWindowRect(pickerWindow, &picker);
    ScreenPoint spot = {hotSpot.x, hotSpot.y};
    ScreenPoint place;
    if (FindLoupePlace(spot, MonitorAt(hotSpot), ScreenRectOf(picker), &place)) {
        g_loupe.square = ScreenSquareAround(hotSpot);
        g_loupe.ring = RingAround(side);
        g_loupe.lightSample = IsLightColor(sample);
        // A move and a paint rather than one UpdateLayeredWindow: under
        // Wine 8's virtual desktop a window that updates never shows.
        HWND window = g_loupe.window;
        SetWindowPos(window, NULL, place.x, place.y, 0, 0, kMoveFlags);
        RepaintLoupeNow(window);
    } else {
        HideLoupe();
    }
    LeavePhysicalPixels(previousContext);
}

void HideLoupe()
{
    // Monitors may have changed by the time it shows again.
    // A rectangle no hot spot is in, as an empty one.
    g_loupe.monitor.right = g_loupe.monitor.left;
    // Returns at once on a hidden window, as IsWindowVisible would have.
    ShowWindow(g_loupe.window, SW_HIDE);
}

void DestroyLoupe()
{
    if (g_loupe.window)
        DestroyWindow(g_loupe.window);
}

HWND LoupeWindow()
{
    return g_loupe.window;
}
