#include "app/picker_window.h"

#include "app/picker_menu.h"
#include "app/picker_state.h"
#include "picker/color_copy.h"
#include "picker/color_parse.h"
#include "picker/color_transfer.h"
#include "picker/dpi_awareness.h"
#include "picker/loupe.h"
#include "picker/screen_sample.h"
#include "picker/still.h"
#include "picker/swatch.h"
#include "res/resource.h"
#include "settings/palette_file.h"
#include "settings/window_position.h"

namespace
{

const int kButtonWidth = 80;
const int kButtonHeight = 28;
const int kDropButtonX = 27;
const int kDropButtonY = 54;
const int kDropButtonId = 1;
// Off the client area: Drop hands it the focus so none is seen, though Space
// on it still clicks it, which repeats Drop.
const int kFocusSinkX = -999;
const int kFocusSinkY = -999;
const int kFocusSinkId = 0;
const int kCursorSize = 32;
// Pixels the pointer moves per arrow key press during a drag, without and with Shift.
const int kNudgeStep = 1;
const int kShiftNudgeStep = 10;
// For a moment after a nudge, Wine still reports the position from before it
// (and sends moves with it): until the platform catches up, that reading
// means the nudge's target. Any other reading is the pointer really moving.
const DWORD kNudgeSettleMs = 300;
const UINT_PTR kSaveRecentTimerId = 1;

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
    const PickerWindowState &state = g_picker.window;
    if (state.nudged && GetTickCount() - state.nudgeTime < kNudgeSettleMs &&
        pointer.x == state.nudgeFrom.x && pointer.y == state.nudgeFrom.y)
        return state.nudgeTarget;
    return pointer;
}

// Reads the pixel and the loupe's square before the loupe moves, so neither
// read finds the loupe: its new place is clear of the square. Windows leaves
// layered windows out of screen reads but Wine does not: there, and only
// there, a jump of the pointer into the loupe's last place reads the loupe
// once, until the next move.
void SampleAt(HWND window, POINT hotSpot)
{
    g_picker.window.samplePoint = hotSpot;
    SampleScreenColor(window, hotSpot);
    ShowLoupeAt(window, hotSpot, g_picker.options.averageSide, g_picker.sample);
}

void SampleUnderPointer(HWND window)
{
    SampleAt(window, ReadPointerPosition());
}

void ForgetNudge()
{
    g_picker.window.nudged = 0;
}

void EndDrag()
{
    SetCursor(ArrowCursor());
    HideLoupe();
    g_picker.window.dragging = 0;
    ForgetNudge();
}

// Releasing the capture ends the drag through WM_CAPTURECHANGED; a capture
// that is already gone sends none, and the drag ends here instead.
void ReleaseDrag()
{
    ReleaseCapture();
    if (g_picker.window.dragging)
        EndDrag();
}

// What the swatch shows as a drag or a still begins, for Escape to bring back.
void RememberColorBefore()
{
    PickerWindowState &state = g_picker.window;
    state.sampleBeforeDrag = g_picker.sample;
    state.swatchBlankBeforeDrag = IsSwatchBlank();
}

void PutBackColorBefore(HWND window)
{
    const PickerWindowState &state = g_picker.window;
    g_picker.sample = state.sampleBeforeDrag;
    if (state.swatchBlankBeforeDrag)
        ShowBlankSwatch(window);
    else
        ShowSampleInSwatch(window, g_picker.sample);
}

// Escape: the drag ends as though it had never begun.
void CancelDrag(HWND window)
{
    ReleaseDrag();
    PutBackColorBefore(window);
}

void MakeCurrentColor(HWND window, const ColorSample &color)
{
    g_picker.sample = color;
    ShowSampleInSwatch(window, color);
}

// Written once the new colour is on the screen: Wine shows a window's new
// pixels only when its thread goes idle, and the write takes longer than the
// sample. Picks in quick succession are written together.
void ScheduleRecentSave(HWND window)
{
    if (g_picker.window.recentUnsaved)
        return;
    g_picker.window.recentUnsaved = 1;
    SetTimer(window, kSaveRecentTimerId, USER_TIMER_MINIMUM, NULL);
}

void SaveRecentNow(HWND window)
{
    KillTimer(window, kSaveRecentTimerId);
    if (!g_picker.window.recentUnsaved)
        return;
    g_picker.window.recentUnsaved = 0;
    SaveRecentColors(g_picker.options.recent);
}

