// The floor for tanzel's start-up: a bare program that registers a class,
// creates one window of the picker's kind (topmost, captioned, the same
// client size and background) with the platform calls the picker's start
// makes, and paints it once. Built and started like
// tanzel.exe: small, no C runtime start-up.
//
//   tanzel_bare_start --first-start [--warm]
//       exit code: microseconds from its entry to the end of the first paint
//       (--warm: after Wine's one-time set-up)
//   tanzel_bare_start
//       stays, as a program does, until its window is closed
#include <windows.h>

#include "tools/bench/bare_start.h"
#include "tools/bench/picker_facts.h"
#include "tools/bench/wine_warm_up.h"

namespace
{

const DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const DWORD kFailed = 0x7FFFFFFF;

LRESULT CALLBACK BareWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool HasArgument(const char *commandLine, const char *argument)
{
    int length = lstrlenA(argument);
    for (const char *at = commandLine; *at; ++at)
        if (CompareStringA(LOCALE_INVARIANT, 0, at, length, argument, length) == CSTR_EQUAL)
            return true;
    return false;
}

HWND ShowBareWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = BareWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = kBareStartClass;
    RegisterClassA(&windowClass);
    // As the picker does: created topmost at its place (centred) with its
    // exact size in one call, then shown: a round trip to the server and to
    // X that a start must make, and no other.
    RECT frame = {0, 0, kPickerClientWidth, kPickerClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_TOPMOST);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kBareStartClass, kBareStartTitle, kStyle,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL,
                                  NULL, instance, NULL);
    if (!window)
        return NULL;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

UINT TimeFirstStart(bool warm)
{
    if (warm)
        WarmUpWine();
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER painted;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HWND window = ShowBareWindow(GetModuleHandleA(NULL));
    QueryPerformanceCounter(&painted);
    if (!window)
        return kFailed;
    DestroyWindow(window);
    return static_cast<UINT>((painted.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
}

UINT RunUntilClosed()
{
    if (!ShowBareWindow(GetModuleHandleA(NULL)))
        return 1;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

extern "C" void __cdecl BareStartup()
{
    const char *commandLine = GetCommandLineA();
    if (HasArgument(commandLine, "--first-start"))
        ExitProcess(TimeFirstStart(HasArgument(commandLine, "--warm")));
    ExitProcess(RunUntilClosed());
}
