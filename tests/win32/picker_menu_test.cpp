// The menu's texts as it opens, in English and in Japanese: every item with
// its mnemonic, and the Name and Contrast lines for reference colours.
#include "app/picker_menu.h"
#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const ColorSample kGreen = {10, 200, 64};
const ColorSample kOrange = {255, 128, 0};
const ColorSample kWhite = {255, 255, 255};

// The expected text, written here in UTF-8, as the menu holds it: ANSI.
std::string Ansi(const char *utf8, UINT codePage = CP_ACP)
{
    wchar_t wide[256];
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
    char ansi[512];
    WideCharToMultiByte(codePage, 0, wide, length, ansi, sizeof ansi, NULL, NULL);
    return ansi;
}

std::vector<std::string> ItemTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> Expected(const std::vector<const char *> &utf8, UINT codePage)
{
    std::vector<std::string> texts;
    for (const char *text : utf8)
        texts.push_back(Ansi(text, codePage));
    return texts;
}

RecentColors Recent(std::initializer_list<ColorSample> colors)
{
    RecentColors recent = {};
    for (const ColorSample &color : colors)
        AppendRecentColor(&recent, color);
    return recent;
}

class PickerMenu : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        if (menu_)
            DestroyMenu(menu_);
        UseUiLanguage(kUiEnglish);
    }

    HMENU Build(UiLanguage language, const ColorSample &current, const RecentColors &recent)
    {
        UseUiLanguage(language);
        recent_ = recent;
        MenuContent content = {};
        content.current = current;
        content.format = kFormatHex;
        content.averageSide = 1;
        content.recent = &recent_;
        content.pickKeyLine = "(key)";
        content.stillKeyLine = "(still key)";
        content.stillKeyName = "Ctrl+Shift+F9";
        content.canPaste = true;
        if (menu_)
            DestroyMenu(menu_);
        menu_ = BuildPickerMenu(content);
        return menu_;
    }

    std::string Line(int position)
    {
        return ItemTexts(menu_)[position];
    }

    HMENU menu_ = NULL;
    RecentColors recent_ = {};
};

const int kPasteLine = 1;
const int kNameLine = 5;
const int kContrastLine = 6;

struct LanguageCase {
    UiLanguage language;
    UINT codePage;
    std::vector<const char *> top, copyAs, average, recent;
};

TEST_F(PickerMenu, EveryItemInEachLanguageWithTheSameMnemonics)
{
    const LanguageCase cases[] = {
        {kUiEnglish,
         CP_ACP,
         {"&Copy as", "&Paste colour\tCtrl+V", "&Average", "&Recent colours", "",
          "&Name\tnear limegreen (green)", "C&ontrast\tpick a second colour", "",
          "Pick from a &still\tCtrl+Shift+F9", "(key)", "(still key)"},
         {"&Hex\t#0AC840", "&Bare\t0AC840", "&rgb()\trgb(10, 200, 64)", "&List\t10, 200, 64",
          "h&sl()\thsl(137, 90%, 41%)", "&COLORREF\t0x0040C80A",
          "&oklch()\toklch(72.5% 0.222 145.7)"},
         {"&1 point", "&3 × 3", "&5 × 5", "&7 × 7", "&9 × 9"},
         {"(none yet)"}},
        {kUiJapanese,
         932,
         {"コピー形式(&C)", "色を貼り付け(&P)\tCtrl+V", "平均(&A)", "最近の色(&R)", "",
          "色名(&N)\tlimegreen に近い色 (緑)", "コントラスト(&O)\t比べる色がまだありません", "",
          "静止画から色を取る(&S)\tCtrl+Shift+F9", "(key)", "(still key)"},
         {"16 進数(&H)\t#0AC840", "16 進数・# なし(&B)\t0AC840", "rgb()(&R)\trgb(10, 200, 64)",
          "カンマ区切り(&L)\t10, 200, 64", "hsl()(&S)\thsl(137, 90%, 41%)",
          "COLORREF(&C)\t0x0040C80A", "oklch()(&O)\toklch(72.5% 0.222 145.7)"},
         {"1 ピクセル(&1)", "3 × 3(&3)", "5 × 5(&5)", "7 × 7(&7)", "9 × 9(&9)"},
         {"(まだありません)"}},
    };
    for (const LanguageCase &c : cases) {
        SCOPED_TRACE(c.language);
        HMENU menu = Build(c.language, kGreen, Recent({}));
        EXPECT_EQ(Expected(c.top, c.codePage), ItemTexts(menu));
        EXPECT_EQ(Expected(c.copyAs, c.codePage), ItemTexts(GetSubMenu(menu, 0)));
        EXPECT_EQ(Expected(c.average, c.codePage), ItemTexts(GetSubMenu(menu, 2)));
        EXPECT_EQ(Expected(c.recent, c.codePage), ItemTexts(GetSubMenu(menu, 3)));
        EXPECT_TRUE(GetMenuState(menu, kContrastLine, MF_BYPOSITION) & MF_GRAYED);
    }
}

