// tanzel's benchmark: the cost of a sample, of Drop, of start-up, and the
// size of the exe, each beside the floor it is measured against in the same
// run. Prints one table (Markdown); the exit code says only whether the
// program worked, never whether a figure met its budget.
//
//   tanzel_bench [--quick]
//
// TANZEL_BENCH_TRACE=1 prints each Drop and walk to standard error.
//
// It starts copies of itself for the parts that must live in another
// process: --farm EVENT COUNT (a host colour dialog and top-level windows of
// another program), and --first-start / --second-start [--warm] (the sequence
// WinMain runs, in a fresh process; --warm first does the set-up Wine does
// lazily on a process's first display call and first window).
#include "app/picker_state.h"
#include "app/startup.h"
#include "picker/color_transfer.h"
#include "picker/dpi_awareness.h"
#include "picker/host_dialog_protocol.h"
#include "picker/screen_sample.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// ---- Settings ----------------------------------------------------------------

struct Plan {
    int sampleRounds;
    int samplesPerBatch;
    std::vector<int> farmSizes;
    int dropRounds; // each size in each round
    int startRounds;
};

Plan MakePlan(bool quick)
{
    if (quick)
        return {5, 40, {100, 1000}, 3, 3};
    return {31, 200, {100, 1000, 5000}, 9, 15};
}

const char *const kHostTitle = kColorSettingsTitle;
const int kHostFieldIds[] = {kRedFieldId, kGreenFieldId, kBlueFieldId};
const ColorSample kDropSample = {10, 200, 64};
const char *const kDropTexts[] = {"10", "200", "64"};

const int kTitleBufferSize = 256;
const UINT kSetFarmSizeMessage = WM_APP + 1;
const char kFarmClass[] = "TanzelBenchFarm";
const char kFakeHostClass[] = "TanzelBenchHost";
const DWORD kChildFailed = 0x7FFFFFFF;
const DWORD kWaitMs = 60000;
const DWORD kAppearMs = 10000;
// Time for other processes to finish what the last step gave them to do.
const DWORD kSettleMs = 150;

// ---- Time --------------------------------------------------------------------

double g_ticksPerMicrosecond = 0;

double NowUs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMicrosecond;
}

void StartClock()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMicrosecond = static_cast<double>(frequency.QuadPart) / 1e6;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        Pump();
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

// ---- The table ---------------------------------------------------------------

struct Row {
    std::string what;
    std::string figure;
    std::string reference;
    std::string ratio;
    std::string budget;
    int verdict; // -1: no budget, 0: missed, 1: met
};

std::vector<Row> g_rows;
bool g_broken = false;

std::string Format(const char *format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

void AddRow(const std::string &what, const std::string &figure, const std::string &reference = "",
            const std::string &ratio = "", const std::string &budget = "", int verdict = -1)
{
    g_rows.push_back({what, figure, reference, ratio, budget, verdict});
}

void Fail(const char *format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, "bench: %s\n", text);
    g_broken = true;
}

void PrintTable(bool judge)
{
    std::printf("| what | figure | floor / reference | ratio | budget |%s\n",
                judge ? " met |" : "");
    std::printf("|---|---:|---|---:|---|%s\n", judge ? "---|" : "");
    for (const Row &row : g_rows) {
        std::printf("| %s | %s | %s | %s | %s |", row.what.c_str(), row.figure.c_str(),
                    row.reference.c_str(), row.ratio.c_str(), row.budget.c_str());
        if (judge)
            std::printf(" %s |", row.verdict < 0 ? "" : row.verdict ? "yes" : "**no**");
        std::printf("\n");
    }
    std::fflush(stdout);
}

// ---- Child processes ---------------------------------------------------------

std::string SelfPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}

// Children write nothing into the table: their standard handles go nowhere.
bool Launch(const std::string &commandLine, PROCESS_INFORMATION *info)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE nowhere =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nowhere;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    std::string line = commandLine;
    BOOL started = CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, info);
    CloseHandle(nowhere);
    return started != 0;
}

