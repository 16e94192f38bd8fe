#include "settings/window_position.h"

#include <windows.h>

#include "app/picker_state.h"
#include "settings/profile_number.h"

namespace
{

const char kSection[] = "tanzel";
const char kTopKey[] = "top";
const char kLeftKey[] = "left";
const int kValueBufferSize = 64;
// Room for "%d" of any 32-bit value and the terminator.
const int kNumberTextSize = 12;

int LoadCoordinate(const char *key, int screenExtent, int centred)
{
    char value[kValueBufferSize] = {};
    GetPrivateProfileStringA(kSection, key, kAbsentProfileValue, value, kValueBufferSize,
                             g_picker.iniPath);
    return ResolveStoredCoordinate(value, screenExtent, centred);
}

void SaveCoordinate(const char *key, int coordinate)
{
    char text[kNumberTextSize];
    wsprintfA(text, "%d", coordinate);
    WritePrivateProfileStringA(kSection, key, text, g_picker.iniPath);
}

// A minimised window stands far off the screen; where it is restored to is
// what the user placed. The normal rectangle is in workspace coordinates,
// relative to its monitor's work area.
void GetRestoredOuterRect(HWND window, RECT *outer)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    *outer = placement.rcNormalPosition;

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    // Left zero-filled when it fails, which leaves the rectangle as it is.
    GetMonitorInfoA(MonitorFromRect(outer, MONITOR_DEFAULTTOPRIMARY), &monitor);
    OffsetRect(outer, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
}

} // namespace

void LoadWindowPosition(int frameExtraWidth, int frameExtraHeight, int *left, int *top)
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    *top = LoadCoordinate(kTopKey, screenHeight,
                          CentredCoordinate(screenHeight, frameExtraHeight, kClientHeight));
    *left = LoadCoordinate(kLeftKey, screenWidth,
                           CentredCoordinate(screenWidth, frameExtraWidth, kClientWidth));
}

void SaveWindowPosition()
{
    RECT outer;
    if (IsIconic(g_picker.mainWindow))
        GetRestoredOuterRect(g_picker.mainWindow, &outer);
    else
        GetWindowRect(g_picker.mainWindow, &outer);
    SaveCoordinate(kTopKey, outer.top);
    SaveCoordinate(kLeftKey, outer.left);
}
