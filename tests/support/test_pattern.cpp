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

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindowOf(HWND window, LPARAM parameter)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

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
    WindowSearch search = {info.dwProcessId, NULL};
    WaitUntil(
        [&] {
            EnumWindows(MatchVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
            return search.found != NULL;
        },
        10000);
    g_patterns.push_back({search.found, info.hProcess});
    if (!search.found || !WaitUntil([&] { return PatternIsOnScreen(screenRect); }, 10000)) {
        CloseTestPattern(search.found);
        return NULL;
    }
    return search.found;
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
