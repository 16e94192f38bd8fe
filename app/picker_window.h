#pragma once

#include <windows.h>

LRESULT CALLBACK PickerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateChildButton(HWND parent, int x, int y, int width, int height, const char *text,
                       int controlId);
