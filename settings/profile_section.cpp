#include "settings/profile_section.h"

namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

const char *SkipBlanks(const char *text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

// Whether entry starts with key, then blanks, then "="; where the value starts.
const char *ValueAfterKey(const char *entry, const char *key)
{
    entry = SkipBlanks(entry);
    while (*key && LowerAscii(*entry) == LowerAscii(*key)) {
        ++entry;
        ++key;
    }
    if (*key)
        return nullptr;
    entry = SkipBlanks(entry);
    return *entry == '=' ? SkipBlanks(entry + 1) : nullptr;
}

void CopyValue(const char *start, char *value, int size)
{
    const char *end = start;
    while (*end)
        ++end;
    while (end > start && IsBlank(end[-1]))
        --end;
    if (end - start >= 2 && (*start == '"' || *start == '\'') && end[-1] == *start) {
        ++start;
        --end;
    }
    int length = 0;
    while (start + length < end && length < size - 1) {
        value[length] = start[length];
        ++length;
    }
    value[length] = '\0';
}

} // namespace

bool FindProfileValue(const char *section, const char *key, char *value, int size)
{
    for (const char *entry = section; *entry;) {
        const char *start = ValueAfterKey(entry, key);
        if (start) {
            CopyValue(start, value, size);
            return true;
        }
        while (*entry++) {
        }
    }
    return false;
}
