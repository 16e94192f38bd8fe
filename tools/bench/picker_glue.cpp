// Everything the benchmark needs of the program's state, in one place.
#include "app/picker_state.h"
#include "picker/color_transfer.h"
#include "tools/bench/bench.h"

HWND PickerMainWindow()
{
    return g_picker.mainWindow;
}

const char *PickerClassName()
{
    return g_picker.windowClassName;
}

const char *PickerTitle()
{
    return g_picker.windowTitle;
}

void SetPickedColor(const ColorSample &sample)
{
    g_picker.sample = sample;
}

void SampleScreenColor(HWND picker, int x, int y)
{
    POINT hotSpot = {x, y};
    SampleScreenColor(picker, hotSpot);
}

void SendColorToDialog(HWND picker)
{
    SendColorToDialog(picker, g_picker.sample);
}

ColorSample PickedColor()
{
    return g_picker.sample;
}
