// The loupe of the real tanzel.exe over a pattern whose every pixel has its
// own colour, with real pointer and keyboard input; and Escape during a drag.
#include "support/keyboard.h"
#include "support/picker_session.h"
#include "support/test_pattern.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

const RECT kScreen = {0, 0, 1024, 768};
const int kCells = 11;
const int kBlock = 8;
const int kOuter = kCells * kBlock + 2;
const int kGap = 16;

bool IsLight(COLORREF color)
{
    return 299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color) >= 128000;
}

std::string ColorCode(COLORREF color)
{
    char code[8];
    std::snprintf(code, sizeof code, "#%02X%02X%02X", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return code;
}

// What the loupe's client area shows for a hot spot: each pattern pixel of the
// square as a block, the centre one ringed along its edge.
std::vector<COLORREF> ExpectedLoupe(POINT hotSpot)
{
    std::vector<COLORREF> pixels(kCells * kBlock * kCells * kBlock);
    COLORREF centre = TestPatternColor(hotSpot.x, hotSpot.y);
    COLORREF ring = IsLight(centre) ? RGB(0, 0, 0) : RGB(255, 255, 255);
    for (int y = 0; y < kCells * kBlock; ++y) {
        for (int x = 0; x < kCells * kBlock; ++x) {
            int cellX = x / kBlock;
            int cellY = y / kBlock;
            bool onRing = cellX == kCells / 2 && cellY == kCells / 2 &&
                          (x % kBlock == 0 || x % kBlock == kBlock - 1 || y % kBlock == 0 ||
                           y % kBlock == kBlock - 1);
            pixels[y * kCells * kBlock + x] =
                onRing ? ring
                       : TestPatternColor(hotSpot.x - kCells / 2 + cellX,
                                          hotSpot.y - kCells / 2 + cellY);
        }
    }
    return pixels;
}

class Loupe : public PickerSession
{
  protected:
    void ShowBeforePicker() override
    {
        pattern_ = ShowTestPattern(kScreen);
    }

    void SetUp() override
    {
        PickerSession::SetUp();
        ASSERT_TRUE(pattern_ != NULL) << "the test pattern never showed";
        ASSERT_FALSE(IsWindowVisible(FindLoupe())) << "hidden until a drag";
    }

    void TearDown() override
    {
        CloseTestPattern(pattern_);
        PickerSession::TearDown();
    }

    // Made at the first drag, not at start-up.
    HWND FindLoupe()
    {
        if (loupe_)
            return loupe_;
        HWND window = NULL;
        while ((window = FindWindowExA(NULL, window, "TANZEL_LOUPE", NULL)) != NULL)
            if (GetWindow(window, GW_OWNER) == picker_.window)
                return loupe_ = window;
        return NULL;
    }

    // Presses on the swatch and holds the button with the pointer at where.
    void BeginDragTo(POINT where)
    {
        POINT swatch = SwatchPoint(61, 35);
        MouseMoveTo(swatch.x, swatch.y);
        MouseDown();
        MouseMoveTo(where.x, where.y);
    }

    RECT LoupeRect()
    {
        RECT rect = {};
        GetWindowRect(FindLoupe(), &rect);
        return rect;
    }

    // Waits for the loupe to stand with its top-left at place and to show
    // the square around hotSpot.
    ::testing::AssertionResult LoupeShows(POINT hotSpot, POINT place)
    {
        std::vector<COLORREF> expected = ExpectedLoupe(hotSpot);
        int differences = -1;
        RECT rect = {};
        WaitUntil([&] {
            rect = LoupeRect();
            if (!IsWindowVisible(FindLoupe()) || rect.left != place.x || rect.top != place.y)
                return false;
            POINT client = ClientPointOnScreen(FindLoupe(), 0, 0);
            differences = CountDifferences(
                ReadScreenRect(client.x, client.y, kCells * kBlock, kCells * kBlock), expected);
            return differences == 0;
        });
        if (differences == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "loupe " << (IsWindowVisible(FindLoupe()) ? "shown" : "hidden") << " at "
               << Describe(POINT{rect.left, rect.top}) << ", " << rect.right - rect.left << " x "
               << rect.bottom - rect.top << ", " << differences << " pixels differ; wanted "
               << Describe(place) << " for the hot spot " << Describe(hotSpot);
    }

    ::testing::AssertionResult LoupeHides()
    {
        if (WaitUntil([&] { return !IsWindowVisible(FindLoupe()); }, 2000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the loupe is still shown";
    }

    HWND CaptureOnPickerThread()
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(picker_.window, NULL), &info);
        return info.hwndCapture;
    }

    HWND pattern_ = NULL;
    HWND loupe_ = NULL;
};

POINT LowerRight(POINT hotSpot)
{
    return {hotSpot.x + kGap, hotSpot.y + kGap};
}

struct SquareCase {
    POINT hotSpot;
    bool light; // the centre pixel, and so a black ring
};

const SquareCase kSquareCases[] = {{{200, 200}, true}, {{200, 201}, false}};

TEST_F(Loupe, ShowsEachPixelAroundTheHotSpotAsABlockAndRingsTheCentre)
{
    for (const SquareCase &c : kSquareCases) {
        SCOPED_TRACE(Describe(c.hotSpot));
        COLORREF centre = TestPatternColor(c.hotSpot.x, c.hotSpot.y);
        ASSERT_EQ(c.light, IsLight(centre)) << "the case does not test the ring it names";
        BeginDragTo(c.hotSpot);
        EXPECT_TRUE(LoupeShows(c.hotSpot, LowerRight(c.hotSpot)));
        EXPECT_TRUE(SwatchShows(centre)) << "the swatch stays true beside the loupe";
        MouseUp();
        EXPECT_TRUE(LoupeHides()) << "hidden after the release";
    }
}

TEST_F(Loupe, FollowsTheHotSpotThroughAMoveAndANudge)
{
    const POINT first = {150, 180};
    const POINT second = {260, 140};
    BeginDragTo(first);
    ASSERT_TRUE(LoupeShows(first, LowerRight(first)));
    MouseMoveTo(second.x, second.y);
    EXPECT_TRUE(LoupeShows(second, LowerRight(second)));
    ASSERT_TRUE(FocusWindowsOwnXWindow(picker_.window));
    PressKey("Right");
    const POINT nudged = {second.x + 1, second.y};
    EXPECT_TRUE(LoupeShows(nudged, LowerRight(nudged)));
    EXPECT_TRUE(SwatchShows(TestPatternColor(nudged.x, nudged.y)));
    MouseUp();
}

TEST_F(Loupe, StandsInTheFirstOfFourPlacesThatFitsAndNeverOverThePicker)
{
    RECT picker = {};
    GetWindowRect(picker_.window, &picker);
    const POINT leftOfPicker = {picker.left - 40, picker.top + 10};
    const struct {
        const char *name;
        POINT hotSpot;
        int dx, dy; // from the hot spot to the loupe's top-left
        bool shown;
    } cases[] = {
        {"lower right", {200, 200}, kGap, kGap, true},
        {"lower left, at the right edge", {1000, 200}, -kGap - kOuter, kGap, true},
        {"upper right, at the bottom edge", {200, 740}, kGap, -kGap - kOuter, true},
        {"upper left, in the corner", {1000, 740}, -kGap - kOuter, -kGap - kOuter, true},
        {"lower left, clear of the picker", leftOfPicker, -kGap - kOuter, kGap, true},
        {"hidden over the picker", SwatchPoint(61, 20), 0, 0, false},
    };
    BeginDragTo(cases[0].hotSpot);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MouseMoveTo(c.hotSpot.x, c.hotSpot.y);
        if (!c.shown) {
            EXPECT_TRUE(LoupeHides());
            continue;
        }
        EXPECT_TRUE(LoupeShows(c.hotSpot, {c.hotSpot.x + c.dx, c.hotSpot.y + c.dy}));
        RECT loupe = LoupeRect();
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &loupe, &picker)) << "the loupe covers the picker";
    }
    MouseUp();
}

