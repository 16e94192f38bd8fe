// The loupe: while a drag is in progress, a window of its own beside the
// pointer shows the 11 x 11 screen pixels around the hot spot, each as an
// 8 x 8 block, with a ring around the centre one, the pixel being sampled.
#pragma once

#include <windows.h>

struct LoupeState {
    HWND window;
    // The square last read from the screen, one pixel per block.
    HDC squareDC;
    HBITMAP squareBitmap;
    HGDIOBJ previousBitmap;
    // The monitor of the last hot spot, asked for again only once the hot
    // spot leaves it or the loupe has hidden.
    RECT monitor;
};

// Creates the loupe hidden, owned by the picker window. Call once the picker
// is topmost: a topmost window it owns made before then leaves it behind.
void CreateLoupe(HWND pickerWindow);
// Reads the square around the hot spot (physical pixels), then moves the
// loupe beside it and repaints it; hides it where no place fits.
void ShowLoupeAt(HWND pickerWindow, POINT hotSpot);
void HideLoupe();
void DestroyLoupe();
