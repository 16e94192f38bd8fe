#include "picker/screen_sample.h"

#include "app/picker_state.h"
#include "picker/dpi_awareness.h"
#include "picker/swatch.h"

namespace
{

COLORREF ReadScreenPixel(int x, int y)
{
    HANDLE previousContext = EnterPhysicalPixels();
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    LeavePhysicalPixels(previousContext);
    return value;
}

} // namespace

void SampleScreenColor(HWND pickerWindow, int x, int y)
{
    g_picker.sample = SplitPixelValue(ReadScreenPixel(x, y));
    ShowSampleInSwatch(pickerWindow, g_picker.sample);
}
