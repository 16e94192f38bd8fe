#include "picker/still.h"

#include "picker/dpi_awareness.h"
#include "picker/screen_sample.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace
{

const char kStillClassName[] = "TANZEL_STILL";
const DWORD kStillExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

struct StillState {
    HWND window;
    HDC copy;
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    bool classRegistered;
};

StillState g_still;

// Only what needs it: the loupe uncovers a little at each move.
void PaintStill(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    const RECT &area = paint.rcPaint;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
           g_still.copy, area.left, area.top, SRCCOPY);
    EndPaint(window, &paint);
}

LRESULT CALLBACK StillWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PaintStill(window);
    return 0;
}

// CAPTUREBLT: layered windows, such as a fading notification, are copied too.
bool CopyScreen(const RECT &screen, int width, int height)
{
    HDC source = GetDC(NULL);
    g_still.bitmap = CreateCompatibleBitmap(source, width, height);
    g_still.copy = CreateCompatibleDC(source);
    g_still.previousBitmap = SelectObject(g_still.copy, g_still.bitmap);
    bool copied = BitBlt(g_still.copy, 0, 0, width, height, source, screen.left, screen.top,
                         SRCCOPY | CAPTUREBLT);
    ReleaseDC(NULL, source);
    return copied && g_still.bitmap;
}

void RegisterStillClass(HINSTANCE instance)
{
    if (g_still.classRegistered)
        return;
    WNDCLASSEXA stillClass = {};
    stillClass.cbSize = sizeof(stillClass);
    stillClass.lpfnWndProc = StillWndProc;
    stillClass.hInstance = instance;
    stillClass.lpszClassName = kStillClassName;
    g_still.classRegistered = RegisterClassExA(&stillClass) != 0;
}

// Below the picker, whose window and loupe stay above it. The picker is
// raised while the still is hidden: it is never covered, so it has nothing to
// repaint, and a window system that stacks each window it shows on top (as
// Wine's X11 driver does) still finds it above.
bool CreateStillWindow(HWND pickerWindow, const RECT &screen, int width, int height)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    RegisterStillClass(instance);
    HWND window = CreateWindowExA(kStillExStyle, kStillClassName, NULL, WS_POPUP, screen.left,
                                  screen.top, width, height, NULL, NULL, instance, NULL);
    g_still.window = window;
    // The picker takes the loupe it owns along.
    SetWindowPos(pickerWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    RedrawWindow(window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN); // UpdateWindow
    return window != NULL;
}

} // namespace

bool ShowStill(HWND pickerWindow)
{
    // In physical pixels, as the screen is read: one pixel of the still is
    // one pixel of the screen on scaled displays too.
    HANDLE previousContext = EnterPhysicalPixels();
    RECT screen = VirtualScreen();
    int width = screen.right - screen.left;
    int height = screen.bottom - screen.top;
    bool shown =
        CopyScreen(screen, width, height) && CreateStillWindow(pickerWindow, screen, width, height);
    LeavePhysicalPixels(previousContext);
    if (!shown) {
        EndStill();
        return false;
    }
    POINT origin = {screen.left, screen.top};
    ReadFromCopy(g_still.copy, origin);
    return true;
}

void EndStill()
{
    POINT screenOrigin = {0, 0};
    ReadFromCopy(NULL, screenOrigin);
    DestroyWindow(g_still.window);
    SelectObject(g_still.copy, g_still.previousBitmap);
    DeleteDC(g_still.copy);
    DeleteObject(g_still.bitmap);
    g_still.window = NULL;
    g_still.copy = NULL;
}

bool IsStillShown()
{
    return g_still.window != NULL;
}
