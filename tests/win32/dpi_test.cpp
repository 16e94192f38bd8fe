// Scaled displays: the picker samples the pixel really under the pointer,
// and its loupe stands beside it.
// The test sets a 150 % scale (144 dpi) for a child run of itself, because
// the scale is read when a process starts, and restores it afterwards.
#include "app/picker_state.h"
#include "app/startup.h"
#include "picker/dpi_awareness.h"
#include "picker/loupe.h"
#include "support/driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

const char kChildVariable[] = "TANZEL_DPI_CHILD";
const char kDesktopKey[] = "Control Panel\\Desktop";
const DWORD kScaledDpi = 144;

typedef HANDLE(WINAPI *SetContextFunction)(HANDLE);
const HANDLE kUnaware = reinterpret_cast<HANDLE>(-1);
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(-3);

bool IsChild()
{
    return std::getenv(kChildVariable) != NULL;
}

// Reads LogPixels (absent: -1) and sets it (value -1: deletes it).
LONG ReadLogPixels()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    LONG result =
        RegQueryValueExA(key, "LogPixels", NULL, &type, reinterpret_cast<BYTE *>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD ? static_cast<LONG>(value) : -1;
}

void WriteLogPixels(LONG value)
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL);
    if (value < 0) {
        RegDeleteValueA(key, "LogPixels");
    } else {
        DWORD dword = static_cast<DWORD>(value);
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE *>(&dword),
                       sizeof dword);
    }
    RegCloseKey(key);
}

TEST(ScaledDisplay, SamplesThePixelUnderThePointer)
{
    if (!IsChild()) {
        LONG saved = ReadLogPixels();
        WriteLogPixels(kScaledDpi);
        SetEnvironmentVariableA(kChildVariable, "1");
        char self[MAX_PATH];
        GetModuleFileNameA(NULL, self, MAX_PATH);
        std::string command = std::string("\"") + self + "\" --gtest_filter=ScaledDisplay.*";
        int code = RunAndWait(command.c_str(), 120000);
        SetEnvironmentVariableA(kChildVariable, NULL);
        WriteLogPixels(saved);
        EXPECT_EQ(0, code) << "the run at 144 dpi failed; its output is above";
        return;
    }

    SetContextFunction setContext = reinterpret_cast<SetContextFunction>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_TRUE(setContext != NULL);

    // Patch: left half one colour, right half another; the pointer rests in
    // the right half, whose scaled image (two thirds of the way) falls in the
    // left half.
    const RECT area = {300, 300, 900, 700};
    const COLORREF left = RGB(20, 120, 220);
    const COLORREF right = RGB(230, 90, 10);
    HWND patch = ShowColorPatch(area, left, {{{400, 0, 600, 400}, right}});
    const POINT physical = {850, 600};
    MouseMoveTo(physical.x, physical.y);
    ASSERT_EQ(right, ScreenPixel(physical.x, physical.y));

    // The fault being guarded against is really present in this run.
    HANDLE previous = setContext(kUnaware);
    ASSERT_TRUE(previous != NULL);
    POINT scaled;
    GetCursorPos(&scaled);
    ASSERT_EQ(MulDiv(physical.x, 96, kScaledDpi), scaled.x);
    ASSERT_EQ(left, ScreenPixel(scaled.x, scaled.y));

    // The picker runs unaware, as on Windows without a manifest.
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    RegisterPickerClass(instance);
    PrepareDpiAwareness();
    ASSERT_TRUE(CreatePickerWindow(instance, SW_SHOWNOACTIVATE));
    SendMessageA(g_picker.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    // The loupe stands beside the physical hot spot and shows its pixel, once
    // this thread has gone idle: only then does Wine put the pixels on the
    // screen. Read in physical pixels; pumped as the picker runs, unaware.
    RECT loupe = {};
    COLORREF shown = CLR_INVALID;
    WaitUntil([&] {
        HANDLE unaware = setContext(kPerMonitorAware);
        GetWindowRect(LoupeWindow(), &loupe);
        // Inside the ringed centre block, past the one-pixel border.
        const int centreBlock = 1 + 5 * 8 + 4;
        shown = ScreenPixel(loupe.left + centreBlock, loupe.top + centreBlock);
        setContext(unaware);
        return shown == right;
    });
    EXPECT_EQ(physical.x + 16, loupe.left);
    EXPECT_EQ(physical.y + 16, loupe.top);
    EXPECT_EQ(90, loupe.right - loupe.left);
    EXPECT_EQ(right, shown);
    SendMessageA(g_picker.mainWindow, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(static_cast<int>(GetRValue(right)), g_picker.sample.red);
    EXPECT_EQ(static_cast<int>(GetGValue(right)), g_picker.sample.green);
    EXPECT_EQ(static_cast<int>(GetBValue(right)), g_picker.sample.blue);

    POINT after;
    GetCursorPos(&after);
    EXPECT_EQ(scaled.x, after.x) << "the thread's own awareness was not restored";
    DestroyWindow(g_picker.mainWindow);
    setContext(previous);
    ClosePatch(patch);
}

} // namespace
