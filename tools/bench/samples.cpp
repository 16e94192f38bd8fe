// Per sample: the screen read, the repaint it causes, and the loupe, each
// paired with its floor in small batches that take turns (paired.h); then a
// long drag with the loupe shown. A way that shows its result ends each
// sample as the message loop does between two pointer moves: with a look at
// an empty queue, which is when Wine puts a window's new pixels on the screen.
#include "tools/bench/bench.h"
#include "tools/bench/loupe_bench.h"
#include "tools/bench/paired.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

#include <psapi.h>

#include <string>
#include <vector>

namespace
{

// For what showing or hiding a window sets off in other processes.
const DWORD kBatchSettleMs = 10;
// Longer than the picker waits before it writes its recent colours.
const DWORD kPickSaveSettleMs = 30;
const int kThousand = 1000;

HWND g_picker;
// A window with no program code whose WM_PAINT only copies a bare canvas.
HWND g_plain;
HDC g_plainCanvas;
bool g_loupeFloorShows;
volatile COLORREF g_sink;

COLORREF BareRead(POINT point)
{
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, point.x, point.y);
    ReleaseDC(NULL, screen);
    return value;
}

// The ways, each one sample at a point.

void TakeBareRead(POINT point)
{
    g_sink = BareRead(point);
}

void TakeSample(POINT point)
{
    TakeProgramSample(g_picker, point);
}

void TakeBareShow(POINT point)
{
    g_sink = BareRead(point);
    InvalidateRect(g_plain, NULL, FALSE);
    UpdateWindow(g_plain);
    Pump();
}

void TakeSampleShown(POINT point)
{
    TakeProgramSample(g_picker, point);
    UpdateWindow(g_picker);
    Pump();
}

void TakeLoupeSampleShown(POINT point)
{
    TakeLoupeSample(g_picker, point);
    UpdateWindow(g_picker);
    Pump();
}

// The pick key picks where the pointer rests, which its batch's start sets.
void TakePickKeyShown(POINT)
{
    PressPickKey(g_picker);
    Pump();
}

void TakeBareLoupe(POINT point)
{
    g_sink = BareRead(point);
    InvalidateRect(g_plain, NULL, FALSE);
    TakeLoupeFloorSample(point);
    UpdateWindow(g_plain);
    Pump();
}

// What stands around their batches, untimed.

// What SampleScreenColor asked for, so that each batch starts from a
// painted window, as each sample of a drag does.
void ShowPendingRepaint()
{
    UpdateWindow(g_picker);
    Pump();
}

void BeginLoupeSamples(POINT first)
{
    TakeLoupeSampleShown(first);
    PumpFor(kBatchSettleMs);
}

void EndLoupeSamples()
{
    HideProgramLoupe();
    PumpFor(kBatchSettleMs);
}

void BeginAveragedLoupeSamples(POINT first)
{
    SetAverageSide(9);
    BeginLoupeSamples(first);
}

void EndAveragedLoupeSamples()
{
    EndLoupeSamples();
    SetAverageSide(1);
}

// The still key begins a still at the pointer; samples then read its copy.
void BeginStillSamples(POINT first)
{
    SetCursorPos(first.x, first.y);
    PressStillKey(g_picker);
    BeginLoupeSamples(first);
}

void EndStillSamples()
{
    if (StillShows())
        PressStillKey(g_picker);
    PumpFor(kBatchSettleMs);
}

void BeginPickKey(POINT first)
{
    SetCursorPos(first.x, first.y);
    PumpFor(kBatchSettleMs);
}

// The recent colours are written a moment after a pick: here, not in the
// next batch's time.
void EndPickKey()
{
    PumpFor(kPickSaveSettleMs);
}

void BeginBareLoupe(POINT first)
{
    ShowLoupeFloor(first);
    PumpFor(kBatchSettleMs);
}

void EndBareLoupe()
{
    HideLoupeFloor();
    PumpFor(kBatchSettleMs);
}

bool LoupeFloorShows()
{
    return g_loupeFloorShows;
}

// A new pair is one more row here: the program's way and its floor, each a
// function taking one sample at a point, with what stands around a batch.
struct PairedRow {
    const char *what;
    SampleWay figure;
    const char *floorWhat;
    SampleWay floor;
    double budget;        // 0: not judged
    bool (*measurable)(); // NULL: always
};

