// The menu's line about the pick key, and a key another program holds.
#include "app/pick_key.h"
#include "app/ui_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

KeyOption OptionsWithKey(PickKeySetting setting, PickKey key, const char *text)
{
    KeyOption option = {};
    option.setting = setting;
    option.key = key;
    std::strncpy(option.text, text, kPickKeyTextSize - 1);
    return option;
}

TEST(PickKeyLine, SaysWhatBecameOfTheKey)
{
    const PickKey alt = {kModAlt, 0x21};
    const struct {
        PickKeyStatus status;
        KeyOption options;
        const char *line;
    } rows[] = {
        {kPickKeyRegistered, OptionsWithKey(kPickKeyGiven, kDefaultPickKey, ""),
         "Pick key: Ctrl+Shift+F8"},
        {kPickKeyTaken, OptionsWithKey(kPickKeyGiven, kDefaultPickKey, ""),
         "Pick key: Ctrl+Shift+F8 (in use by another program)"},
        {kPickKeyRegistered, OptionsWithKey(kPickKeyGiven, alt, "alt + pageup"),
         "Pick key: Alt+PageUp"},
        {kPickKeyTurnedOff, OptionsWithKey(kPickKeyOff, kDefaultPickKey, "NONE"), "Pick key: none"},
        {kPickKeyUnreadable, OptionsWithKey(kPickKeyNotUnderstood, kDefaultPickKey, "Ctrl+"),
         "Pick key: not understood: Ctrl+"},
        // A menu would underline what follows a lone ampersand.
        {kPickKeyUnreadable, OptionsWithKey(kPickKeyNotUnderstood, kDefaultPickKey, "Q&A"),
         "Pick key: not understood: Q&&A"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line);
        char line[kPickKeyLineSize];
        DescribePickKey(kTextPickKey, row.status, row.options, line);
        EXPECT_STREQ(row.line, line);
    }
}

TEST(PickKeyLine, TheStillKeysLineSaysTheSame)
{
    const struct {
        PickKeyStatus status;
        KeyOption option;
        const char *line;
    } rows[] = {
        {kPickKeyRegistered, OptionsWithKey(kPickKeyGiven, kDefaultStillKey, ""),
         "Still key: Ctrl+Shift+F9"},
        {kPickKeyTaken, OptionsWithKey(kPickKeyGiven, kDefaultStillKey, ""),
         "Still key: Ctrl+Shift+F9 (in use by another program)"},
        {kPickKeyTurnedOff, OptionsWithKey(kPickKeyOff, kDefaultStillKey, "none"),
         "Still key: none"},
        {kPickKeyUnreadable, OptionsWithKey(kPickKeyNotUnderstood, kDefaultStillKey, "F9+Ctrl"),
         "Still key: not understood: F9+Ctrl"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line);
        char line[kPickKeyLineSize];
        DescribePickKey(kTextStillKey, row.status, row.option, line);
        EXPECT_STREQ(row.line, line);
    }
}

std::string Japanese(const char *utf8)
{
    wchar_t wide[128];
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 128);
    char ansi[256];
    WideCharToMultiByte(932, 0, wide, length, ansi, sizeof ansi, NULL, NULL);
    return ansi;
}

TEST(PickKeyLine, SpeaksJapaneseOnAJapaneseSystemWithTheKeyNamesKept)
{
    UseUiLanguage(kUiJapanese);
    const struct {
        PickKeyStatus status;
        KeyOption options;
        const char *line;
    } rows[] = {
        {kPickKeyTaken, OptionsWithKey(kPickKeyGiven, kDefaultPickKey, ""),
         "スポイトキー: Ctrl+Shift+F8 (他のプログラムが使用中)"},
        {kPickKeyTurnedOff, OptionsWithKey(kPickKeyOff, kDefaultPickKey, "none"),
         "スポイトキー: なし"},
        {kPickKeyUnreadable, OptionsWithKey(kPickKeyNotUnderstood, kDefaultPickKey, "Q&A"),
         "スポイトキー: 読み取れません: Q&&A"},
    };
    for (const auto &row : rows) {
        char line[kPickKeyLineSize];
        DescribePickKey(kTextPickKey, row.status, row.options, line);
        EXPECT_EQ(Japanese(row.line), line);
    }
    char line[kPickKeyLineSize];
    DescribePickKey(kTextStillKey, kPickKeyRegistered,
                    OptionsWithKey(kPickKeyGiven, kDefaultStillKey, ""), line);
    EXPECT_EQ(Japanese("静止画キー: Ctrl+Shift+F9"), line);
    UseUiLanguage(kUiEnglish);
}

TEST(PickKeyLine, AKeyAnotherWindowHoldsIsLeftToIt)
{
    HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    HWND picker = CreateWindowExA(0, "STATIC", "picker", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    const PickKey key = {kModControl | kModAlt, 0x7B}; // Ctrl+Alt+F12
    ASSERT_TRUE(RegisterHotKey(holder, 7, key.modifiers, key.virtualKey));
    KeyOption options = OptionsWithKey(kPickKeyGiven, key, "");
    EXPECT_EQ(kPickKeyTaken, RegisterPickKey(picker, kPickKeyId, options));
    EXPECT_FALSE(RegisterHotKey(NULL, 8, key.modifiers, key.virtualKey)) << "the holder lost it";
    UnregisterHotKey(holder, 7);
    EXPECT_EQ(kPickKeyRegistered, RegisterPickKey(picker, kPickKeyId, options))
        << "free once released";
    UnregisterPickKeys(picker);
    DestroyWindow(picker);
    DestroyWindow(holder);
}

} // namespace