// A finished pick heads the recent colours, written within moments so that
// a crash loses nothing.
void RememberPick(HWND window)
{
    AddRecentColor(&g_picker.options.recent, g_picker.sample);
    ScheduleRecentSave(window);
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
    if (!g_picker.window.dragging || (messageKeys & MK_LBUTTON) || IsLeftButtonDown())
        return false;
    ReleaseDrag();
    RememberPick(g_picker.mainWindow);
    return true;
}

// One at a time: a drag, or a still.
bool IsPicking()
{
    return g_picker.window.dragging || IsStillShown();
}

// A drag or a still begins: the dropper and the capture.
void BeginPicking(HWND window)
{
    ForgetNudge();
    SetCursor(g_picker.window.dropperCursor);
    SetCapture(window);
}

// The capture brings every move and click over the still to the picker.
void BeginStill(HWND window)
{
    if (IsPicking() || !ShowStill(window))
        return;
    RememberColorBefore();
    // Activated, the picker takes the keys and stands above the still.
    SetForegroundWindow(window);
    BeginPicking(window);
    // The loupe waits for the first move: the still reaches the screen sooner.
    POINT pointer = ReadPointerPosition();
    g_picker.window.samplePoint = pointer;
    SampleScreenColor(window, pointer);
}

// Showing the still under a resting pointer sends a move too; over a still
// the same point shows the same colour, and the loupe waits for a real move.
void MoveInStill(HWND window)
{
    POINT pointer = ReadPointerPosition();
    const POINT &last = g_picker.window.samplePoint;
    if (pointer.x != last.x || pointer.y != last.y)
        SampleAt(window, pointer);
}

// The still goes first, so that losing the capture finds it gone; then all
// goes back as after a drag.
void EndStillShown(HWND window, bool picked)
{
    EndStill();
    ReleaseCapture();
    EndDrag();
    if (picked)
        RememberPick(window);
    else
        PutBackColorBefore(window);
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
    PickerWindowState &state = g_picker.window;
    state.nudged = 1;
    state.nudgeFrom = from;
    state.nudgeTarget = to;
    state.nudgeTime = GetTickCount();
    SampleAt(window, to);
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

bool IsMenuKey(const MSG &message)
{
    return message.wParam == VK_APPS || (message.wParam == VK_F10 && IsKeyHeld(VK_SHIFT));
}

// One byte more than a colour's text may have, so a longer one is refused.
bool ReadColorFromClipboard(HWND window, ColorSample *color)
{
    char text[kLongestColorText + 2];
    return ReadClipboardText(window, text, sizeof(text)) > 0 && ParseColorText(text, color);
}

// A colour brought in as text counts as a pick; anything else changes nothing.
void PasteColor(HWND window)
{
    ColorSample color;
    if (!ReadColorFromClipboard(window, &color)) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    MakeCurrentColor(window, color);
    RememberPick(window);
}

void CopyColorName(HWND window)
{
    char name[kColorNameSize];
    NearestColorName(g_picker.sample, name);
    CopyTextToClipboard(window, name, lstrlenA(name));
}

void CopyContrastRatio(HWND window)
{
    char ratio[kContrastTextSize];
    if (GetContrastText(g_picker.sample, g_picker.options.recent, ratio))
        CopyTextToClipboard(window, ratio, lstrlenA(ratio));
}

void CopyColorAs(HWND window, CopyFormat format)
{
    char text[kFormattedColorSize];
    int length = FormatColor(format, g_picker.sample, text);
    CopyTextToClipboard(window, text, length);
}

void PasteIntoPaletteFromClipboard(HWND window)
{
    // One byte more than the palette takes, so a longer text is refused.
    static char text[kMaxPasteBytes + 2];
    int length = ReadClipboardText(window, text, sizeof(text));
    if (length < 0 || !PasteIntoPalette(text, length))
        MessageBeep(MB_ICONWARNING);
}

void CopyPalette(HWND window, PaletteFormat format)
{
    const char *text;
    int length = FormatKeptPalette(format, &text);
    if (KeptPalette().count > 0)
        CopyTextToClipboard(window, text, length);
}

void ApplyMenuChoice(HWND window, const MenuChoice &choice)
{
    StoredOptions &options = g_picker.options;
    switch (choice.kind) {
    case kChoseCopyFormat:
        options.format = static_cast<CopyFormat>(choice.value);
        CopyColorAs(window, options.format);
        SaveCopyFormat(options.format);
        break;
    case kChoseAverageSide:
        options.averageSide = choice.value;
        SaveAverageSide(options.averageSide);
        break;
    case kChoseRecentColor:
        MakeCurrentColor(window, options.recent.colors[choice.value]);
        RememberPick(window);
        break;
    case kChosePaste:
        PasteColor(window);
        break;
    case kChoseName:
        CopyColorName(window);
        break;
    case kChoseContrast:
        CopyContrastRatio(window);
        break;
    case kChosePaletteAdd:
        AddToPalette(g_picker.sample);
        break;
    case kChosePaletteRemove:
        RemoveFromPalette(g_picker.sample);
        break;
    case kChosePalettePaste:
        PasteIntoPaletteFromClipboard(window);
        break;
    case kChosePaletteFormat:
        options.paletteFormat = static_cast<PaletteFormat>(choice.value);
        CopyPalette(window, options.paletteFormat);
        SavePaletteFormat(options.paletteFormat);
        break;
    case kChosePaletteColor:
        MakeCurrentColor(window, KeptPalette().entries[choice.value].color);
        RememberPick(window);
        break;
    case kChoseStill:
        BeginStill(window);
        break;
    case kChoseNothing:
        break;
    }
}

// At the pointer for a click, below the swatch's corner for a key.
POINT MenuPlace(HWND window, LPARAM at)
{
    POINT place = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        place.x = kSwatchLeft;
        place.y = kSwatchTop;
        ClientToScreen(window, &place);
    }
    return place;
}

