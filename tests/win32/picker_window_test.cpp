// The picker window in this process: its canvas, its cursors and its samples,
// checked where the precision matters.
#include "app/picker_state.h"
#include "app/picker_window.h"
#include "app/startup.h"
#include "picker/loupe.h"
#include "picker/swatch.h"
#include "support/driver.h"
#include "support/in_process_picker.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const RECT kPatchArea = {40, 120, 240, 320};
const COLORREF kWhite = RGB(255, 255, 255);

std::vector<COLORREF> ReadCanvas()
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kCanvasHeight; ++y)
        for (int x = 0; x < kCanvasWidth; ++x)
            pixels.push_back(GetPixel(SwatchCanvasDC(), x, y));
    return pixels;
}

class PickerWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        window_ = CreateInProcessPicker();
        ASSERT_TRUE(window_ != NULL);
    }

    void TearDown() override
    {
        for (HWND patch : patches_)
            ClosePatch(patch);
        if (IsWindow(window_))
            DestroyWindow(window_);
        PumpFor(50);
    }

    POINT PatchCentre(const RECT &area)
    {
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }

    void Patch(RECT area, COLORREF color, const std::vector<ColorBand> &bands = {})
    {
        patches_.push_back(ShowColorPatch(area, color, bands));
    }

    void ClosePatchesAndShow(COLORREF color)
    {
        for (HWND patch : patches_)
            ClosePatch(patch);
        patches_.clear();
        Patch(kPatchArea, color);
    }

    HWND window_ = NULL;
    std::vector<HWND> patches_;
};

TEST_F(PickerWindow, CanvasStartsPlainWhite)
{
    for (COLORREF pixel : ReadCanvas())
        ASSERT_EQ(kWhite, pixel);
}

TEST_F(PickerWindow, ThreeSamplesInARowLeaveOnlyTheLastOnTheCanvas)
{
    const COLORREF colors[] = {RGB(0, 0, 0), RGB(10, 200, 64), RGB(255, 128, 0)};
    for (COLORREF color : colors) {
        ClosePatchesAndShow(color);
        POINT centre = PatchCentre(kPatchArea);
        SampleScreenColor(window_, {centre.x, centre.y});
    }
    EXPECT_EQ(RenderExpectedSwatch(255, 128, 0), ReadCanvas());
    EXPECT_EQ(255, g_picker.sample.red);
    EXPECT_EQ(128, g_picker.sample.green);
    EXPECT_EQ(0, g_picker.sample.blue);
}

TEST_F(PickerWindow, WhiteIsWrittenInInkOf128_0_191)
{
    Patch(kPatchArea, kWhite);
    POINT centre = PatchCentre(kPatchArea);
    SampleScreenColor(window_, {centre.x, centre.y});
    // Glyphs may be smoothed: every pixel lies between the fill and the ink,
    // and the glyph cores are the ink itself.
    const COLORREF ink = RGB(128, 0, 191);
    int inkPixels = 0;
    for (COLORREF pixel : ReadCanvas()) {
        inkPixels += pixel == ink;
        EXPECT_GE(GetRValue(pixel), GetRValue(ink));
        EXPECT_GE(GetGValue(pixel), GetGValue(ink));
        EXPECT_GE(GetBValue(pixel), GetBValue(ink));
    }
    EXPECT_GT(inkPixels, 50);
}

TEST_F(PickerWindow, AnUnreadablePixelShowsWhiteAsTheReadoutSays)
{
    SampleScreenColor(window_, {-30000, -30000});
    EXPECT_EQ(255, g_picker.sample.red);
    EXPECT_EQ(255, g_picker.sample.green);
    EXPECT_EQ(255, g_picker.sample.blue);
    EXPECT_EQ(RenderExpectedSwatch(255, 255, 255), ReadCanvas());
}

TEST_F(PickerWindow, PaintingCopiesTheCanvasToTheSwatchPlace)
{
    Patch(kPatchArea, RGB(10, 200, 64));
    POINT centre = PatchCentre(kPatchArea);
    SampleScreenColor(window_, {centre.x, centre.y});
    // On the screen once this thread goes idle, as the wait lets it.
    std::vector<COLORREF> expected = RenderExpectedSwatch(10, 200, 64);
    EXPECT_TRUE(WaitUntil([&] { return ReadSwatch(window_) == expected; }));
}

