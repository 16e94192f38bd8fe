// A still: the whole virtual screen copied at one moment and shown over it in
// a window of its own, so a colour that changes or vanishes can be picked at
// leisure. While it shows, every read of the screen reads the copy.
#pragma once

#include <windows.h>

// Copies the virtual screen and shows the copy just below the picker, pixel
// for pixel. False when there was no memory for it.
bool ShowStill(HWND pickerWindow);
// Destroys the window and frees the copy at once; screen reads are live again.
void EndStill();
bool IsStillShown();