// No menu during a drag or a still: they keep the pointer.
void OnContextMenu(HWND window, LPARAM at)
{
    if (IsPicking())
        return;
    const PickerWindowState &state = g_picker.window;
    char pickKeyLine[kPickKeyLineSize];
    DescribePickKey(kTextPickKey, state.pickKey, g_picker.options.pickKey, pickKeyLine);
    char stillKeyLine[kPickKeyLineSize];
    DescribePickKey(kTextStillKey, state.stillKey, g_picker.options.stillKey, stillKeyLine);
    char stillKeyName[kPickKeyNameSize] = "";
    if (state.stillKey == kPickKeyRegistered)
        FormatPickKey(g_picker.options.stillKey.key, stillKeyName);
    ColorSample pasted;
    MenuContent content = {};
    content.current = g_picker.sample;
    content.format = g_picker.options.format;
    content.averageSide = g_picker.options.averageSide;
    content.recent = &g_picker.options.recent;
    content.pickKeyLine = pickKeyLine;
    content.stillKeyLine = stillKeyLine;
    content.stillKeyName = stillKeyName;
    content.canPaste = ReadColorFromClipboard(window, &pasted);
    RefreshPalette();
    content.palette = &KeptPalette();
    content.paletteFormat = g_picker.options.paletteFormat;
    content.paletteFile = PaletteFileName();
    content.paletteUnsaved = IsPaletteUnsaved();
    ApplyMenuChoice(window, TrackPickerMenu(window, MenuPlace(window, at), content));
}

// The pick key: the colour under the pointer, with nothing else touched.
void OnPickKey(HWND window)
{
    if (IsPicking())
        return;
    SampleScreenColor(window, ReadPointerPosition());
    RememberPick(window);
}

// The still key begins a still, or ends one without a pick.
void OnStillKey(HWND window)
{
    if (IsStillShown())
        EndStillShown(window, false);
    else
        BeginStill(window);
}

