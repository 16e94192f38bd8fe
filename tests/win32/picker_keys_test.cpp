// The keys the picker takes for the whole window, in this process: which
// messages it uses up, with which modifiers, and what they do.
#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/startup.h"
#include "picker/loupe.h"
#include "support/driver.h"
#include "support/in_process_picker.h"
#include "support/keyboard.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const COLORREF kPatchColor = RGB(10, 200, 64);
// The shortest time between two presses of a held key, at the fastest rate.
const DWORD kKeyRepeatMs = 33;

enum Target { kPickerWindow, kFocusSink, kForeignWindow };

struct Modifiers {
    bool shift, control, alt;
};

// Sets this thread's view of the modifier keys, as GetKeyState reports them.
void HoldModifiers(Modifiers held)
{
    BYTE state[256];
    GetKeyboardState(state);
    const struct {
        int key;
        bool down;
    } keys[] = {{VK_SHIFT, held.shift},      {VK_LSHIFT, held.shift}, {VK_CONTROL, held.control},
                {VK_LCONTROL, held.control}, {VK_MENU, held.alt},     {VK_LMENU, held.alt}};
    for (const auto &k : keys)
        state[k.key] = k.down ? 0x80 : 0;
    SetKeyboardState(state);
}

class PickerKeys : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        window_ = CreateInProcessPicker();
        ASSERT_TRUE(window_ != NULL);
        HINSTANCE instance = GetModuleHandleA(NULL);
        foreign_ = CreateWindowExA(0, "BUTTON", "other", WS_POPUP | WS_VISIBLE, 900, 700, 40, 20,
                                   NULL, NULL, instance, NULL);
        PumpFor(200);
    }

    void TearDown() override
    {
        HoldModifiers({false, false, false});
        if (buttonHeld_)
            MouseUp();
        if (patch_)
            ClosePatch(patch_);
        DestroyWindow(foreign_);
        if (IsWindow(window_))
            DestroyWindow(window_);
        PumpFor(50);
    }

    HWND WindowOf(Target target)
    {
        switch (target) {
        case kPickerWindow:
            return window_;
        case kFocusSink:
            return g_picker.window.focusSinkButton;
        case kForeignWindow:
            return foreign_;
        }
        return NULL;
    }

    bool Press(Target target, UINT message, WPARAM key, Modifiers held)
    {
        HoldModifiers(held);
        MSG msg = {};
        msg.hwnd = WindowOf(target);
        msg.message = message;
        msg.wParam = key;
        msg.lParam = 1;
        bool used = HandlePickerKey(msg);
        HoldModifiers({false, false, false});
        return used;
    }

    // A real drag from the swatch, held over the centre of a patch.
    void HoldDragOverPatch()
    {
        patch_ = ShowColorPatch(kPatchArea, kPatchColor);
        ASSERT_TRUE(patch_ != NULL);
        POINT swatch = ClientPointOnScreen(window_, 60, 30);
        MouseMoveTo(swatch.x, swatch.y);
        MouseDown();
        buttonHeld_ = true;
        MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
        ASSERT_EQ(1, g_picker.window.dragging);
        ASSERT_EQ(kPatchColor,
                  RGB(g_picker.sample.red, g_picker.sample.green, g_picker.sample.blue));
    }

    HWND window_ = NULL;
    HWND foreign_ = NULL;
    HWND patch_ = NULL;
    bool buttonHeld_ = false;
};

struct CopyKeyCase {
    const char *name;
    Target target;
    UINT message;
    WPARAM key;
    Modifiers held;
    bool copies;
    bool usedUp; // though it copies nothing
};

const CopyKeyCase kCopyKeyCases[] = {
    {"Ctrl+C on the window", kPickerWindow, WM_KEYDOWN, 'C', {false, true, false}, true, false},
    {"Ctrl+C on the focus sink", kFocusSink, WM_KEYDOWN, 'C', {false, true, false}, true, false},
    // The palette's, empty here.
    {"Ctrl+Shift+C", kPickerWindow, WM_KEYDOWN, 'C', {true, true, false}, false, true},
    {"C alone", kPickerWindow, WM_KEYDOWN, 'C', {false, false, false}, false, false},
    {"Shift+C", kPickerWindow, WM_KEYDOWN, 'C', {true, false, false}, false, false},
    {"Ctrl+Alt+C", kPickerWindow, WM_KEYDOWN, 'C', {false, true, true}, false, false},
    {"Ctrl+X", kPickerWindow, WM_KEYDOWN, 'X', {false, true, false}, false, false},
    {"the release of Ctrl+C", kPickerWindow, WM_KEYUP, 'C', {false, true, false}, false, false},
    {"Ctrl+C for another window",
     kForeignWindow,
     WM_KEYDOWN,
     'C',
     {false, true, false},
     false,
     false},
};

TEST_F(PickerKeys, OnlyCtrlCOnThePickerCopiesAndIsUsedUp)
{
    g_picker.sample = {10, 200, 64};
    for (const CopyKeyCase &c : kCopyKeyCases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteClipboardText("before"));
        EXPECT_EQ(c.copies || c.usedUp, Press(c.target, c.message, c.key, c.held));
        EXPECT_EQ(c.copies ? "#0AC840" : "before", ReadClipboardText());
    }
}

