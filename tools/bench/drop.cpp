// Drop: SendColorToDialog with the host dialog at the bottom of the z-order
// and hundreds to thousands of top-level windows of another process (a copy
// of this bench run as a "window farm"), paired Drop by Drop with its floor:
// the same walk over the same windows and the same three sends to the same
// host, with no program code. The sizes take turns in every round.
#include "tools/bench/bench.h"
#include "tools/bench/children.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// What a Drop of the colour (10, 200, 64) writes.
const char *const kDropTexts[] = {"10", "200", "64"};

const int kTitleBufferSize = 256;
const UINT kSetFarmSizeMessage = WM_APP + 1;
const char kFarmClass[] = "TanzelBenchFarm";
const char kFakeHostClass[] = "TanzelBenchHost";
const double kDropBudget = 1.2;
// Drop's growth from size to size, to its floor's: linear in the windows
// as far as the platform is.
const double kGrowthLow = 0.9;
const double kGrowthHigh = 1.1;

// A stand-in host colour dialog: the title and the three fields, nothing more,
// so a Drop into it costs what the picker does and not what a host does.
void CreateFakeHost()
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFakeHostClass;
    RegisterClassA(&windowClass);
    HWND dialog = CreateWindowExA(0, kFakeHostClass, HostDialogTitle(),
                                  WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 600, 400, 200, 130, NULL,
                                  NULL, instance, NULL);
    for (int i = 0; i < 3; ++i)
        CreateWindowExA(0, "EDIT", "0", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 8 + 26 * i, 80, 22,
                        dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHostFieldIds[i])),
                        instance, NULL);
}

// Makes the first count farm windows top-level and parks the others as
// children of a hidden window, where the walk over top-level windows does
// not see them. Moving windows is much faster than making them, so the
// sizes can take turns and share the machine's ups and downs.
void SetFarmSize(const std::vector<HWND> &windows, HWND park, int count)
{
    for (int i = 0; i < static_cast<int>(windows.size()); ++i) {
        HWND wanted = i < count ? NULL : park;
        HWND parent = GetAncestor(windows[i], GA_PARENT);
        bool topLevel = parent == GetDesktopWindow();
        if (topLevel != (wanted == NULL))
            SetParent(windows[i], wanted);
    }
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10000;
}

