#include "picker/dialog_caption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct TemplateBytes {
    std::vector<uint8_t> bytes;

    TemplateBytes &Word(uint16_t word)
    {
        bytes.push_back(word & 0xFF);
        bytes.push_back(word >> 8);
        return *this;
    }
    TemplateBytes &Dword(uint32_t dword)
    {
        return Word(dword & 0xFFFF).Word(dword >> 16);
    }
    TemplateBytes &Text(const std::u16string &text)
    {
        for (char16_t unit : text)
            Word(unit);
        return Word(0);
    }
    TemplateBytes &Ordinal(uint16_t ordinal)
    {
        return Word(0xFFFF).Word(ordinal);
    }
};

// style, exStyle, cdit, x, y, cx, cy
TemplateBytes Classic(uint32_t style = 0x80C800C4)
{
    return TemplateBytes().Dword(style).Dword(0).Word(3).Word(0).Word(0).Word(300).Word(200);
}

// dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
TemplateBytes Extended()
{
    return TemplateBytes()
        .Word(1)
        .Word(0xFFFF)
        .Dword(0)
        .Dword(0)
        .Dword(0x80C800C4)
        .Word(3)
        .Word(0)
        .Word(0)
        .Word(300)
        .Word(200);
}

struct CaptionCase {
    const char *name;
    std::vector<uint8_t> bytes;
    uint32_t offset; // counted by hand from the layout
    uint32_t length;
    uint32_t end; // just past the caption's terminator
};

TEST(DialogCaption, FoundAfterTheMenuAndClassInBothLayouts)
{
    const CaptionCase cases[] = {
        {"classic, no menu, no class", Classic().Word(0).Word(0).Text(u"Color").bytes, 22, 5, 34},
        {"classic, menu by ordinal, class by name",
         Classic().Ordinal(100).Text(u"MyClass").Text(u"\u8272").bytes, 38, 1, 42},
        {"classic, menu by name, class by ordinal",
         Classic().Text(u"M").Ordinal(0x81).Text(u"Colour").bytes, 26, 6, 40},
        {"classic, font after the caption",
         Classic().Word(0).Word(0).Text(u"Color").Word(8).Text(u"MS Shell Dlg").bytes, 22, 5, 34},
        {"classic with a style that looks like version 1",
         Classic(0x80C80001).Word(0).Word(0).Text(u"Color").bytes, 22, 5, 34},
        {"extended, menu by name, class by ordinal",
         Extended().Text(u"MENU").Ordinal(0x80).Text(u"Farbe").bytes, 40, 5, 52},
        {"extended, menu by ordinal, class by name",
         Extended().Ordinal(10).Text(u"Cls").Text(u"\u8272\u306e\u8a2d\u5b9a").bytes, 38, 4, 48},
        {"extended, empty caption", Extended().Ordinal(1).Word(0).Word(0).bytes, 32, 0, 34},
    };
    for (const CaptionCase &c : cases) {
        SCOPED_TRACE(c.name);
        DialogCaption caption = {};
        ASSERT_TRUE(FindDialogCaption(c.bytes.data(), uint32_t(c.bytes.size()), &caption));
        EXPECT_EQ(c.offset, caption.offset);
        EXPECT_EQ(c.length, caption.length);
        // Every shorter copy is its own allocation, so ASan catches a read past its end.
        for (uint32_t size = 0; size < c.bytes.size(); ++size) {
            std::vector<uint8_t> truncated(c.bytes.begin(), c.bytes.begin() + size);
            DialogCaption found = {};
            EXPECT_EQ(size >= c.end, FindDialogCaption(truncated.data(), size, &found)) << size;
        }
    }
}

TEST(DialogCaption, GarbageWithoutTerminatorsIsRefused)
{
    const std::vector<uint8_t> ones(64, 0xFF), letters(64, 'A');
    DialogCaption caption;
    EXPECT_FALSE(FindDialogCaption(ones.data(), uint32_t(ones.size()), &caption));
    EXPECT_FALSE(FindDialogCaption(letters.data(), uint32_t(letters.size()), &caption));
}

} // namespace