// Escape puts back the swatch of before the drag, blank or picked, and the
// colour Ctrl+C copies; the release after it samples nothing, even over the
// picker.
TEST_F(Loupe, EscapeDuringADragPutsBackWhatWasBeforeIt)
{
    const POINT picked = {300, 300};
    const POINT escaped = {200, 200};
    const COLORREF pickedColor = TestPatternColor(picked.x, picked.y);
    for (bool pickedBefore : {false, true}) {
        SCOPED_TRACE(pickedBefore ? "after a pick" : "before any pick");
        if (pickedBefore) {
            DragMouse(SwatchPoint(61, 35), picked);
            ASSERT_TRUE(SwatchShows(pickedColor));
        }
        BeginDragTo(escaped);
        ASSERT_TRUE(SwatchShows(TestPatternColor(escaped.x, escaped.y)));
        ASSERT_TRUE(FocusWindowsOwnXWindow(picker_.window));
        PressKey("Escape");
        EXPECT_TRUE(LoupeHides());
        EXPECT_EQ(NULL, CaptureOnPickerThread());
        // Released over the picker, where the release does reach it.
        POINT background = ClientPointOnScreen(picker_.window, 2, 2);
        MouseMoveTo(background.x, background.y);
        MouseUp();
        PumpFor(300);
        if (pickedBefore)
            EXPECT_TRUE(SwatchShows(pickedColor));
        else
            EXPECT_TRUE(SwatchIsPlainWhite());
        ASSERT_TRUE(WriteClipboardText("something else"));
        FocusWineDesktop();
        POINT rest = ClientPointOnScreen(picker_.window, 2, 2);
        MouseMoveTo(rest.x, rest.y);
        PressKey("ctrl+c");
        std::string code = pickedBefore ? ColorCode(pickedColor) : "#FFFFFF";
        EXPECT_TRUE(WaitUntil([&] { return ReadClipboardText() == code; }))
            << "the clipboard holds \"" << ReadClipboardText() << "\", not " << code;
    }
}

TEST_F(Loupe, EscapeWithoutADragDoesNothing)
{
    const POINT picked = {300, 300};
    DragMouse(SwatchPoint(61, 35), picked);
    ASSERT_TRUE(SwatchShows(TestPatternColor(picked.x, picked.y)));
    FocusWineDesktop();
    POINT rest = ClientPointOnScreen(picker_.window, 2, 2);
    MouseMoveTo(rest.x, rest.y);
    PressKey("Escape");
    PumpFor(300);
    EXPECT_TRUE(SwatchShows(TestPatternColor(picked.x, picked.y)));
    EXPECT_TRUE(IsWindowVisible(picker_.window));
    EXPECT_FALSE(IsWindowVisible(FindLoupe()));
}

} // namespace
