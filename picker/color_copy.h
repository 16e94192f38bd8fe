#pragma once

#include <windows.h>

// Puts the text on the clipboard as CF_TEXT, replacing what was there. A
// clipboard another program keeps open is tried a few times, then left alone
// without a word.
void CopyTextToClipboard(HWND owner, const char *text, int length);
