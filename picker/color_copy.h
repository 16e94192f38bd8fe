#pragma once

#include <windows.h>

// Puts the current sample on the clipboard as "#RRGGBB" text, replacing what
// was there. A clipboard another program keeps open is tried a few times,
// then left alone without a word.
void CopyColorToClipboard(HWND pickerWindow);
