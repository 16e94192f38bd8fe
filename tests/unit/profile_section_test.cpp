#include "settings/profile_section.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A section as the system returns it: entries ended by NUL, then one more.
std::string Section(std::initializer_list<const char *> entries)
{
    std::string section;
    for (const char *entry : entries)
        section += std::string(entry) + '\0';
    return section + '\0';
}

struct Case {
    std::string section;
    const char *key;
    int size;
    bool found;
    const char *value;
    const char *why;
};

TEST(FindProfileValue, GivesWhatASingleKeyReadGives)
{
    const Case cases[] = {
        {Section({"top=10", "left=20"}), "left", 16, true, "20", "a later key"},
        {Section({"TOP=10"}), "top", 16, true, "10", "keys in any case"},
        {Section({"  top \t= 10 \t"}), "top", 16, true, "10", "blanks around key and value"},
        {Section({"top=10", "top=30"}), "top", 16, true, "10", "the first of two"},
        {Section({"top="}), "top", 16, true, "", "an empty value is there"},
        {Section({"format=\"hex\""}), "format", 16, true, "hex", "double quotes dropped"},
        {Section({"format='hex'"}), "format", 16, true, "hex", "single quotes dropped"},
        {Section({"format=\"hex'"}), "format", 16, true, "\"hex'", "quotes that differ stay"},
        {Section({"format=\""}), "format", 16, true, "\"", "a lone quote stays"},
        {Section({"titles=a=b|c"}), "titles", 16, true, "a=b|c", "an equals sign in the value"},
        {Section({"recent=0A0B0C 112233"}), "recent", 7, true, "0A0B0C", "cut to the room"},
        {Section({"topmost=1"}), "top", 16, false, "?", "a longer key is another key"},
        {Section({"to=1"}), "top", 16, false, "?", "a shorter key is another key"},
        {Section({"top"}), "top", 16, false, "?", "a line without a value"},
        {Section({";top=1"}), "top", 16, false, "?", "a comment"},
        {Section({}), "top", 16, false, "?", "an empty section"},
    };
    for (const Case &c : cases) {
        char value[32] = "?";
        EXPECT_EQ(c.found, FindProfileValue(c.section.c_str(), c.key, value, c.size)) << c.why;
        EXPECT_STREQ(c.value, value) << c.why;
    }
}

} // namespace
