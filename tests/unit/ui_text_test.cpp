#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct LanguageCase {
    unsigned codePage;
    unsigned short uiLanguageId;
    UiLanguage expected;
};

TEST(UiLanguage, JapaneseOnlyWhereTheMenuCanShowItAndTheUserReadsIt)
{
    const LanguageCase cases[] = {
        {932, 0x0411, kUiJapanese},
        {932, 0x0409, kUiEnglish}, // an English user on a Japanese code page
        {932, 0x0809, kUiEnglish},
        {1252, 0x0411, kUiEnglish}, // Japanese cannot show in code page 1252
        {1252, 0x0409, kUiEnglish},
        {936, 0x0804, kUiEnglish}, // Chinese: no table of its own
        {65001, 0x0411, kUiEnglish},
        {932, 0x0011, kUiJapanese}, // primary language only, any sublanguage
        {932, 0x0811, kUiJapanese},
    };
    for (const LanguageCase &c : cases)
        EXPECT_EQ(c.expected, ChooseUiLanguage(c.codePage, c.uiLanguageId))
            << c.codePage << " " << std::hex << c.uiLanguageId;
}

// The letter after the single '&', or 0. A Shift-JIS trail byte is never '&'.
char MnemonicOf(const char *text)
{
    for (; *text; ++text) {
        if (text[0] == '&' && text[1] == '&')
            ++text;
        else if (text[0] == '&')
            return static_cast<char>(toupper(static_cast<unsigned char>(text[1])));
    }
    return 0;
}

TEST(UiText, EachLanguageHasEveryTextAndTheSameMnemonics)
{
    for (UiLanguage language : {kUiEnglish, kUiJapanese}) {
        for (int id = 0; id < kUiTextCount; ++id)
            EXPECT_NE('\0', *UiTextIn(language, static_cast<UiTextId>(id)))
                << "language " << language << ", text " << id;
        EXPECT_EQ('\0', *UiTextIn(language, kUiTextCount)) << "a text too many: " << language;
    }
    const char expected[] = "CPARNOHBRLSCO1";
    for (int id = kTextCopyAs; id <= kTextOnePoint; ++id) {
        UiTextId text = static_cast<UiTextId>(id);
        EXPECT_EQ(expected[id], MnemonicOf(UiTextIn(kUiEnglish, text))) << id;
        EXPECT_EQ(expected[id], MnemonicOf(UiTextIn(kUiJapanese, text))) << id;
    }
    const char palette[] = "LARICHCGP";
    for (int id = kTextPalette; id <= kTextPalettePaintNet; ++id) {
        UiTextId text = static_cast<UiTextId>(id);
        EXPECT_EQ(palette[id - kTextPalette], MnemonicOf(UiTextIn(kUiEnglish, text))) << id;
        EXPECT_EQ(palette[id - kTextPalette], MnemonicOf(UiTextIn(kUiJapanese, text))) << id;
    }
}

TEST(UiText, TheLanguageInUseIsTheOneChosen)
{
    EXPECT_STREQ("&Copy as", UiText(kTextCopyAs));
    UseUiLanguage(kUiJapanese);
    EXPECT_STREQ("\x83R\x83s\x81[\x8C`\x8E\xAE(&C)", UiText(kTextCopyAs));
    EXPECT_STREQ("AA", UiText(kTextVerdictAa));
    UseUiLanguage(kUiEnglish);
    EXPECT_STREQ("pick a second colour", UiText(kTextNoPreviousColor));
}

} // namespace
