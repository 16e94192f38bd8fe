// The still with the real tanzel.exe: the screen frozen by the still key and
// picked from after it changed, ended without a pick by Escape and by the key
// again, the arrows in it, averaging over it, and the key turned off. Real
// keyboard and pointer input.
#include "support/keyboard.h"
#include "support/picker_session.h"
#include "support/test_pattern.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const char kStillKeyName[] = "ctrl+shift+F9";
const RECT kScreen = {0, 0, 1024, 768};
const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const COLORREF kGreen = RGB(10, 200, 64);
const COLORREF kOrange = RGB(255, 128, 0);
const COLORREF kWhite = RGB(255, 255, 255);

class Still : public PickerSession
{
  protected:
    const char *PickerIni() override
    {
        return "";
    }

    HWND StillWindow()
    {
        HWND window = FindWindowA("TANZEL_STILL", NULL);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return window && owner == picker_.info.dwProcessId && IsWindowVisible(window) ? window
                                                                                      : NULL;
    }

    // Waits for the still to cover the whole screen, with the picker above it.
    ::testing::AssertionResult StillShows()
    {
        RECT rect = {};
        bool shown = WaitUntil([&] {
            HWND still = StillWindow();
            return still && GetWindowRect(still, &rect) && EqualRect(&rect, &kScreen);
        });
        if (!shown)
            return ::testing::AssertionFailure()
                   << "no still over the screen; found " << StillWindow() << " at "
                   << Describe(POINT{rect.left, rect.top}) << " to "
                   << Describe(POINT{rect.right, rect.bottom});
        if (!WaitUntil([&] { return IsAbove(picker_.window, StillWindow()); }, 3000))
            return ::testing::AssertionFailure()
                   << "the picker is not above the still: " << ZOrder();
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult StillEnds()
    {
        if (WaitUntil([&] { return FindWindowA("TANZEL_STILL", NULL) == NULL; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the still's window remains";
    }

    static std::string ZOrder()
    {
        std::string text;
        int n = 0;
        for (HWND window = GetTopWindow(NULL); window && n < 8;
             window = GetWindow(window, GW_HWNDNEXT), ++n) {
            char name[64] = "";
            GetClassNameA(window, name, sizeof name);
            text += std::string(name) + (IsWindowVisible(window) ? "+ " : "- ");
        }
        char name[64] = "";
        GetClassNameA(GetForegroundWindow(), name, sizeof name);
        return text + "; foreground " + name;
    }

    static bool IsAbove(HWND upper, HWND lower)
    {
        for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
             window = GetWindow(window, GW_HWNDNEXT))
            if (window == lower)
                return true;
        return false;
    }

    // Rests the pointer on where, with the keys going to Wine.
    void RestPointerOn(POINT where)
    {
        FocusWineDesktop();
        MouseMoveTo(where.x, where.y);
        ASSERT_TRUE(WaitUntil([&] { return SamePoint(PointerPosition(), where); }, 2000))
            << "pointer at " << Describe(PointerPosition());
    }

    void BeginStillAt(POINT where)
    {
        RestPointerOn(where);
        PressKey(kStillKeyName);
        ASSERT_TRUE(StillShows());
    }

    std::string Recent()
    {
        return IniValueIn(IniPathIn(pickerDirectory_), "recent");
    }
};

TEST_F(Still, AClickPicksWhatTheStillShowsThoughTheScreenHasChanged)
{
    HWND patch = Patch(kPatchArea, kGreen);
    BeginStillAt(kPatchCentre);
    EXPECT_TRUE(SwatchShows(kGreen)) << "the colour under the pointer, live, above the still";
    ASSERT_TRUE(RepaintPatch(patch, kOrange));
    const POINT beside = {kPatchCentre.x + 30, kPatchCentre.y + 20};
    MouseMoveTo(beside.x, beside.y);
    EXPECT_TRUE(SwatchShows(kGreen)) << "read from the still, not the screen";
    // The loupe comes with the first move.
    EXPECT_TRUE(WaitUntil([&] {
        HWND loupe = FindWindowA("TANZEL_LOUPE", NULL);
        POINT centre = ClientPointOnScreen(loupe, 43, 43);
        return IsWindowVisible(loupe) && ScreenPixel(centre.x, centre.y) == kGreen;
    })) << "the loupe shows the still";
    EXPECT_EQ(kGreen, ScreenPixel(kPatchCentre.x, kPatchCentre.y)) << "the still shows";

    ClickAt(kPatchCentre.x, kPatchCentre.y);
    EXPECT_TRUE(StillEnds());
    EXPECT_TRUE(SwatchShows(kGreen));
    EXPECT_TRUE(WaitUntil([&] { return Recent() == "0AC840"; })) << "recent=" << Recent();
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(beside.x, beside.y) == kOrange; }))
        << "the screen shows " << Describe(ScreenPixel(beside.x, beside.y));
    EXPECT_EQ(patch, WindowFromPoint(beside)) << "a window covers the patch";
}