const PairedRow kPairedRows[] = {
    {"sample: SampleScreenColor",
     {TakeSample, NULL, ShowPendingRepaint},
     "bare read (GetDC, GetPixel, ReleaseDC)",
     {TakeBareRead, NULL, NULL},
     2,
     NULL},
    {"sample: SampleScreenColor + UpdateWindow (WM_PAINT), shown",
     {TakeSampleShown, NULL, NULL},
     "bare read + WM_PAINT of a window with no program code that copies a 122x42 bitmap, shown "
     "(the platform's repaint cycle)",
     {TakeBareShow, NULL, NULL},
     1.2,
     NULL},
    {"loupe: drag sample with the loupe shown: SampleScreenColor + ShowLoupeAt + UpdateWindow, "
     "shown",
     {TakeLoupeSampleShown, BeginLoupeSamples, EndLoupeSamples},
     "bare read + the bare repaint above + a bare layered window 90x90: one 11x11 BitBlt from "
     "the screen, one SetWindowPos, one StretchBlt 8x (GetDC), shown",
     {TakeBareLoupe, BeginBareLoupe, EndBareLoupe},
     1.2,
     LoupeFloorShows},
    {"average 9x9: drag sample with the loupe shown, the square read once for the mean and the "
     "loupe",
     {TakeLoupeSampleShown, BeginAveragedLoupeSamples, EndAveragedLoupeSamples},
     "the program's point sample with the loupe shown (the row above)",
     {TakeLoupeSampleShown, BeginLoupeSamples, EndLoupeSamples},
     1.1,
     NULL},
    {"still: drag sample with the loupe shown over a still, read from its copy",
     {TakeLoupeSampleShown, BeginStillSamples, EndStillSamples},
     "bare read + the bare repaint above + a bare layered window 90x90 (the loupe's floor "
     "above)",
     {TakeBareLoupe, BeginBareLoupe, EndBareLoupe},
     1.2,
     LoupeFloorShows},
    {"pick key: WM_HOTKEY to the swatch painted, shown, the recent colours written",
     {TakePickKeyShown, BeginPickKey, EndPickKey},
     "bare read + the bare repaint (the platform's repaint cycle)",
     {TakeBareShow, NULL, NULL},
     1.2,
     NULL},
};
const int kPairedRowCount = sizeof kPairedRows / sizeof kPairedRows[0];

LRESULT CALLBACK PlainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    BitBlt(target, kPickerSwatchLeft, kPickerSwatchTop, kPickerCanvasWidth, kPickerCanvasHeight,
           g_plainCanvas, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

// Beside the picker, not over it, so that neither repaints for the other.
HWND CreatePlainWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = "TanzelBenchPlain";
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, kPickerClientWidth, kPickerClientHeight};
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&frame, style, FALSE);
    int width = frame.right - frame.left;
    RECT pickerFrame;
    GetWindowRect(g_picker, &pickerFrame);
    int left = pickerFrame.left > GetSystemMetrics(SM_CXSCREEN) / 2
                   ? 10
                   : GetSystemMetrics(SM_CXSCREEN) - width - 10;
    return CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "plain", style, left, 10,
                           width, frame.bottom - frame.top, NULL, NULL, windowClass.hInstance,
                           NULL);
}

bool Overlaps(const RECT &a, const RECT &b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

// Points spread over the screen where the loupe's first place, lower-right,
// lies on the screen and clear of the picker and the plain window: there the
// program's loupe and its floor stand in the same place.
std::vector<POINT> SamplePoints(int count)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    RECT pickerFrame;
    RECT plainFrame;
    GetWindowRect(g_picker, &pickerFrame);
    GetWindowRect(g_plain, &plainFrame);
    std::vector<POINT> points;
    for (int i = 0; static_cast<int>(points.size()) < count; ++i) {
        POINT point = {(i * 97) % width, (i * 61) % height};
        RECT loupe = {point.x + kFloorGap, point.y + kFloorGap,
                      point.x + kFloorGap + kFloorOuterSize, point.y + kFloorGap + kFloorOuterSize};
        if (loupe.right <= width && loupe.bottom <= height && !Overlaps(loupe, pickerFrame) &&
            !Overlaps(loupe, plainFrame))
            points.push_back(point);
    }
    return points;
}

void MeasurePairedRows(int pairs, const std::vector<POINT> &points)
{
    PairedTimes times[kPairedRowCount];
    for (int pair = 0; pair < pairs; ++pair) {
        const POINT *batch = &points[pair * kSamplesPerBatch];
        for (int row = 0; row < kPairedRowCount; ++row) {
            const PairedRow &paired = kPairedRows[row];
            if (!paired.measurable || paired.measurable())
                TimePairOfBatches(paired.figure, paired.floor, batch, &times[row]);
        }
    }
    for (int row = 0; row < kPairedRowCount; ++row)
        AddPairedRow(kPairedRows[row].what, kPairedRows[row].floorWhat, times[row],
                     kPairedRows[row].budget);
}

