// The pick key with the real tanzel.exe: pressed with another program in
// front and the pointer resting on a colour, held by another program first,
// and turned off. Real keyboard and pointer input.
#include "support/host_dialog.h"
#include "support/picker_session.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace
{

const char kPickKeyName[] = "ctrl+shift+F8";
const UINT kPickKeyModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kPickKeyCode = VK_F8;
const int kTestKeyId = 7;

const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const RECT kSecondPatchArea = {40, 400, 240, 600};
const POINT kSecondPatchCentre = {140, 500};
// Clear of the picker, which starts centred on the screen.
const char kHostPlacement[] = "--x 600 --y 20";

BOOL CALLBACK CountIfVisibleAndOf(HWND window, LPARAM parameter)
{
    auto *search = reinterpret_cast<std::pair<DWORD, int> *>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search->second += owner == search->first && IsWindowVisible(window);
    return TRUE;
}

int CountVisibleWindowsOf(DWORD processId)
{
    std::pair<DWORD, int> search(processId, 0);
    EnumWindows(CountIfVisibleAndOf, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// ---- A window of this process that takes keys as another program would ----

int g_hotKeysReceived = 0;

LRESULT CALLBACK CountHotKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY)
        ++g_hotKeysReceived;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateKeyOwner()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountHotKeys;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TanzelTestKeyOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "key owner", WS_OVERLAPPED, 0, 0, 10, 10,
                           NULL, NULL, windowClass.hInstance, NULL);
}

class PickKey : public PickerSession
{
  protected:
    const char *PickerIni() override
    {
        return "";
    }

    void TearDown() override
    {
        if (keyOwner_) {
            UnregisterHotKey(keyOwner_, kTestKeyId);
            DestroyWindow(keyOwner_);
            keyOwner_ = NULL;
        }
        EndHost(&host_);
        PickerSession::TearDown();
    }

    // Registers the pick key on a window of this process; false when someone
    // else holds it.
    bool TakeThePickKey()
    {
        keyOwner_ = CreateKeyOwner();
        g_hotKeysReceived = 0;
        return keyOwner_ &&
               RegisterHotKey(keyOwner_, kTestKeyId, kPickKeyModifiers, kPickKeyCode) != FALSE;
    }

    ::testing::AssertionResult KeyOwnerReceivesTheKey()
    {
        if (WaitUntil([] { return g_hotKeysReceived == 1; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << g_hotKeysReceived << " WM_HOTKEY received";
    }

    // Rests the pointer on where, with the keys going to Wine.
    void RestPointerOn(POINT where)
    {
        FocusWineDesktop();
        MouseMoveTo(where.x, where.y);
        ASSERT_TRUE(WaitUntil([&] { return SamePoint(PointerPosition(), where); }, 2000))
            << "pointer at " << Describe(PointerPosition());
    }

    HWND keyOwner_ = NULL;
    HostProcess host_ = {};
};

struct KeyPick {
    RECT area;
    POINT centre;
    COLORREF color;
    const char *recent; // tanzel.ini's recent= after the pick
};

const KeyPick kKeyPicks[] = {
    {kPatchArea, kPatchCentre, RGB(10, 200, 64), "0AC840"},
    {kSecondPatchArea, kSecondPatchCentre, RGB(171, 205, 239), "ABCDEF 0AC840"},
};

TEST_F(PickKey, PicksUnderThePointerWithAnotherProgramInFront)
{
    for (const KeyPick &pick : kKeyPicks)
        Patch(pick.area, pick.color);
    ASSERT_TRUE(StartHost(&host_, kHostPlacement, kColorSettingsTitle));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == host_.dialog; }))
        << "the host never came to the front";
    GUITHREADINFO hostThread = {};
    hostThread.cbSize = sizeof hostThread;
    DWORD hostThreadId = GetWindowThreadProcessId(host_.dialog, NULL);

    for (const KeyPick &pick : kKeyPicks) {
        SCOPED_TRACE(pick.recent);
        RestPointerOn(pick.centre);
        ASSERT_EQ(host_.dialog, GetForegroundWindow());
        ASSERT_TRUE(GetGUIThreadInfo(hostThreadId, &hostThread));
        HWND focusBefore = hostThread.hwndFocus;
        PressKey(kPickKeyName);
        EXPECT_TRUE(SwatchShows(pick.color));

        EXPECT_EQ(host_.dialog, GetForegroundWindow());
        ASSERT_TRUE(GetGUIThreadInfo(hostThreadId, &hostThread));
        EXPECT_EQ(focusBefore, hostThread.hwndFocus);
        POINT pointer = PointerPosition();
        EXPECT_TRUE(SamePoint(pick.centre, pointer)) << "pointer at " << Describe(pointer);
        auto recent = [&] { return IniValueIn(IniPathIn(pickerDirectory_), "recent"); };
        EXPECT_TRUE(WaitUntil([&] { return recent() == pick.recent; })) << "recent=" << recent();
    }
}

class PickKeyTaken : public PickKey
{
  protected:
    void ShowBeforePicker() override
    {
        keyTaken_ = TakeThePickKey();
    }

    bool keyTaken_ = false;
};

TEST_F(PickKeyTaken, PickerStartsAndPicksWhileTheOtherProgramKeepsTheKey)
{
    ASSERT_TRUE(keyTaken_) << "the key was not free before the picker started";
    Patch(kPatchArea, RGB(10, 200, 64));
    Patch(kSecondPatchArea, RGB(171, 205, 239));
    DragMouse(SwatchPoint(61, 35), kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(10, 200, 64)));
    EXPECT_EQ(1, CountVisibleWindowsOf(picker_.info.dwProcessId)) << "a message box perhaps";

    RestPointerOn(kSecondPatchCentre);
    PressKey(kPickKeyName);
    EXPECT_TRUE(KeyOwnerReceivesTheKey());
    EXPECT_TRUE(SwatchShows(RGB(10, 200, 64), 0));
}

class PickKeyOff : public PickKey
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\npickkey=none\r\n";
    }
};

TEST_F(PickKeyOff, TheKeyIsLeftToOtherPrograms)
{
    Patch(kPatchArea, RGB(10, 200, 64));
    ASSERT_TRUE(TakeThePickKey()) << "the picker holds the key";
    RestPointerOn(kPatchCentre);
    PressKey(kPickKeyName);
    EXPECT_TRUE(KeyOwnerReceivesTheKey());
    EXPECT_TRUE(SwatchIsPlainWhite());
}

} // namespace
