// The menu's texts as it opens, in English and in Japanese: every item with
// its mnemonic, the Name and Contrast lines for reference colours, and the
// palette's items, states and kept colours.
#include "app/picker_menu.h"
#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <memory>
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
        content.palette = palette_.get();
        content.paletteFormat = kPaletteCss;
        content.paletteFile = "tanzel.gpl";
        content.paletteUnsaved = unsaved_;
        if (menu_)
            DestroyMenu(menu_);
        menu_ = BuildPickerMenu(content);
        return menu_;
    }

    std::string Line(int position)
    {
        return ItemTexts(menu_)[position];
    }

    void KeepPalette(const std::string &text)
    {
        text.copy(palette_->text, sizeof(palette_->text));
        palette_->length = static_cast<int>(text.size());
        ReadPaletteText(palette_.get());
    }

    HMENU menu_ = NULL;
    RecentColors recent_ = {};
    std::unique_ptr<Palette> palette_{new Palette()};
    bool unsaved_ = false;
};

const int kPasteLine = 1;
const int kPaletteLine = 4;
const int kNameLine = 6;
const int kContrastLine = 7;

struct LanguageCase {
    UiLanguage language;
    UINT codePage;
    std::vector<const char *> top, copyAs, average, recent, palette, copyPalette;
};

