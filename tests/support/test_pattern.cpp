#include "support/test_pattern.h"

#include "support/driver.h"

#include <string>

namespace
{

bool PatternIsOnScreen(const RECT &area)
{
    const POINT probes[] = {{area.left + 1, area.top + 1}, {area.right - 2, area.bottom - 2}};
    for (POINT probe : probes)
        if (ScreenPixel(probe.x, probe.y) != TestPatternColor(probe.x, probe.y))
            return false;
    return true;
}

} // namespace

HWND ShowTestPattern(RECT screenRect)
{
    std::string command = "\"" TANZEL_PATTERN_PATH "\" " + std::to_string(screenRect.left) + " " +
                          std::to_string(screenRect.top) + " " + std::to_string(screenRect.right) +
                          " " + std::to_string(screenRect.bottom);
    HWND window = StartPatchProgram(command);
    if (window && !WaitUntil([&] { return PatternIsOnScreen(screenRect); }, 10000)) {
        ClosePatch(window);
        return NULL;
    }
    return window;
}

void CloseTestPattern(HWND pattern)
{
    ClosePatch(pattern);
}
