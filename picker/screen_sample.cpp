#include "picker/screen_sample.h"

#include "picker/area_mean.h"
#include "picker/dpi_awareness.h"

namespace
{

const int kSquareCentre = kScreenSquareSize / 2;

struct ScreenSquare {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    const uint32_t *pixels; // top-down, 0x00RRGGBB
    // Where the square was last read, while no later sample has passed it by.
    POINT readAt;
    bool fresh;
};

ScreenSquare g_square;

COLORREF ReadScreenPixel(POINT hotSpot)
{
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, hotSpot.x, hotSpot.y);
    ReleaseDC(NULL, screen);
    return value;
}

// One read of the screen, without CAPTUREBLT.
void ReadSquare(POINT hotSpot)
{
    HDC screen = GetDC(NULL);
    BitBlt(g_square.dc, 0, 0, kScreenSquareSize, kScreenSquareSize, screen,
           hotSpot.x - kSquareCentre, hotSpot.y - kSquareCentre, SRCCOPY);
    ReleaseDC(NULL, screen);
    GdiFlush();
    g_square.readAt = hotSpot;
    g_square.fresh = true;
}

int Larger(int a, int b)
{
    return a > b ? a : b;
}

int Smaller(int a, int b)
{
    return a < b ? a : b;
}

// The part of the side x side square around the hot spot that lies on the
// virtual screen, in the read square's own coordinates.
RECT AveragedArea(POINT hotSpot, int side)
{
    int half = side / 2;
    int screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int screenRight = screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenBottom = screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT area;
    area.left = Larger(hotSpot.x - half, screenLeft) - hotSpot.x + kSquareCentre;
    area.top = Larger(hotSpot.y - half, screenTop) - hotSpot.y + kSquareCentre;
    area.right = Smaller(hotSpot.x + half + 1, screenRight) - hotSpot.x + kSquareCentre;
    area.bottom = Smaller(hotSpot.y + half + 1, screenBottom) - hotSpot.y + kSquareCentre;
    return area;
}

ColorSample AverageSquare(POINT hotSpot, int side)
{
    ReadSquare(hotSpot);
    RECT area = AveragedArea(hotSpot, side);
    if (area.right <= area.left || area.bottom <= area.top)
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
