#include "app/picker_window.h"

#include "app/picker_state.h"
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

HCURSOR ArrowCursor()
{
    return LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
}

// The pointer is read with GetCursorPos, never from lParam, so a captured
// drag samples in screen coordinates wherever the pointer is.
void SampleUnderPointer(HWND window)
{
    HANDLE previousContext = EnterPhysicalPixels();
    POINT pointer;
    GetCursorPos(&pointer);
    LeavePhysicalPixels(previousContext);
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

void EndDrag()
{
    SetCursor(ArrowCursor());
    g_picker.dragging = 0;
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
    g_picker.dragging = 1;
    SetCursor(g_picker.dropperCursor);
    SetCapture(window);
    SampleUnderPointer(window);
}

void OnMouseMove(HWND window)
{
    if (!g_picker.dragging) {
        SetCursor(ArrowCursor());
        return;
    }
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

} // namespace

HWND CreateChildButton(HWND parent, int x, int y, int width, int height, const char *text,
                       int controlId)
{
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           g_picker.instance, NULL);
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
        OnMouseMove(window);
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
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
