#include "app/picker_window.h"

#include "app/picker_state.h"
#include "picker/color_copy.h"
#include "picker/color_transfer.h"
#include "picker/dpi_awareness.h"
#include "picker/screen_sample.h"
#include "res/resource.h"
#include "settings/window_position.h"

namespace
{

const int kButtonWidth = 80;
const int kButtonHeight = 28;
const int kDropButtonX = 27;
const int kDropButtonY = 54;
const int kDropButtonId = 1;
// Off the client area: it only takes the focus away from Drop.
const int kFocusSinkX = -999;
const int kFocusSinkY = -999;
const int kFocusSinkId = 0;
const int kCursorSize = 32;
// Pixels the pointer moves per arrow key press during a drag, without and with Shift.
const int kNudgeStep = 1;
const int kShiftNudgeStep = 10;
// For a moment after a nudge, Wine reports positions from before or during
// the move (and sends moves with them); until it settles, the pointer is
// where the nudge sent it.
const DWORD kNudgeSettleMs = 300;

HCURSOR ArrowCursor()
{
    return LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
}

// The pointer is read with GetCursorPos, never from lParam, so a captured
// drag samples in screen coordinates wherever the pointer is.
POINT ReadPointerPosition()
{
    HANDLE previousContext = EnterPhysicalPixels();
    POINT pointer;
    GetCursorPos(&pointer);
    LeavePhysicalPixels(previousContext);
    if (g_picker.nudged && GetTickCount() - g_picker.nudgeTime < kNudgeSettleMs)
        return g_picker.nudgeTarget;
    return pointer;
}

void SampleUnderPointer(HWND window)
{
    POINT pointer = ReadPointerPosition();
    SampleScreenColor(window, pointer.x, pointer.y);
}

void CreateSwatchCanvas(HWND window)
{
    HDC windowDC = GetDC(window);
    g_picker.canvasBitmap = CreateCompatibleBitmap(windowDC, kCanvasWidth, kCanvasHeight);
    g_picker.canvasDC = CreateCompatibleDC(windowDC);
    g_picker.canvasPreviousBitmap = SelectObject(g_picker.canvasDC, g_picker.canvasBitmap);
    PatBlt(g_picker.canvasDC, 0, 0, kCanvasWidth, kCanvasHeight, WHITENESS);
    ReleaseDC(window, windowDC);
}

void DeleteSwatchCanvas()
{
    SelectObject(g_picker.canvasDC, g_picker.canvasPreviousBitmap);
    DeleteDC(g_picker.canvasDC);
    DeleteObject(g_picker.canvasBitmap);
    g_picker.canvasDC = NULL;
    g_picker.canvasBitmap = NULL;
}

void PaintSwatch(HDC target)
{
    BitBlt(target, kSwatchLeft, kSwatchTop, kCanvasWidth, kCanvasHeight, g_picker.canvasDC, 0, 0,
           SRCCOPY);
}

void ForgetNudge()
{
    g_picker.nudged = 0;
}

void EndDrag()
{
    SetCursor(ArrowCursor());
    g_picker.dragging = 0;
    ForgetNudge();
}

// The physical button that acts as the left one: swapped buttons swap them.
bool IsLeftButtonDown()
{
    int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return GetAsyncKeyState(button) < 0;
}

// After SetCursorPos, Wine can give the release, and every move until the
// pointer is back over the picker, to other windows: a drag whose button is
// up ends at the next message that does arrive, keeping the last sample.
// A message queued before the release still has the button in its keys.
bool EndDragIfButtonReleased(WPARAM messageKeys)
{
    if (!g_picker.dragging || (messageKeys & MK_LBUTTON) || IsLeftButtonDown())
        return false;
    ReleaseCapture();
    EndDrag();
    return true;
}

bool IsKeyHeld(int virtualKey)
{
    return GetKeyState(virtualKey) < 0;
}

bool BelongsToPicker(HWND window)
{
    return g_picker.mainWindow &&
           (window == g_picker.mainWindow || IsChild(g_picker.mainWindow, window));
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

// Moves the pointer and samples at the place it was sent to.
void NudgePointer(HWND window, int dx, int dy)
{
    POINT from = ReadPointerPosition();
    HANDLE previousContext = EnterPhysicalPixels();
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    POINT to;
    to.x = Clamp(from.x + dx, left, left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    to.y = Clamp(from.y + dy, top, top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    // Wine skips a move to where it wrongly believes the pointer already is;
    // setting the true start first keeps the real move from being lost.
    SetCursorPos(from.x, from.y);
    SetCursorPos(to.x, to.y);
    LeavePhysicalPixels(previousContext);
    g_picker.nudged = 1;
    g_picker.nudgeTarget = to;
    g_picker.nudgeTime = GetTickCount();
    SampleScreenColor(window, to.x, to.y);
}

// An arrow key's direction; false for any other key.
bool NudgeDirectionOf(WPARAM key, int *dx, int *dy)
{
    *dx = 0;
    *dy = 0;
    switch (key) {
    case VK_LEFT:
        *dx = -1;
        return true;
    case VK_RIGHT:
        *dx = 1;
        return true;
    case VK_UP:
        *dy = -1;
        return true;
    case VK_DOWN:
        *dy = 1;
        return true;
    }
    return false;
}

bool IsCopyKey(WPARAM key)
{
    return key == 'C' && IsKeyHeld(VK_CONTROL) && !IsKeyHeld(VK_MENU);
}

void OnCreate(HWND window)
{
    CreateSwatchCanvas(window);
    g_picker.focusSinkButton = CreateChildButton(window, kFocusSinkX, kFocusSinkY, kButtonWidth,
                                                 kButtonHeight, "hide", kFocusSinkId);
    CreateChildButton(window, kDropButtonX, kDropButtonY, kButtonWidth, kButtonHeight, "Drop",
                      kDropButtonId);
    g_picker.dropperCursor =
        static_cast<HCURSOR>(LoadImageA(g_picker.instance, MAKEINTRESOURCEA(IDC_DROPPER),
                                        IMAGE_CURSOR, kCursorSize, kCursorSize, LR_SHARED));
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    PaintSwatch(target);
    EndPaint(window, &paint);
}

void OnLeftButtonDown(HWND window)
{
    ForgetNudge();
    g_picker.dragging = 1;
    SetCursor(g_picker.dropperCursor);
    SetCapture(window);
    SampleUnderPointer(window);
}

void OnMouseMove(HWND window, WPARAM keys)
{
    if (!g_picker.dragging) {
        SetCursor(ArrowCursor());
        return;
    }
    if (EndDragIfButtonReleased(keys))
        return;
    SetCursor(g_picker.dropperCursor);
    SampleUnderPointer(window);
}

void OnLeftButtonUp(HWND window)
{
    // The colour under the pointer at the release is the one that stays.
    SampleUnderPointer(window);
    SetCursor(ArrowCursor());
    ReleaseCapture();
    g_picker.dragging = 0;
    ForgetNudge();
}

// When the system takes the capture away mid-drag, the drag is over: mere
// hovering must not overwrite the colour the user picked.
void OnCaptureChanged(HWND window, HWND newCaptureOwner)
{
    if (g_picker.dragging && newCaptureOwner != window)
        EndDrag();
}

void OnDestroy()
{
    DeleteSwatchCanvas();
    SaveWindowPosition();
    PostQuitMessage(0);
}

// At log-off the system may end the process as soon as this returns, with no
// WM_DESTROY: the place is saved now, and again should a close follow.
void OnEndSession(WPARAM ending)
{
    if (ending)
        SaveWindowPosition();
}

} // namespace

HWND CreateChildButton(HWND parent, int x, int y, int width, int height, const char *text,
                       int controlId)
{
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           g_picker.instance, NULL);
}

bool HandlePickerKey(const MSG &message)
{
    if (message.message != WM_KEYDOWN || !BelongsToPicker(message.hwnd))
        return false;
    EndDragIfButtonReleased(0);
    int dx;
    int dy;
    if (g_picker.dragging && NudgeDirectionOf(message.wParam, &dx, &dy)) {
        int step = IsKeyHeld(VK_SHIFT) ? kShiftNudgeStep : kNudgeStep;
        NudgePointer(g_picker.mainWindow, dx * step, dy * step);
        return true;
    }
    if (IsCopyKey(message.wParam)) {
        CopyColorToClipboard(g_picker.mainWindow);
        return true;
    }
    return false;
}

LRESULT CALLBACK PickerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_PRINTCLIENT:
        PaintSwatch(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, wParam);
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(window);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(window, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_COMMAND:
        SendColorToDialog(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
