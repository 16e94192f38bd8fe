// The system-wide key that picks without a click, as tanzel.ini spells it:
// "Ctrl+Shift+F8", "pause", "none". Platform-free.
#pragma once

#include <stdint.h>

// RegisterHotKey's modifier flags and the virtual-key codes, by value, so no
// windows.h is needed here.
const uint32_t kModAlt = 0x1;
const uint32_t kModControl = 0x2;
const uint32_t kModShift = 0x4;
const uint32_t kModWin = 0x8;

struct PickKey {
    uint32_t modifiers; // kModControl | kModShift ...
    uint32_t virtualKey;
};

// Ctrl+Shift+F8: clashes with nothing common.
const PickKey kDefaultPickKey = {kModControl | kModShift, 0x77};
// Ctrl+Shift+F9, beside the pick key.
const PickKey kDefaultStillKey = {kModControl | kModShift, 0x78};

enum PickKeySetting {
    kPickKeyGiven,         // a key to register
    kPickKeyOff,           // "none"
    kPickKeyNotUnderstood, // no key is registered
};

// Modifiers from Ctrl, Shift, Alt and Win, each at most once, joined by "+",
// then one key: A-Z, 0-9, F1-F24, Pause, Insert, Home, End, PageUp, PageDown.
// A letter or digit needs a modifier. Any case; blanks around "+" allowed.
PickKeySetting ParsePickKey(const char *text, PickKey *key);

// Room for a key as written, to show what was not understood.
const int kPickKeyTextSize = 64;

// A system-wide key as tanzel.ini gives it.
struct KeyOption {
    PickKeySetting setting;
    PickKey key;
    char text[kPickKeyTextSize];
};

// A key can be held only once: a second key that is the first one is off.
void TurnOffIfSameKey(KeyOption *second, const KeyOption &first);

// Room for the longest name, "Ctrl+Shift+Alt+Win+PageDown", and more.
const int kPickKeyNameSize = 40;
// The key as the menu names it: modifiers in the order Ctrl, Shift, Alt,
// Win, then the key, joined by "+": "Ctrl+Shift+F8". Returns the length.
int FormatPickKey(const PickKey &key, char (&name)[kPickKeyNameSize]);
