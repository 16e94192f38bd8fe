// The system-wide key that picks the colour under the pointer without a click.
#pragma once

#include <windows.h>

#include "settings/options_store.h"

enum PickKeyStatus {
    kPickKeyRegistered,
    kPickKeyTaken, // another program holds it
    kPickKeyTurnedOff,
    kPickKeyUnreadable,
};

// Registers the key tanzel.ini names for the window; never takes it from
// another program.
PickKeyStatus RegisterPickKey(HWND window, const StoredOptions &options);
void UnregisterPickKey(HWND window);

// The menu's line about the key: "Pick key: Ctrl+Shift+F8" and what became of it.
const int kPickKeyLineSize = 160;
void DescribePickKey(PickKeyStatus status, const StoredOptions &options,
                     char (&line)[kPickKeyLineSize]);
