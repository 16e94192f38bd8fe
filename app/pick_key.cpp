#include "app/pick_key.h"

#include "app/ui_text.h"

namespace
{

const int kPickKeyId = 1;
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

} // namespace

PickKeyStatus RegisterPickKey(HWND window, const StoredOptions &options)
{
    if (options.pickKeySetting == kPickKeyOff)
        return kPickKeyTurnedOff;
    if (options.pickKeySetting != kPickKeyGiven)
        return kPickKeyUnreadable;
    UINT modifiers = options.pickKey.modifiers;
    UINT key = options.pickKey.virtualKey;
    if (RegisterHotKey(window, kPickKeyId, modifiers | kNoRepeat, key))
        return kPickKeyRegistered;
    if (GetLastError() != kHotKeyAlreadyRegistered &&
        RegisterHotKey(window, kPickKeyId, modifiers, key))
        return kPickKeyRegistered;
    return kPickKeyTaken;
}

void UnregisterPickKey(HWND window)
{
    UnregisterHotKey(window, kPickKeyId);
}

void DescribePickKey(PickKeyStatus status, const StoredOptions &options,
                     char (&line)[kPickKeyLineSize])
{
    lstrcpyA(line, UiText(kTextPickKey));
    if (status == kPickKeyTurnedOff) {
        lstrcatA(line, UiText(kTextPickKeyNone));
        return;
    }
    if (status == kPickKeyUnreadable) {
        lstrcatA(line, UiText(kTextPickKeyNotUnderstood));
        AppendForMenu(line, kPickKeyLineSize, options.pickKeyText);
        return;
    }
    char name[kPickKeyNameSize];
    FormatPickKey(options.pickKey, name);
    lstrcatA(line, name);
    if (status == kPickKeyTaken)
        lstrcatA(line, UiText(kTextPickKeyTaken));
}