// A press elsewhere released over the picker, or a drag whose capture was
// taken away, ends with a release that reaches a window with no drag.
TEST_F(PickerWindow, AReleaseWithNoDragInProgressSamplesNothing)
{
    const RECT pickedArea = {260, 120, 460, 320};
    Patch(pickedArea, RGB(10, 200, 64));
    Patch(kPatchArea, RGB(200, 30, 30));
    POINT picked = PatchCentre(pickedArea);
    SampleScreenColor(window_, {picked.x, picked.y});
    std::vector<COLORREF> canvas = ReadCanvas();
    POINT elsewhere = PatchCentre(kPatchArea);
    MouseMoveTo(elsewhere.x, elsewhere.y);
    ASSERT_EQ(0, g_picker.window.dragging);
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(10, g_picker.sample.red);
    EXPECT_EQ(200, g_picker.sample.green);
    EXPECT_EQ(64, g_picker.sample.blue);
    EXPECT_EQ(canvas, ReadCanvas());
}

// Every way a drag can end hides the loupe; here the system takes the capture.
TEST_F(PickerWindow, TheLoupeHidesWhenTheCaptureIsTakenAway)
{
    Patch(kPatchArea, RGB(90, 160, 20));
    POINT swatch = ClientPointOnScreen(window_, 60, 30);
    MouseMoveTo(swatch.x, swatch.y);
    MouseDown();
    POINT centre = PatchCentre(kPatchArea);
    MouseMoveTo(centre.x, centre.y);
    ASSERT_TRUE(IsWindowVisible(LoupeWindow()));
    HWND thief = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "thief", WS_POPUP, 0, 0, 1, 1, NULL,
                                 NULL, GetModuleHandleA(NULL), NULL);
    SetCapture(thief);
    EXPECT_EQ(0, g_picker.window.dragging);
    EXPECT_FALSE(IsWindowVisible(LoupeWindow()));
    ReleaseCapture();
    MouseUp();
    DestroyWindow(thief);
}

// The cursor this process shows now.
HCURSOR ShownCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}

TEST_F(PickerWindow, TheDropperShowsDuringTheDragAndTheArrowOverTheWindowAfterIt)
{
    Patch(kPatchArea, RGB(90, 160, 20));
    HCURSOR arrow = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));
    ASSERT_TRUE(g_picker.window.dropperCursor != NULL);
    ASSERT_NE(arrow, g_picker.window.dropperCursor);

    POINT swatch = ClientPointOnScreen(window_, 60, 30);
    MouseMoveTo(swatch.x, swatch.y);
    MouseDown();
    EXPECT_EQ(1, g_picker.window.dragging);
    EXPECT_EQ(g_picker.window.dropperCursor, ShownCursor());
    POINT centre = PatchCentre(kPatchArea);
    MouseMoveTo(centre.x, centre.y);
    EXPECT_EQ(g_picker.window.dropperCursor, ShownCursor()) << "outside the window too";
    EXPECT_EQ(window_, GetCapture());
    MouseUp();
    EXPECT_EQ(0, g_picker.window.dragging);
    EXPECT_EQ(NULL, GetCapture());
    EXPECT_EQ(arrow, ShownCursor());
    MouseMoveTo(swatch.x, swatch.y);
    EXPECT_EQ(arrow, ShownCursor());
}

TEST_F(PickerWindow, TheDropperCursorIs32By32WithItsHotSpotOnTheTip)
{
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(g_picker.window.dropperCursor, &icon));
    EXPECT_FALSE(icon.fIcon);
    EXPECT_EQ(1u, icon.xHotspot);
    EXPECT_EQ(14u, icon.yHotspot);
    BITMAP mask = {};
    GetObjectA(icon.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(32, mask.bmWidth);
    EXPECT_EQ(icon.hbmColor ? 32 : 64, mask.bmHeight); // monochrome: AND and XOR stacked
    DeleteObject(icon.hbmMask);
    if (icon.hbmColor)
        DeleteObject(icon.hbmColor);
}

TEST_F(PickerWindow, DestroyingTheWindowFreesTheCanvas)
{
    HDC canvasDC = SwatchCanvasDC();
    HGDIOBJ canvasBitmap = GetCurrentObject(canvasDC, OBJ_BITMAP);
    ASSERT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(canvasDC));
    DestroyWindow(window_);
    EXPECT_EQ(0u, GetObjectType(canvasDC));
    EXPECT_EQ(0u, GetObjectType(canvasBitmap));
}

} // namespace
