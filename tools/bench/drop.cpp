// Drop: SendColorToDialog with the host dialog at the bottom of the z-order
// and hundreds to thousands of top-level windows of another process (a copy
// of this bench run as a "window farm"), beside the bare walk over the same
// windows. The sizes take turns in every round and are timed over about the
// same span, so bursts of load from elsewhere weigh on each alike.
#include "tools/bench/bench.h"
#include "tools/bench/children.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/table.h"
#include "tools/bench/timing.h"

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
const double kGrowthLow = 4.5;
const double kGrowthHigh = 5.5;

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

struct DropTimes {
    int windows; // in the walk
    std::vector<double> dropMs;
    std::vector<double> walkMs;
    std::vector<double> ratio;
};

// Drops into the dialog at the bottom of the z-order and bare walks, taking
// turns, repeated so that every size is timed over about the same span: a
// burst of load from elsewhere then weighs on each size alike. After each
// Drop the host's own redraw is let finish, untimed.
bool TimeDropAndWalk(HWND picker, HWND dialog, int round, int repeats, DropTimes *times)
{
    const DWORD kHostRedrawMs = 20;
    SetWindowPos(dialog, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (LastInWalk() != dialog) {
        Fail("the host dialog is not the last window of the walk");
        return false;
    }
    if (!ClearFields(dialog)) {
        Fail("the host's fields do not take text");
        return false;
    }
    double dropUs = 0;
    double walkUs = 0;
    for (int k = 0; k < 2 * repeats; ++k) {
        Pump();
        double start = NowUs();
        if ((k + round) % 2 == 0) {
            DropColor(picker);
            dropUs += NowUs() - start;
            PumpFor(kHostRedrawMs);
        } else {
            times->windows = BareWalk();
            walkUs += NowUs() - start;
        }
    }
    if (!FieldsHoldDrop(dialog)) {
        Fail("Drop did not reach the host at the bottom of the z-order");
        return false;
    }
    dropUs /= repeats;
    walkUs /= repeats;
    if (std::getenv("TANZEL_BENCH_TRACE"))
        std::fprintf(stderr, "trace: %d windows, %d repeats: drop %.2f walk %.2f\n", times->windows,
                     repeats, dropUs / 1000, walkUs / 1000);
    times->dropMs.push_back(dropUs / 1000);
    times->walkMs.push_back(walkUs / 1000);
    times->ratio.push_back(dropUs / walkUs);
    return true;
}

std::string PerWindow(double ms, int windows)
{
    return std::isnan(ms) || windows == 0 ? "" : Format(" (%.1f us/window)", ms * 1000 / windows);
}

void AddDropRow(const char *what, int size, const DropTimes &t, bool judged)
{
    double dropMs = Median(t.dropMs);
    double walkMs = Median(t.walkMs);
    double ratio = Median(t.ratio);
    std::string walk = t.windows ? Format(" (%d in the walk)", t.windows) : "";
    AddRow(Format("drop: %s, %d windows of another process%s", what, size, walk.c_str()),
           Figure("%.2f ms", dropMs) + PerWindow(dropMs, t.windows),
           "bare walk " + Figure("%.2f ms", walkMs) + PerWindow(walkMs, t.windows), Ratio(ratio),
           judged ? Format("<= %.1f", kDropBudget) : "",
           judged ? AtMost(ratio, kDropBudget) : kNoBudget);
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
void MeasureDrop(const Plan &plan, HWND picker)
{
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
    std::vector<double> growth;
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
            int repeats = plan.farmSizes.back() / plan.farmSizes[s];
            working = TimeDropAndWalk(picker, fakeDialog, round, repeats, &fake[s]);
        }
        if (working && sizes >= 3)
            growth.push_back(fake[2].dropMs.back() / fake[1].dropMs.back());
    }
    // The system dialog redraws itself after each Drop: it is measured on its
    // own, after the others, so that its work never lands in their figures.
    if (working && SetFarmSizeTo(farm, kRealHostSize)) {
        for (int round = 0; round < plan.dropRounds && working; ++round) {
            PumpFor(kSettleMs);
            working = TimeDropAndWalk(picker, realDialog, round,
                                      plan.farmSizes.back() / kRealHostSize, &real);
        }
    }
    for (size_t s = 0; s < sizes; ++s) {
        AddDropRow("stand-in dialog", plan.farmSizes[s], fake[s], plan.farmSizes[s] >= 1000);
        if (plan.farmSizes[s] == kRealHostSize)
            AddDropRow("system colour dialog (reference)", kRealHostSize, real, false);
    }
    if (sizes >= 3) {
        double growthMedian = Median(growth);
        AddRow(Format("drop: growth from %d to %d windows", plan.farmSizes[1], plan.farmSizes[2]),
               Figure("%.2f x", growthMedian),
               "bare walk " + Figure("%.2f x", Median(fake[2].walkMs) / Median(fake[1].walkMs)), "",
               Format("%.1f to %.1f x", kGrowthLow, kGrowthHigh),
               Within(growthMedian, kGrowthLow, kGrowthHigh));
    }
    EndFarm(&farm);
    if (realDialog)
        PostMessageA(realDialog, WM_CLOSE, 0, 0);
    if (realHost.hProcess && WaitForSingleObject(realHost.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(realHost.hProcess, 1);
    Release(&realHost);
}