// What a leak would show: the process's GDI and USER objects where the
// system counts them (Wine returns none), and the memory it has committed.
struct Holdings {
    DWORD gdiObjects;
    DWORD userObjects;
    double committedKiB;
};

Holdings ReadHoldings()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), memory.PagefileUsage / 1024.0};
}

std::string Joined(const std::vector<double> &values, const char *format)
{
    std::string text;
    for (double value : values)
        text += (text.empty() ? "" : " ") + Format(format, value);
    return text;
}

double Sum(const std::vector<double> &values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum;
}

void AddLongDragRows(int samples, const std::vector<double> &thousandMs,
                     const std::vector<double> &thousandRatios, const Holdings &first,
                     const Holdings &last)
{
    size_t half = thousandRatios.size() / 2;
    std::vector<double> early(thousandRatios.begin(), thousandRatios.begin() + half);
    std::vector<double> late(thousandRatios.begin() + half, thousandRatios.end());
    AddRow(Format("long drag: %d drag samples with the loupe shown, ms per 1,000 in turn", samples),
           Joined(thousandMs, "%.0f"),
           "per 1,000, against a plain sample shown (bare read + bare repaint) between every 10: " +
               Joined(thousandRatios, "%.2f") + "; the ratio is the second half's to the first's",
           Ratio(Median(late) / Median(early)));
    bool counted = first.gdiObjects > 0;
    AddRow("long drag: GDI / USER objects (GetGuiResources) at the end",
           counted ? Format("%lu / %lu", last.gdiObjects, last.userObjects)
                   : "not measured: this system counts none",
           counted ? Format("after the first 1,000: %lu / %lu", first.gdiObjects, first.userObjects)
                   : "",
           "", "the same",
           counted ? (first.gdiObjects == last.gdiObjects && first.userObjects == last.userObjects
                          ? kMet
                          : kMissed)
                   : kUnmeasured);
    AddRow(
        "long drag: memory committed (PagefileUsage) at the end",
        Format("%.0f KiB (%+.0f KiB)", last.committedKiB, last.committedKiB - first.committedKiB),
        Format("after the first 1,000: %.0f KiB", first.committedKiB));
}

// The loupe stays shown from the first sample to the last; between batches a
// plain sample shown gauges the machine's speed, so that a drift shows as a
// ratio that grows.
void MeasureLongDrag(int samples, const std::vector<POINT> &points)
{
    SampleWay drag = {TakeLoupeSampleShown, NULL, NULL};
    SampleWay gauge = {TakeBareShow, NULL, NULL};
    BeginLoupeSamples(points[0]);
    std::vector<double> thousandMs;
    std::vector<double> thousandRatios;
    Holdings first = {};
    for (int done = 0; done < samples; done += kThousand) {
        PairedTimes times;
        for (int i = 0; i < kThousand; i += kSamplesPerBatch)
            TimePairOfBatches(drag, gauge, &points[(done + i) % points.size()], &times);
        thousandMs.push_back(Sum(times.figureUs) * kSamplesPerBatch / 1000);
        thousandRatios.push_back(Median(times.ratios));
        if (done == 0)
            first = ReadHoldings();
    }
    Holdings last = ReadHoldings();
    EndLoupeSamples();
    AddLongDragRows(samples, thousandMs, thousandRatios, first, last);
}

} // namespace

void MeasureSamples(const Plan &plan, HWND picker)
{
    g_picker = picker;
    HDC windowDC = GetDC(picker);
    g_plainCanvas = CreateCompatibleDC(windowDC);
    HBITMAP canvas = CreateCompatibleBitmap(windowDC, kPickerCanvasWidth, kPickerCanvasHeight);
    HGDIOBJ previous = SelectObject(g_plainCanvas, canvas);
    PatBlt(g_plainCanvas, 0, 0, kPickerCanvasWidth, kPickerCanvasHeight, BLACKNESS);
    ReleaseDC(picker, windowDC);
    g_plain = CreatePlainWindow();
    std::vector<POINT> points = SamplePoints(plan.samplePairs * kSamplesPerBatch);
    // Before the floor, a layered window the picker owns too.
    StartProgramLoupe(picker);
    g_loupeFloorShows = CreateLoupeFloor(picker, points[0]);
    PumpFor(200);

    MeasurePairedRows(plan.samplePairs, points);
    MeasureLongDrag(plan.longDragSamples, points);

    EndProgramLoupe();
    DestroyLoupeFloor();
    DestroyWindow(g_plain);
    SelectObject(g_plainCanvas, previous);
    DeleteDC(g_plainCanvas);
    DeleteObject(canvas);
}