// New or moved windows keep this process busy for seconds after the calls
// return (the display driver's share of the work comes later): the farm is
// ready once a tenth of a second passes with next to no work.
void SettleFarm()
{
    const DWORD kQuietIntervalMs = 100;
    const double kQuietCpuMs = 5;
    DWORD start = GetTickCount();
    double before = ProcessCpuMs();
    while (GetTickCount() - start < kWaitMs / 2) {
        DWORD intervalStart = GetTickCount();
        while (GetTickCount() - intervalStart < kQuietIntervalMs) {
            MsgWaitForMultipleObjects(0, NULL, FALSE, kQuietIntervalMs, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        double now = ProcessCpuMs();
        if (now - before < kQuietCpuMs)
            return;
        before = now;
    }
}

// The walk SendColorToDialog makes, reading every title and nothing else:
// the windows of a snapshot, top to bottom, as EnumWindows gives them.
BOOL CALLBACK ReadTitle(HWND window, LPARAM count)
{
    char title[kTitleBufferSize] = {};
    GetWindowTextA(window, title, kTitleBufferSize);
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}

int BareWalk()
{
    int count = 0;
    EnumWindows(ReadTitle, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK KeepLast(HWND window, LPARAM last)
{
    *reinterpret_cast<HWND *>(last) = window;
    return TRUE;
}

HWND LastInWalk()
{
    HWND last = NULL;
    EnumWindows(KeepLast, reinterpret_cast<LPARAM>(&last));
    return last;
}

std::string FieldText(HWND dialog, int fieldId)
{
    char text[16] = {};
    DWORD_PTR result;
    SendMessageTimeoutA(GetDlgItem(dialog, fieldId), WM_GETTEXT, sizeof text,
                        reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &result);
    return text;
}

bool ClearFields(HWND dialog)
{
    for (int id : kHostFieldIds) {
        DWORD_PTR result;
        SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"),
                            SMTO_NORMAL, 5000, &result);
    }
    return FieldText(dialog, kHostFieldIds[0]) == "0";
}

bool FieldsHoldDrop(HWND dialog)
{
    for (int i = 0; i < 3; ++i)
        if (FieldText(dialog, kHostFieldIds[i]) != kDropTexts[i])
            return false;
    return true;
}

struct Farm {
    PROCESS_INFORMATION info;
    HANDLE ready;
};

bool WaitForFarm(const Farm &farm, int count)
{
    double start = NowUs();
    HANDLE waits[] = {farm.ready, farm.info.hProcess};
    bool ready = WaitForMultipleObjects(2, waits, FALSE, kWaitMs) == WAIT_OBJECT_0;
    if (std::getenv("TANZEL_BENCH_TRACE"))
        std::fprintf(stderr, "trace: the farm stood at %d windows after %.1f s\n", count,
                     (NowUs() - start) / 1e6);
    return ready;
}

bool StartFarm(Farm *farm, int count)
{
    std::string eventName = Format("TanzelBenchFarm%lu", GetCurrentProcessId());
    farm->ready = CreateEventA(NULL, FALSE, FALSE, eventName.c_str());
    return Launch(Format("\"%s\" --farm %s %d", SelfPath().c_str(), eventName.c_str(), count),
                  &farm->info) &&
           WaitForFarm(*farm, count);
}

bool SetFarmSizeTo(const Farm &farm, int count)
{
    return PostThreadMessageA(farm.info.dwThreadId, kSetFarmSizeMessage, count, 0) &&
           WaitForFarm(farm, count);
}

void EndFarm(Farm *farm)
{
    if (farm->info.hProcess) {
        PostThreadMessageA(farm->info.dwThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(farm->info.hProcess, kWaitMs);
    }
    Release(&farm->info);
    if (farm->ready)
        CloseHandle(farm->ready);
    farm->ready = NULL;
}

bool StartHost(PROCESS_INFORMATION *info, HWND *dialog)
{
    if (!Launch("\"" TANZEL_HOST_PATH "\"", info))
        return false;
    double start = NowUs();
    while (!(*dialog = FindWindowOf(info->dwProcessId, NULL, HostDialogTitle()))) {
        if (NowUs() - start > 2 * kAppearMs * 1000.0)
            return false;
        PumpFor(10);
    }
    return true;
}

// Drop, its floor, and the walk alone as a diagnostic.
enum DropWay { kDrop, kDropFloor, kWalk, kDropWayCount };

// Each Drop and its floor come once before and once after the other, and
// the walk first as often as last.
const DropWay kDropOrders[][kDropWayCount] = {
    {kDrop, kDropFloor, kWalk},
    {kWalk, kDropFloor, kDrop},
    {kDropFloor, kDrop, kWalk},
    {kWalk, kDrop, kDropFloor},
};
const int kDropOrderCount = sizeof kDropOrders / sizeof kDropOrders[0];

struct DropTimes {
    int windows;                                // in the walk
    std::vector<double> ms[kDropWayCount];      // each turn
    std::vector<double> roundMs[kDropWayCount]; // the mean of each round
    std::vector<double> floorRatios;            // Drop's to its floor's, each turn
    std::vector<double> walkRatios;             // Drop's to the walk's, each turn
};

// What Drop does, with no program code: the same walk, then the same three
// sends to the same host.
void BareDrop(HWND dialog, DropTimes *times)
{
    times->windows = BareWalk();
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR result;
        SendMessageTimeoutA(GetDlgItem(dialog, kHostFieldIds[i]), WM_SETTEXT, kHostSetTextWParam,
                            reinterpret_cast<LPARAM>(kDropTexts[i]), kHostSendFlags,
                            kHostAnswerTimeoutMs, &result);
    }
}

// Milliseconds. After a send the host's own redraw is let finish, untimed.
double TimeDropWay(DropWay way, HWND picker, HWND dialog, DropTimes *times)
{
    const DWORD kHostRedrawMs = 20;
    Pump();
    double start = NowUs();
    if (way == kDrop)
        DropColor(picker);
    else if (way == kDropFloor)
        BareDrop(dialog, times);
    else
        times->windows = BareWalk();
    double ms = (NowUs() - start) / 1000;
    if (way != kWalk)
        PumpFor(kHostRedrawMs);
    return ms;
}

// With the dialog at the bottom of the z-order: one Drop untimed, that must
// reach it, then turns of Drop, its floor and the walk.
bool TimeDrops(HWND picker, HWND dialog, int round, int turns, DropTimes *times)
{
    SetWindowPos(dialog, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (LastInWalk() != dialog) {
        Fail("the host dialog is not the last window of the walk");
        return false;
    }
    if (!ClearFields(dialog)) {
        Fail("the host's fields do not take text");
        return false;
    }
    DropColor(picker);
    if (!FieldsHoldDrop(dialog)) {
        Fail("Drop did not reach the host at the bottom of the z-order");
        return false;
    }
    double sums[kDropWayCount] = {};
    for (int turn = 0; turn < turns; ++turn) {
        const DropWay *order = kDropOrders[(turn + round) % kDropOrderCount];
        double ms[kDropWayCount];
        for (int i = 0; i < kDropWayCount; ++i)
            ms[order[i]] = TimeDropWay(order[i], picker, dialog, times);
        for (int way = 0; way < kDropWayCount; ++way) {
            times->ms[way].push_back(ms[way]);
            sums[way] += ms[way];
        }
        times->floorRatios.push_back(ms[kDrop] / ms[kDropFloor]);
        times->walkRatios.push_back(ms[kDrop] / ms[kWalk]);
    }
    for (int way = 0; way < kDropWayCount; ++way)
        times->roundMs[way].push_back(sums[way] / turns);
    if (std::getenv("TANZEL_BENCH_TRACE"))
        std::fprintf(stderr, "trace: %d windows, %d turns: drop %.2f floor %.2f walk %.2f\n",
                     times->windows, turns, sums[kDrop] / turns, sums[kDropFloor] / turns,
                     sums[kWalk] / turns);
    return true;
}

std::string PerWindow(double ms, int windows)
{
    return std::isnan(ms) || windows == 0 ? "" : Format(" (%.1f us/window)", ms * 1000 / windows);
}

std::string Milliseconds(double ms, int windows)
{
    return Figure("%.2f ms", ms) + PerWindow(ms, windows);
}

void AddDropRows(const char *what, int size, const DropTimes &t, bool judged, bool withWalk)
{
    double dropMs = Median(t.ms[kDrop]);
    double ratio = Median(t.floorRatios);
    std::string walk = t.windows ? Format(" (%d in the walk)", t.windows) : "";
    AddRow(Format("drop: %s, %d windows of another process%s", what, size, walk.c_str()),
           Milliseconds(dropMs, t.windows),
           "the same walk and three WM_SETTEXT with no program code " +
               Milliseconds(Median(t.ms[kDropFloor]), t.windows),
           Ratio(ratio), judged ? Format("<= %.1f", kDropBudget) : "",
           judged ? AtMost(ratio, kDropBudget) : kNoBudget);
    if (withWalk)
        AddRow(Format("drop: the bare walk alone (EnumWindows, GetWindowTextA), %d windows", size),
               Milliseconds(Median(t.ms[kWalk]), t.windows),
               "diagnostic; the ratio is Drop's to it", Ratio(Median(t.walkRatios)));
}

// How much longer the larger size took, in one round.
double Growth(const DropTimes &smaller, const DropTimes &larger, DropWay way, size_t round)
{
    return larger.roundMs[way][round] / smaller.roundMs[way][round];
}

void AddGrowthRow(int smallerSize, int largerSize, const DropTimes &smaller,
                  const DropTimes &larger)
{
    std::vector<double> drop;
    std::vector<double> floor;
    std::vector<double> ratios;
    size_t rounds = std::min(smaller.roundMs[kDrop].size(), larger.roundMs[kDrop].size());
    for (size_t round = 0; round < rounds; ++round) {
        drop.push_back(Growth(smaller, larger, kDrop, round));
        floor.push_back(Growth(smaller, larger, kDropFloor, round));
        ratios.push_back(drop.back() / floor.back());
    }
    double ratio = Median(ratios);
    AddRow(Format("drop: growth from %d to %d windows", smallerSize, largerSize),
           Figure("%.2f x", Median(drop)), "its floor's " + Figure("%.2f x", Median(floor)),
           Ratio(ratio), Format("%.1f to %.1f", kGrowthLow, kGrowthHigh),
           Within(ratio, kGrowthLow, kGrowthHigh));
}

// Turns at a size in each round: the smaller sizes' Drops are quick, and
// their pairs are many for little time.
int TurnsAt(const Plan &plan, size_t size)
{
    const int kMoreAtSmallerSizes = 5;
    bool largest = size + 1 == plan.farmSizes.size();
    return largest ? plan.dropTurns : kMoreAtSmallerSizes * plan.dropTurns;
}

} // namespace

// A stand-in host dialog and top-level windows of this process, hidden as
// most of a desktop's are; signals the event once each requested size stands.
int RunFarm(const char *eventName, int count)
{
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!ready)
        return 1;
    CreateFakeHost();
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kFarmClass;
    RegisterClassA(&windowClass);
    HWND park = CreateWindowExA(0, kFarmClass, "farm park", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                NULL, NULL, instance, NULL);
    std::vector<HWND> windows;
    for (int i = 0; i < count; ++i) {
        char title[32];
        std::snprintf(title, sizeof title, "farm window %d", i);
        windows.push_back(CreateWindowExA(0, kFarmClass, title, WS_OVERLAPPEDWINDOW, 10, 10, 200,
                                          100, NULL, NULL, instance, NULL));
    }
    SettleFarm();
    SetEvent(ready);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (message.hwnd == NULL && message.message == kSetFarmSizeMessage) {
            SetFarmSize(windows, park, static_cast<int>(message.wParam));
            SettleFarm();
            SetEvent(ready);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// The sizes take turns within each round, so a change in the machine's load
// reaches all of them alike and the growth from size to size is paired.
// The farm starts at the largest size.
// Once per run of the program, at its first Drop: not at start-up, which
// stays at its floor.
void AddCaptionReadRow(int repeats)
{
    std::vector<double> times;
    bool found = true;
    for (int i = 0; i < repeats; ++i) {
        double start = NowUs();
        found = ReadSystemDialogTitle() && found;
        times.push_back(NowUs() - start);
    }
    AddRow("Drop: the first one's extra, comdlg32.dll mapped and the colour dialog's caption read",
           found ? Figure("%.0f us", Median(times)) : "not measured",
           found ? Format("the very first: %.0f us", times[0]) : "");
}

void MeasureDrop(const Plan &plan, HWND picker)
{
    AddCaptionReadRow(20);
    const int kRealHostSize = 1000;
    size_t sizes = plan.farmSizes.size();
    PROCESS_INFORMATION realHost = {};
    HWND realDialog = NULL;
    Farm farm = {};
    SetPickedColor(10, 200, 64);
    bool working = StartHost(&realHost, &realDialog);
    if (!working)
        Fail("the system colour dialog (tanzel_host.exe) did not appear");
    HWND fakeDialog = NULL;
    if (working && StartFarm(&farm, plan.farmSizes.back()))
        fakeDialog = FindWindowOf(farm.info.dwProcessId, kFakeHostClass, HostDialogTitle());
    if (working && !fakeDialog) {
        Fail("the window farm did not start");
        working = false;
    }

    std::vector<DropTimes> fake(sizes);
    DropTimes real = {};
    for (int round = 0; round < plan.dropRounds && working; ++round) {
        // Largest first, then smallest first: each turn moves the fewest windows.
        for (size_t k = 0; k < sizes && working; ++k) {
            size_t s = round % 2 == 0 ? sizes - 1 - k : k;
            working = SetFarmSizeTo(farm, plan.farmSizes[s]);
            if (!working) {
                Fail("the window farm did not reach %d windows", plan.farmSizes[s]);
                break;
            }
            PumpFor(kSettleMs);
            working = TimeDrops(picker, fakeDialog, round, TurnsAt(plan, s), &fake[s]);
        }
    }
    // The system dialog redraws itself after each Drop: it is measured on its
    // own, after the others, so that its work never lands in their figures.
    if (working && SetFarmSizeTo(farm, kRealHostSize)) {
        for (int round = 0; round < plan.dropRounds && working; ++round) {
            PumpFor(kSettleMs);
            working = TimeDrops(picker, realDialog, round, plan.dropTurns, &real);
        }
    }
    for (size_t s = 0; s < sizes; ++s) {
        AddDropRows("stand-in dialog", plan.farmSizes[s], fake[s], plan.farmSizes[s] >= 1000, true);
        if (plan.farmSizes[s] == kRealHostSize)
            AddDropRows("system colour dialog (reference)", kRealHostSize, real, false, false);
    }
    if (sizes >= 3)
        AddGrowthRow(plan.farmSizes[1], plan.farmSizes[2], fake[1], fake[2]);
    EndFarm(&farm);
    if (realDialog)
        PostMessageA(realDialog, WM_CLOSE, 0, 0);
    if (realHost.hProcess && WaitForSingleObject(realHost.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(realHost.hProcess, 1);
    Release(&realHost);
}
