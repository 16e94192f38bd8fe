#include "settings/window_position.h"

#include <windows.h>

#include "settings/profile_file.h"
#include "settings/profile_number.h"
#include "settings/profile_read.h"
#include "settings/stored_position.h"

namespace
{

const char kTopKey[] = "top";
const char kLeftKey[] = "left";
const int kValueBufferSize = 64;
// Room for "%d" of any 32-bit value and the terminator.
const int kNumberTextSize = 12;
// A place on a monitor beyond these falls back to the primary screen's rules.
const int kMaxMonitors = 16;

struct MonitorList {
    MonitorRect rects[kMaxMonitors];
    int count;
};

void ReadStoredValue(const char *key, char (&value)[kValueBufferSize])
{
    ReadProfileValue(key, kAbsentProfileValue, value, kValueBufferSize);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM list)
{
    MonitorList *monitors = reinterpret_cast<MonitorList *>(list);
    if (monitors->count == kMaxMonitors)
        return FALSE;
    MonitorRect &rect = monitors->rects[monitors->count++];
    rect.left = area->left;
    rect.top = area->top;
    rect.right = area->right;
    rect.bottom = area->bottom;
    return TRUE;
}

void SaveCoordinate(const char *key, int coordinate)
{
    char text[kNumberTextSize];
    wsprintfA(text, "%d", coordinate);
    WritePrivateProfileStringA(kIniSection, key, text, kIniPath);
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
    int dx = monitor.rcWork.left - monitor.rcMonitor.left;
    int dy = monitor.rcWork.top - monitor.rcMonitor.top;
    outer->left += dx;
    outer->right += dx;
    outer->top += dy;
    outer->bottom += dy;
}

} // namespace

void LoadWindowPosition(SIZE frameExtra, SIZE client, int *left, int *top)
{
    char topText[kValueBufferSize] = {};
    char leftText[kValueBufferSize] = {};
    ReadStoredValue(kTopKey, topText);
    ReadStoredValue(kLeftKey, leftText);

    MonitorRect primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ScreenLayout screens = {primary.right, primary.bottom, &primary, 1};
    MonitorList monitors = {};
    // Most windows are kept on the primary screen, where the other monitors
    // cannot change the answer: walking them is a tenth of a start's own cost.
    if (!IsStoredCornerShown(leftText, topText, screens)) {
        EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
        screens.monitors = monitors.rects;
        screens.monitorCount = monitors.count;
    }
    WindowCorner centred = {CentredCoordinate(screens.primaryWidth, frameExtra.cx, client.cx),
                            CentredCoordinate(screens.primaryHeight, frameExtra.cy, client.cy)};
    WindowCorner corner = ResolveStoredCorner(leftText, topText, screens, centred);
    *left = corner.left;
    *top = corner.top;
}

void SaveWindowPosition(HWND window)
{
    RECT outer;
    if (IsIconic(window))
        GetRestoredOuterRect(window, &outer);
    else
        GetWindowRect(window, &outer);
    SaveCoordinate(kTopKey, outer.top);
    SaveCoordinate(kLeftKey, outer.left);
}
