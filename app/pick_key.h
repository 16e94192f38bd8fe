// The system-wide keys: the pick key, which picks the colour under the
// pointer without a click, and the still key.
#pragma once

#include <windows.h>

#include "app/ui_text.h"
#include "settings/pick_key.h"

// WM_HOTKEY's wParam for each key.
const int kPickKeyId = 1;
const int kStillKeyId = 2;

enum PickKeyStatus {
    kPickKeyRegistered,
    kPickKeyTaken, // another program holds it
    kPickKeyTurnedOff,
    kPickKeyUnreadable,
};

// Registers the key tanzel.ini names for the window under keyId; never takes
// it from another program.
PickKeyStatus RegisterPickKey(HWND window, int keyId, const KeyOption &option);
void UnregisterPickKeys(HWND window);

// The menu's line about a key: "Pick key: Ctrl+Shift+F8" and what became of
// it, after the label given.
const int kPickKeyLineSize = 160;
void DescribePickKey(UiTextId label, PickKeyStatus status, const KeyOption &option,
                     char (&line)[kPickKeyLineSize]);
