// Platform-free choice of where the window reopens: no windows.h here.
#pragma once

#include <stdint.h>

// A monitor's area in screen coordinates, right and bottom exclusive.
struct MonitorRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The screens as they are at start-up.
struct ScreenLayout {
    int32_t primaryWidth;
    int32_t primaryHeight;
    const MonitorRect *monitors;
    int monitorCount;
};

// A window's outer top-left corner.
struct WindowCorner {
    int32_t left;
    int32_t top;
};

// True when both keys are there and the point they give lies on one of the
// screens' monitors.
bool IsStoredCornerShown(const char *leftText, const char *topText, const ScreenLayout &screens);

// Where to place the window, from the texts the profile read gave for "left"
// and "top": the stored point as it is when both keys are there and it lies
// on a monitor; otherwise each coordinate on its own against the primary
// screen, as ResolveStoredCoordinate decides.
WindowCorner ResolveStoredCorner(const char *leftText, const char *topText,
                                 const ScreenLayout &screens, WindowCorner centred);
