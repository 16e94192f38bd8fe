#include "picker/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(WidenUtf8, GivesTheUtf16OfEachCharacter)
{
    const struct {
        const char *utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"#FF7F50\r\n", u"#FF7F50\r\n"},
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"\xE8\xB5\xA4 \xE0\xB8\x81", u"\u8D64 \u0E01"},
        {"\xF0\x9F\x8E\xA8!", u"\U0001F3A8!"},
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\uFFFF\U0010FFFF"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.utf8);
        std::string utf8 = c.utf8;
        uint16_t wide[32];
        int count = WidenUtf8(utf8.data(), static_cast<int>(utf8.size()), wide);
        EXPECT_EQ(c.utf16, std::u16string(wide, wide + count));
        EXPECT_LE(count, static_cast<int>(utf8.size()));
    }
}

} // namespace