// A window of this process, activated as another program's would be.
void ActivateAnotherWindow()
{
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 600, 500,
                                 50, 50, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(other);
    WaitUntil([&] { return GetForegroundWindow() == other; }, 2000);
    DestroyWindow(other);
}

TEST_F(Still, EscapeTheKeyAgainOrAnotherWindowEndsItWithTheColourAsItWas)
{
    HWND patch = Patch(kPatchArea, kGreen);
    const struct {
        const char *name;
        void (*end)();
    } endings[] = {
        {"Escape", [] { PressKey("Escape"); }},
        {"the key again", [] { PressKey(kStillKeyName); }},
        {"another window active", ActivateAnotherWindow},
    };
    for (const auto &ending : endings) {
        SCOPED_TRACE(ending.name);
        BeginStillAt(kPatchCentre);
        ASSERT_TRUE(SwatchShows(kGreen));
        EXPECT_EQ(kGreen, ScreenPixel(kPatchArea.left + 5, kPatchArea.top + 5)) << "the still";
        ending.end();
        EXPECT_TRUE(StillEnds());
        EXPECT_TRUE(WaitUntil([&] { return bool(SwatchIsPlainWhite()); })) << SwatchIsPlainWhite();
        EXPECT_EQ("(none)", Recent());
        EXPECT_EQ(patch, WindowFromPoint(kPatchCentre)) << "a window covers the patch";
    }
}

// The menu item begins a still of the screen as it is once the menu has gone.
TEST_F(Still, TheMenuItemFreezesTheScreenWithoutTheMenu)
{
    RECT picker = {};
    GetWindowRect(picker_.window, &picker);
    // Right of the picker, which it must not cover, where the menu reaches.
    const RECT belowRight = {picker.right + 10, picker.top, picker.right + 410, picker.top + 400};
    Patch(belowRight, kGreen);
    FocusWineDesktop();
    POINT swatch = SwatchPoint(61, 21);
    RightClickAt(swatch.x, swatch.y);
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FindWindowA("#32768", NULL)); }))
        << "no menu opened";
    RECT menu = {};
    GetWindowRect(FindWindowA("#32768", NULL), &menu);
    PressKey("s");
    ASSERT_TRUE(StillShows());
    // Far from the pointer, so clear of the loupe.
    POINT inMenu = {menu.right - 10, menu.bottom - 10};
    ASSERT_TRUE(PtInRect(&belowRight, inMenu)) << "the menu was not over the patch";
    EXPECT_EQ(kGreen, ScreenPixel(inMenu.x, inMenu.y)) << "the still shows the menu";
    PressKey("Escape");
    EXPECT_TRUE(StillEnds());
}

class StillOverPattern : public Still
{
  protected:
    void ShowBeforePicker() override
    {
        pattern_ = ShowTestPattern(kScreen);
    }

    void TearDown() override
    {
        CloseTestPattern(pattern_);
        Still::TearDown();
    }

    HWND pattern_ = NULL;
};

TEST_F(StillOverPattern, ArrowsMoveThePointerOnePixelAndTenWithShift)
{
    ASSERT_TRUE(pattern_ != NULL) << "the test pattern never showed";
    const POINT start = {300, 300};
    BeginStillAt(start);
    ASSERT_TRUE(SwatchShows(TestPatternColor(start.x, start.y)));
    const struct {
        const char *key;
        POINT to;
    } steps[] = {{"Right", {301, 300}}, {"Down", {301, 301}}, {"shift+Left", {291, 301}}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.key);
        PressKey(step.key);
        EXPECT_TRUE(WaitUntil([&] { return SamePoint(PointerPosition(), step.to); }, 2000))
            << "pointer at " << Describe(PointerPosition());
        EXPECT_TRUE(SwatchShows(TestPatternColor(step.to.x, step.to.y)));
    }
    PressKey("Escape");
    EXPECT_TRUE(StillEnds());
}

