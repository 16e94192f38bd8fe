// The colour transfer, run in this process against the picker window made by
// the program's own code. Stand-in hosts live on a thread of their own with
// their own message loop, so every send crosses threads as it does for real,
// and their edits record each WM_SETTEXT that reaches them.
#include "app/picker_state.h"
#include "app/startup.h"
#include "picker/color_transfer.h"
#include "support/driver.h"
#include "support/host_dialog.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{

const int kDropButtonId = 1;

// ---- Stand-in hosts ----------------------------------------------------------

struct SetTextRecord {
    HWND dialog;
    int fieldId;
    WPARAM wParam;
    std::string text;
};

std::mutex g_recordLock;
std::vector<SetTextRecord> g_records;

std::vector<SetTextRecord> TakeRecords()
{
    std::lock_guard<std::mutex> lock(g_recordLock);
    std::vector<SetTextRecord> taken;
    taken.swap(g_records);
    return taken;
}

LRESULT CALLBACK RecordingEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    if (message == WM_SETTEXT) {
        std::lock_guard<std::mutex> lock(g_recordLock);
        g_records.push_back({GetParent(edit), GetDlgCtrlID(edit), wParam,
                             lParam ? reinterpret_cast<const char *>(lParam) : "(null)"});
    }
    return CallWindowProcA(original, edit, message, wParam, lParam);
}

struct FakeDialogPlan {
    std::string title;
    std::vector<int> fieldIds;
    bool visible;
};

const char kFakeDialogClass[] = "TanzelTestHostDialog";

void RegisterFakeDialogClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFakeDialogClass;
    RegisterClassA(&windowClass);
    registered = true;
}

HWND CreateFakeDialog(const FakeDialogPlan &plan, int index)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND dialog =
        CreateWindowExA(0, kFakeDialogClass, plan.title.c_str(),
                        WS_OVERLAPPED | WS_CAPTION | (plan.visible ? WS_VISIBLE : 0),
                        300 + 30 * index, 200 + 30 * index, 260, 160, NULL, NULL, instance, NULL);
    int y = 10;
    for (int id : plan.fieldIds) {
        HWND edit = CreateWindowExA(0, "EDIT", "0", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, y, 80,
                                    22, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    instance, NULL);
        LONG_PTR original =
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingEditProc));
        SetWindowLongPtrA(edit, GWLP_USERDATA, original);
        y += 28;
    }
    return dialog;
}

// Stand-in host dialogs, all on one thread of their own that pumps messages
// until the object goes.
class FakeHost
{
  public:
    explicit FakeHost(const std::vector<FakeDialogPlan> &plans)
    {
        std::promise<void> ready;
        std::future<void> created = ready.get_future();
        thread_ = std::thread([this, plans, &ready] {
            threadId_ = GetCurrentThreadId();
            RegisterFakeDialogClass();
            for (size_t i = 0; i < plans.size(); ++i)
                dialogs_.push_back(CreateFakeDialog(plans[i], static_cast<int>(i)));
            ready.set_value();
            MSG message;
            while (GetMessageA(&message, NULL, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            for (HWND dialog : dialogs_)
                DestroyWindow(dialog);
        });
        created.wait();
        PumpFor(50);
    }

    ~FakeHost()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    HWND Dialog(size_t index) const
    {
        return dialogs_[index];
    }

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
    std::vector<HWND> dialogs_;
};

FakeDialogPlan Host(const std::string &title, bool visible = true)
{
    return {title, {kRedFieldId, kGreenFieldId, kBlueFieldId}, visible};
}

// Whether window lies somewhere below other in the z-order.
bool IsBelow(HWND window, HWND other)
{
    for (HWND next = GetWindow(other, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == window)
            return true;
    return false;
}

void PlaceBelow(HWND lower, HWND upper)
{
    SetWindowPos(lower, upper, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::vector<SetTextRecord> ThreeFields(HWND dialog, const char *red, const char *green,
                                       const char *blue)
{
    return {{dialog, kRedFieldId, 3, red},
            {dialog, kGreenFieldId, 3, green},
            {dialog, kBlueFieldId, 3, blue}};
}

void ExpectRecords(const std::vector<SetTextRecord> &expected,
                   const std::vector<SetTextRecord> &actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(expected[i].dialog, actual[i].dialog);
        EXPECT_EQ(expected[i].fieldId, actual[i].fieldId);
        EXPECT_EQ(expected[i].wParam, actual[i].wParam);
        EXPECT_EQ(expected[i].text, actual[i].text);
    }
}

// ---- The picker --------------------------------------------------------------

HWND PickerWindow()
{
    static HWND picker = NULL;
    if (picker)
        return picker;
    HINSTANCE instance = GetModuleHandleA(NULL);
    LoadPickerNames(instance);
    RegisterPickerClass(instance);
    CreatePickerWindow(instance, SW_SHOWNORMAL);
    picker = g_picker.mainWindow;
    return picker;
}

// The Drop button's command, as a click on it sends it.
void ClickDrop(HWND picker)
{
    SendMessageA(picker, WM_COMMAND, MAKEWPARAM(kDropButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(picker, kDropButtonId)));
}

class ColorTransfer : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        picker_ = PickerWindow();
        ASSERT_NE(picker_, nullptr);
        ASSERT_NE(g_picker.window.focusSinkButton, nullptr);
        g_picker.sample = {255, 255, 255};
        TakeRecords();
    }

    void SetSample(int red, int green, int blue)
    {
        g_picker.sample = {red, green, blue};
    }

    // Runs one command and returns what the hosts received during it.
    std::vector<SetTextRecord> Transfer()
    {
        TakeRecords();
        SendColorToDialog(picker_, g_picker.sample);
        return TakeRecords();
    }

    HWND picker_ = NULL;
};

// ---- Which window receives ------------------------------------------------------

TEST_F(ColorTransfer, BeforeAnySampleWritesWhiteToAllThreeFields)
{
    FakeHost host({Host(kColorSettingsTitle)});
    ExpectRecords(ThreeFields(host.Dialog(0), "255", "255", "255"), Transfer());
}

TEST_F(ColorTransfer, WritesEachComponentAsPlainDecimal)
{
    struct Row {
        int red, green, blue;
        const char *redText, *greenText, *blueText;
    };
    const Row rows[] = {
        {0, 0, 0, "0", "0", "0"},
        {10, 200, 64, "10", "200", "64"},
        {7, 99, 100, "7", "99", "100"},
        {255, 1, 254, "255", "1", "254"},
    };
    FakeHost host({Host(kColorSettingsTitle)});
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.red) + "," + std::to_string(row.green) + "," +
                     std::to_string(row.blue));
        SetSample(row.red, row.green, row.blue);
        ExpectRecords(ThreeFields(host.Dialog(0), row.redText, row.greenText, row.blueText),
                      Transfer());
    }
}