void Release(PROCESS_INFORMATION *info)
{
    if (info->hProcess) {
        if (WaitForSingleObject(info->hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info->hProcess, 1);
        CloseHandle(info->hProcess);
        CloseHandle(info->hThread);
    }
    *info = PROCESS_INFORMATION();
}

// Runs a copy of this bench in a child mode; its exit code, kChildFailed when
// it could not run or did not end.
DWORD RunChild(const char *mode)
{
    PROCESS_INFORMATION info = {};
    if (!Launch("\"" + SelfPath() + "\" " + mode, &info))
        return kChildFailed;
    DWORD code = kChildFailed;
    if (WaitForSingleObject(info.hProcess, kAppearMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    Release(&info);
    return code;
}

// A top-level window of the given process, class and title.
HWND FindWindowOf(DWORD processId, const char *className, const char *title)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, className, title)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return NULL;
}

// ---- Child: the window farm ----------------------------------------------------

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
    HWND dialog =
        CreateWindowExA(0, kFakeHostClass, kHostTitle, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 600,
                        400, 200, 130, NULL, NULL, instance, NULL);
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

// ---- Child: what WinMain runs ------------------------------------------------

// What Wine does once per process, lazily, where Windows has done it before
// WinMain: load the display driver (the first call that needs the display)
// and the libraries of a thread's first window (theme, input method).
void WarmUpWine()
{
    HDC screen = GetDC(NULL);
    ReleaseDC(NULL, screen);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TanzelBenchWarmUp";
    RegisterClassA(&windowClass);
    DestroyWindow(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, NULL,
                                  NULL, windowClass.hInstance, NULL));
}

// The first start, entry of WinMain to the return of CreatePickerWindow, whose
// UpdateWindow completes the first paint. Exit code: microseconds.
DWORD RunFirstStart(bool warm)
{
    if (warm)
        WarmUpWine();
    double start = NowUs();
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    if (IsPickerRunning())
        return kChildFailed;
    RegisterPickerClass(instance);
    PrepareDpiAwareness();
    if (!CreatePickerWindow(instance, SW_SHOWNORMAL))
        return kChildFailed;
    double painted = NowUs();
    DestroyWindow(g_picker.mainWindow);
    return static_cast<DWORD>(painted - start + 0.5);
}

// A second start, entry of WinMain to the return that finds the first.
DWORD RunSecondStart(bool warm)
{
    if (warm)
        WarmUpWine();
    double start = NowUs();
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    bool found = IsPickerRunning();
    double end = NowUs();
    return found ? static_cast<DWORD>(end - start + 0.5) : kChildFailed;
}

// ---- Size --------------------------------------------------------------------

struct PeImage {
    std::vector<unsigned char> bytes;
    const IMAGE_NT_HEADERS32 *headers;
    const IMAGE_SECTION_HEADER *sections;
};

bool ReadPe(const char *path, PeImage *image)
{
    FILE *file = std::fopen(path, "rb");
    if (!file)
        return false;
    unsigned char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        image->bytes.insert(image->bytes.end(), buffer, buffer + got);
    std::fclose(file);
    if (image->bytes.size() < sizeof(IMAGE_DOS_HEADER))
        return false;
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(&image->bytes[0]);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
        dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > image->bytes.size())
        return false;
    image->headers = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(&image->bytes[dos->e_lfanew]);
    if (image->headers->Signature != IMAGE_NT_SIGNATURE ||
        image->headers->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return false;
    image->sections = IMAGE_FIRST_SECTION(image->headers);
    return true;
}

// File offset of a relative virtual address, or 0 outside every section.
size_t OffsetOf(const PeImage &image, DWORD rva)
{
    for (int i = 0; i < image.headers->FileHeader.NumberOfSections; ++i) {
        const IMAGE_SECTION_HEADER &section = image.sections[i];
        DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
            size_t offset = rva - section.VirtualAddress + section.PointerToRawData;
            return offset < image.bytes.size() ? offset : 0;
        }
    }
    return 0;
}

const char *StringAt(const PeImage &image, DWORD rva)
{
    size_t offset = OffsetOf(image, rva);
    return offset ? reinterpret_cast<const char *>(&image.bytes[offset]) : "?";
}

struct ImportedDll {
    std::string name;
    int functions;
};

