#include "support/picker_session.h"

#include "support/keyboard.h"

namespace
{

const int kSwatchPixels = 122 * 42;

} // namespace

int CountDifferences(const std::vector<COLORREF> &actual, const std::vector<COLORREF> &expected)
{
    int differences = 0;
    for (size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        differences += actual[i] != expected[i];
    return differences + static_cast<int>(actual.size() != expected.size());
}

std::string Describe(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

std::string Describe(POINT point)
{
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

void PickerSession::SetUp()
{
    EndStartedPrograms();
    ShowBeforePicker();
    const char *ini = PickerIni();
    if (ini) {
        pickerDirectory_ = MakeFreshDirectory("picker");
        WriteBytes(IniPathIn(pickerDirectory_), ini);
        PreparePickerDirectory();
    }
    ASSERT_TRUE(StartTanzel(&picker_, ini ? pickerDirectory_.c_str() : NULL));
}

void PickerSession::TearDown()
{
    ReleaseMouseIfHeld();
    for (HWND patch : patches_)
        ClosePatch(patch);
    patches_.clear();
    if (picker_.info.hProcess) {
        EXPECT_EQ(0, CloseTanzel(&picker_));
    }
    EndStartedPrograms();
}

HWND PickerSession::Patch(RECT area, COLORREF color, const std::vector<ColorBand> &bands)
{
    HWND patch = ShowColorPatch(area, color, bands);
    EXPECT_TRUE(patch != NULL) << "the patch of " << Describe(color) << " never showed";
    if (patch)
        patches_.push_back(patch);
    return patch;
}

POINT PickerSession::SwatchPoint(int x, int y)
{
    return ClientPointOnScreen(picker_.window, 6 + x, 6 + y);
}

POINT PickerSession::DropPoint()
{
    return ClientPointOnScreen(picker_.window, 27 + 40, 54 + 14);
}

::testing::AssertionResult PickerSession::SwatchShows(COLORREF color, DWORD timeoutMs)
{
    std::vector<COLORREF> expected =
        RenderExpectedSwatch(GetRValue(color), GetGValue(color), GetBValue(color));
    int differences = 0;
    WaitUntil(
        [&] {
            differences = CountDifferences(ReadSwatch(picker_.window), expected);
            return differences == 0;
        },
        timeoutMs);
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << differences << " of " << kSwatchPixels << " swatch pixels differ from "
           << Describe(color) << "; top-left shows " << Describe(ReadSwatch(picker_.window)[0]);
}

::testing::AssertionResult PickerSession::SwatchIsPlainWhite()
{
    for (COLORREF pixel : ReadSwatch(picker_.window))
        if (pixel != RGB(255, 255, 255))
            return ::testing::AssertionFailure() << "found " << Describe(pixel);
    return ::testing::AssertionSuccess();
}

namespace
{

bool IsMenuOpen()
{
    return IsWindowVisible(FindWindowA("#32768", NULL)) != FALSE;
}

} // namespace

void PickerSession::OpenMenu()
{
    FocusWineDesktop();
    POINT swatch = SwatchPoint(61, 21);
    RightClickAt(swatch.x, swatch.y);
    ASSERT_TRUE(WaitUntil(IsMenuOpen)) << "no menu opened";
}

void PickerSession::ChooseInMenu(std::initializer_list<const char *> keys)
{
    OpenMenu();
    for (const char *key : keys)
        PressKey(key);
    ASSERT_TRUE(WaitUntil([] { return !IsMenuOpen(); })) << "the menu stayed open";
}

void PickerSession::PressOnPicker(const char *key)
{
    FocusWineDesktop();
    RECT outer = {};
    GetWindowRect(picker_.window, &outer);
    POINT client = ClientPointOnScreen(picker_.window, 0, 0);
    ClickAt((outer.left + outer.right) / 2, (outer.top + client.y) / 2);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == picker_.window; }))
        << "the picker did not come to the front";
    PressKey(key);
}

::testing::AssertionResult PickerSession::ClipboardComesToHold(const std::string &text)
{
    std::string now;
    if (WaitUntil([&] { return (now = ReadClipboardText()) == text; }, 3000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clipboard holds \"" << now << "\"";
}