TEST_F(ColorTransfer, ColourEditingTitleIsFoundAsWell)
{
    FakeHost host({Host(kColorEditingTitle)});
    SetSample(1, 2, 3);
    ExpectRecords(ThreeFields(host.Dialog(0), "1", "2", "3"), Transfer());
}

TEST_F(ColorTransfer, OnlyAWholeTargetTitleMatches)
{
    const std::string settings = kColorSettingsTitle;
    const std::string editing = kColorEditingTitle;
    char system[kHostTitleSize];
    ASSERT_TRUE(ReadSystemColorDialogTitle(system));
    const std::string systemTitle = system;
    const std::string nearMisses[] = {
        settings + " ",           " " + settings,    "x" + settings,
        settings + "2",           editing + "...",   settings + editing,
        settings.substr(0, 6),    // the first three characters only
        systemTitle + "\x82\xCC", // the system's own caption and one more character
        systemTitle + " x",       " " + systemTitle, "",
    };
    for (const std::string &title : nearMisses) {
        SCOPED_TRACE("title of " + std::to_string(title.size()) + " bytes");
        FakeHost host({Host(title)});
        EXPECT_TRUE(Transfer().empty());
    }
}

// The system's own dialog, unrenamed, is titled in the user's language: in a
// Japanese Wine the single character for colour.
TEST_F(ColorTransfer, TheSystemDialogsOwnCaptionIsAHostTitle)
{
    char system[kHostTitleSize];
    ASSERT_TRUE(ReadSystemColorDialogTitle(system));
    EXPECT_STREQ("\x90\x46", system);
    FakeHost host({Host(system)});
    SetSample(9, 8, 7);
    ExpectRecords(ThreeFields(host.Dialog(0), "9", "8", "7"), Transfer());
}

