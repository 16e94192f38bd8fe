#include "settings/pick_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const uint32_t C = kModControl, S = kModShift, A = kModAlt, W = kModWin;

TEST(PickKey, ModifiersThenOneKeyInAnyCaseWithBlanks)
{
    const struct {
        const char *text;
        uint32_t modifiers;
        uint32_t virtualKey;
    } cases[] = {
        {"Ctrl+Shift+F8", C | S, 0x77},
        {"ctrl + shift + f8", C | S, 0x77},
        {"  CTRL\t+ SHIFT +F8  ", C | S, 0x77},
        {"Shift+Ctrl+F8", C | S, 0x77},
        {"Win+Alt+Shift+Ctrl+F12", C | S | A | W, 0x7B},
        {"Ctrl+A", C, 0x41},
        {"alt+z", A, 0x5A},
        {"Win+0", W, 0x30},
        {"Shift+9", S, 0x39},
        {"F1", 0, 0x70},
        {"f10", 0, 0x79},
        {"F24", 0, 0x87},
        {"Pause", 0, 0x13},
        {"insert", 0, 0x2D},
        {"HOME", 0, 0x24},
        {"End", 0, 0x23},
        {"PageUp", 0, 0x21},
        {"pagedown", 0, 0x22},
        {"Alt+PageUp", A, 0x21},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        PickKey key = {0xFF, 0xFF};
        ASSERT_EQ(kPickKeyGiven, ParsePickKey(c.text, &key));
        EXPECT_EQ(c.modifiers, key.modifiers);
        EXPECT_EQ(c.virtualKey, key.virtualKey);
    }
}

TEST(PickKey, NoneTurnsItOffAndAnythingElseIsNotUnderstood)
{
    std::string manyModifiers;
    for (int i = 0; i < 1000; ++i)
        manyModifiers += "Ctrl+";
    const struct {
        const char *rule;
        std::vector<std::string> texts;
    } cases[] = {
        {"empty", {"", "   "}},
        {"a plus with nothing on one side", {"Ctrl+", "+F8", "Ctrl++F8", "Ctrl+F8+"}},
        {"a modifier twice", {"Ctrl+Ctrl+F8", "ctrl+Shift+CTRL+F8", manyModifiers + "F8"}},
        {"no such function key", {"F25", "F0", "F08", "F100", "F", "F-1"}},
        {"not exactly one key", {"Shift+A+B", "Ctrl+Shift", "Ctrl", "Ctrl+AB", "Ctrl+F8+F9"}},
        {"a letter or digit alone", {"A", "z", "0", "9"}},
        {"unknown names", {"Control+F8", "Windows+F8", "Ctrl+Esc", "Ctrl+Space", "Ctrl+Page Up"}},
        {"other joins", {"Ctrl-F8", "Ctrl F8", "Ctrl+F 8", "Ctrl+F8;", "Ctrl,F8"}},
        {"none with more", {"none+F8", "Ctrl+none", "nonee", "none none"}},
        {"very long", {std::string(5000, 'F') + "+F8", "Ctrl+" + std::string(5000, 'A')}},
        // A full-width A, a full-width blank, katakana "po".
        {"Shift-JIS", {"Ctrl+\x82\x60", "Ctrl+F8\x81\x40", "\x83\x7C"}},
    };
    for (const auto &c : cases) {
        for (const std::string &text : c.texts) {
            SCOPED_TRACE(std::string(c.rule) + ": " + text.substr(0, 40));
            PickKey key;
            EXPECT_EQ(kPickKeyNotUnderstood, ParsePickKey(text.c_str(), &key));
        }
    }
    for (const char *text : {"none", "NONE", "None", " none\t"}) {
        SCOPED_TRACE(text);
        PickKey key;
        EXPECT_EQ(kPickKeyOff, ParsePickKey(text, &key));
    }
}

TEST(PickKey, NamedAsTheMenuShowsItAndReadBack)
{
    const struct {
        uint32_t modifiers;
        uint32_t virtualKey;
        const char *name;
    } cases[] = {
        {C | S, 0x77, "Ctrl+Shift+F8"},
        {0, 0x13, "Pause"},
        {A, 0x21, "Alt+PageUp"},
        {C, 0x41, "Ctrl+A"},
        {W | A, 0x87, "Alt+Win+F24"},
        {S, 0x30, "Shift+0"},
        {W | S | A | C, 0x22, "Ctrl+Shift+Alt+Win+PageDown"},
        {0, 0x70, "F1"},
        {0, 0x79, "F10"},
        {0, 0x2D, "Insert"},
        {0, 0x24, "Home"},
        {0, 0x23, "End"},
        {C, 0x5A, "Ctrl+Z"},
        {kDefaultPickKey.modifiers, kDefaultPickKey.virtualKey, "Ctrl+Shift+F8"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        char name[kPickKeyNameSize];
        EXPECT_EQ(int(std::string(c.name).size()),
                  FormatPickKey({c.modifiers, c.virtualKey}, name));
        EXPECT_STREQ(c.name, name);
        PickKey key = {};
        ASSERT_EQ(kPickKeyGiven, ParsePickKey(name, &key));
        EXPECT_EQ(c.modifiers, key.modifiers);
        EXPECT_EQ(c.virtualKey, key.virtualKey);
    }
}

KeyOption Option(PickKeySetting setting, PickKey key)
{
    KeyOption option = {};
    option.setting = setting;
    option.key = key;
    return option;
}

TEST(StillKey, OffWhenItIsThePickKeyElseAsGiven)
{
    const PickKey f9 = kDefaultStillKey;
    const PickKey f8 = kDefaultPickKey;
    const struct {
        const char *rule;
        KeyOption still, pick;
        PickKeySetting after;
    } cases[] = {
        {"the defaults differ", Option(kPickKeyGiven, f9), Option(kPickKeyGiven, f8),
         kPickKeyGiven},
        {"the same key", Option(kPickKeyGiven, f8), Option(kPickKeyGiven, f8), kPickKeyOff},
        {"same key, other modifiers", Option(kPickKeyGiven, {C, 0x77}), Option(kPickKeyGiven, f8),
         kPickKeyGiven},
        {"the pick key off", Option(kPickKeyGiven, f8), Option(kPickKeyOff, f8), kPickKeyGiven},
        {"the pick key not understood", Option(kPickKeyGiven, f8),
         Option(kPickKeyNotUnderstood, f8), kPickKeyGiven},
        {"still key off", Option(kPickKeyOff, f8), Option(kPickKeyGiven, f8), kPickKeyOff},
        {"still key not understood", Option(kPickKeyNotUnderstood, f8), Option(kPickKeyGiven, f8),
         kPickKeyNotUnderstood},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rule);
        KeyOption still = c.still;
        TurnOffIfSameKey(&still, c.pick);
        EXPECT_EQ(c.after, still.setting);
    }
    char name[kPickKeyNameSize];
    FormatPickKey(kDefaultStillKey, name);
    EXPECT_STREQ("Ctrl+Shift+F9", name);
}

} // namespace