TEST_F(StillOverPattern, NoStillBeginsDuringADrag)
{
    ASSERT_TRUE(pattern_ != NULL) << "the test pattern never showed";
    POINT swatch = SwatchPoint(61, 35);
    MouseMoveTo(swatch.x, swatch.y);
    MouseDown();
    MouseMoveTo(300, 300);
    ASSERT_TRUE(SwatchShows(TestPatternColor(300, 300)));
    ASSERT_TRUE(FocusWindowsOwnXWindow(picker_.window));
    PressKey(kStillKeyName);
    PumpFor(500);
    EXPECT_EQ(NULL, FindWindowA("TANZEL_STILL", NULL));
    MouseMoveTo(310, 300);
    MouseUp();
    EXPECT_TRUE(SwatchShows(TestPatternColor(310, 300))) << "the drag went on to its end";
}

class StillAveraged : public Still
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\naverage=3\r\n";
    }
};

// Four white of nine, the black pixel in the centre: 4/9 of white's light.
TEST_F(StillAveraged, AThreeByThreeCheckerGivesItsMeanInLinearLight)
{
    const int cx = kPatchCentre.x - kPatchArea.left;
    const int cy = kPatchCentre.y - kPatchArea.top;
    const COLORREF grey178 = RGB(178, 178, 178);
    HWND patch = Patch(kPatchArea, RGB(0, 0, 0),
                       {{{cx - 1, cy, cx, cy + 1}, kWhite},
                        {{cx + 1, cy, cx + 2, cy + 1}, kWhite},
                        {{cx, cy - 1, cx + 1, cy}, kWhite},
                        {{cx, cy + 1, cx + 1, cy + 2}, kWhite}});
    BeginStillAt(kPatchCentre);
    EXPECT_TRUE(SwatchShows(grey178));
    ASSERT_TRUE(RepaintPatch(patch, kWhite));
    MouseMoveTo(kPatchCentre.x + 40, kPatchCentre.y);
    ASSERT_TRUE(SwatchShows(RGB(0, 0, 0)));
    MouseMoveTo(kPatchCentre.x, kPatchCentre.y);
    EXPECT_TRUE(SwatchShows(grey178)) << "the still's checker, not the white patch now";
    PressKey("Escape");
    EXPECT_TRUE(StillEnds());
}

// The picker leaves the key free for others: they can take it.
::testing::AssertionResult StillKeyIsFree()
{
    const int kTestKeyId = 9;
    if (!RegisterHotKey(NULL, kTestKeyId, MOD_CONTROL | MOD_SHIFT, VK_F9))
        return ::testing::AssertionFailure() << "someone holds Ctrl+Shift+F9";
    UnregisterHotKey(NULL, kTestKeyId);
    return ::testing::AssertionSuccess();
}

class StillKeyOff : public Still, public ::testing::WithParamInterface<const char *>
{
  protected:
    const char *PickerIni() override
    {
        ini_ = std::string("[tanzel]\r\nstillkey=") + GetParam() + "\r\n";
        return ini_.c_str();
    }

    std::string ini_;
};

TEST_P(StillKeyOff, TheKeyIsLeftToOtherProgramsAndNoStillShows)
{
    EXPECT_TRUE(StillKeyIsFree());
    RestPointerOn({300, 300});
    PressKey(kStillKeyName);
    PumpFor(500);
    EXPECT_EQ(NULL, FindWindowA("TANZEL_STILL", NULL));
}

// none; a value not understood; the pick key's own key.
INSTANTIATE_TEST_SUITE_P(Values, StillKeyOff,
                         ::testing::Values("none", "Ctrl+Shift+F99", "Ctrl+Shift+F8"));

TEST_F(Still, TheKeyIsTheStillKeyByDefault)
{
    EXPECT_FALSE(StillKeyIsFree());
}

} // namespace