std::vector<ImportedDll> ImportsOf(const PeImage &image)
{
    std::vector<ImportedDll> dlls;
    const IMAGE_DATA_DIRECTORY &directory =
        image.headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    size_t offset = OffsetOf(image, directory.VirtualAddress);
    if (!offset)
        return dlls;
    for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        if (offset + sizeof(IMAGE_IMPORT_DESCRIPTOR) > image.bytes.size())
            break;
        const IMAGE_IMPORT_DESCRIPTOR *descriptor =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(&image.bytes[offset]);
        if (!descriptor->Name)
            break;
        ImportedDll dll = {StringAt(image, descriptor->Name), 0};
        DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                      : descriptor->FirstThunk;
        for (size_t at = OffsetOf(image, thunks);
             at && at + 4 <= image.bytes.size() &&
             *reinterpret_cast<const DWORD *>(&image.bytes[at]) != 0;
             at += 4)
            ++dll.functions;
        dlls.push_back(dll);
    }
    return dlls;
}

bool HasSection(const PeImage &image, const char *name)
{
    for (int i = 0; i < image.headers->FileHeader.NumberOfSections; ++i)
        if (std::strncmp(reinterpret_cast<const char *>(image.sections[i].Name), name,
                         IMAGE_SIZEOF_SHORT_NAME) == 0)
            return true;
    return false;
}

void MeasureSize()
{
    const size_t kBudgetBytes = 24 * 1024;
    PeImage image = {};
    if (!ReadPe(TANZEL_EXE_PATH, &image)) {
        Fail("cannot read %s as a 32-bit PE file", TANZEL_EXE_PATH);
        return;
    }
    size_t size = image.bytes.size();
    AddRow("size: tanzel.exe, stripped release",
           Format("%u B (%.1f KiB)", unsigned(size), size / 1024.0), "", "", "<= 24 KiB",
           size <= kBudgetBytes);

    const char *const allowed[] = {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "msvcrt.dll"};
    std::string list;
    bool onlyAllowed = true;
    for (const ImportedDll &dll : ImportsOf(image)) {
        bool known = false;
        for (const char *name : allowed)
            known = known || lstrcmpiA(name, dll.name.c_str()) == 0;
        onlyAllowed = onlyAllowed && known;
        list += Format("%s%s (%d)", list.empty() ? "" : ", ", dll.name.c_str(), dll.functions);
    }
    AddRow("size: imports (functions)", list, "", "", "KERNEL32, USER32, GDI32, msvcrt only",
           onlyAllowed);

    WORD flags = image.headers->OptionalHeader.DllCharacteristics;
    bool hardened = (flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) &&
                    (flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) && HasSection(image, ".reloc");
    AddRow("size: DYNAMIC_BASE, NX_COMPAT, .reloc", hardened ? "all three" : "missing", "", "",
           "all three", hardened);
}

// ---- Start-up ----------------------------------------------------------------

void AddChildTime(std::vector<double> *times, const char *mode)
{
    DWORD us = RunChild(mode);
    if (us == kChildFailed)
        Fail("the child %s failed", mode);
    else
        times->push_back(us);
}

bool IsPainted(HWND window)
{
    // The swatch starts white and the client background is the scroll bar
    // colour: both on screen means the first paint reached the display.
    POINT swatch = {kSwatchLeft + kCanvasWidth / 2, kSwatchTop + kCanvasHeight / 2};
    POINT background = {2, 2};
    ClientToScreen(window, &swatch);
    ClientToScreen(window, &background);
    HDC screen = GetDC(NULL);
    COLORREF swatchColor = GetPixel(screen, swatch.x, swatch.y);
    COLORREF backgroundColor = GetPixel(screen, background.x, background.y);
    ReleaseDC(NULL, screen);
    return swatchColor == RGB(255, 255, 255) && backgroundColor == GetSysColor(COLOR_SCROLLBAR);
}

