#include "picker/swatch.h"

namespace
{

struct SwatchCanvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    bool blank;
};

SwatchCanvas g_swatch;

const int kDecimalLineX = 13;
const int kDecimalLineY = 3;
const int kHexLineX = 13;
const int kHexLineY = 20;

void FillCanvas(COLORREF color)
{
    RECT canvas = {0, 0, kCanvasWidth, kCanvasHeight};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(g_swatch.dc, &canvas, brush);
    DeleteObject(brush);
}

void DrawReadout(const ColorSample &sample)
{
    HDC canvas = g_swatch.dc;
    SetTextColor(canvas, InkColorOf(sample));
    SetBkMode(canvas, TRANSPARENT);

    char line[kReadoutBufferSize] = {};
    int length = FormatDecimalLine(sample, line);
    TextOutA(canvas, kDecimalLineX, kDecimalLineY, line, length);

    char hexLine[kReadoutBufferSize] = {};
    length = FormatHexLine(sample, hexLine);
    TextOutA(canvas, kHexLineX, kHexLineY, hexLine, length);
}

// The whole client area, but not the buttons: without WS_CLIPCHILDREN an
// InvalidateRect would repaint Drop on every sample of a drag.
void RepaintSwatch(HWND pickerWindow)
{
    RedrawWindow(pickerWindow, NULL, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
}

} // namespace

// Made from the screen's context, whose pixels the window's share: a new
// window's own context is a trip to the window server (half a millisecond of
// a start under Wine) that its first paint makes anyway.
void CreateSwatchCanvas()
{
    SwatchCanvas &swatch = g_swatch;
    HDC screenDC = GetDC(NULL);
    swatch.bitmap = CreateCompatibleBitmap(screenDC, kCanvasWidth, kCanvasHeight);
    swatch.dc = CreateCompatibleDC(screenDC);
    swatch.previousBitmap = SelectObject(swatch.dc, swatch.bitmap);
    PatBlt(swatch.dc, 0, 0, kCanvasWidth, kCanvasHeight, WHITENESS);
    swatch.blank = true;
    ReleaseDC(NULL, screenDC);
}

void DeleteSwatchCanvas()
{
    SwatchCanvas &swatch = g_swatch;
    SelectObject(swatch.dc, swatch.previousBitmap);
    DeleteDC(swatch.dc);
    DeleteObject(swatch.bitmap);
    swatch.dc = NULL;
    swatch.bitmap = NULL;
}

void ShowSampleInSwatch(HWND pickerWindow, const ColorSample &sample)
{
    // The fill follows the stored components, so an unreadable pixel
    // (CLR_INVALID) shows the white that the readout reports.
    FillCanvas(PixelValueOf(sample));
    DrawReadout(sample);
    g_swatch.blank = false;
    RepaintSwatch(pickerWindow);
}

void ShowBlankSwatch(HWND pickerWindow)
{
    PatBlt(g_swatch.dc, 0, 0, kCanvasWidth, kCanvasHeight, WHITENESS);
    g_swatch.blank = true;
    RepaintSwatch(pickerWindow);
}

void PaintSwatch(HDC target)
{
    BitBlt(target, kSwatchLeft, kSwatchTop, kCanvasWidth, kCanvasHeight, g_swatch.dc, 0, 0,
           SRCCOPY);
}

bool IsSwatchBlank()
{
    return g_swatch.blank;
}

HDC SwatchCanvasDC()
{
    return g_swatch.dc;
}
