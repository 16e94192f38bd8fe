#include "picker/screen_sample.h"

#include "app/picker_state.h"
#include "picker/dpi_awareness.h"

namespace
{

const int kDecimalLineX = 13;
const int kDecimalLineY = 3;
const int kHexLineX = 13;
const int kHexLineY = 20;

COLORREF ReadScreenPixel(int x, int y)
{
    HANDLE previousContext = EnterPhysicalPixels();
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    LeavePhysicalPixels(previousContext);
    return value;
}

void FillCanvas(COLORREF color)
{
    RECT canvas = {0, 0, kCanvasWidth, kCanvasHeight};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(g_picker.canvasDC, &canvas, brush);
    DeleteObject(brush);
}

void DrawReadout(const ColorSample &sample)
{
    SetTextColor(g_picker.canvasDC, InkColorOf(sample));
    SetBkMode(g_picker.canvasDC, TRANSPARENT);

    char line[kReadoutBufferSize] = {};
    int length = FormatDecimalLine(sample, line);
    TextOutA(g_picker.canvasDC, kDecimalLineX, kDecimalLineY, line, length);

    char hexLine[kReadoutBufferSize] = {};
    length = FormatHexLine(sample, hexLine);
    TextOutA(g_picker.canvasDC, kHexLineX, kHexLineY, hexLine, length);
}

} // namespace

void SampleScreenColor(HWND pickerWindow, int x, int y)
{
    COLORREF value = ReadScreenPixel(x, y);
    g_picker.sample = SplitPixelValue(value);
    // The fill follows the stored components, so an unreadable pixel
    // (CLR_INVALID) shows the white that the readout reports.
    FillCanvas(PixelValueOf(g_picker.sample));
    DrawReadout(g_picker.sample);
    // The whole client area, but not the buttons: without WS_CLIPCHILDREN an
    // InvalidateRect would repaint Drop on every sample of a drag.
    RedrawWindow(pickerWindow, NULL, NULL, RDW_INVALIDATE | RDW_NOCHILDREN);
}
