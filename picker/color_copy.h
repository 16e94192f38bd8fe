#pragma once

#include <windows.h>

// Puts UTF-8 text on the clipboard as CF_UNICODETEXT, so that names in any
// script arrive intact; the system gives it as CF_TEXT in the reader's code
// page. A clipboard another program keeps open is tried a few times, then
// left alone without a word.
void CopyTextToClipboard(HWND owner, const char *text, int length);

// Reads the clipboard's text as UTF-8 (from CF_UNICODETEXT, which the system
// makes from CF_TEXT too), always terminated; returns its length, or -1 when
// there is no text, it needs more than size - 1 bytes, or the clipboard stays
// held by another program.
int ReadClipboardText(HWND owner, char *text, int size);
