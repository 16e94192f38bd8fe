// Picking with the real tanzel.exe and real mouse input.
#include "support/picker_session.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const RECT kSecondPatchArea = {40, 400, 240, 600};
const POINT kSecondPatchCentre = {140, 500};
const COLORREF kWhite = RGB(255, 255, 255);

class Picking : public PickerSession
{
};

TEST_F(Picking, SwatchIsPlainWhiteBeforeTheFirstSample)
{
    EXPECT_TRUE(SwatchIsPlainWhite());
}

TEST_F(Picking, DragFromSwatchToPatchLeavesPatchColour)
{
    const COLORREF colors[] = {RGB(10, 200, 64), RGB(255, 128, 0), RGB(0, 0, 0), RGB(1, 2, 3),
                               RGB(250, 250, 250)};
    for (COLORREF color : colors) {
        SCOPED_TRACE(Describe(color));
        HWND patch = Patch(kPatchArea, color);
        DragMouse(SwatchPoint(61, 35), kPatchCentre);
        EXPECT_TRUE(SwatchShows(color));
        ClosePatch(patch);
        patches_.pop_back();
    }
}

TEST_F(Picking, SwatchFollowsThePointerDuringTheDragAndKeepsTheReleaseColour)
{
    Patch(kPatchArea, RGB(200, 30, 30));
    Patch(kSecondPatchArea, RGB(30, 30, 200));
    MouseMoveTo(SwatchPoint(61, 35).x, SwatchPoint(61, 35).y);
    MouseDown();
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    EXPECT_TRUE(SwatchShows(RGB(200, 30, 30))) << "live while the button is held";
    MouseMoveTo(kSecondPatchCentre.x, kSecondPatchCentre.y);
    EXPECT_TRUE(SwatchShows(RGB(30, 30, 200))) << "live while the button is held";
    MouseUp();
    EXPECT_TRUE(SwatchShows(RGB(30, 30, 200)));
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    PumpFor(300);
    EXPECT_TRUE(SwatchShows(RGB(30, 30, 200))) << "after the release the colour stays";
}

TEST_F(Picking, PressAndReleaseWithoutMovementSamplesThatPoint)
{
    POINT point = SwatchPoint(2, 40); // white canvas, away from any text
    ClickAt(point.x, point.y);
    EXPECT_TRUE(SwatchShows(kWhite));
}

TEST_F(Picking, HoveringWithNoButtonHeldChangesNothing)
{
    Patch(kPatchArea, RGB(90, 160, 20));
    POINT swatch = SwatchPoint(61, 35);
    MouseMoveTo(swatch.x, swatch.y);
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    POINT background = ClientPointOnScreen(picker_.window, 2, 2);
    MouseMoveTo(background.x, background.y);
    MouseMoveTo(swatch.x, swatch.y);
    PumpFor(300);
    EXPECT_TRUE(SwatchIsPlainWhite());
}

TEST_F(Picking, PressOnDropStartsNoDrag)
{
    Patch(kPatchArea, RGB(90, 160, 20));
    POINT drop = ClientPointOnScreen(picker_.window, 27 + 40, 54 + 14);
    MouseMoveTo(drop.x, drop.y);
    MouseDown();
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    MouseUp();
    POINT background = ClientPointOnScreen(picker_.window, 2, 2);
    MouseMoveTo(background.x, background.y);
    PumpFor(300);
    EXPECT_TRUE(SwatchIsPlainWhite());
}

// A window of this thread that can take the capture from the picker.
HWND CreateCaptureThief()
{
    return CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "thief", WS_POPUP | WS_VISIBLE, 900, 700, 20,
                           20, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

TEST_F(Picking, ADragWhoseCaptureIsTakenAwayEndsAndKeepsItsColour)
{
    Patch(kPatchArea, RGB(200, 30, 30));
    POINT swatch = SwatchPoint(61, 35);
    MouseMoveTo(swatch.x, swatch.y);
    MouseDown();
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    ASSERT_TRUE(SwatchShows(RGB(200, 30, 30)));

    // The system takes the capture away mid-drag, as when another window is
    // activated: here by attaching to the picker's input and capturing.
    HWND thief = CreateCaptureThief();
    DWORD pickerThread = GetWindowThreadProcessId(picker_.window, NULL);
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), pickerThread, TRUE));
    SetCapture(thief);
    PumpFor(200);
    MouseUp();
    ReleaseCapture();
    AttachThreadInput(GetCurrentThreadId(), pickerThread, FALSE);
    DestroyWindow(thief);

    // Hovering over the picker's own background must not sample any more.
    POINT background = ClientPointOnScreen(picker_.window, 2, 2);
    MouseMoveTo(background.x, background.y);
    MouseMoveTo(background.x + 1, background.y + 1);
    PumpFor(300);
    EXPECT_TRUE(SwatchShows(RGB(200, 30, 30)));
}

} // namespace