// Launch of the real tanzel.exe until its window is visible and painted on
// screen; milliseconds, or a negative value on failure.
double TimeLaunchToVisible()
{
    PROCESS_INFORMATION info = {};
    double start = NowUs();
    if (!Launch("\"" TANZEL_EXE_PATH "\"", &info))
        return -1;
    double visible = -1;
    HWND window = NULL;
    while (NowUs() - start < kAppearMs * 1000.0) {
        window = FindWindowOf(info.dwProcessId, g_picker.windowClassName, g_picker.windowTitle);
        if (window && IsWindowVisible(window) && IsPainted(window)) {
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
    return code == 0 ? visible : -1;
}

// Launch of tanzel.exe while one runs, until that second process has ended.
double TimeRefusedLaunch()
{
    PROCESS_INFORMATION info = {};
    double start = NowUs();
    if (!Launch("\"" TANZEL_EXE_PATH "\"", &info))
        return -1;
    DWORD code = 1;
    double end = -1;
    if (WaitForSingleObject(info.hProcess, kAppearMs) == WAIT_OBJECT_0) {
        end = NowUs();
        GetExitCodeProcess(info.hProcess, &code);
    }
    Release(&info);
    return code == 0 && end > 0 ? (end - start) / 1000 : -1;
}

std::vector<double> RepeatLaunch(double (*measure)(), int rounds, const char *what)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        double ms = measure();
        if (ms < 0) {
            Fail("%s failed", what);
            break;
        }
        times.push_back(ms);
    }
    return times;
}

// Cold: as the program runs. Warm: after Wine's one-time set-up, which is
// Wine's cost rather than the program's.
void AddStartRows(const char *what, const std::vector<double> &cold,
                  const std::vector<double> &warm, double budgetMs)
{
    double coldMs = Median(cold) / 1000;
    double warmMs = Median(warm) / 1000;
    std::string budget = Format("<= %.0f ms", budgetMs);
    AddRow(Format("start: %s", what), Format("%.2f ms", coldMs),
           Format("of which Wine's one-time set-up %.2f ms", coldMs - warmMs), "", budget,
           coldMs <= budgetMs);
    AddRow(Format("start: %s, after Wine's set-up (the program's own cost)", what),
           Format("%.2f ms", warmMs), "", "", budget, warmMs <= budgetMs);
}

void MeasureFirstStart(const Plan &plan)
{
    std::vector<double> cold;
    std::vector<double> warm;
    for (int i = 0; i < plan.startRounds && !g_broken; ++i) {
        AddChildTime(&cold, "--first-start");
        AddChildTime(&warm, "--first-start --warm");
    }
    std::vector<double> outside =
        RepeatLaunch(TimeLaunchToVisible, plan.startRounds, "tanzel.exe first start");
    AddStartRows("WinMain entry to first completed paint", cold, warm, 50);
    AddRow("start: launch of tanzel.exe to its window painted on screen",
           Format("%.0f ms", Median(outside)), "reference (Wine's process start)");
}

void MeasureSecondStart(const Plan &plan)
{
    std::vector<double> cold;
    std::vector<double> warm;
    for (int i = 0; i < plan.startRounds && !g_broken; ++i) {
        AddChildTime(&cold, "--second-start");
        AddChildTime(&warm, "--second-start --warm");
    }
    std::vector<double> outside =
        RepeatLaunch(TimeRefusedLaunch, plan.startRounds, "tanzel.exe second start");
    AddStartRows("refused second start, WinMain entry to its return", cold, warm, 10);
    AddRow("start: launch of a second tanzel.exe to its exit", Format("%.0f ms", Median(outside)),
           "reference (Wine's process start)");
}

// ---- Per sample --------------------------------------------------------------

const int kDropButtonId = 1;

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

Canvas MakeBareCanvas(HWND window)
{
    HDC windowDC = GetDC(window);
    Canvas canvas = {CreateCompatibleDC(windowDC),
                     CreateCompatibleBitmap(windowDC, kCanvasWidth, kCanvasHeight), NULL};
    canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
    PatBlt(canvas.dc, 0, 0, kCanvasWidth, kCanvasHeight, BLACKNESS);
    ReleaseDC(window, windowDC);
    return canvas;
}

void FreeCanvas(const Canvas &canvas)
{
    SelectObject(canvas.dc, canvas.previous);
    DeleteDC(canvas.dc);
    DeleteObject(canvas.bitmap);
}

POINT PointAt(int index)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    POINT point = {(index * 97) % width, (index * 61) % height};
    return point;
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
    BitBlt(target, kSwatchLeft, kSwatchTop, kCanvasWidth, kCanvasHeight, canvas, 0, 0, SRCCOPY);
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
    BitBlt(target, kSwatchLeft, kSwatchTop, kCanvasWidth, kCanvasHeight, g_plainCanvas, 0, 0,
           SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

HWND CreatePlainWindow(HDC canvas)
{
    g_plainCanvas = canvas;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWndProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = "TanzelBenchPlain";
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&frame, style, FALSE);
    return CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "plain", style, 10, 10,
                           frame.right - frame.left, frame.bottom - frame.top, NULL, NULL,
                           windowClass.hInstance, NULL);
}

