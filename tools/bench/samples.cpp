// Per sample: the screen read, the repaint it causes, and the loupe, each
// beside its floor. All ways take turns in every round, at the same points,
// and a way that shows its result ends each sample as the message loop does
// between two pointer moves: with a look at an empty queue, which is when
// Wine puts a window's new pixels on the screen.
#include "tools/bench/bench.h"
#include "tools/bench/loupe_bench.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

#include <string>
#include <vector>

namespace
{

const int kDropButtonId = 1;
const double kSampleBudget = 2;
const double kShowBudget = 1.2;
const double kLoupeBudget = 1.2;

enum SampleWay {
    kBareRead,
    kSample,
    kBareShow,
    kPlainShow,
    kSampleShow,
    kSampleShowButtonHidden,
    kLoupeFloor,
    kLoupeDirectPaint,
    kLoupeLayeredUpdate,
    kLoupeSample,
    kWayCount
};

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

struct SampleBench {
    HWND picker;
    HWND dropButton;
    HWND plain;
    Canvas canvas;
    bool hasLoupe;
    // Each floor of the loupe, when what it shows reaches the screen.
    bool floorShows[kLoupeFloorWayCount];
    std::vector<POINT> points;
};

volatile COLORREF g_sink;

Canvas MakeBareCanvas(HWND window)
{
    HDC windowDC = GetDC(window);
    Canvas canvas = {CreateCompatibleDC(windowDC),
                     CreateCompatibleBitmap(windowDC, kPickerCanvasWidth, kPickerCanvasHeight),
                     NULL};
    canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
    PatBlt(canvas.dc, 0, 0, kPickerCanvasWidth, kPickerCanvasHeight, BLACKNESS);
    ReleaseDC(window, windowDC);
    return canvas;
}

void FreeCanvas(const Canvas &canvas)
{
    SelectObject(canvas.dc, canvas.previous);
    DeleteDC(canvas.dc);
    DeleteObject(canvas.bitmap);
}

COLORREF BareRead(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return value;
}

void BareCopy(HWND window, HDC canvas)
{
    HDC target = GetDC(window);
    BitBlt(target, kPickerSwatchLeft, kPickerSwatchTop, kPickerCanvasWidth, kPickerCanvasHeight,
           canvas, 0, 0, SRCCOPY);
    ReleaseDC(window, target);
}

// A window with no code of the program: its WM_PAINT only copies the bare
// canvas, so it shows what the platform's own repaint cycle costs.
HDC g_plainCanvas;

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
HWND CreatePlainWindow(HWND picker, HDC canvas)
{
    g_plainCanvas = canvas;
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
    GetWindowRect(picker, &pickerFrame);
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
std::vector<POINT> SamplePoints(int count, HWND picker, HWND plain)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    RECT pickerFrame;
    RECT plainFrame;
    GetWindowRect(picker, &pickerFrame);
    GetWindowRect(plain, &plainFrame);
    std::vector<POINT> points;
    for (int i = 0; static_cast<int>(points.size()) < count; ++i) {
        POINT point = {(i * 97) % width, (i * 61) % height};
        RECT loupe = {point.x + kLoupeOffset, point.y + kLoupeOffset,
                      point.x + kLoupeOffset + kLoupeOuterSize,
                      point.y + kLoupeOffset + kLoupeOuterSize};
        if (loupe.right <= width && loupe.bottom <= height && !Overlaps(loupe, pickerFrame) &&
            !Overlaps(loupe, plainFrame))
            points.push_back(point);
    }
    return points;
}

// The loupe's floor that a way measures; kLoupeFloorWayCount for none.
LoupeFloorWay FloorWayOf(SampleWay way)
{
    switch (way) {
    case kLoupeFloor:
        return kMoveAndPaint;
    case kLoupeDirectPaint:
        return kMoveAndDirectPaint;
    case kLoupeLayeredUpdate:
        return kUpdateLayered;
    default:
        return kLoupeFloorWayCount;
    }
}

// Untimed, around a batch.
void BeginBatch(SampleWay way, const SampleBench &bench, POINT first)
{
    if (way == kSampleShowButtonHidden)
        ShowWindow(bench.dropButton, SW_HIDE);
    if (FloorWayOf(way) != kLoupeFloorWayCount)
        ShowLoupeFloor(FloorWayOf(way), first);
    if (way == kLoupeSample)
        TakeLoupeSample(bench.picker, first);
    UpdateWindow(bench.picker);
    PumpFor(20);
}

void EndBatch(SampleWay way, const SampleBench &bench)
{
    if (way == kSampleShowButtonHidden)
        ShowWindow(bench.dropButton, SW_SHOW);
    if (FloorWayOf(way) != kLoupeFloorWayCount)
        HideLoupeFloor(FloorWayOf(way));
    if (way == kLoupeSample)
        HideProgramLoupe();
    UpdateWindow(bench.picker);
    Pump();
}

void TakeSample(SampleWay way, const SampleBench &bench, POINT point)
{
    switch (way) {
    case kBareRead:
        g_sink = BareRead(point.x, point.y);
        break;
    case kSample:
        SampleScreenAt(bench.picker, point);
        break;
    case kBareShow:
        g_sink = BareRead(point.x, point.y);
        BareCopy(bench.picker, bench.canvas.dc);
        Pump();
        break;
    case kPlainShow:
        g_sink = BareRead(point.x, point.y);
        InvalidateRect(bench.plain, NULL, FALSE);
        UpdateWindow(bench.plain);
        Pump();
        break;
    case kSampleShow:
    case kSampleShowButtonHidden:
        SampleScreenAt(bench.picker, point);
        UpdateWindow(bench.picker);
        Pump();
        break;
    case kLoupeFloor:
    case kLoupeDirectPaint:
    case kLoupeLayeredUpdate:
        TakeLoupeFloorSample(FloorWayOf(way), point);
        Pump();
        break;
    case kLoupeSample:
        TakeLoupeSample(bench.picker, point);
        UpdateWindow(bench.picker);
        Pump();
        break;
    case kWayCount:
        break;
    }
}

// Whether this run can take the way: a floor of the loupe must show on the
// screen, and the program's loupe needs a build that has one and its floor.
bool CanTake(SampleWay way, const SampleBench &bench)
{
    if (FloorWayOf(way) != kLoupeFloorWayCount)
        return bench.floorShows[FloorWayOf(way)];
    if (way == kLoupeSample)
        return bench.hasLoupe && bench.floorShows[kMoveAndPaint];
    return true;
}

// A ratio of two ways' times in one round, when both were taken.
void AddRatio(std::vector<double> *ratios, double figure, double floor)
{
    if (figure > 0 && floor > 0)
        ratios->push_back(figure / floor);
}

std::string LoupeFigure(const std::vector<double> &times, bool shows)
{
    return shows ? Figure("%.1f us", Median(times))
                 : "not measured: what it shows never reaches the screen here";
}

// Microseconds per sample over one batch of points.
double RunSampleBatch(SampleWay way, const SampleBench &bench, int first, int count)
{
    BeginBatch(way, bench, bench.points[first]);
    double start = NowUs();
    for (int i = first; i < first + count; ++i)
        TakeSample(way, bench, bench.points[i]);
    double elapsed = NowUs() - start;
    EndBatch(way, bench);
    return elapsed / count;
}

void AddSampleRows(const std::vector<double> *times, const std::vector<double> &sampleRatio,
                   const std::vector<double> &showRatio, const std::vector<double> &copyRatio)
{
    double bare = Median(times[kBareRead]);
    double plainShow = Median(times[kPlainShow]);
    double sampleRatioMedian = Median(sampleRatio);
    double showRatioMedian = Median(showRatio);
    AddRow("sample: bare read (GetDC, GetPixel, ReleaseDC)", Figure("%.1f us", bare),
           "floor for sampling");
    AddRow("sample: SampleScreenColor", Figure("%.1f us", Median(times[kSample])),
           "bare read " + Figure("%.1f us", bare), Ratio(sampleRatioMedian),
           Format("<= %.0f", kSampleBudget), AtMost(sampleRatioMedian, kSampleBudget));
    AddRow("sample: bare read + WM_PAINT of a window with no program code that copies a "
           "122x42 bitmap, shown",
           Figure("%.1f us", plainShow),
           "floor for showing a sample (the platform's repaint cycle)");
    AddRow("sample: SampleScreenColor + UpdateWindow (WM_PAINT), shown",
           Figure("%.1f us", Median(times[kSampleShow])), "floor " + Figure("%.1f us", plainShow),
           Ratio(showRatioMedian), Format("<= %.1f", kShowBudget),
           AtMost(showRatioMedian, kShowBudget));
    AddRow("sample: of which the Drop button repainting",
           Figure("%.1f us", Median(times[kSampleShow]) - Median(times[kSampleShowButtonHidden])),
           "the same with the button hidden " +
               Figure("%.1f us", Median(times[kSampleShowButtonHidden])));
    AddRow("sample: bare read + bare BitBlt 122x42 to the window past WM_PAINT (GetDC), shown",
           Figure("%.1f us", Median(times[kBareShow])),
           "the former floor for showing; the ratio is SampleScreenColor + UpdateWindow's to it",
           Ratio(Median(copyRatio)));
}

void AddLoupeRows(const std::vector<double> *times, const std::vector<double> &directRatio,
                  const std::vector<double> &layeredRatio, const std::vector<double> &loupeRatio,
                  const SampleBench &bench)
{
    double floor = Median(times[kLoupeFloor]);
    double plainAndFloor = Median(times[kSampleShow]) + floor;
    AddRow("loupe: floor: bare layered window 90x90 moved by one SetWindowPos, one StretchBlt 8x "
           "in WM_PAINT of one 11x11 BitBlt from the screen, shown",
           LoupeFigure(times[kLoupeFloor], bench.floorShows[kMoveAndPaint]), "floor for the loupe");
    AddRow("loupe: the same, painted past WM_PAINT (GetDC, StretchBlt, ReleaseDC), shown",
           LoupeFigure(times[kLoupeDirectPaint], bench.floorShows[kMoveAndDirectPaint]),
           "floor " + Figure("%.1f us", floor), Ratio(Median(directRatio)));
    AddRow("loupe: the same window moved and painted by one UpdateLayeredWindow, shown",
           LoupeFigure(times[kLoupeLayeredUpdate], bench.floorShows[kUpdateLayered]),
           "floor " + Figure("%.1f us", floor), Ratio(Median(layeredRatio)));
    double loupeRatioMedian = Median(loupeRatio);
    AddRow("loupe: drag sample with the loupe shown: SampleScreenColor + ShowLoupeAt + "
           "UpdateWindow, shown",
           bench.hasLoupe ? Figure("%.1f us", Median(times[kLoupeSample]))
                          : "not measured (this build has no loupe)",
           "SampleScreenColor + UpdateWindow, shown, + floor for the loupe " +
               Figure("%.1f us", plainAndFloor),
           Ratio(loupeRatioMedian), Format("<= %.1f", kLoupeBudget),
           AtMost(loupeRatioMedian, kLoupeBudget));
}

} // namespace