TEST_F(ColorTransfer, ExtraTitlesMatchAsWholeTitlesToo)
{
    const std::string longest(255, 'A');
    const char *const extra[] = {"Edit Colors", longest.c_str()};
    SetExtraHostTitles(extra, 2);
    const struct {
        std::string title;
        bool receives;
    } rows[] = {
        {"Edit Colors", true},   {"edit colors", true},  {longest, true},
        {"Edit Colors ", false}, {longest + "B", false}, {"Edit", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE("title of " + std::to_string(row.title.size()) + " bytes");
        FakeHost host({Host(row.title)});
        EXPECT_EQ(row.receives, !Transfer().empty());
    }
    SetExtraHostTitles(NULL, 0);
}

TEST_F(ColorTransfer, OfTwoMatchingDialogsOnlyTheLowerReceives)
{
    for (int lowerIndex = 0; lowerIndex < 2; ++lowerIndex) {
        SCOPED_TRACE("lower dialog created " + std::string(lowerIndex ? "second" : "first"));
        FakeHost host({Host(kColorSettingsTitle), Host(kColorEditingTitle)});
        HWND lower = host.Dialog(lowerIndex);
        HWND upper = host.Dialog(1 - lowerIndex);
        PlaceBelow(lower, upper);
        ASSERT_TRUE(IsBelow(lower, upper));
        SetSample(40, 50, 60);
        std::vector<SetTextRecord> records = Transfer();
        ASSERT_TRUE(IsBelow(lower, upper));
        ExpectRecords(ThreeFields(lower, "40", "50", "60"), records);
    }
}

TEST_F(ColorTransfer, HiddenMatchingDialogTakesPart)
{
    {
        FakeHost host({Host(kColorSettingsTitle, false)});
        ASSERT_FALSE(IsWindowVisible(host.Dialog(0)));
        ExpectRecords(ThreeFields(host.Dialog(0), "255", "255", "255"), Transfer());
    }
    {
        FakeHost host({Host(kColorSettingsTitle, true), Host(kColorSettingsTitle, false)});
        HWND hidden = host.Dialog(1);
        PlaceBelow(hidden, host.Dialog(0));
        ASSERT_TRUE(IsBelow(hidden, host.Dialog(0)));
        ExpectRecords(ThreeFields(hidden, "255", "255", "255"), Transfer());
    }
}

TEST_F(ColorTransfer, HostLackingGreenFieldStillGetsRedAndBlue)
{
    FakeHost host({{kColorSettingsTitle, {kRedFieldId, kBlueFieldId}, true}});
    SetSample(11, 22, 33);
    ExpectRecords({{host.Dialog(0), kRedFieldId, 3, "11"}, {host.Dialog(0), kBlueFieldId, 3, "33"}},
                  Transfer());
}

TEST_F(ColorTransfer, PickerNeverSendsToItself)
{
    // Give the picker a target title and a recording red field of its own.
    HWND ownField = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, picker_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRedFieldId)),
                                    GetModuleHandleA(NULL), NULL);
    SetWindowLongPtrA(
        ownField, GWLP_USERDATA,
        SetWindowLongPtrA(ownField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingEditProc)));
    SetWindowTextA(picker_, kColorSettingsTitle);
    std::vector<SetTextRecord> records = Transfer();
    SetWindowTextA(picker_, g_picker.windowTitle);
    DestroyWindow(ownField);
    EXPECT_TRUE(records.empty());
}

TEST_F(ColorTransfer, EachCommandSendsEachFieldExactlyOnceInOrder)
{
    FakeHost host({Host(kColorSettingsTitle)});
    SetSample(1, 2, 3);
    std::vector<SetTextRecord> records = Transfer();
    SetSample(4, 5, 6);
    for (const SetTextRecord &record : Transfer())
        records.push_back(record);
    std::vector<SetTextRecord> expected = ThreeFields(host.Dialog(0), "1", "2", "3");
    for (const SetTextRecord &record : ThreeFields(host.Dialog(0), "4", "5", "6"))
        expected.push_back(record);
    ExpectRecords(expected, records);
}