struct ColorLinesCase {
    ColorSample current;
    RecentColors recent;
    const char *name;     // after the tab; NULL: not checked here
    const char *contrast; // after the tab
};

TEST_F(PickerMenu, NameAndContrastLinesForReferenceColours)
{
    const ColorSample grey76 = {0x76, 0x76, 0x76};
    const ColorSample grey77 = {0x77, 0x77, 0x77};
    const ColorSample black = {0, 0, 0};
    const ColorLinesCase cases[] = {
        // Before any pick the swatch is white.
        {kWhite, Recent({}), "white (white)", "pick a second colour"},
        {kGreen, Recent({kGreen}), "near limegreen (green)", "pick a second colour"},
        {kGreen, Recent({kGreen, kOrange}), NULL, "1.12:1 fail with #FF8000"},
        {{255, 128, 64}, Recent({}), "near coral (orange)", NULL},
        {{128, 128, 128}, Recent({}), "gray (grey)", NULL},
        {black, Recent({black, kWhite}), "black (black)", "21.00:1 AAA with #FFFFFF"},
        {grey76, Recent({grey76, kWhite}), NULL, "4.54:1 AA with #FFFFFF"},
        // Shown cut, not rounded: 4.478 is no 4.48, and not AA.
        {grey77, Recent({kWhite, grey77}), NULL, "4.47:1 AA large with #FFFFFF"},
        // The previous colour is the newest that differs from the current one.
        {kWhite, Recent({kWhite, kWhite, black}), NULL, "21.00:1 AAA with #000000"},
    };
    for (const ColorLinesCase &c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.current.red) << " " << int(c.current.green)
                                          << " " << int(c.current.blue));
        Build(kUiEnglish, c.current, c.recent);
        if (c.name) {
            EXPECT_EQ(std::string("&Name\t") + c.name, Line(kNameLine));
        }
        if (c.contrast) {
            EXPECT_EQ(std::string("C&ontrast\t") + c.contrast, Line(kContrastLine));
        }
    }
    Build(kUiJapanese, kGreen, Recent({kGreen, kOrange}));
    EXPECT_EQ(Ansi("コントラスト(&O)\t1.12:1 不適合 (#FF8000 に対して)", 932), Line(kContrastLine));
    Build(kUiJapanese, grey77, Recent({grey77, kWhite}));
    EXPECT_EQ(Ansi("コントラスト(&O)\t4.47:1 AA 大きな文字 (#FFFFFF に対して)", 932),
              Line(kContrastLine));
}

TEST_F(PickerMenu, PasteIsGreyedWhenTheClipboardHoldsNoColour)
{
    UseUiLanguage(kUiEnglish);
    RecentColors none = {};
    MenuContent content = {kGreen, kFormatHex, 1, &none, "(key)", "(still key)", "", false};
    menu_ = BuildPickerMenu(content);
    EXPECT_TRUE(GetMenuState(menu_, kPasteLine, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu_, kNameLine, MF_BYPOSITION) & MF_GRAYED);
}

} // namespace
