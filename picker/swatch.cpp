#include "picker/swatch.h"

#include "app/picker_state.h"

namespace
{

const int kDecimalLineX = 13;
const int kDecimalLineY = 3;
const int kHexLineX = 13;
const int kHexLineY = 20;

void FillCanvas(COLORREF color)
{
    RECT canvas = {0, 0, kCanvasWidth, kCanvasHeight};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(g_picker.swatch.dc, &canvas, brush);
    DeleteObject(brush);
}

void DrawReadout(const ColorSample &sample)
{
    HDC canvas = g_picker.swatch.dc;
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

void CreateSwatchCanvas(HWND pickerWindow)
{
    SwatchCanvas &swatch = g_picker.swatch;
    HDC windowDC = GetDC(pickerWindow);
    swatch.bitmap = CreateCompatibleBitmap(windowDC, kCanvasWidth, kCanvasHeight);
    swatch.dc = CreateCompatibleDC(windowDC);
    swatch.previousBitmap = SelectObject(swatch.dc, swatch.bitmap);
    PatBlt(swatch.dc, 0, 0, kCanvasWidth, kCanvasHeight, WHITENESS);
    swatch.blank = 1;
    ReleaseDC(pickerWindow, windowDC);
}

void DeleteSwatchCanvas()
{
    SwatchCanvas &swatch = g_picker.swatch;
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
    g_picker.swatch.blank = 0;
    RepaintSwatch(pickerWindow);
}

void ShowBlankSwatch(HWND pickerWindow)
{
    PatBlt(g_picker.swatch.dc, 0, 0, kCanvasWidth, kCanvasHeight, WHITENESS);
    g_picker.swatch.blank = 1;
    RepaintSwatch(pickerWindow);
}

void PaintSwatch(HDC target)
{
    BitBlt(target, kSwatchLeft, kSwatchTop, kCanvasWidth, kCanvasHeight, g_picker.swatch.dc, 0, 0,
           SRCCOPY);
}
