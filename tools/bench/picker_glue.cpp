// Everything the benchmark needs of the program, in one place: its state,
// the calls it makes, and the constants it mirrors (picker_facts.h). The
// program's loupe is reached from bench_loupe.cpp.
#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/startup.h"
#include "picker/color_transfer.h"
#include "picker/dpi_awareness.h"
#include "picker/host_dialog_protocol.h"
#include "picker/screen_sample.h"
#include "picker/still.h"
#include "picker/swatch.h"
#include "tools/bench/bench.h"
#include "tools/bench/picker_facts.h"

static_assert(kPickerClientWidth == kClientWidth && kPickerClientHeight == kClientHeight,
              "the bench's picker client size is the program's");
static_assert(kPickerSwatchLeft == kSwatchLeft && kPickerSwatchTop == kSwatchTop &&
                  kPickerCanvasWidth == kCanvasWidth && kPickerCanvasHeight == kCanvasHeight,
              "the bench's swatch is the program's");
static_assert(kHostFieldIds[0] == kRedFieldId && kHostFieldIds[1] == kGreenFieldId &&
                  kHostFieldIds[2] == kBlueFieldId,
              "the bench's host fields are the program's");

bool PickerAlreadyRuns()
{
    LoadPickerNames(GetModuleHandleA(NULL));
    return IsPickerRunning();
}

PickerStart StartPicker(HWND *window)
{
    *window = NULL;
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    HANDLE startLock = AcquireStartLock();
    if (IsPickerRunning()) {
        ReleaseStartLock(startLock);
        return kPickerRefused;
    }
    RegisterPickerClass(instance);
    PrepareDpiAwareness();
    bool created = CreatePickerWindow(instance, SW_SHOWNORMAL);
    ReleaseStartLock(startLock);
    if (!created)
        return kPickerFailed;
    *window = g_picker.mainWindow;
    return kPickerShown;
}

const char *PickerClassName()
{
    return g_picker.windowClassName;
}

const char *PickerTitle()
{
    return g_picker.windowTitle;
}

const char *HostDialogTitle()
{
    return kColorSettingsTitle;
}

void TakeProgramSample(HWND picker, POINT point)
{
    SampleScreenColor(picker, point);
}

void SetPickedColor(int red, int green, int blue)
{
    g_picker.sample.red = red;
    g_picker.sample.green = green;
    g_picker.sample.blue = blue;
}

void DropColor(HWND picker)
{
    SendColorToDialog(picker, g_picker.sample);
}

void SetAverageSide(int side)
{
    g_picker.options.averageSide = side;
}

void PressPickKey(HWND picker)
{
    SendMessageA(picker, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F8));
}

void PressStillKey(HWND picker)
{
    SendMessageA(picker, WM_HOTKEY, kStillKeyId, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F9));
}

bool StillShows()
{
    return IsStillShown();
}

bool ReadSystemDialogTitle()
{
    char title[kHostTitleSize];
    return ReadSystemColorDialogTitle(title);
}
