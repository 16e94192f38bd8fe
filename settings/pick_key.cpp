#include "settings/pick_key.h"

namespace
{

struct KeyName {
    char name[9];
    uint8_t code;
};

// In the order the menu names them.
const KeyName kModifierNames[] = {
    {"Ctrl", kModControl},
    {"Shift", kModShift},
    {"Alt", kModAlt},
    {"Win", kModWin},
};

const KeyName kNamedKeys[] = {
    {"Pause", 0x13}, {"Insert", 0x2D}, {"Home", 0x24},
    {"End", 0x23},   {"PageUp", 0x21}, {"PageDown", 0x22},
};

const uint32_t kFirstFunctionKey = 0x70; // F1
const uint32_t kFunctionKeyCount = 24;
const uint32_t kNoKey = 0;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char *SkipBlanks(const char *text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Both sides hold only letters and digits, and setting bit 0x20 lowers a
// letter and leaves a digit as it is.
bool WordIs(const char *word, int length, const char *name)
{
    int i = 0;
    for (; i < length; ++i) {
        if (name[i] == '\0' || (word[i] | 0x20) != (name[i] | 0x20))
            return false;
    }
    return name[i] == '\0';
}

uint32_t CodeNamed(const char *word, int length, const KeyName *names, int count)
{
    for (int i = 0; i < count; ++i) {
        if (WordIs(word, length, names[i].name))
            return names[i].code;
    }
    return kNoKey;
}

// F1 to F24, without a leading zero.
uint32_t FunctionKeyNamed(const char *word, int length)
{
    if (length < 2 || length > 3 || (word[0] | 0x20) != 'f' || word[1] == '0')
        return kNoKey;
    uint32_t number = 0;
    for (int i = 1; i < length; ++i) {
        if (!IsDigit(word[i]))
            return kNoKey;
        number = number * 10 + static_cast<uint32_t>(word[i] - '0');
    }
    return number <= kFunctionKeyCount ? kFirstFunctionKey + number - 1 : kNoKey;
}

uint32_t KeyNamed(const char *word, int length)
{
    if (length == 1 && (IsLetter(word[0]) || IsDigit(word[0])))
        return static_cast<uint32_t>(word[0] & ~(IsLetter(word[0]) ? 0x20 : 0));
    uint32_t functionKey = FunctionKeyNamed(word, length);
    if (functionKey != kNoKey)
        return functionKey;
    return CodeNamed(word, length, kNamedKeys, sizeof kNamedKeys / sizeof *kNamedKeys);
}

// Typing keys: a pick key on one of them alone would take it from every program.
bool IsLetterOrDigitKey(uint32_t code)
{
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z');
}

char *AppendName(char *out, const char *name)
{
    while (*name)
        *out++ = *name++;
    return out;
}

char *AppendKeyName(char *out, uint32_t code)
{
    if (IsLetterOrDigitKey(code)) {
        *out++ = static_cast<char>(code);
        return out;
    }
    uint32_t number = code - kFirstFunctionKey + 1;
    if (code >= kFirstFunctionKey && number <= kFunctionKeyCount) {
        *out++ = 'F';
        if (number >= 10)
            *out++ = static_cast<char>('0' + number / 10);
        *out++ = static_cast<char>('0' + number % 10);
        return out;
    }
    for (const KeyName &key : kNamedKeys) {
        if (key.code == code)
            return AppendName(out, key.name);
    }
    *out++ = '?';
    return out;
}

} // namespace

PickKeySetting ParsePickKey(const char *text, PickKey *key)
{
    const char *next = SkipBlanks(text);
    uint32_t modifiers = 0;
    for (;;) {
        const char *word = next;
        while (IsLetter(*next) || IsDigit(*next))
            ++next;
        int length = static_cast<int>(next - word);
        next = SkipBlanks(next);
        if (*next == '\0') {
            if (modifiers == 0 && WordIs(word, length, "none"))
                return kPickKeyOff;
            uint32_t code = KeyNamed(word, length);
            if (code == kNoKey || (modifiers == 0 && IsLetterOrDigitKey(code)))
                return kPickKeyNotUnderstood;
            key->modifiers = modifiers;
            key->virtualKey = code;
            return kPickKeyGiven;
        }
        uint32_t modifier =
            CodeNamed(word, length, kModifierNames, sizeof kModifierNames / sizeof *kModifierNames);
        if (*next != '+' || modifier == kNoKey || (modifiers & modifier) != 0)
            return kPickKeyNotUnderstood;
        modifiers |= modifier;
        next = SkipBlanks(next + 1);
    }
}

int FormatPickKey(const PickKey &key, char (&name)[kPickKeyNameSize])
{
    char *out = name;
    for (const KeyName &modifier : kModifierNames) {
        if ((key.modifiers & modifier.code) != 0) {
            out = AppendName(out, modifier.name);
            *out++ = '+';
        }
    }
    out = AppendKeyName(out, key.virtualKey);
    *out = '\0';
    return static_cast<int>(out - name);
}

void TurnOffIfSameKey(KeyOption *second, const KeyOption &first)
{
    if (second->setting == kPickKeyGiven && first.setting == kPickKeyGiven &&
        second->key.modifiers == first.key.modifiers &&
        second->key.virtualKey == first.key.virtualKey)
        second->setting = kPickKeyOff;
}
