// Drop with the real tanzel.exe, real mouse and keyboard input, and the real
// colour dialog (tanzel_host.exe) as host.
#include "support/host_dialog.h"
#include "support/picker_session.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{

const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const RECT kSecondPatchArea = {40, 400, 240, 600};
const POINT kSecondPatchCentre = {140, 500};
// Clear of the picker, which starts centred on the screen.
const char kHostPlacement[] = "--x 600 --y 20";
// The colour dialog's own title in a Japanese Wine, from its comdlg32.
const char kSystemColorDialogTitle[] = "\x90\x46";

const int kFocusSinkId = 0;

class Transfer : public PickerSession
{
  protected:
    void TearDown() override
    {
        EndHost(&host_);
        PickerSession::TearDown();
    }

    void StartColorDialog(const std::string &options = "", const char *title = kColorSettingsTitle)
    {
        ASSERT_TRUE(StartHost(&host_, std::string(kHostPlacement) + " --rgb 0 " + options, title));
        PumpFor(300);
    }

    // Drop, then OK: the dialog returns the colour 10, 200, 64.
    void DropAndOkReturnTheColour()
    {
        ClickDrop();
        EXPECT_TRUE(FieldsShow("10", "200", "64"));
        PressHostOk(host_);
        EXPECT_EQ(WaitForHostExit(&host_), 0);
        EXPECT_EQ(ReadHostResult(host_), "rgbResult=0x0040C80A red=10 green=200 blue=64");
    }

    void PickFrom(POINT where)
    {
        DragMouse(SwatchPoint(61, 35), where);
    }

    void ClickDrop()
    {
        POINT drop = DropPoint();
        ClickAt(drop.x, drop.y);
    }

    // Waits for the host's three fields to hold the texts.
    ::testing::AssertionResult FieldsShow(const std::string &red, const std::string &green,
                                          const std::string &blue)
    {
        auto current = [&] {
            return FieldText(host_.dialog, kRedFieldId) + "," +
                   FieldText(host_.dialog, kGreenFieldId) + "," +
                   FieldText(host_.dialog, kBlueFieldId);
        };
        std::string wanted = red + "," + green + "," + blue;
        if (WaitUntil([&] { return current() == wanted; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "fields hold " << current() << ", not " << wanted;
    }

    void ClearFields()
    {
        for (int id : {kRedFieldId, kGreenFieldId, kBlueFieldId})
            SetDlgItemTextA(host_.dialog, id, "");
    }

    // The keyboard focus on the picker's thread is the focus sink: the button
    // with id 0 and text "hide".
    ::testing::AssertionResult FocusSinkHasFocus()
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        DWORD thread = GetWindowThreadProcessId(picker_.window, NULL);
        bool ok = WaitUntil(
            [&] {
                if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus)
                    return false;
                char text[16] = {};
                GetWindowTextA(info.hwndFocus, text, sizeof text);
                return GetParent(info.hwndFocus) == picker_.window &&
                       GetDlgCtrlID(info.hwndFocus) == kFocusSinkId && std::string(text) == "hide";
            },
            3000);
        if (ok)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "focus is on " << info.hwndFocus << " (id "
               << (info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : -1) << ")";
    }

    HostProcess host_ = {};
};

TEST_F(Transfer, DropWritesThePickedColourAndOkReturnsIt)
{
    StartColorDialog();
    Patch(kPatchArea, RGB(10, 200, 64));
    PickFrom(kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(10, 200, 64)));
    ClickDrop();
    EXPECT_TRUE(FieldsShow("10", "200", "64"));
    EXPECT_TRUE(FocusSinkHasFocus());

    PressHostOk(host_);
    EXPECT_EQ(WaitForHostExit(&host_), 0);
    EXPECT_EQ(ReadHostResult(host_), "rgbResult=0x0040C80A red=10 green=200 blue=64");
}

TEST_F(Transfer, DropReachesTheSystemsOwnDialogUnderTheTitleTheSystemGaveIt)
{
    ASSERT_NO_FATAL_FAILURE(StartColorDialog("--title-system", kSystemColorDialogTitle));
    Patch(kPatchArea, RGB(10, 200, 64));
    PickFrom(kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(10, 200, 64)));
    DropAndOkReturnTheColour();
}

class TitledTransfer : public Transfer
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\ntitles=Edit Colors|Farbe\r\n";
    }
};

TEST_F(TitledTransfer, DialogsUnderTheTitlesOfTheIniReceiveDrop)
{
    Patch(kPatchArea, RGB(10, 200, 64));
    PickFrom(kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(10, 200, 64)));
    for (const char *title : {"Edit Colors", "Farbe"}) {
        SCOPED_TRACE(title);
        ASSERT_NO_FATAL_FAILURE(StartColorDialog(std::string("--title \"") + title + "\"", title));
        DropAndOkReturnTheColour();
    }
}

TEST_F(Transfer, DropBeforeAnySampleWritesWhite)
{
    StartColorDialog();
    ASSERT_TRUE(FieldsShow("0", "0", "0"));
    ClickDrop();
    EXPECT_TRUE(FieldsShow("255", "255", "255"));
    PressHostOk(host_);
    EXPECT_EQ(WaitForHostExit(&host_), 0);
    EXPECT_EQ(ReadHostResult(host_), "rgbResult=0x00FFFFFF red=255 green=255 blue=255");
}

