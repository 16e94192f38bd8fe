// Start-up: the sequence WinMain runs, timed inside fresh processes, beside
// a bare program that registers a class, creates one window and paints it
// once, measured the same way; and from outside, the launch of the real
// tanzel.exe until its window is on the screen.
#include "tools/bench/bare_start.h"
#include "tools/bench/bench.h"
#include "tools/bench/children.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"
#include "tools/bench/wine_warm_up.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{

const double kFloorBudget = 1.2;
const double kSecondStartBudgetMs = 10;

std::string SelfCommand(const char *mode)
{
    return "\"" + SelfPath() + "\" " + mode;
}

std::string BareCommand(const char *mode)
{
    return std::string("\"" TANZEL_BARE_START_PATH "\" ") + mode;
}

// Milliseconds from a child's own report in microseconds, or NaN.
double ChildMs(const std::string &commandLine)
{
    DWORD us = RunChild(commandLine);
    if (us == kChildFailed) {
        Fail("the child %s failed", commandLine.c_str());
        return kNotMeasured;
    }
    return us / 1000.0;
}

// A figure and its floor, timed back to back in alternating order.
struct Paired {
    std::vector<double> figure;
    std::vector<double> floor;
    std::vector<double> ratio;
};

// One way to take a figure in milliseconds (NaN when it failed), and what it runs.
struct Measurement {
    double (*measure)(const std::string &commandLine);
    std::string commandLine;
};

double Take(const Measurement &measurement)
{
    return measurement.measure(measurement.commandLine);
}

// False once either could not be measured.
bool TimePair(const Measurement &figure, const Measurement &floor, int round, Paired *pair)
{
    double figureMs;
    double floorMs;
    if (round % 2 == 0) {
        figureMs = Take(figure);
        floorMs = Take(floor);
    } else {
        floorMs = Take(floor);
        figureMs = Take(figure);
    }
    if (std::isnan(figureMs) || std::isnan(floorMs))
        return false;
    pair->figure.push_back(figureMs);
    pair->floor.push_back(floorMs);
    pair->ratio.push_back(figureMs / floorMs);
    return true;
}

bool IsOnScreen(HWND window, POINT clientPoint, COLORREF color)
{
    ClientToScreen(window, &clientPoint);
    HDC screen = GetDC(NULL);
    COLORREF seen = GetPixel(screen, clientPoint.x, clientPoint.y);
    ReleaseDC(NULL, screen);
    return seen == color;
}

// The swatch starts white and the client background is the scroll bar
// colour: both on screen means the first paint reached the display.
bool IsPickerPainted(HWND window)
{
    POINT swatch = {kPickerSwatchLeft + kPickerCanvasWidth / 2,
                    kPickerSwatchTop + kPickerCanvasHeight / 2};
    POINT background = {2, 2};
    return IsOnScreen(window, swatch, RGB(255, 255, 255)) &&
           IsOnScreen(window, background, GetSysColor(COLOR_SCROLLBAR));
}

bool IsBarePainted(HWND window)
{
    POINT background = {2, 2};
    return IsOnScreen(window, background, GetSysColor(COLOR_SCROLLBAR));
}