void MeasureSamples(const Plan &plan, HWND picker)
{
    SampleBench bench = {};
    bench.picker = picker;
    bench.dropButton = GetDlgItem(picker, kDropButtonId);
    bench.canvas = MakeBareCanvas(picker);
    bench.plain = CreatePlainWindow(picker, bench.canvas.dc);
    bench.points = SamplePoints(plan.sampleRounds * plan.samplesPerBatch, picker, bench.plain);
    // Before the floors, which are layered windows the picker owns too.
    bench.hasLoupe = StartProgramLoupe(picker);
    if (CreateLoupeFloors(picker)) {
        for (int way = 0; way < kLoupeFloorWayCount; ++way)
            bench.floorShows[way] =
                LoupeFloorReachesScreen(static_cast<LoupeFloorWay>(way), bench.points[0]);
    }
    PumpFor(200);

    std::vector<double> times[kWayCount];
    std::vector<double> sampleRatio;
    std::vector<double> showRatio;
    std::vector<double> copyRatio;
    std::vector<double> directRatio;
    std::vector<double> layeredRatio;
    std::vector<double> loupeRatio;
    for (int round = 0; round < plan.sampleRounds; ++round) {
        int first = round * plan.samplesPerBatch;
        double perSample[kWayCount] = {};
        // A different order each round, so drift favours no way.
        for (int k = 0; k < kWayCount; ++k) {
            SampleWay way = static_cast<SampleWay>((k + round) % kWayCount);
            if (!CanTake(way, bench))
                continue;
            perSample[way] = RunSampleBatch(way, bench, first, plan.samplesPerBatch);
            times[way].push_back(perSample[way]);
        }
        AddRatio(&sampleRatio, perSample[kSample], perSample[kBareRead]);
        AddRatio(&showRatio, perSample[kSampleShow], perSample[kPlainShow]);
        AddRatio(&copyRatio, perSample[kSampleShow], perSample[kBareShow]);
        AddRatio(&directRatio, perSample[kLoupeDirectPaint], perSample[kLoupeFloor]);
        AddRatio(&layeredRatio, perSample[kLoupeLayeredUpdate], perSample[kLoupeFloor]);
        AddRatio(&loupeRatio, perSample[kLoupeSample],
                 perSample[kLoupeFloor] > 0 ? perSample[kSampleShow] + perSample[kLoupeFloor] : 0);
    }
    if (bench.hasLoupe)
        EndProgramLoupe();
    DestroyLoupeFloors();
    DestroyWindow(bench.plain);
    FreeCanvas(bench.canvas);

    AddSampleRows(times, sampleRatio, showRatio, copyRatio);
    AddLoupeRows(times, directRatio, layeredRatio, loupeRatio, bench);
}
