#include "support/driver.h"

#include "support/patch/patch_message.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace
{

std::string Quote(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string UniqueMarkerPath()
{
    static int counter = 0;
    char name[128];
    std::snprintf(name, sizeof name, "/tmp/tanzel-driver.%lu.%d", GetCurrentProcessId(), ++counter);
    return name;
}

std::string WindowsPathOf(const std::string &unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

// ---- The program under test ----------------------------------------------

std::vector<HWND> FindPickerWindows()
{
    std::vector<HWND> found;
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, "TANZEL", "tanzel")) != NULL)
        found.push_back(window);
    return found;
}

static HWND FindPickerOf(DWORD processId)
{
    for (HWND window : FindPickerWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return NULL;
}

bool StartTanzel(TanzelProcess *process, const char *workingDirectory, DWORD timeoutMs)
{
    ZeroMemory(process, sizeof *process);
    if (!StartWindowsProgram("\"" TANZEL_EXE_PATH "\"", workingDirectory, &process->info))
        return false;
    WaitUntil([&] { return (process->window = FindPickerOf(process->info.dwProcessId)) != NULL; },
              timeoutMs);
    // Let it finish its first paint before anyone looks at it.
    WaitForInputIdle(process->info.hProcess, timeoutMs);
    PumpFor(100);
    return process->window != NULL;
}

int RunAndWait(const char *commandLine, DWORD timeoutMs, const char *workingDirectory)
{
    PROCESS_INFORMATION info;
    if (!StartWindowsProgram(commandLine, workingDirectory, &info))
        return -1;
    CloseHandle(info.hThread);
    bool ended = WaitUntil([&] { return WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0; },
                           timeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    if (ended)
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    return ended ? static_cast<int>(code) : -1;
}

int CloseTanzel(TanzelProcess *process, DWORD timeoutMs)
{
    if (!process->info.hProcess)
        return -1;
    if (process->window)
        PostMessageA(process->window, WM_CLOSE, 0, 0);
    bool ended = WaitUntil(
        [&] { return WaitForSingleObject(process->info.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    if (ended) {
        GetExitCodeProcess(process->info.hProcess, &code);
    } else {
        TerminateProcess(process->info.hProcess, 1);
        WaitForSingleObject(process->info.hProcess, 5000);
    }
    CloseHandle(process->info.hProcess);
    CloseHandle(process->info.hThread);
    ZeroMemory(process, sizeof *process);
    return ended ? static_cast<int>(code) : -1;
}

// Programs this process started; the job ends them with this process too.
static std::vector<HANDLE> g_startedPrograms;
static HANDLE g_startedJob = NULL;

static void AddToJob(HANDLE process)
{
    if (!g_startedJob) {
        g_startedJob = CreateJobObjectA(NULL, NULL);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(g_startedJob, JobObjectExtendedLimitInformation, &limits,
                                sizeof limits);
    }
    AssignProcessToJobObject(g_startedJob, process);
}

bool StartWindowsProgram(const std::string &commandLine, const char *workingDirectory,
                         PROCESS_INFORMATION *info, DWORD creationFlags)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = commandLine;
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, creationFlags, NULL, workingDirectory,
                        &startup, info))
        return false;
    AddToJob(info->hProcess);
    HANDLE own = NULL;
    if (DuplicateHandle(GetCurrentProcess(), info->hProcess, GetCurrentProcess(), &own, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
        g_startedPrograms.push_back(own);
    return true;
}

void EndStartedPrograms()
{
    for (HANDLE process : g_startedPrograms) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    g_startedPrograms.clear();
}

// ---- Waiting ---------------------------------------------------------------

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

// ---- Real input --------------------------------------------------------------

// Wine starts Unix programs but gives no handle to wait on, so the command
// leaves its exit status in a marker file that is polled from here.
int RunUnixShell(const std::string &command, DWORD timeoutMs)
{
    std::string marker = UniqueMarkerPath();
    std::string script = "(" + command + ") >/dev/null 2>&1; echo $? > " + marker + ".tmp; mv " +
                         marker + ".tmp " + marker;
    std::string commandLine = "/bin/sh -c " + Quote(script);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return -1;
    // For a Unix program Wine fills in no usable handles, at times values
    // that name other handles of this process: none of them is closed.

    std::string markerPath = WindowsPathOf(marker);
    if (!WaitUntil(
            [&] { return GetFileAttributesA(markerPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
            timeoutMs))
        return -1;
    int status = -1;
    if (FILE *file = std::fopen(markerPath.c_str(), "r")) {
        if (std::fscanf(file, "%d", &status) != 1)
            status = -1;
        std::fclose(file);
    }
    DeleteFileA(markerPath.c_str());
    return status;
}

static void Xdotool(const std::string &arguments)
{
    RunUnixShell("xdotool " + arguments);
    // Let Wine turn the X events into messages before the next step.
    PumpFor(60);
}

void MouseMoveTo(int x, int y)
{
    Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
}

static bool g_buttonHeld = false;

void MouseDown()
{
    Xdotool("mousedown 1");
    g_buttonHeld = true;
}

void MouseUp()
{
    Xdotool("mouseup 1");
    g_buttonHeld = false;
}

void ReleaseMouseIfHeld()
{
    if (g_buttonHeld)
        MouseUp();
}

void DragMouse(POINT from, POINT to, int steps)
{
    MouseMoveTo(from.x, from.y);
    MouseDown();
    for (int step = 1; step <= steps; ++step) {
        int x = from.x + (to.x - from.x) * step / steps;
        int y = from.y + (to.y - from.y) * step / steps;
        MouseMoveTo(x, y);
    }
    MouseUp();
}

void ClickAt(int x, int y)
{
    MouseMoveTo(x, y);
    Xdotool("click 1");
}

void RightClickAt(int x, int y)
{
    MouseMoveTo(x, y);
    Xdotool("click 3");
}

void PressKey(const char *keyName)
{
    Xdotool(std::string("key ") + keyName);
}

void FocusWineDesktop()
{
    RunUnixShell("xdotool search --name 'Wine desktop' windowfocus --sync");
    PumpFor(100);
}

// ---- Screen ----------------------------------------------------------------

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF value = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return value;
}

POINT ClientPointOnScreen(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

std::vector<COLORREF> ReadScreenRect(int left, int top, int width, int height)
{
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const DWORD *rows = static_cast<const DWORD *>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        DWORD bgra = rows[i];
        pixels[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

bool SaveScreenshot(const std::string &unixPath)
{
    return RunUnixShell("import -window root " + unixPath) == 0;
}

// ---- Patches of known colours -----------------------------------------------

// Each patch is a process of its own (tanzel_patch.exe): under Wine, once the
// picker had been restarted after a drag, new windows of the test process at
// times never appeared on the display, while new processes' windows did.
namespace
{

struct PatchProcess {
    HWND window;
    HANDLE process;
};

std::vector<PatchProcess> g_patches;

std::string RectArguments(const RECT &rect, COLORREF color)
{
    char text[96];
    std::snprintf(text, sizeof text, " %ld %ld %ld %ld 0x%06lx", rect.left, rect.top, rect.right,
                  rect.bottom, static_cast<unsigned long>(color));
    return text;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindowOfProcess(HWND window, LPARAM parameter)
{
    WindowSearch *search = reinterpret_cast<WindowSearch *>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND FindWindowOfProcess(DWORD processId)
{
    WindowSearch search = {processId, NULL};
    EnumWindows(MatchWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND StartPatchProgram(const std::string &commandLine)
{
    PROCESS_INFORMATION info;
    if (!StartWindowsProgram(commandLine, NULL, &info))
        return NULL;
    CloseHandle(info.hThread);
    HWND window = NULL;
    WaitUntil([&] { return (window = FindWindowOfProcess(info.dwProcessId)) != NULL; }, 10000);
    if (!window) {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        return NULL;
    }
    g_patches.push_back({window, info.hProcess});
    return window;
}

HWND ShowColorPatch(RECT screenRect, COLORREF color, const std::vector<ColorBand> &bands)
{
    std::string command = "\"" TANZEL_PATCH_PATH "\"" + RectArguments(screenRect, color);
    for (const ColorBand &band : bands)
        command += RectArguments(band.rect, band.color);
    HWND window = StartPatchProgram(command);

    // The patch counts as shown once its colour really is on the screen.
    POINT probe = {screenRect.left + 1, screenRect.top + 1};
    for (const ColorBand &band : bands)
        if (band.rect.left <= 1 && band.rect.top <= 1 && band.rect.right > 1 &&
            band.rect.bottom > 1)
            probe = {screenRect.right - 2, screenRect.bottom - 2};
    if (window && !WaitUntil([&] { return ScreenPixel(probe.x, probe.y) == color; }, 10000)) {
        ClosePatch(window);
        return NULL;
    }
    return window;
}

bool RepaintPatch(HWND patch, COLORREF color)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(patch, kRepaintPatch, color, 0, SMTO_NORMAL, 5000, &result) != 0;
}

void ClosePatch(HWND patch)
{
    for (size_t i = 0; i < g_patches.size(); ++i) {
        if (g_patches[i].window != patch)
            continue;
        HANDLE process = g_patches[i].process;
        PostMessageA(patch, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
        g_patches.erase(g_patches.begin() + i);
        return;
    }
}

// ---- Rendering the expected swatch independently ---------------------------

static int Distance(int reference, int component)
{
    return std::abs(reference - component);
}

std::vector<COLORREF> RenderExpectedSwatch(int red, int green, int blue)
{
    const int width = 122;
    const int height = 42;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);

    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(RGB(red, green, blue));
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SetTextColor(memory, RGB(Distance(127, red), Distance(255, green), Distance(64, blue)));
    SetBkMode(memory, TRANSPARENT);
    char line[64];
    int length = std::snprintf(line, sizeof line, "%3d  %3d  %3d", red, green, blue);
    TextOutA(memory, 13, 3, line, length);
    length = std::snprintf(line, sizeof line, " %2x   %2x   %2x", red, green, blue);
    TextOutA(memory, 13, 20, line, length);

    std::vector<COLORREF> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

std::vector<COLORREF> ReadSwatch(HWND picker)
{
    POINT origin = ClientPointOnScreen(picker, 6, 6);
    return ReadScreenRect(origin.x, origin.y, 122, 42);
}

std::string MakeFreshDirectory(const std::string &name)
{
    static int counter = 0;
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string path = std::string(current) + "\\" + name + "_" + std::to_string(++counter);
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), NULL)) << path;
    return path;
}

std::string IniPathIn(const std::string &directory)
{
    return directory + "\\tanzel.ini";
}

void WriteBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written);
}

bool ReadBytes(const std::string &path, std::string *bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got > 0)
        bytes->append(chunk, got);
    CloseHandle(file);
    return true;
}

std::string IniValueIn(const std::string &path, const std::string &key)
{
    std::string ini;
    if (!ReadBytes(path, &ini))
        return "(no file)";
    size_t start = ("\n" + ini).find("\n" + key + "=");
    if (start == std::string::npos)
        return "(none)";
    start += key.size() + 1;
    return ini.substr(start, ini.find_first_of("\r\n", start) - start);
}

POINT PointerPosition()
{
    POINT pointer = {};
    GetCursorPos(&pointer);
    return pointer;
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}
