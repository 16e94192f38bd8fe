#include "picker/contrast.h"

#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// The verdict's English words, as the menu shows them.
const char *VerdictName(ContrastVerdict verdict)
{
    return UiTextIn(kUiEnglish, static_cast<UiTextId>(kTextVerdictFail + verdict));
}

ColorSample Split(uint32_t rgb)
{
    return {static_cast<int32_t>(rgb >> 16), static_cast<int32_t>(rgb >> 8 & 0xFF),
            static_cast<int32_t>(rgb & 0xFF)};
}

// Expected ratios from python3 after WCAG 2 to the letter (its 0.03928
// threshold), cut to hundredths by hand.
const struct {
    uint32_t one, other;
    int hundredths;
    ContrastVerdict verdict;
    const char *why;
} kPairCases[] = {
    {0x767676, 0xFFFFFF, 454, kContrastAa, "4.5422"},
    {0x777777, 0xFFFFFF, 447, kContrastAaLarge, "4.4781 cut, not rounded to 4.48"},
    {0x000000, 0xFFFFFF, 2100, kContrastAaa, "21 exactly"},
    {0xFFFFFF, 0x000000, 2100, kContrastAaa, "either way round"},
    {0x0AC840, 0xFF8000, 112, kContrastFail, "1.1210"},
    {0x595959, 0xFFFFFF, 700, kContrastAaa, "7.0047"},
    {0x5A5A5A, 0xFFFFFF, 689, kContrastAa, "6.8969"},
    {0x949494, 0xFFFFFF, 303, kContrastAaLarge, "3.0335"},
    {0x959595, 0xFFFFFF, 299, kContrastFail, "2.9953"},
    {0xFF0000, 0x000000, 525, kContrastAa, "5.252 exactly"},
    {0x00FF00, 0x000000, 1530, kContrastAaa, "15.304 exactly"},
    {0x0000FF, 0xFFFFFF, 859, kContrastAaa, "8.5925"},
    {0x0AC840, 0x0AC840, 100, kContrastFail, "the same colour, 1 exactly"},
};

TEST(Contrast, RatioIsCutToHundredthsAndJudged)
{
    for (const auto &c : kPairCases) {
        SCOPED_TRACE(c.why);
        int hundredths = ContrastHundredths(Split(c.one), Split(c.other));
        EXPECT_EQ(c.hundredths, hundredths);
        EXPECT_EQ(c.verdict, ContrastVerdictOf(hundredths));
    }
}

TEST(Contrast, EveryGreyAgainstItselfIsOneToOne)
{
    for (int value = 0; value <= 255; ++value)
        EXPECT_EQ(100, ContrastHundredths({value, value, value}, {value, value, value})) << value;
}

TEST(Contrast, VerdictsStartAtTheirLevels)
{
    const struct {
        int hundredths;
        const char *verdict;
    } cases[] = {
        {100, "fail"}, {299, "fail"}, {300, "AA large"}, {449, "AA large"},
        {450, "AA"},   {699, "AA"},   {700, "AAA"},      {2100, "AAA"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.verdict, VerdictName(ContrastVerdictOf(c.hundredths))) << c.hundredths;
}

TEST(Contrast, RatioTextHasTwoDecimals)
{
    const struct {
        int hundredths;
        const char *text;
    } cases[] = {
        {454, "4.54:1"}, {2100, "21.00:1"}, {100, "1.00:1"}, {705, "7.05:1"}, {1530, "15.30:1"},
    };
    for (const auto &c : cases) {
        char text[kContrastTextSize];
        EXPECT_EQ(static_cast<int>(std::string(c.text).size()),
                  FormatContrastRatio(c.hundredths, text));
        EXPECT_STREQ(c.text, text);
    }
}

} // namespace
