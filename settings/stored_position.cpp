#include "settings/stored_position.h"

#include "settings/profile_number.h"

namespace
{

bool IsOnMonitor(WindowCorner point, const MonitorRect &monitor)
{
    return point.left >= monitor.left && point.left < monitor.right && point.top >= monitor.top &&
           point.top < monitor.bottom;
}

bool IsOnAnyMonitor(WindowCorner point, const ScreenLayout &screens)
{
    for (int i = 0; i < screens.monitorCount; ++i)
        if (IsOnMonitor(point, screens.monitors[i]))
            return true;
    return false;
}

} // namespace

bool IsStoredCornerShown(const char *leftText, const char *topText, const ScreenLayout &screens)
{
    if (IsAbsentProfileValue(leftText) || IsAbsentProfileValue(topText))
        return false;
    WindowCorner stored = {ParseProfileNumber(leftText), ParseProfileNumber(topText)};
    return IsOnAnyMonitor(stored, screens);
}

WindowCorner ResolveStoredCorner(const char *leftText, const char *topText,
                                 const ScreenLayout &screens, WindowCorner centred)
{
    if (IsStoredCornerShown(leftText, topText, screens)) {
        WindowCorner stored = {ParseProfileNumber(leftText), ParseProfileNumber(topText)};
        return stored;
    }
    WindowCorner corner;
    corner.left = ResolveStoredCoordinate(leftText, screens.primaryWidth, centred.left);
    corner.top = ResolveStoredCoordinate(topText, screens.primaryHeight, centred.top);
    return corner;
}