TEST_F(ColorTransfer, DropButtonCommandRunsTheTransfer)
{
    FakeHost host({Host(kColorSettingsTitle)});
    SetSample(9, 8, 7);
    HWND drop = GetDlgItem(picker_, kDropButtonId);
    ASSERT_NE(drop, nullptr);
    TakeRecords();
    SendMessageA(picker_, WM_COMMAND, MAKEWPARAM(kDropButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(drop));
    ExpectRecords(ThreeFields(host.Dialog(0), "9", "8", "7"), TakeRecords());
}

// ---- Focus -------------------------------------------------------------------------

TEST_F(ColorTransfer, FocusSinkHoldsTheFocusAfterEveryCommand)
{
    HWND drop = GetDlgItem(picker_, kDropButtonId);
    ASSERT_NE(drop, nullptr);
    for (int withHost = 0; withHost < 2; ++withHost) {
        SCOPED_TRACE(withHost ? "with a host" : "without a host");
        std::vector<FakeDialogPlan> plans;
        if (withHost)
            plans.push_back(Host(kColorSettingsTitle));
        FakeHost host(plans);
        for (int command = 0; command < 3; ++command) {
            SetFocus(drop);
            ASSERT_EQ(GetFocus(), drop);
            TakeRecords();
            ClickDrop(picker_);
            std::vector<SetTextRecord> records = TakeRecords();
            EXPECT_EQ(GetFocus(), g_picker.window.focusSinkButton);
            EXPECT_EQ(records.size(), withHost ? 3u : 0u);
        }
    }
}

// ---- A host that stopped answering --------------------------------------------------
// The hung host is another process: a window of this process on a stopped
// thread would already be asked for its title by a message that never returns.

DWORD MeasureTransferMs(HWND picker)
{
    DWORD start = GetTickCount();
    ClickDrop(picker);
    return GetTickCount() - start;
}

TEST_F(ColorTransfer, FreshlyStalledHostCostsOneWaitAndGetsNoFurtherField)
{
    HostProcess host;
    // The host takes the target title at the moment its thread stops pumping.
    ASSERT_TRUE(StartHost(&host, "--rgb 0x000000 --stall 9000", kColorSettingsTitle));
    SetSample(10, 200, 64);
    DWORD elapsed = MeasureTransferMs(picker_);
    EXPECT_GE(elapsed, 1000u) << "the host answered, so it was not stalled";
    EXPECT_LT(elapsed, 3500u) << "waited on more than one field";
    EXPECT_EQ(GetFocus(), g_picker.window.focusSinkButton);

    // Once it pumps again, the fields after the one that timed out are unchanged.
    ASSERT_TRUE(WaitUntil(
        [&] {
            DWORD_PTR result;
            return SendMessageTimeoutA(host.dialog, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result) != 0;
        },
        15000));
    PumpFor(300);
    EXPECT_EQ(FieldText(host.dialog, kGreenFieldId), "0");
    EXPECT_EQ(FieldText(host.dialog, kBlueFieldId), "0");
    EndHost(&host);
}

TEST_F(ColorTransfer, LongHungHostIsGivenUpAtOnce)
{
    HostProcess host;
    ASSERT_TRUE(StartHost(&host, "--stall 15000", kColorSettingsTitle));
    // Past five seconds without pumping the system counts the host as hung.
    Sleep(6500);
    DWORD elapsed = MeasureTransferMs(picker_);
    EXPECT_LT(elapsed, 1000u);
    EndHost(&host);
}

TEST_F(ColorTransfer, LiveHostAfterAHungOneIsServedAgain)
{
    {
        HostProcess hung;
        ASSERT_TRUE(StartHost(&hung, "--stall 9000", kColorSettingsTitle));
        MeasureTransferMs(picker_);
        EndHost(&hung);
    }
    FakeHost host({Host(kColorSettingsTitle)});
    SetSample(3, 2, 1);
    ExpectRecords(ThreeFields(host.Dialog(0), "3", "2", "1"), Transfer());
}

// ---- The real colour dialog as host ---------------------------------------------------

TEST_F(ColorTransfer, RealColourDialogReturnsTheSentColour)
{
    HostProcess host;
    ASSERT_TRUE(StartHost(&host, "--rgb 0x000000", kColorSettingsTitle));
    SetSample(10, 200, 64);
    SendColorToDialog(picker_, g_picker.sample);
    EXPECT_EQ(FieldText(host.dialog, kRedFieldId), "10");
    EXPECT_EQ(FieldText(host.dialog, kGreenFieldId), "200");
    EXPECT_EQ(FieldText(host.dialog, kBlueFieldId), "64");
    PressHostOk(host);
    EXPECT_EQ(WaitForHostExit(&host), 0);
    EXPECT_EQ(ReadHostResult(host), "rgbResult=0x0040C80A red=10 green=200 blue=64");
}

TEST_F(ColorTransfer, RealColourDialogTitledForEditingIsFound)
{
    HostProcess host;
    ASSERT_TRUE(StartHost(&host, "--title-edit --rgb 0x000000", kColorEditingTitle));
    SetSample(255, 0, 128);
    SendColorToDialog(picker_, g_picker.sample);
    PressHostOk(host);
    EXPECT_EQ(WaitForHostExit(&host), 0);
    EXPECT_EQ(ReadHostResult(host), "rgbResult=0x008000FF red=255 green=0 blue=128");
}

TEST_F(ColorTransfer, RealColourDialogCancelledReportsNoColour)
{
    HostProcess host;
    ASSERT_TRUE(StartHost(&host, "", kColorSettingsTitle));
    SendColorToDialog(picker_, g_picker.sample);
    PostMessageA(host.dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(host.dialog, IDCANCEL)));
    EXPECT_EQ(WaitForHostExit(&host), 1);
    EXPECT_EQ(ReadHostResult(host), "cancelled");
}

} // namespace
