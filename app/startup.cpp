#include "app/startup.h"

#include "app/pick_key.h"
#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/ui_text.h"
#include "picker/color_transfer.h"
#include "res/resource.h"
#include "settings/options_store.h"
#include "settings/palette_file.h"
#include "settings/profile_read.h"
#include "settings/window_position.h"

namespace
{

// Caption, system menu and minimise box: no sizing border, no maximise box.
const DWORD kPickerStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// System colour index 0 (COLOR_SCROLLBAR) plus one.
const INT_PTR kBackgroundBrush = COLOR_SCROLLBAR + 1;
// Held only from the search for a running picker until the window exists. In
// the session's namespace, like the search: other sessions' starts don't count.
const char kStartLockName[] = "Local\\TANZEL start";
// Longer than any start takes; a start that does not end its turn by then
// (hung, or stopped in a debugger) must not keep the next one out for good.
const DWORD kStartLockWaitMs = 5000;

// What the frame and caption add to the client area, from the style alone.
SIZE FrameExtraOfStyle()
{
    RECT outer = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kPickerStyle, FALSE, WS_EX_TOPMOST);
    SIZE extra = {outer.right - outer.left - kClientWidth,
                  outer.bottom - outer.top - kClientHeight};
    return extra;
}

// What the frame and caption add to the client area, as this theme draws them.
SIZE MeasureFrameExtra(HWND window)
{
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SIZE extra;
    extra.cx = (outer.right - outer.left) - (client.right - client.left);
    extra.cy = (outer.bottom - outer.top) - (client.bottom - client.top);
    return extra;
}

} // namespace

void LoadPickerNames(HINSTANCE instance)
{
    LoadStringA(instance, IDS_APP_TITLE, g_picker.windowTitle, kTextBufferSize);
    LoadStringA(instance, IDS_WINDOW_CLASS, g_picker.windowClassName, kTextBufferSize);
}

HANDLE AcquireStartLock()
{
    HANDLE lock = CreateMutexA(NULL, FALSE, kStartLockName);
    if (!lock)
        return NULL;
    DWORD waited = WaitForSingleObject(lock, kStartLockWaitMs);
    // Abandoned: the start before us died mid-way, and the turn is ours.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(lock);
        return NULL;
    }
    return lock;
}

void ReleaseStartLock(HANDLE lock)
{
    if (!lock)
        return;
    ReleaseMutex(lock);
    CloseHandle(lock);
}

bool IsPickerRunning()
{
    return FindWindowA(g_picker.windowClassName, g_picker.windowTitle) != NULL;
}

void RegisterPickerClass(HINSTANCE instance)
{
    // LoadIconA's own call, through the import the dropper needs anyway.
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TANZEL), IMAGE_ICON,
                                               0, 0, LR_SHARED | LR_DEFAULTSIZE));
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = PickerWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(kBackgroundBrush);
    windowClass.lpszClassName = g_picker.windowClassName;
    RegisterClassExA(&windowClass);
}

void LoadPickerOptions()
{
    LoadOptions(&g_picker.options);
    const char *const *titles;
    int count = LoadExtraTitles(&titles);
    SetExtraHostTitles(titles, count);
    OpenPalette();
}

bool CreatePickerWindow(HINSTANCE instance, int showCommand)
{
    g_picker.instance = instance;
    // White until the first pick, as the blank swatch says.
    const ColorSample white = {255, 255, 255};
    g_picker.sample = white;
    BeginProfileSnapshot();
    LoadPickerOptions();
    UseUiLanguage(ChooseUiLanguage(GetACP(), GetUserDefaultUILanguage()));
    // Created topmost at its place and size: each later move is a round trip
    // to the window server that the start would wait for.
    const SIZE client = {kClientWidth, kClientHeight};
    SIZE frameExtra = FrameExtraOfStyle();
    int left;
    int top;
    LoadWindowPosition(frameExtra, client, &left, &top);
    EndProfileSnapshot();
    HWND window = CreateWindowExA(WS_EX_TOPMOST, g_picker.windowClassName, g_picker.windowTitle,
                                  kPickerStyle, left, top, frameExtra.cx + kClientWidth,
                                  frameExtra.cy + kClientHeight, NULL, NULL, instance, NULL);
    if (!window)
        return false;
    g_picker.mainWindow = window;

    // A theme may draw a frame other than the style's: placed again by the real one.
    SIZE drawn = MeasureFrameExtra(window);
    if (drawn.cx != frameExtra.cx || drawn.cy != frameExtra.cy) {
        LoadWindowPosition(drawn, client, &left, &top);
        SetWindowPos(window, HWND_TOPMOST, left, top, drawn.cx + kClientWidth,
                     drawn.cy + kClientHeight, 0);
    }
    g_picker.window.pickKey = RegisterPickKey(window, kPickKeyId, g_picker.options.pickKey);
    g_picker.window.stillKey = RegisterPickKey(window, kStillKeyId, g_picker.options.stillKey);
    ShowWindow(window, showCommand);
    RedrawWindow(window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN); // UpdateWindow
    return true;
}