enum SampleVariant {
    kBareRead,
    kSample,
    kBareShow,
    kSampleShow,
    kSampleShowButtonHidden,
    kPlainShow,
    kVariantCount
};

volatile COLORREF g_sink;

struct SampleBench {
    HWND picker;
    HWND dropButton;
    HWND plain;
    Canvas canvas;
};

// Microseconds per sample over one batch of points. A sample that is shown
// ends as the message loop does between two moves: with a look at an empty
// queue, which is when Wine puts the window's new pixels on the screen.
double RunSampleBatch(SampleVariant variant, const SampleBench &bench, int first, int count)
{
    if (variant == kSampleShowButtonHidden)
        ShowWindow(bench.dropButton, SW_HIDE);
    Pump();
    double start = NowUs();
    for (int i = first; i < first + count; ++i) {
        POINT point = PointAt(i);
        switch (variant) {
        case kBareRead:
            g_sink = BareRead(point.x, point.y);
            break;
        case kSample:
            SampleScreenColor(bench.picker, point.x, point.y);
            break;
        case kBareShow:
            g_sink = BareRead(point.x, point.y);
            BareCopy(bench.picker, bench.canvas.dc);
            Pump();
            break;
        case kSampleShow:
        case kSampleShowButtonHidden:
            SampleScreenColor(bench.picker, point.x, point.y);
            UpdateWindow(bench.picker);
            Pump();
            break;
        case kPlainShow:
            g_sink = BareRead(point.x, point.y);
            InvalidateRect(bench.plain, NULL, FALSE);
            UpdateWindow(bench.plain);
            Pump();
            break;
        case kVariantCount:
            break;
        }
    }
    double elapsed = NowUs() - start;
    if (variant == kSampleShowButtonHidden)
        ShowWindow(bench.dropButton, SW_SHOW);
    UpdateWindow(bench.picker);
    Pump();
    return elapsed / count;
}

std::string Ratio(double value)
{
    return Format("%.2f", value);
}

void MeasureSamples(const Plan &plan, HWND picker)
{
    SampleBench bench = {picker, GetDlgItem(picker, kDropButtonId), NULL, MakeBareCanvas(picker)};
    bench.plain = CreatePlainWindow(bench.canvas.dc);
    PumpFor(200);
    std::vector<double> times[kVariantCount];
    std::vector<double> sampleRatio;
    std::vector<double> showRatio;
    std::vector<double> plainRatio;
    for (int round = 0; round < plan.sampleRounds; ++round) {
        int first = round * plan.samplesPerBatch;
        double perSample[kVariantCount];
        // A different order each round, so drift favours no variant.
        for (int k = 0; k < kVariantCount; ++k) {
            SampleVariant variant = static_cast<SampleVariant>((k + round) % kVariantCount);
            perSample[variant] = RunSampleBatch(variant, bench, first, plan.samplesPerBatch);
        }
        for (int v = 0; v < kVariantCount; ++v)
            times[v].push_back(perSample[v]);
        sampleRatio.push_back(perSample[kSample] / perSample[kBareRead]);
        showRatio.push_back(perSample[kSampleShow] / perSample[kBareShow]);
        plainRatio.push_back(perSample[kPlainShow] / perSample[kBareShow]);
    }
    DestroyWindow(bench.plain);
    FreeCanvas(bench.canvas);

    double bare = Median(times[kBareRead]);
    double floorShow = Median(times[kBareShow]);
    double sampleRatioMedian = Median(sampleRatio);
    double showRatioMedian = Median(showRatio);
    AddRow("sample: bare read (GetDC, GetPixel, ReleaseDC)", Format("%.1f us", bare),
           "floor for sampling");
    AddRow("sample: SampleScreenColor", Format("%.1f us", Median(times[kSample])),
           Format("bare read %.1f us", bare), Ratio(sampleRatioMedian), "<= 2",
           sampleRatioMedian <= 2);
    AddRow("sample: bare read + bare BitBlt 122x42 to the window, shown",
           Format("%.1f us", floorShow), "floor for showing a sample");
    AddRow("sample: SampleScreenColor + UpdateWindow (WM_PAINT), shown",
           Format("%.1f us", Median(times[kSampleShow])), Format("floor %.1f us", floorShow),
           Ratio(showRatioMedian), "<= 1.3", showRatioMedian <= 1.3);
    AddRow(
        "sample: of which the Drop button repainting",
        Format("%.1f us", Median(times[kSampleShow]) - Median(times[kSampleShowButtonHidden])),
        Format("the same with the button hidden %.1f us", Median(times[kSampleShowButtonHidden])));
    AddRow("sample: bare read + WM_PAINT of a window with no program code, shown",
           Format("%.1f us", Median(times[kPlainShow])),
           Format("floor %.1f us (the platform's repaint cycle)", floorShow),
           Ratio(Median(plainRatio)));
}