TEST_F(PickerMenu, EveryItemInEachLanguageWithTheSameMnemonics)
{
    const LanguageCase cases[] = {
        {kUiEnglish,
         CP_ACP,
         {"&Copy as", "&Paste colour\tCtrl+V", "&Average", "&Recent colours", "Pa&lette", "",
          "&Name\tnear limegreen (green)", "C&ontrast\tpick a second colour", "",
          "Pick from a &still\tCtrl+Shift+F9", "(key)", "(still key)"},
         {"&Hex\t#0AC840", "&Bare\t0AC840", "&rgb()\trgb(10, 200, 64)", "&List\t10, 200, 64",
          "h&sl()\thsl(137, 90%, 41%)", "&COLORREF\t0x0040C80A",
          "&oklch()\toklch(72.5% 0.222 145.7)"},
         {"&1 point", "&3 × 3", "&5 × 5", "&7 × 7", "&9 × 9"},
         {"(none yet)"},
         {"&Add current colour\tCtrl+D", "&Remove current colour",
          "Paste &into palette\tCtrl+Shift+V", "&Copy palette as", "",
          "(empty: Ctrl+D keeps the current colour)"},
         {"&Hex codes\t", "&CSS custom properties\t:root {", "&GIMP palette\tGIMP Palette",
          "&Paint.NET palette\t; paint.net Palette File"}},
        {kUiJapanese,
         932,
         {"コピー形式(&C)", "色を貼り付け(&P)\tCtrl+V", "平均(&A)", "最近の色(&R)", "パレット(&L)",
          "", "色名(&N)\tlimegreen に近い色 (緑)", "コントラスト(&O)\t比べる色がまだありません", "",
          "静止画から色を取る(&S)\tCtrl+Shift+F9", "(key)", "(still key)"},
         {"16 進数(&H)\t#0AC840", "16 進数・# なし(&B)\t0AC840", "rgb()(&R)\trgb(10, 200, 64)",
          "カンマ区切り(&L)\t10, 200, 64", "hsl()(&S)\thsl(137, 90%, 41%)",
          "COLORREF(&C)\t0x0040C80A", "oklch()(&O)\toklch(72.5% 0.222 145.7)"},
         {"1 ピクセル(&1)", "3 × 3(&3)", "5 × 5(&5)", "7 × 7(&7)", "9 × 9(&9)"},
         {"(まだありません)"},
         {"現在の色を追加(&A)\tCtrl+D", "現在の色を削除(&R)",
          "パレットに貼り付け(&I)\tCtrl+Shift+V", "パレットをコピー(&C)", "",
          "(空: Ctrl+D で現在の色を保存)"},
         {"16 進コード(&H)\t", "CSS カスタムプロパティ(&C)\t:root {",
          "GIMP パレット(&G)\tGIMP Palette", "Paint.NET パレット(&P)\t; paint.net Palette File"}},
    };
    for (const LanguageCase &c : cases) {
        SCOPED_TRACE(c.language);
        HMENU menu = Build(c.language, kGreen, Recent({}));
        EXPECT_EQ(Expected(c.top, c.codePage), ItemTexts(menu));
        EXPECT_EQ(Expected(c.copyAs, c.codePage), ItemTexts(GetSubMenu(menu, 0)));
        EXPECT_EQ(Expected(c.average, c.codePage), ItemTexts(GetSubMenu(menu, 2)));
        EXPECT_EQ(Expected(c.recent, c.codePage), ItemTexts(GetSubMenu(menu, 3)));
        HMENU palette = GetSubMenu(menu, kPaletteLine);
        EXPECT_EQ(Expected(c.palette, c.codePage), ItemTexts(palette));
        EXPECT_EQ(Expected(c.copyPalette, c.codePage), ItemTexts(GetSubMenu(palette, 3)));
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
    MenuContent content = {kGreen,        kFormatHex, 1,     &none,          "(key)",
                           "(still key)", "",         false, palette_.get(), kPaletteHex,
                           "tanzel.gpl",  false};
    menu_ = BuildPickerMenu(content);
    EXPECT_TRUE(GetMenuState(menu_, kPasteLine, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu_, kNameLine, MF_BYPOSITION) & MF_GRAYED);
}

struct PaletteStateCase {
    const char *name;
    std::string file;
    bool unsaved;
    ColorSample current;
    bool canAdd, canRemove, canPaste, canCopy;
    const char *status; // the grey line before the separator; nullptr: none
};

TEST_F(PickerMenu, PaletteItemsAreGreyedAsThePaletteAndTheColourSay)
{
    const char kKept[] = "GIMP Palette\n10 200 64 brand\n";
    const PaletteStateCase cases[] = {
        {"empty", "", false, kGreen, true, false, true, false, nullptr},
        {"the colour kept", kKept, false, kGreen, false, true, true, true, nullptr},
        {"another colour", kKept, false, kOrange, true, false, true, true, nullptr},
        {"not saved", kKept, true, kOrange, true, false, true, true, "not saved: tanzel.gpl"},
        {"read-only at a line", "GIMP Palette\n10 200 64 brand\n# x\nnot a colour\n", false, kGreen,
         false, false, false, true, "tanzel.gpl, line 4: not a colour (read-only)"},
        {"read-only, the whole file", "GIMP Palette\n" + std::string(kMaxPaletteBytes, '#'), false,
         kGreen, false, false, false, false, "tanzel.gpl: over 256 KiB (read-only)"},
    };
    for (const PaletteStateCase &c : cases) {
        SCOPED_TRACE(c.name);
        KeepPalette(c.file);
        unsaved_ = c.unsaved;
        HMENU palette = GetSubMenu(Build(kUiEnglish, c.current, Recent({})), kPaletteLine);
        const bool enabled[] = {c.canAdd, c.canRemove, c.canPaste, c.canCopy};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(!enabled[i], (GetMenuState(palette, i, MF_BYPOSITION) & MF_GRAYED) != 0)
                << "item " << i;
        EXPECT_EQ(c.status ? c.status : "", ItemTexts(palette)[4]);
    }
    KeepPalette("GIMP Palette\nx\n");
    Build(kUiJapanese, kGreen, Recent({}));
    EXPECT_EQ(Ansi("tanzel.gpl 2 行目: 色ではない (読み取り専用)", 932),
              ItemTexts(GetSubMenu(menu_, kPaletteLine))[4]);
}

TEST_F(PickerMenu, KeptColoursShowTheirCodeAndNameInColumnsThatFitTheScreen)
{
    std::string file = "GIMP Palette\n255 127 80 coral\n"
                       "0 0 0 a name much longer than the menu shows in full\n"
                       "1 1 1 \xE8\xB5\xA4\n"  // 赤
                       "2 2 2 \xE0\xB8\x81\n"; // Thai ko kai, in neither code page
    for (int i = 4; i < 256; ++i)
        file += "0 1 " + std::to_string(i) + " c\n";
    KeepPalette(file);
    HMENU palette = GetSubMenu(Build(kUiEnglish, kGreen, Recent({})), kPaletteLine);
    std::vector<std::string> texts = ItemTexts(palette);
    ASSERT_EQ(5u + 256u, texts.size());
    EXPECT_EQ("#FF7F50\tcoral", texts[5]);
    EXPECT_EQ(Ansi("#000000\ta name much longer than the men…"), texts[6]);
    EXPECT_EQ(Ansi("#010101\t赤"), texts[7]);
    EXPECT_EQ("#020202\t?", texts[8]);

    // Every colour has its square, and the columns fit the screen: the first
    // below the four items and the separator.
    std::vector<int> columns = {5};
    for (int i = 5; i < static_cast<int>(texts.size()); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_BITMAP | MIIM_FTYPE;
        GetMenuItemInfoA(palette, i, TRUE, &item);
        EXPECT_EQ(HBMMENU_CALLBACK, item.hbmpItem) << i;
        if (item.fType & MFT_MENUBARBREAK)
            columns.push_back(0);
        ++columns.back();
    }
    EXPECT_GT(columns.size(), 1u) << "256 colours in one column";
    for (int column : columns)
        EXPECT_LE(column * GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CYSCREEN));
}

} // namespace
