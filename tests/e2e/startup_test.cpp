// Start-up, single instance, the window's shape and place, and the exit code.
#include "support/driver.h"

#include <gtest/gtest.h>

namespace
{

const DWORD kPickerStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class StartUp : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EndStartedPrograms();
    }
    void TearDown() override
    {
        if (picker_.info.hProcess)
            CloseTanzel(&picker_);
        EndStartedPrograms();
    }
    TanzelProcess picker_ = {};
};

TEST_F(StartUp, ShowsExactlyOnePickerWindow)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    EXPECT_EQ(1u, FindPickerWindows().size());
    EXPECT_TRUE(IsWindowVisible(picker_.window));
}

TEST_F(StartUp, ASecondStartExitsWithZeroAndLeavesOneWindow)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    HWND foreground = GetForegroundWindow();
    DWORD start = GetTickCount();
    EXPECT_EQ(0, RunAndWait("\"" TANZEL_EXE_PATH "\"", 10000));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(1u, FindPickerWindows().size());
    EXPECT_EQ(foreground, GetForegroundWindow()) << "the running picker was brought forward";
}

TEST_F(StartUp, AWindowOfTheSameClassWithAnotherTitleIsNoInstance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TANZEL";
    ASSERT_TRUE(RegisterClassA(&windowClass));
    HWND impostor = CreateWindowExA(0, "TANZEL", "not tanzel", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                    NULL, NULL, windowClass.hInstance, NULL);
    ASSERT_TRUE(impostor != NULL);
    EXPECT_TRUE(StartTanzel(&picker_)) << "the picker refused to start";
    DestroyWindow(impostor);
    UnregisterClassA("TANZEL", windowClass.hInstance);
}

TEST_F(StartUp, WindowIsATopmostFixedSizeCaptionWithA134By88ClientArea)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    RECT client;
    GetClientRect(picker_.window, &client);
    EXPECT_EQ(134, client.right - client.left);
    EXPECT_EQ(88, client.bottom - client.top);

    LONG style = GetWindowLongA(picker_.window, GWL_STYLE);
    EXPECT_EQ(kPickerStyle, static_cast<DWORD>(style) & kPickerStyle);
    EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    LONG exStyle = GetWindowLongA(picker_.window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    char className[32] = {};
    GetClassNameA(picker_.window, className, sizeof className);
    EXPECT_STREQ("TANZEL", className);
    char title[32] = {};
    GetWindowTextA(picker_.window, title, sizeof title);
    EXPECT_STREQ("tanzel", title);
}

TEST_F(StartUp, WindowIsCentredOnThePrimaryScreenWhenNoPositionIsStored)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    RECT outer;
    RECT client;
    GetWindowRect(picker_.window, &outer);
    GetClientRect(picker_.window, &client);
    int frameWidth = (outer.right - outer.left) - client.right;
    int frameHeight = (outer.bottom - outer.top) - client.bottom;
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - frameWidth - 134) / 2, outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - frameHeight - 88) / 2, outer.top);
}

TEST_F(StartUp, ButtonsSitWhereTheLayoutPutsThem)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    const struct {
        int id;
        const char *text;
        RECT rect;
    } buttons[] = {{1, "Drop", {27, 54, 107, 82}}, {0, "hide", {-999, -999, -919, -971}}};
    for (const auto &button : buttons) {
        SCOPED_TRACE(button.text);
        HWND control = GetDlgItem(picker_.window, button.id);
        ASSERT_TRUE(control != NULL);
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_EQ(0, lstrcmpiA("Button", className));
        char text[16] = {};
        GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(button.text, text);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(NULL, picker_.window, reinterpret_cast<POINT *>(&rect), 2);
        EXPECT_EQ(button.rect.left, rect.left);
        EXPECT_EQ(button.rect.top, rect.top);
        EXPECT_EQ(button.rect.right, rect.right);
        EXPECT_EQ(button.rect.bottom, rect.bottom);
    }
}

TEST_F(StartUp, BackgroundIsTheScrollbarSystemColour)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    // The test prefix sets this colour apart from white and from the swatch.
    COLORREF expected = GetSysColor(COLOR_SCROLLBAR);
    ASSERT_NE(RGB(255, 255, 255), expected);
    const POINT points[] = {{2, 2}, {131, 50}, {3, 85}, {130, 85}};
    for (POINT point : points) {
        POINT screen = ClientPointOnScreen(picker_.window, point.x, point.y);
        // The first paint reaches the screen when the picker's thread goes idle.
        COLORREF shown = CLR_INVALID;
        WaitUntil([&] { return (shown = ScreenPixel(screen.x, screen.y)) == expected; });
        EXPECT_EQ(expected, shown) << point.x << "," << point.y;
    }
}

TEST_F(StartUp, ClosingEndsTheProcessWithExitCodeZero)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    EXPECT_EQ(0, CloseTanzel(&picker_));
    EXPECT_TRUE(FindPickerWindows().empty());
}

TEST_F(StartUp, ClosingByTheSystemMenuKeyEndsTheProcessWithExitCodeZero)
{
    ASSERT_TRUE(StartTanzel(&picker_));
    PostMessageA(picker_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1;
    ASSERT_TRUE(
        WaitUntil([&] { return WaitForSingleObject(picker_.info.hProcess, 0) == WAIT_OBJECT_0; }));
    GetExitCodeProcess(picker_.info.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(picker_.info.hProcess);
    CloseHandle(picker_.info.hThread);
    picker_ = {};
}

} // namespace
