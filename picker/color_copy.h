#pragma once

#include <windows.h>

// Puts the text on the clipboard as CF_TEXT, replacing what was there. A
// clipboard another program keeps open is tried a few times, then left alone
// without a word.
void CopyTextToClipboard(HWND owner, const char *text, int length);

// Reads the clipboard's text (CF_TEXT), at most size - 1 bytes of it, always
// terminated; returns its length, or -1 when there is no text or the
// clipboard stays held by another program.
int ReadClipboardText(HWND owner, char *text, int size);