void OnCreate(HWND window)
{
    CreateSwatchCanvas();
    CreateScreenSquare();
    PickerWindowState &state = g_picker.window;
    state.focusSinkButton = CreateChildButton(window, kFocusSinkX, kFocusSinkY, kButtonWidth,
                                              kButtonHeight, "hide", kFocusSinkId);
    CreateChildButton(window, kDropButtonX, kDropButtonY, kButtonWidth, kButtonHeight, "Drop",
                      kDropButtonId);
    state.dropperCursor =
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

// In a still, a click picks what the still shows under the pointer.
void OnLeftButtonDown(HWND window)
{
    if (IsStillShown()) {
        SampleScreenColor(window, ReadPointerPosition());
        EndStillShown(window, true);
        return;
    }
    if (!g_picker.window.dragging)
        RememberColorBefore();
    g_picker.window.dragging = 1;
    BeginPicking(window);
    SampleUnderPointer(window);
}

void OnMouseMove(HWND window, WPARAM keys)
{
    if (IsStillShown()) {
        MoveInStill(window);
        return;
    }
    if (!g_picker.window.dragging) {
        SetCursor(ArrowCursor());
        return;
    }
    if (EndDragIfButtonReleased(keys))
        return;
    SetCursor(g_picker.window.dropperCursor);
    SampleUnderPointer(window);
}

// A release that ends no drag (the press was elsewhere, or the capture was
// lost) samples nothing: it would overwrite the colour the user picked.
void OnLeftButtonUp(HWND window)
{
    if (!g_picker.window.dragging)
        return;
    // The colour under the pointer at the release is the one that stays; the
    // loupe goes with the drag.
    SampleScreenColor(window, ReadPointerPosition());
    ReleaseDrag();
    RememberPick(window);
}

// A drag ends once the capture is gone: released by the picker, or taken away
// by the system, after which mere hovering must not sample.
void OnCaptureChanged(HWND window, HWND newCaptureOwner)
{
    if (newCaptureOwner == window)
        return;
    if (g_picker.window.dragging)
        EndDrag();
    if (IsStillShown())
        EndStillShown(window, false);
}

// Another program's window in front ends a still without a pick.
void OnActivateApp(HWND window, WPARAM active)
{
    if (!active && IsStillShown())
        EndStillShown(window, false);
}

// Drop: the focus goes to the focus sink, out of sight, before the transfer.
void OnCommand(HWND window)
{
    SetFocus(g_picker.window.focusSinkButton);
    SendColorToDialog(window, g_picker.sample);
}

void OnDestroy(HWND window)
{
    SaveRecentNow(window);
    UnregisterPickKeys(window);
    DestroyLoupe();
    DeleteScreenSquare();
    DeleteSwatchCanvas();
    SaveWindowPosition(window);
    PostQuitMessage(0);
}

// At log-off the system may end the process as soon as this returns, with no
// WM_DESTROY: the place is saved now, and again should a close follow.
void OnEndSession(HWND window, WPARAM ending)
{
    if (!ending)
        return;
    SaveRecentNow(window);
    SaveWindowPosition(window);
}

// Ctrl+C, Ctrl+V and Ctrl+D, and with Shift the palette's copy and paste;
// during a drag or a still only the copies act, though Ctrl+V is used up all the same.
bool HandleControlKey(WPARAM key)
{
    if (!IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_MENU))
        return false;
    HWND window = g_picker.mainWindow;
    bool idle = !IsPicking();
    bool shift = IsKeyHeld(VK_SHIFT);
    switch (key) {
    case 'C':
        if (shift)
            CopyPalette(window, g_picker.options.paletteFormat);
        else
            CopyColorAs(window, g_picker.options.format);
        return true;
    case 'V':
        if (idle && shift)
            PasteIntoPaletteFromClipboard(window);
        else if (idle)
            PasteColor(window);
        return true;
    case 'D':
        if (idle && !shift)
            AddToPalette(g_picker.sample);
        return !shift;
    }
    return false;
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
    bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (!keyDown || !BelongsToPicker(message.hwnd))
        return false;
    if (IsMenuKey(message)) {
        OnContextMenu(g_picker.mainWindow, -1);
        return true;
    }
    if (message.message != WM_KEYDOWN)
        return false;
    EndDragIfButtonReleased(0);
    if (IsStillShown() && message.wParam == VK_ESCAPE) {
        EndStillShown(g_picker.mainWindow, false);
        return true;
    }
    if (g_picker.window.dragging && message.wParam == VK_ESCAPE) {
        CancelDrag(g_picker.mainWindow);
        return true;
    }
    int dx;
    int dy;
    if (IsPicking() && NudgeDirectionOf(message.wParam, &dx, &dy)) {
        int step = IsKeyHeld(VK_SHIFT) ? kShiftNudgeStep : kNudgeStep;
        NudgePointer(g_picker.mainWindow, dx * step, dy * step);
        return true;
    }
    return HandleControlKey(message.wParam);
}

void SampleScreenColor(HWND window, POINT hotSpot)
{
    MakeCurrentColor(window, SampleScreenAt(hotSpot, g_picker.options.averageSide));
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
        OnCommand(window);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(window, lParam);
        return 0;
    case WM_HOTKEY:
        if (wParam == kStillKeyId)
            OnStillKey(window);
        else
            OnPickKey(window);
        return 0;
    case WM_ACTIVATEAPP:
        OnActivateApp(window, wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kSaveRecentTimerId)
            SaveRecentNow(window);
        return 0;
    case WM_MEASUREITEM:
        MeasureColorSquare(reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawColorSquare(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(window, wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
