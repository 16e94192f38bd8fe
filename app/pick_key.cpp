#include "app/pick_key.h"

namespace
{

// Windows before 7 refuse this flag; there the key is registered without it.
const UINT kNoRepeat = 0x4000;
const DWORD kHotKeyAlreadyRegistered = 1409;

// A menu item shows "&" as an underline unless doubled.
void AppendForMenu(char *line, int size, const char *text)
{
    int length = lstrlenA(line);
    for (; *text && length < size - 2; ++text) {
        if (*text == '&')
            line[length++] = '&';
        line[length++] = *text;
    }
    line[length] = '\0';
}

// lstrcpyA's copy, returning the end for the next part: in a line built of
// parts, shorter than the calls through the imports.
char *CopyText(char *to, const char *from)
{
    while ((*to = *from++) != '\0')
        ++to;
    return to;
}

} // namespace

PickKeyStatus RegisterPickKey(HWND window, int keyId, const KeyOption &option)
{
    if (option.setting == kPickKeyOff)
        return kPickKeyTurnedOff;
    if (option.setting != kPickKeyGiven)
        return kPickKeyUnreadable;
    UINT modifiers = option.key.modifiers;
    UINT key = option.key.virtualKey;
    if (RegisterHotKey(window, keyId, modifiers | kNoRepeat, key))
        return kPickKeyRegistered;
    if (GetLastError() != kHotKeyAlreadyRegistered && RegisterHotKey(window, keyId, modifiers, key))
        return kPickKeyRegistered;
    return kPickKeyTaken;
}

void UnregisterPickKeys(HWND window)
{
    UnregisterHotKey(window, kPickKeyId);
    UnregisterHotKey(window, kStillKeyId);
}

void DescribePickKey(UiTextId label, PickKeyStatus status, const KeyOption &option,
                     char (&line)[kPickKeyLineSize])
{
    char *end = CopyText(line, UiText(label));
    if (status == kPickKeyTurnedOff) {
        CopyText(end, UiText(kTextPickKeyNone));
        return;
    }
    if (status == kPickKeyUnreadable) {
        CopyText(end, UiText(kTextPickKeyNotUnderstood));
        AppendForMenu(line, kPickKeyLineSize, option.text);
        return;
    }
    char name[kPickKeyNameSize];
    FormatPickKey(option.key, name);
    end = CopyText(end, name);
    if (status == kPickKeyTaken)
        CopyText(end, UiText(kTextPickKeyTaken));
}
