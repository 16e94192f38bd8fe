#include "support/test_pattern.h"

#include "support/driver.h"

#include <string>
#include <vector>

namespace
{

struct PatternProcess {
    HWND window;
    HANDLE process;
};

std::vector<PatternProcess> g_patterns;

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
    PROCESS_INFORMATION info;
    if (!StartWindowsProgram(command, NULL, &info))
        return NULL;
    CloseHandle(info.hThread);
    HWND window = NULL;
    WaitUntil([&] { return (window = FindWindowOfProcess(info.dwProcessId)) != NULL; }, 10000);
    g_patterns.push_back({window, info.hProcess});
    if (!window || !WaitUntil([&] { return PatternIsOnScreen(screenRect); }, 10000)) {
        CloseTestPattern(window);
        return NULL;
    }
    return window;
}

void CloseTestPattern(HWND pattern)
{
    for (size_t i = 0; i < g_patterns.size(); ++i) {
        if (g_patterns[i].window != pattern)
            continue;
        HANDLE process = g_patterns[i].process;
        if (pattern)
            PostMessageA(pattern, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
        g_patterns.erase(g_patterns.begin() + i);
        return;
    }
}