// Launch until the window is visible and painted on screen; milliseconds, or
// NaN when it did not show or did not close with exit code 0.
double TimeLaunchToVisible(const std::string &commandLine, const char *className, const char *title,
                           bool (*isPainted)(HWND))
{
    PROCESS_INFORMATION info = {};
    double start = NowUs();
    if (!Launch(commandLine, &info))
        return kNotMeasured;
    double visible = kNotMeasured;
    HWND window = NULL;
    while (NowUs() - start < kAppearMs * 1000.0) {
        window = FindWindowOf(info.dwProcessId, className, title);
        if (window && IsWindowVisible(window) && isPainted(window)) {
            visible = (NowUs() - start) / 1000;
            break;
        }
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(info.hProcess, kAppearMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    Release(&info);
    return code == 0 ? visible : kNotMeasured;
}

double LaunchPicker(const std::string &commandLine)
{
    return TimeLaunchToVisible(commandLine, PickerClassName(), PickerTitle(), IsPickerPainted);
}

double LaunchBare(const std::string &commandLine)
{
    return TimeLaunchToVisible(commandLine, kBareStartClass, kBareStartTitle, IsBarePainted);
}

// Launch of tanzel.exe while one runs, until that second process has ended.
double TimeRefusedLaunch()
{
    PROCESS_INFORMATION info = {};
    double start = NowUs();
    if (!Launch("\"" TANZEL_EXE_PATH "\"", &info))
        return kNotMeasured;
    DWORD code = 1;
    double end = kNotMeasured;
    if (WaitForSingleObject(info.hProcess, kAppearMs) == WAIT_OBJECT_0) {
        end = NowUs();
        GetExitCodeProcess(info.hProcess, &code);
    }
    Release(&info);
    return code == 0 ? (end - start) / 1000 : kNotMeasured;
}

std::string FloorText(const char *what, double ms)
{
    return std::string(what) + " " + Figure("%.2f ms", ms);
}

} // namespace

DWORD RunFirstStart(bool warm)
{
    if (warm)
        WarmUpWine();
    double start = NowUs();
    HWND window;
    if (StartPicker(&window) != kPickerShown)
        return kChildFailed;
    double painted = NowUs();
    DestroyWindow(window);
    return static_cast<DWORD>(painted - start + 0.5);
}

DWORD RunSecondStart(bool warm)
{
    if (warm)
        WarmUpWine();
    double start = NowUs();
    HWND window;
    bool refused = StartPicker(&window) == kPickerRefused;
    double end = NowUs();
    return refused ? static_cast<DWORD>(end - start + 0.5) : kChildFailed;
}

// The picker's entry of WinMain to the return of CreatePickerWindow, whose
// UpdateWindow completes the first paint, against the bare program's entry
// to its first paint: cold, as programs start, and after Wine's one-time
// set-up, the program's own cost.
void MeasureFirstStart(const Plan &plan)
{
    Paired cold;
    Paired warm;
    Paired launch;
    bool measured = true;
    for (int round = 0; round < plan.startRounds && measured; ++round)
        measured = TimePair({ChildMs, SelfCommand("--first-start")},
                            {ChildMs, BareCommand("--first-start")}, round, &cold) &&
                   TimePair({ChildMs, SelfCommand("--first-start --warm")},
                            {ChildMs, BareCommand("--first-start --warm")}, round, &warm);
    for (int round = 0; round < plan.startRounds; ++round) {
        if (!TimePair({LaunchPicker, "\"" TANZEL_EXE_PATH "\""},
                      {LaunchBare, "\"" TANZEL_BARE_START_PATH "\""}, round, &launch)) {
            Fail("a launch of tanzel.exe or of the bare program failed");
            break;
        }
    }

    double coldMs = Median(cold.figure);
    double warmMs = Median(warm.figure);
    double coldRatio = Median(cold.ratio);
    // A time of its own would judge the machine: it is judged against the
    // bare program's, as the cold start is.
    double warmRatio = Median(warm.ratio);
    AddRow("start: WinMain entry to first completed paint", Figure("%.2f ms", coldMs),
           FloorText("bare program (one class, one window placed topmost, one paint)",
                     Median(cold.floor)) +
               "; of which Wine's one-time set-up " + Figure("%.2f ms", coldMs - warmMs),
           Ratio(coldRatio), Format("<= %.1f", kFloorBudget), AtMost(coldRatio, kFloorBudget));
    AddRow("start: WinMain entry to first completed paint, after Wine's set-up (the program's "
           "own cost)",
           Figure("%.2f ms", warmMs), FloorText("bare program", Median(warm.floor)),
           Ratio(warmRatio), Format("<= %.1f", kFloorBudget), AtMost(warmRatio, kFloorBudget));
    AddRow("start: launch of tanzel.exe to its window painted on screen",
           Figure("%.0f ms", Median(launch.figure)),
           "bare program " + Figure("%.0f ms", Median(launch.floor)) +
               " (reference: Wine's process start)",
           Ratio(Median(launch.ratio)));
}

// A second start while a picker runs: LoadPickerNames and the
// IsPickerRunning that finds it, cold and after Wine's set-up.
void MeasureSecondStart(const Plan &plan)
{
    std::vector<double> cold;
    std::vector<double> warm;
    std::vector<double> outside;
    for (int i = 0; i < plan.startRounds; ++i) {
        double coldMs = ChildMs(SelfCommand("--second-start"));
        double warmMs = ChildMs(SelfCommand("--second-start --warm"));
        if (std::isnan(coldMs) || std::isnan(warmMs))
            break;
        cold.push_back(coldMs);
        warm.push_back(warmMs);
    }
    for (int i = 0; i < plan.startRounds; ++i) {
        double ms = TimeRefusedLaunch();
        if (std::isnan(ms)) {
            Fail("a refused second start of tanzel.exe failed");
            break;
        }
        outside.push_back(ms);
    }
    double coldMs = Median(cold);
    double warmMs = Median(warm);
    std::string budget = Format("<= %.0f ms", kSecondStartBudgetMs);
    AddRow("start: refused second start, WinMain entry to its return", Figure("%.2f ms", coldMs),
           "of which Wine's one-time set-up " + Figure("%.2f ms", coldMs - warmMs), "", budget,
           AtMost(coldMs, kSecondStartBudgetMs));
    AddRow("start: refused second start, WinMain entry to its return, after Wine's set-up (the "
           "program's own cost)",
           Figure("%.2f ms", warmMs), "", "", budget, AtMost(warmMs, kSecondStartBudgetMs));
    AddRow("start: launch of a second tanzel.exe to its exit", Figure("%.0f ms", Median(outside)),
           "reference (Wine's process start)");
}