// ---- Drop --------------------------------------------------------------------

// The walk SendColorToDialog makes, reading every title and nothing else.
int BareWalk(HWND pickerWindow)
{
    int count = 0;
    for (HWND window = GetWindow(pickerWindow, GW_HWNDFIRST); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
        char title[kTitleBufferSize] = {};
        GetWindowTextA(window, title, kTitleBufferSize);
        ++count;
    }
    return count;
}

HWND LastInWalk(HWND pickerWindow)
{
    HWND last = NULL;
    for (HWND window = GetWindow(pickerWindow, GW_HWNDFIRST); window;
         window = GetWindow(window, GW_HWNDNEXT))
        last = window;
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

bool WaitForFarm(const Farm &farm)
{
    HANDLE waits[] = {farm.ready, farm.info.hProcess};
    return WaitForMultipleObjects(2, waits, FALSE, kWaitMs) == WAIT_OBJECT_0;
}

bool StartFarm(Farm *farm, int count)
{
    std::string eventName = Format("TanzelBenchFarm%lu", GetCurrentProcessId());
    farm->ready = CreateEventA(NULL, FALSE, FALSE, eventName.c_str());
    return Launch(Format("\"%s\" --farm %s %d", SelfPath().c_str(), eventName.c_str(), count),
                  &farm->info) &&
           WaitForFarm(*farm);
}

bool SetFarmSizeTo(const Farm &farm, int count)
{
    return PostThreadMessageA(farm.info.dwThreadId, kSetFarmSizeMessage, count, 0) &&
           WaitForFarm(farm);
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
    while (!(*dialog = FindWindowOf(info->dwProcessId, NULL, kHostTitle))) {
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
    if (LastInWalk(picker) != dialog) {
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
            SendColorToDialog(picker);
            dropUs += NowUs() - start;
            PumpFor(kHostRedrawMs);
        } else {
            times->windows = BareWalk(picker);
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

void AddDropRow(const char *what, int size, const DropTimes &t, bool judged)
{
    double dropMs = Median(t.dropMs);
    double walkMs = Median(t.walkMs);
    double ratio = Median(t.ratio);
    AddRow(
        Format("drop: %s, %d windows of another process (%d in the walk)", what, size, t.windows),
        Format("%.2f ms (%.1f us/window)", dropMs, dropMs * 1000 / t.windows),
        Format("bare walk %.2f ms (%.1f us/window)", walkMs, walkMs * 1000 / t.windows),
        Ratio(ratio), judged ? "<= 1.2" : "", judged ? ratio <= 1.2 : -1);
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
    g_picker.sample = kDropSample;
    if (!StartHost(&realHost, &realDialog))
        Fail("the system colour dialog (tanzel_host.exe) did not appear");
    HWND fakeDialog = NULL;
    if (!g_broken && StartFarm(&farm, plan.farmSizes.back()))
        fakeDialog = FindWindowOf(farm.info.dwProcessId, kFakeHostClass, kHostTitle);
    if (!g_broken && !fakeDialog)
        Fail("the window farm did not start");

    std::vector<DropTimes> fake(sizes);
    DropTimes real = {};
    std::vector<double> growth;
    for (int round = 0; round < plan.dropRounds && !g_broken; ++round) {
        // Largest first, then smallest first: each turn moves the fewest windows.
        for (size_t k = 0; k < sizes && !g_broken; ++k) {
            size_t s = round % 2 == 0 ? sizes - 1 - k : k;
            if (!SetFarmSizeTo(farm, plan.farmSizes[s])) {
                Fail("the window farm did not reach %d windows", plan.farmSizes[s]);
                break;
            }
            PumpFor(kSettleMs);
            int repeats = plan.farmSizes.back() / plan.farmSizes[s];
            if (!TimeDropAndWalk(picker, fakeDialog, round, repeats, &fake[s]))
                break;
        }
        if (!g_broken && sizes >= 3)
            growth.push_back(fake[2].dropMs.back() / fake[1].dropMs.back());
    }
    // The system dialog redraws itself after each Drop: it is measured on its
    // own, after the others, so that its work never lands in their figures.
    if (!g_broken && SetFarmSizeTo(farm, kRealHostSize)) {
        for (int round = 0; round < plan.dropRounds && !g_broken; ++round) {
            PumpFor(kSettleMs);
            TimeDropAndWalk(picker, realDialog, round, plan.farmSizes.back() / kRealHostSize,
                            &real);
        }
    }
    for (size_t s = 0; s < sizes && !g_broken; ++s) {
        AddDropRow("stand-in dialog", plan.farmSizes[s], fake[s], plan.farmSizes[s] >= 1000);
        if (plan.farmSizes[s] == kRealHostSize)
            AddDropRow("system colour dialog (reference)", kRealHostSize, real, false);
    }
    if (!g_broken && sizes >= 3) {
        double growthMedian = Median(growth);
        AddRow(Format("drop: growth from %d to %d windows", plan.farmSizes[1], plan.farmSizes[2]),
               Format("%.2f x", growthMedian),
               Format("bare walk %.2f x", Median(fake[2].walkMs) / Median(fake[1].walkMs)), "",
               "4.5 to 5.5 x", growthMedian >= 4.5 && growthMedian <= 5.5);
    }
    EndFarm(&farm);
    if (realDialog)
        PostMessageA(realDialog, WM_CLOSE, 0, 0);
    if (realHost.hProcess && WaitForSingleObject(realHost.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(realHost.hProcess, 1);
    Release(&realHost);
}

// ---- The run -----------------------------------------------------------------

HWND CreateBenchPicker()
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    RegisterPickerClass(instance);
    PrepareDpiAwareness();
    if (!CreatePickerWindow(instance, SW_SHOWNORMAL))
        return NULL;
    PumpFor(300);
    return g_picker.mainWindow;
}

int RunBench(bool quick)
{
    Plan plan = MakePlan(quick);
    LoadPickerNames(GetModuleHandleA(NULL));
    if (IsPickerRunning()) {
        std::fprintf(stderr, "bench: a tanzel is already running on this desktop\n");
        return 1;
    }

    MeasureSize();
    MeasureFirstStart(plan);
    HWND picker = g_broken ? NULL : CreateBenchPicker();
    if (picker) {
        MeasureSecondStart(plan);
        MeasureSamples(plan, picker);
        MeasureDrop(plan, picker);
        DestroyWindow(picker);
    } else if (!g_broken) {
        Fail("the picker window could not be created");
    }
    std::printf("Medians of: %d rounds of %d samples per variant; %d rounds of Drop at each "
                "size; %d starts of each kind.\n\n",
                plan.sampleRounds, plan.samplesPerBatch, plan.dropRounds, plan.startRounds);
    PrintTable(!quick);
    return g_broken ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    StartClock();
    if (argc == 4 && std::strcmp(argv[1], "--farm") == 0)
        return RunFarm(argv[2], std::atoi(argv[3]));
    bool warm = argc == 3 && std::strcmp(argv[2], "--warm") == 0;
    if ((argc == 2 || warm) && std::strcmp(argv[1], "--first-start") == 0)
        return static_cast<int>(RunFirstStart(warm));
    if ((argc == 2 || warm) && std::strcmp(argv[1], "--second-start") == 0)
        return static_cast<int>(RunSecondStart(warm));
    if (argc == 1 || (argc == 2 && std::strcmp(argv[1], "--quick") == 0))
        return RunBench(argc == 2);
    std::fprintf(stderr, "usage: tanzel_bench [--quick]\n");
    return 2;
}