TEST_F(Transfer, FocusSinkHasTheFocusAfterDropWithoutAHost)
{
    for (int command = 0; command < 2; ++command) {
        ClickDrop();
        EXPECT_TRUE(FocusSinkHasFocus()) << "after command " << command;
    }
}

TEST_F(Transfer, SpaceBarRepeatsTheTransfer)
{
    StartColorDialog();
    Patch(kPatchArea, RGB(1, 128, 254));
    PickFrom(kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(1, 128, 254)));
    ClickDrop();
    ASSERT_TRUE(FieldsShow("1", "128", "254"));
    ASSERT_TRUE(FocusSinkHasFocus());

    ClearFields();
    ASSERT_TRUE(FieldsShow("", "", ""));
    FocusWineDesktop();
    POINT rest = SwatchPoint(2, 40);
    MouseMoveTo(rest.x, rest.y);
    PressKey("space");
    EXPECT_TRUE(FieldsShow("1", "128", "254"));
    EXPECT_TRUE(FocusSinkHasFocus());
}

// The road a user takes with the stand-in host alone: pick the colour the
// dialog itself shows, Drop, OK, and the dialog returns that very colour.
TEST_F(Transfer, ColourPickedFromTheDialogsOwnPreviewRoundTrips)
{
    const int kCurrentColorBoxId = 709;
    ASSERT_TRUE(
        StartHost(&host_, std::string(kHostPlacement) + " --rgb 0x00204080", kColorSettingsTitle));
    HWND preview = GetDlgItem(host_.dialog, kCurrentColorBoxId);
    ASSERT_NE(preview, nullptr);
    RECT box;
    GetWindowRect(preview, &box);
    POINT inside = {box.left + 4, (box.top + box.bottom) / 2};
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(inside.x, inside.y) == RGB(0x80, 0x40, 0x20); }))
        << "preview shows " << Describe(ScreenPixel(inside.x, inside.y));

    PickFrom(inside);
    ASSERT_TRUE(SwatchShows(RGB(0x80, 0x40, 0x20)));
    // The user wanders off to another colour before the Drop brings it back.
    for (int id : {kRedFieldId, kGreenFieldId, kBlueFieldId})
        SetDlgItemTextA(host_.dialog, id, "7");
    ASSERT_TRUE(FieldsShow("7", "7", "7"));
    ClickDrop();
    ASSERT_TRUE(FieldsShow("128", "64", "32"));
    PressHostOk(host_);
    EXPECT_EQ(WaitForHostExit(&host_), 0);
    EXPECT_EQ(ReadHostResult(host_), "rgbResult=0x00204080 red=128 green=64 blue=32");
}

// ---- A host that stopped pumping messages ---------------------------------------

// A stand-in host dialog of this process on a thread that stops pumping as
// soon as its window exists, until released.
class StalledHost
{
  public:
    StalledHost()
    {
        created_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        release_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        thread_ = std::thread([this] {
            HINSTANCE instance = GetModuleHandleA(NULL);
            // Shown without activation: the stalled thread never owns the foreground.
            dialog_ = CreateWindowExA(0, "STATIC", kColorSettingsTitle, WS_OVERLAPPED | WS_CAPTION,
                                      600, 20, 260, 140, NULL, NULL, instance, NULL);
            for (int i = 0; i < 3; ++i)
                CreateWindowExA(0, "EDIT", "0", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10 + 28 * i,
                                80, 22, dialog_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRedFieldId + i)),
                                instance, NULL);
            ShowWindow(dialog_, SW_SHOWNOACTIVATE);
            SetEvent(created_);
            WaitForSingleObject(release_, INFINITE);
            DestroyWindow(dialog_);
        });
        WaitForSingleObject(created_, 10000);
    }

    ~StalledHost()
    {
        Release();
        CloseHandle(created_);
        CloseHandle(release_);
    }

    void Release()
    {
        SetEvent(release_);
        if (thread_.joinable())
            thread_.join();
    }

    bool StillStalled() const
    {
        return WaitForSingleObject(release_, 0) == WAIT_TIMEOUT;
    }

  private:
    HANDLE created_ = NULL;
    HANDLE release_ = NULL;
    HWND dialog_ = NULL;
    std::thread thread_;
};

TEST_F(Transfer, HungHostNeitherFreezesNorBlocksClosing)
{
    Patch(kPatchArea, RGB(200, 30, 30));
    Patch(kSecondPatchArea, RGB(30, 30, 200));
    PickFrom(kPatchCentre);
    ASSERT_TRUE(SwatchShows(RGB(200, 30, 30)));

    StalledHost hung;
    ClickDrop();
    DWORD dropped = GetTickCount();
    PickFrom(kSecondPatchCentre);
    EXPECT_TRUE(SwatchShows(RGB(30, 30, 200), 8000));
    DWORD elapsed = GetTickCount() - dropped;
    EXPECT_LT(elapsed, 6000u) << "a new sample took " << elapsed << " ms after Drop";
    ASSERT_TRUE(hung.StillStalled());

    // A second Drop, now that the host has hung for a while, also returns.
    ClickDrop();
    EXPECT_EQ(0, CloseTanzel(&picker_, 8000));
    EXPECT_TRUE(hung.StillStalled());
    hung.Release();
}

} // namespace
