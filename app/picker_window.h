#pragma once

#include <windows.h>

LRESULT CALLBACK PickerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateChildButton(HWND parent, int x, int y, int width, int height, const char *text,
                       int controlId);

// Keys that act on the whole window whichever control has the focus: arrows
// nudge the pointer during a drag, Ctrl+C copies the colour. Call for each
// message before translating it; true when the key was used up.
bool HandlePickerKey(const MSG &message);
