#include "picker/loupe.h"

#include "app/picker_state.h"
#include "picker/color_math.h"
#include "picker/dpi_awareness.h"
#include "picker/loupe_placement.h"

namespace
{

const char kLoupeClassName[] = "TANZEL_LOUPE";
// Layered: Windows leaves layered windows out of a screen read without
// CAPTUREBLT, so the picker's own reads never see the loupe.
const DWORD kLoupeExStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
const DWORD kLoupeStyle = WS_POPUP | WS_BORDER;
const BYTE kOpaque = 255;
const int kSquareCentre = kLoupeSquareSize / 2;
const UINT kMoveFlags =
    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_SHOWWINDOW;

void CreateSquare()
{
    LoupeState &loupe = g_picker.loupe;
    HDC screen = GetDC(NULL);
    loupe.squareBitmap = CreateCompatibleBitmap(screen, kLoupeSquareSize, kLoupeSquareSize);
    loupe.squareDC = CreateCompatibleDC(screen);
    loupe.previousBitmap = SelectObject(loupe.squareDC, loupe.squareBitmap);
    ReleaseDC(NULL, screen);
}

void DeleteSquare()
{
    LoupeState &loupe = g_picker.loupe;
    SelectObject(loupe.squareDC, loupe.previousBitmap);
    DeleteDC(loupe.squareDC);
    DeleteObject(loupe.squareBitmap);
    loupe.squareDC = NULL;
    loupe.squareBitmap = NULL;
}

// One read of the screen, without CAPTUREBLT.
void ReadSquare(POINT hotSpot)
{
    HDC screen = GetDC(NULL);
    BitBlt(g_picker.loupe.squareDC, 0, 0, kLoupeSquareSize, kLoupeSquareSize, screen,
           hotSpot.x - kSquareCentre, hotSpot.y - kSquareCentre, SRCCOPY);
    ReleaseDC(NULL, screen);
}

ScreenRect ScreenRectOf(const RECT &rect)
{
    ScreenRect result = {rect.left, rect.top, rect.right, rect.bottom};
    return result;
}

// The monitor the hot spot is on. Asking costs under Wine a tenth of the
// whole sample, so the answer is kept while the hot spot stays on it.
ScreenRect MonitorAt(POINT hotSpot)
{
    RECT &known = g_picker.loupe.monitor;
    if (!PtInRect(&known, hotSpot)) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoA(MonitorFromPoint(hotSpot, MONITOR_DEFAULTTONEAREST), &monitor);
        known = monitor.rcMonitor;
    }
    return ScreenRectOf(known);
}

// Each pixel a solid block; the ring, black on a light pixel and white on a
// dark one, marks the sampled pixel along its block's edge, leaving its colour.
void PaintLoupe(HDC target)
{
    HDC square = g_picker.loupe.squareDC;
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, kLoupeClientSize, kLoupeClientSize, square, 0, 0, kLoupeSquareSize,
               kLoupeSquareSize, SRCCOPY);
    ColorSample centre = SplitPixelValue(GetPixel(square, kSquareCentre, kSquareCentre));
    int edge = kSquareCentre * kLoupeBlockSize;
    RECT ring = {edge, edge, edge + kLoupeBlockSize, edge + kLoupeBlockSize};
    int brush = IsLightColor(centre) ? BLACK_BRUSH : WHITE_BRUSH;
    FrameRect(target, &ring, static_cast<HBRUSH>(GetStockObject(brush)));
}

// Straight after a move, without waiting for WM_PAINT: under Wine the paint
// message costs a third as much again as the move.
void RepaintLoupeNow(HWND window)
{
    HDC target = GetDC(window);
    PaintLoupe(target);
    ReleaseDC(window, target);
    ValidateRect(window, NULL);
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
    DeleteSquare();
    g_picker.loupe.window = NULL;
}

LRESULT CALLBACK LoupeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateSquare();
        return 0;
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

void CreateLoupe(HWND pickerWindow)
{
    WNDCLASSA loupeClass = {};
    loupeClass.lpfnWndProc = LoupeWndProc;
    loupeClass.hInstance = g_picker.instance;
    loupeClass.lpszClassName = kLoupeClassName;
    RegisterClassA(&loupeClass);
    // Made in physical pixels, so a scaled display never stretches its blocks.
    HANDLE previousContext = EnterPhysicalPixels();
    HWND window =
        CreateWindowExA(kLoupeExStyle, kLoupeClassName, "", kLoupeStyle, 0, 0, kLoupeOuterSize,
                        kLoupeOuterSize, pickerWindow, NULL, g_picker.instance, NULL);
    LeavePhysicalPixels(previousContext);
    SetLayeredWindowAttributes(window, 0, kOpaque, LWA_ALPHA);
    g_picker.loupe.window = window;
}

void ShowLoupeAt(HWND pickerWindow, POINT hotSpot)
{
    // Without its window, painting it would paint the screen.
    if (!g_picker.loupe.window)
        return;
    HANDLE previousContext = EnterPhysicalPixels();
    RECT picker;
    GetWindowRect(pickerWindow, &picker);
    ScreenPoint spot = {hotSpot.x, hotSpot.y};
    ScreenPoint place;
    if (FindLoupePlace(spot, MonitorAt(hotSpot), ScreenRectOf(picker), &place)) {
        ReadSquare(hotSpot);
        // A move and a paint rather than one UpdateLayeredWindow: under
        // Wine 8's virtual desktop a window that updates never shows.
        HWND window = g_picker.loupe.window;
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
    SetRectEmpty(&g_picker.loupe.monitor);
    if (IsWindowVisible(g_picker.loupe.window))
        ShowWindow(g_picker.loupe.window, SW_HIDE);
}

void DestroyLoupe()
{
    if (g_picker.loupe.window)
        DestroyWindow(g_picker.loupe.window);
}