TEST_F(PickerKeys, TheCopyReplacesEveryFormatOnTheClipboard)
{
    UINT privateFormat = RegisterClipboardFormatA("tanzel test format");
    ASSERT_TRUE(OpenClipboard(NULL));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 4);
    SetClipboardData(privateFormat, data);
    CloseClipboard();
    ASSERT_TRUE(IsClipboardFormatAvailable(privateFormat));

    g_picker.sample = {1, 2, 3};
    EXPECT_TRUE(Press(kPickerWindow, WM_KEYDOWN, 'C', {false, true, false}));
    EXPECT_EQ("#010203", ReadClipboardText());
    EXPECT_FALSE(IsClipboardFormatAvailable(privateFormat));
}

TEST_F(PickerKeys, AHeldClipboardCostsAFewShortTriesAndChangesNothing)
{
    ASSERT_TRUE(WriteClipboardText("kept"));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    DWORD start = GetTickCount();
    EXPECT_TRUE(Press(kPickerWindow, WM_KEYDOWN, 'C', {false, true, false}));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 60u) << "it tried again before giving up";
    EXPECT_LT(elapsed, 500u);
    holder.Release();
    EXPECT_EQ("kept", ReadClipboardText());
}

TEST_F(PickerKeys, ArrowKeysOutsideADragAreLeftToTheFocusedControl)
{
    POINT before = PointerPosition();
    for (WPARAM key : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        for (Target target : {kPickerWindow, kFocusSink})
            for (bool shift : {false, true})
                EXPECT_FALSE(Press(target, WM_KEYDOWN, key, {shift, false, false})) << key;
    POINT after = PointerPosition();
    EXPECT_EQ(before.x, after.x);
    EXPECT_EQ(before.y, after.y);
}

struct NudgeCase {
    const char *name;
    Target target;
    WPARAM key;
    bool shift;
    int dx, dy;
};

const NudgeCase kNudgeCases[] = {
    {"Left", kPickerWindow, VK_LEFT, false, -1, 0},
    {"Right", kPickerWindow, VK_RIGHT, false, 1, 0},
    {"Up", kFocusSink, VK_UP, false, 0, -1},
    {"Down", kFocusSink, VK_DOWN, false, 0, 1},
    {"Shift+Left", kFocusSink, VK_LEFT, true, -10, 0},
    {"Shift+Right", kPickerWindow, VK_RIGHT, true, 10, 0},
    {"Shift+Up", kPickerWindow, VK_UP, true, 0, -10},
    {"Shift+Down", kFocusSink, VK_DOWN, true, 0, 10},
};

TEST_F(PickerKeys, ArrowKeysDuringADragMoveThePointerByOneOrTen)
{
    HoldDragOverPatch();
    POINT at = kPatchCentre;
    for (const NudgeCase &c : kNudgeCases) {
        SCOPED_TRACE(c.name);
        // Presses come no faster than a key repeats. Under Wine, one within a
        // millisecond of the last can be lost to the echoes of that last move.
        PumpFor(kKeyRepeatMs);
        EXPECT_TRUE(Press(c.target, WM_KEYDOWN, c.key, {c.shift, false, false}));
        at.x += c.dx;
        at.y += c.dy;
        // The nudge moves the loupe itself, before any echo of the move arrives.
        RECT loupe = {};
        GetWindowRect(LoupeWindow(), &loupe);
        EXPECT_EQ(at.x + 16, loupe.left);
        EXPECT_EQ(at.y + 16, loupe.top);
        POINT now = {};
        EXPECT_TRUE(WaitUntil([&] {
            now = PointerPosition();
            return now.x == at.x && now.y == at.y;
        })) << "pointer at "
            << now.x << "," << now.y << ", not " << at.x << "," << at.y;
        EXPECT_EQ(1, g_picker.window.dragging);
    }
    // Wine gives this release to the patch under the pointer; the drag ends
    // at the next move that reaches the picker, keeping the last sample.
    MouseUp();
    buttonHeld_ = false;
    POINT swatch = ClientPointOnScreen(window_, 60, 30);
    MouseMoveTo(swatch.x, swatch.y);
    MouseMoveTo(swatch.x + 1, swatch.y);
    EXPECT_EQ(0, g_picker.window.dragging);
    EXPECT_EQ(NULL, GetCapture());
    EXPECT_EQ(kPatchColor, RGB(g_picker.sample.red, g_picker.sample.green, g_picker.sample.blue));
}

TEST_F(PickerKeys, ANudgeStopsAtTheEdgeOfTheScreen)
{
    HoldDragOverPatch();
    int right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
    int bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1;
    const COLORREF corner = RGB(50, 60, 70);
    HWND cornerPatch = ShowColorPatch({right - 19, bottom - 19, right + 1, bottom + 1}, corner);
    ASSERT_TRUE(cornerPatch != NULL);
    MouseMoveTo(right - 3, bottom - 3);
    ASSERT_EQ(1, g_picker.window.dragging);
    Press(kPickerWindow, WM_KEYDOWN, VK_RIGHT, {true, false, false});
    Press(kPickerWindow, WM_KEYDOWN, VK_DOWN, {true, false, false});
    EXPECT_TRUE(WaitUntil([&] {
        POINT now = PointerPosition();
        return now.x == right && now.y == bottom;
    }));
    EXPECT_EQ(corner, RGB(g_picker.sample.red, g_picker.sample.green, g_picker.sample.blue))
        << "the sample is the corner pixel, not an unreadable one off the screen";
    ClosePatch(cornerPatch);
}

} // namespace
