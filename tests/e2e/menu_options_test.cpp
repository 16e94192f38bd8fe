// The right-click menu and the options in tanzel.ini, with the real
// tanzel.exe and real input: an averaged drag, a format chosen in the menu,
// a pick that outlives a restart, colours pasted as text, the colour's name
// and contrast, and a file full of bad values. Runs in Japanese and, once
// more, in English: the mnemonics are the same.
#include "support/host_dialog.h"
#include "support/keyboard.h"
#include "support/picker_session.h"
#include "support/test_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

const RECT kPatchArea = {40, 120, 240, 320};
const POINT kPatchCentre = {140, 220};
const COLORREF kGreen = RGB(10, 200, 64);

double DecodeSrgb(int value)
{
    double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int EncodeSrgb(double linear)
{
    int best = 0;
    for (int value = 1; value < 256; ++value)
        if (std::fabs(DecodeSrgb(value) - linear) < std::fabs(DecodeSrgb(best) - linear))
            best = value;
    return best;
}

// The pattern's side x side square around the point, in linear light, less
// what lies off the screen.
COLORREF PatternMean(POINT at, int side)
{
    double sums[3] = {};
    int count = 0;
    for (int y = at.y - side / 2; y <= at.y + side / 2; ++y)
        for (int x = at.x - side / 2; x <= at.x + side / 2; ++x) {
            if (x < 0 || y < 0 || x >= 1024 || y >= 768)
                continue;
            COLORREF pixel = TestPatternColor(x, y);
            sums[0] += DecodeSrgb(GetRValue(pixel));
            sums[1] += DecodeSrgb(GetGValue(pixel));
            sums[2] += DecodeSrgb(GetBValue(pixel));
            ++count;
        }
    return RGB(EncodeSrgb(sums[0] / count), EncodeSrgb(sums[1] / count),
               EncodeSrgb(sums[2] / count));
}

bool IsLight(COLORREF color)
{
    return 299 * GetRValue(color) + 587 * GetGValue(color) + 114 * GetBValue(color) >= 128000;
}

class MenuAndOptions : public PickerSession
{
  protected:
    // Each picker in a folder of its own, which a restart keeps.
    const char *PickerIni() override
    {
        return "[tanzel]\r\n";
    }

    std::string IniText()
    {
        std::string text;
        return ReadBytes(IniPathIn(pickerDirectory_), &text) ? text : "(no file)";
    }

    void PickPatch(COLORREF color)
    {
        HWND patch = Patch(kPatchArea, color);
        DragMouse(SwatchPoint(61, 35), kPatchCentre);
        ASSERT_TRUE(SwatchShows(color));
        ClosePatch(patch);
        patches_.pop_back();
    }

    ::testing::AssertionResult IniComesToHold(const std::string &line)
    {
        if (WaitUntil([&] { return IniText().find(line + "\r\n") != std::string::npos; }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "tanzel.ini has no line " << line << ":\n"
                                             << IniText();
    }
};

// ---- Averaging ------------------------------------------------------------------

class AveragedPicking : public MenuAndOptions
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\naverage=5\r\n";
    }

    void ShowBeforePicker() override
    {
        pattern_ = ShowTestPattern({0, 0, 1024, 768});
    }

    void TearDown() override
    {
        CloseTestPattern(pattern_);
        MenuAndOptions::TearDown();
    }

    HWND pattern_ = NULL;
};

// The loupe's client area, inside its one-pixel border.
std::vector<COLORREF> ReadLoupe(HWND picker)
{
    HWND loupe = NULL;
    while ((loupe = FindWindowExA(NULL, loupe, "TANZEL_LOUPE", NULL)) != NULL)
        if (GetWindow(loupe, GW_OWNER) == picker)
            break;
    RECT outer = {};
    GetWindowRect(loupe, &outer);
    return ReadScreenRect(outer.left + 1, outer.top + 1, 88, 88);
}

TEST_F(AveragedPicking, ADragPicksTheLinearLightMeanAndTheLoupeRingsTheSquare)
{
    ASSERT_TRUE(pattern_ != NULL);
    // Inside the screen, and on its left edge, where two columns are off it.
    const POINT spots[] = {{300, 400}, {0, 500}};
    for (POINT spot : spots) {
        SCOPED_TRACE(Describe(spot));
        COLORREF mean = PatternMean(spot, 5);
        POINT swatch = SwatchPoint(61, 35);
        MouseMoveTo(swatch.x, swatch.y);
        MouseDown();
        MouseMoveTo(spot.x, spot.y);
        ASSERT_TRUE(SwatchShows(mean));
        std::vector<COLORREF> loupe = ReadLoupe(picker_.window);
        // The 5 x 5 blocks from (24, 24) to (63, 63), ringed along their edge.
        COLORREF ring = IsLight(mean) ? RGB(0, 0, 0) : RGB(255, 255, 255);
        for (int i = 24; i < 64; ++i) {
            EXPECT_EQ(ring, loupe[24 * 88 + i]) << "top edge at " << i;
            EXPECT_EQ(ring, loupe[63 * 88 + i]) << "bottom edge at " << i;
            EXPECT_EQ(ring, loupe[i * 88 + 24]) << "left edge at " << i;
            EXPECT_EQ(ring, loupe[i * 88 + 63]) << "right edge at " << i;
        }
        MouseUp();
        EXPECT_TRUE(SwatchShows(mean)) << "after the release";
    }
}

// ---- Copy formats -----------------------------------------------------------------

struct FormatCase {
    const char *menuKey; // the item's mnemonic under Copy as
    const char *name;    // as tanzel.ini writes it
    const char *text;    // for 10, 200, 64
};

const FormatCase kFormatCases[] = {
    {"s", "hsl", "hsl(137, 90%, 41%)"},
    {"o", "oklch", "oklch(72.5% 0.222 145.7)"},
    {"c", "colorref", "0x0040C80A"},
    {"h", "hex", "#0AC840"},
};

TEST_F(MenuAndOptions, AFormatChosenInTheMenuIsCopiedAndBecomesWhatCtrlCCopies)
{
    PickPatch(kGreen);
    for (const FormatCase &c : kFormatCases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteClipboardText("something else"));
        ChooseInMenu({"c", c.menuKey});
        EXPECT_TRUE(ClipboardComesToHold(c.text)) << "chosen in the menu";
        EXPECT_TRUE(IniComesToHold(std::string("format=") + c.name));

        ASSERT_TRUE(WriteClipboardText("something else"));
        FocusWineDesktop();
        POINT rest = ClientPointOnScreen(picker_.window, 2, 2);
        MouseMoveTo(rest.x, rest.y);
        PressKey("ctrl+c");
        EXPECT_TRUE(ClipboardComesToHold(c.text)) << "Ctrl+C after the choice";
    }
    EXPECT_EQ(picker_.window, GetForegroundWindow());
    EXPECT_NE(0, GetWindowLongA(picker_.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MenuAndOptions, ShiftF10AndTheMenuKeyOpenTheMenuToo)
{
    for (const char *key : {"shift+F10", "Menu"}) {
        SCOPED_TRACE(key);
        FocusWineDesktop();
        POINT rest = ClientPointOnScreen(picker_.window, 2, 2);
        MouseMoveTo(rest.x, rest.y);
        PressKey(key);
        ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FindWindowA("#32768", NULL)); }))
            << "no menu opened";
        PressKey("Escape");
        ASSERT_TRUE(WaitUntil([] { return !IsWindowVisible(FindWindowA("#32768", NULL)); }))
            << "the menu stayed open";
    }
}

