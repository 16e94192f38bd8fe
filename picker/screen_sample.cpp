#include "picker/screen_sample.h"

#include "picker/area_mean.h"
#include "picker/dpi_awareness.h"

namespace
{

const int kSquareCentre = kScreenSquareSize / 2;
// Screens change rarely, and a pick in the moment after costs at most a
// border pixel read as black.
const DWORD kScreenKeptMs = 1000;

struct ScreenSquare {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    const uint32_t *pixels; // top-down, 0x00RRGGBB
    // Where the square was last read, while no later sample has passed it by.
    POINT readAt;
    bool fresh;
    RECT screen;
    DWORD screenAskedAt;
    bool screenKnown;
    // A still's copy of the screen, read instead of it while set
    HDC copy;
    POINT copyOrigin;
};

ScreenSquare g_square;

// The screen, or the still's copy of it, with where its top-left lies.
HDC OpenSource(POINT *origin)
{
    if (!g_square.copy) {
        origin->x = 0;
        origin->y = 0;
        return GetDC(NULL);
    }
    *origin = g_square.copyOrigin;
    return g_square.copy;
}

void CloseSource(HDC source)
{
    if (source != g_square.copy)
        ReleaseDC(NULL, source);
}

COLORREF ReadScreenPixel(POINT hotSpot)
{
    POINT origin;
    HDC source = OpenSource(&origin);
    COLORREF value = GetPixel(source, hotSpot.x - origin.x, hotSpot.y - origin.y);
    CloseSource(source);
    return value;
}

} // namespace

// Under Wine each of the screen's metrics asks the server, which at every
// sample of a drag would cost a fifth of the sample: the answer is kept for
// a moment.
RECT VirtualScreen()
{
    DWORD now = GetTickCount();
    if (!g_square.screenKnown || now - g_square.screenAskedAt > kScreenKeptMs) {
        RECT &screen = g_square.screen;
        screen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        screen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
        g_square.screenAskedAt = now;
        g_square.screenKnown = true;
    }
    return g_square.screen;
}

namespace
{

// One read of the screen, without CAPTUREBLT, of the part that lies on it:
// a read that reaches past the edge comes back all black under Wine. The
// rest of the square is black.
void ReadSquare(POINT hotSpot)
{
    RECT square = {hotSpot.x - kSquareCentre, hotSpot.y - kSquareCentre,
                   hotSpot.x - kSquareCentre + kScreenSquareSize,
                   hotSpot.y - kSquareCentre + kScreenSquareSize};
    RECT screenRect = VirtualScreen();
    RECT onScreen;
    bool any = IntersectRect(&onScreen, &square, &screenRect);
    // Within the square, so whole when as large.
    bool whole = any && onScreen.right - onScreen.left == kScreenSquareSize &&
                 onScreen.bottom - onScreen.top == kScreenSquareSize;
    if (!whole)
        PatBlt(g_square.dc, 0, 0, kScreenSquareSize, kScreenSquareSize, BLACKNESS);
    if (any) {
        POINT origin;
        HDC source = OpenSource(&origin);
        BitBlt(g_square.dc, onScreen.left - square.left, onScreen.top - square.top,
               onScreen.right - onScreen.left, onScreen.bottom - onScreen.top, source,
               onScreen.left - origin.x, onScreen.top - origin.y, SRCCOPY);
        CloseSource(source);
    }
    GdiFlush();
    g_square.readAt = hotSpot;
    g_square.fresh = true;
}

// The part of the side x side square around the hot spot that lies on the
// virtual screen, in the read square's own coordinates.
RECT AveragedArea(POINT hotSpot, int side)
{
    int half = side / 2;
    RECT square = {hotSpot.x - half, hotSpot.y - half, hotSpot.x + half + 1, hotSpot.y + half + 1};
    RECT screen = VirtualScreen();
    RECT area;
    if (!IntersectRect(&area, &square, &screen))
        return area;
    int dx = kSquareCentre - hotSpot.x;
    int dy = kSquareCentre - hotSpot.y;
    area.left += dx;
    area.right += dx;
    area.top += dy;
    area.bottom += dy;
    return area;
}

ColorSample AverageSquare(POINT hotSpot, int side)
{
    ReadSquare(hotSpot);
    RECT area = AveragedArea(hotSpot, side);
    if (area.left >= area.right || area.top >= area.bottom)
        return SplitPixelValue(CLR_INVALID);
    const uint32_t *first = g_square.pixels + area.top * kScreenSquareSize + area.left;
    return AverageInLinearLight(first, kScreenSquareSize, area.right - area.left,
                                area.bottom - area.top);
}

} // namespace

void CreateScreenSquare()
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kScreenSquareSize;
    info.bmiHeader.biHeight = -kScreenSquareSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    g_square.bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    g_square.pixels = static_cast<const uint32_t *>(bits);
    g_square.dc = CreateCompatibleDC(NULL);
    g_square.previousBitmap = SelectObject(g_square.dc, g_square.bitmap);
    PrepareLinearLight();
}

void DeleteScreenSquare()
{
    SelectObject(g_square.dc, g_square.previousBitmap);
    DeleteDC(g_square.dc);
    DeleteObject(g_square.bitmap);
    g_square.dc = NULL;
    g_square.bitmap = NULL;
    g_square.pixels = NULL;
}

ColorSample SampleScreenAt(POINT hotSpot, int side)
{
    HANDLE previousContext = EnterPhysicalPixels();
    ColorSample sample;
    g_square.fresh = false;
    if (side > 1 && g_square.pixels)
        sample = AverageSquare(hotSpot, side);
    else
        sample = SplitPixelValue(ReadScreenPixel(hotSpot));
    LeavePhysicalPixels(previousContext);
    return sample;
}

void ReadFromCopy(HDC copy, POINT origin)
{
    g_square.copy = copy;
    g_square.copyOrigin = origin;
    g_square.fresh = false;
}

HDC ScreenSquareAround(POINT hotSpot)
{
    if (!g_square.fresh || g_square.readAt.x != hotSpot.x || g_square.readAt.y != hotSpot.y) {
        HANDLE previousContext = EnterPhysicalPixels();
        ReadSquare(hotSpot);
        LeavePhysicalPixels(previousContext);
    }
    g_square.fresh = false;
    return g_square.dc;
}
