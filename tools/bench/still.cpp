// The still: from the still key to the still on the screen, paired with a
// bare way of doing the same with no program code: the virtual screen copied
// into a bitmap and shown in a topmost popup of its size. Each still is timed
// on its own and ended untimed. Then what the stills left behind: the memory
// the process has committed before the first and after the last.
#include "tools/bench/bench.h"
#include "tools/bench/paired.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

#include <psapi.h>

namespace
{

// For what showing or hiding a window over the whole screen sets off in
// other processes, before the next still.
const DWORD kSettleMs = 30;
// Where the pointer rests: clear of the picker, with room for the loupe.
const POINT kPointer = {200, 200};
const char kBareClass[] = "TanzelBenchBareStill";

struct BareStill {
    HWND window;
    HDC copy;
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width;
    int height;
};

BareStill g_bare;
HWND g_picker;

LRESULT CALLBACK BareStillWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    BitBlt(target, 0, 0, g_bare.width, g_bare.height, g_bare.copy, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

void RegisterBareClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareStillWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = kBareClass;
    RegisterClassA(&windowClass);
}

void ShowBareStill()
{
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    g_bare.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    g_bare.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC screen = GetDC(NULL);
    g_bare.bitmap = CreateCompatibleBitmap(screen, g_bare.width, g_bare.height);
    g_bare.copy = CreateCompatibleDC(screen);
    g_bare.previous = SelectObject(g_bare.copy, g_bare.bitmap);
    BitBlt(g_bare.copy, 0, 0, g_bare.width, g_bare.height, screen, left, top, SRCCOPY | CAPTUREBLT);
    ReleaseDC(NULL, screen);
    g_bare.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBareClass,
                                    "", WS_POPUP, left, top, g_bare.width, g_bare.height, NULL,
                                    NULL, GetModuleHandleA(NULL), NULL);
    ShowWindow(g_bare.window, SW_SHOWNOACTIVATE);
    UpdateWindow(g_bare.window);
    Pump();
}

void HideBareStill()
{
    DestroyWindow(g_bare.window);
    SelectObject(g_bare.copy, g_bare.previous);
    DeleteDC(g_bare.copy);
    DeleteObject(g_bare.bitmap);
    PumpFor(kSettleMs);
}

// The key as the system sends it; the still and its first sample are on the
// screen once the queue is empty.
void ShowProgramStill()
{
    PressStillKey(g_picker);
    Pump();
}

void HideProgramStill()
{
    if (StillShows())
        PressStillKey(g_picker);
    PumpFor(kSettleMs);
}

double TimeStill(void (*show)(), void (*hide)())
{
    double start = NowUs();
    show();
    double elapsed = NowUs() - start;
    hide();
    return elapsed;
}

double CommittedKiB()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PagefileUsage / 1024.0;
}

} // namespace

void MeasureStill(const Plan &plan, HWND picker)
{
    g_picker = picker;
    RegisterBareClass();
    SetCursorPos(kPointer.x, kPointer.y);
    // One untimed still of each, so that neither pays a first time.
    ShowProgramStill();
    bool shown = StillShows();
    HideProgramStill();
    TimeStill(ShowBareStill, HideBareStill);
    if (!shown) {
        Fail("the still key showed no still");
        return;
    }
    double before = CommittedKiB();
    PairedTimes times;
    for (int pair = 0; pair < plan.stillPairs; ++pair) {
        double figureUs;
        double floorUs;
        if (pair % 2 == 0) {
            figureUs = TimeStill(ShowProgramStill, HideProgramStill);
            floorUs = TimeStill(ShowBareStill, HideBareStill);
        } else {
            floorUs = TimeStill(ShowBareStill, HideBareStill);
            figureUs = TimeStill(ShowProgramStill, HideProgramStill);
        }
        times.figureUs.push_back(figureUs);
        times.floorUs.push_back(floorUs);
        times.ratios.push_back(figureUs / floorUs);
    }
    AddPairedRow("still: the still key to the still on the screen (WM_HOTKEY: the screen copied, "
                 "the still shown below the picker, its first sample), shown",
                 "bare still: the virtual screen copied into a bitmap (BitBlt, CAPTUREBLT), shown "
                 "in a topmost popup of its size that paints it, shown",
                 times, 1.2);
    double after = CommittedKiB();
    AddRow(Format("still: memory committed (PagefileUsage) after %d stills of the program's",
                  plan.stillPairs + 1),
           Format("%.0f KiB (%+.0f KiB)", after, after - before),
           Format("after the first: %.0f KiB", before));
}