// ---- Recent colours ----------------------------------------------------------------

TEST_F(MenuAndOptions, APickReappearsUnderRecentColoursAfterARestart)
{
    const COLORREF red = RGB(200, 30, 30);
    PickPatch(kGreen);
    PickPatch(red);
    EXPECT_TRUE(IniComesToHold("recent=C81E1E 0AC840"));
    ASSERT_EQ(0, CloseTanzel(&picker_));

    ASSERT_TRUE(StartTanzel(&picker_, pickerDirectory_.c_str()));
    ASSERT_TRUE(SwatchIsPlainWhite());
    ChooseInMenu({"r", "Down", "Return"});
    EXPECT_TRUE(SwatchShows(kGreen)) << "the second recent colour, chosen";
    EXPECT_TRUE(IniComesToHold("recent=0AC840 C81E1E")) << "the chosen one moves to the front";
}

// ---- Colours brought in as text -------------------------------------------------

class PastedColours : public MenuAndOptions
{
  protected:
    void TearDown() override
    {
        EndHost(&host_);
        MenuAndOptions::TearDown();
    }

    void Paste(const char *text)
    {
        ASSERT_TRUE(WriteClipboardText(text));
        PressOnPicker("ctrl+v");
    }

    ::testing::AssertionResult FieldsShow(const std::string &wanted)
    {
        auto current = [&] {
            return FieldText(host_.dialog, kRedFieldId) + "," +
                   FieldText(host_.dialog, kGreenFieldId) + "," +
                   FieldText(host_.dialog, kBlueFieldId);
        };
        if (WaitUntil([&] { return current() == wanted; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "fields hold " << current();
    }

    HostProcess host_ = {};
};

TEST_F(PastedColours, ACodePastedWithCtrlVIsPickedAndDropWritesIt)
{
    Paste("#0AC840");
    EXPECT_TRUE(SwatchShows(kGreen));
    EXPECT_TRUE(IniComesToHold("recent=0AC840"));
    ASSERT_TRUE(StartHost(&host_, "--x 600 --y 20 --rgb 0", kColorSettingsTitle));

    POINT drop = DropPoint();
    ClickAt(drop.x, drop.y);
    EXPECT_TRUE(FieldsShow("10,200,64"));
    PressHostOk(host_);
    EXPECT_EQ(0, WaitForHostExit(&host_));
    EXPECT_EQ("rgbResult=0x0040C80A red=10 green=200 blue=64", ReadHostResult(host_));

    // Refused text changes nothing; the Ctrl+C after it still copies the
    // colour, so the picker took both keys and goes on answering.
    for (const char *refused : {"rgb(300,0,0)", "", "#0AC840 is green"}) {
        SCOPED_TRACE(refused);
        std::string before = IniText();
        Paste(refused);
        PressOnPicker("ctrl+c");
        EXPECT_TRUE(ClipboardComesToHold("#0AC840"));
        EXPECT_TRUE(SwatchShows(kGreen));
        EXPECT_EQ(before, IniText());
    }
}

TEST_F(PastedColours, TheNameAndContrastLinesCopyWhatTheyShow)
{
    const COLORREF orange = RGB(255, 128, 0);
    Paste("#FF8000");
    ASSERT_TRUE(SwatchShows(orange));
    ASSERT_TRUE(WriteClipboardText("rgb(10 200 64)"));
    ChooseInMenu({"p"});
    ASSERT_TRUE(SwatchShows(kGreen)) << "pasted from the menu";
    EXPECT_TRUE(IniComesToHold("recent=0AC840 FF8000"));

    ChooseInMenu({"n"});
    EXPECT_TRUE(ClipboardComesToHold("limegreen"));
    ChooseInMenu({"o"});
    EXPECT_TRUE(ClipboardComesToHold("1.12:1")) << "against the orange before it";

    Paste("white");
    ASSERT_TRUE(SwatchShows(RGB(255, 255, 255)));
    Paste("#767676");
    ASSERT_TRUE(SwatchShows(RGB(0x76, 0x76, 0x76)));
    ChooseInMenu({"o"});
    EXPECT_TRUE(ClipboardComesToHold("4.54:1"));
}

// ---- Bad values ---------------------------------------------------------------------

class BadOptions : public MenuAndOptions
{
  protected:
    const char *PickerIni() override
    {
        return "[tanzel]\r\ntop=500\r\nleft=700\r\naverage=4\r\nformat=purple\r\n"
               "recent=0AC840 GGGGGG  0ac840 12345 FF8000\r\npickkey=ctrl+\r\n";
    }
};

TEST_F(BadOptions, EachBadValueReadsAsItsDefaultAndNothingElseIsLost)
{
    RECT outer = {};
    GetWindowRect(picker_.window, &outer);
    EXPECT_EQ(700, outer.left);
    EXPECT_EQ(500, outer.top);

    // One point, not an average: a pixel beside a band of another colour.
    const COLORREF blue = RGB(30, 30, 200);
    Patch(kPatchArea, kGreen, {{{101, 0, 200, 200}, blue}});
    DragMouse(SwatchPoint(61, 35), kPatchCentre);
    EXPECT_TRUE(SwatchShows(kGreen));

    ASSERT_TRUE(WriteClipboardText("something else"));
    FocusWineDesktop();
    POINT rest = ClientPointOnScreen(picker_.window, 2, 2);
    MouseMoveTo(rest.x, rest.y);
    PressKey("ctrl+c");
    EXPECT_TRUE(ClipboardComesToHold("#0AC840")) << "the default format";

    EXPECT_TRUE(IniComesToHold("recent=0AC840 FF8000"));
    for (const char *kept : {"top=500", "left=700", "average=4", "format=purple", "pickkey=ctrl+"})
        EXPECT_TRUE(IniComesToHold(kept));
}

} // namespace
