#pragma once

#include <windows.h>

// Stored outer top-left corner of a window with that frame around that client
// area: as it is when it lies on a monitor; otherwise validated against the
// primary screen, with the centred value for each coordinate that is absent
// or unusable.
void LoadWindowPosition(SIZE frameExtra, SIZE client, int *left, int *top);
// Writes the window's outer top-left corner; its restored one when it is
// minimised.
void SaveWindowPosition(HWND window);
