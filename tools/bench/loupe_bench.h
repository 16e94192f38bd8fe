// The loupe beside the sample: its floor (loupe_floor.cpp), a bare layered
// window with no program code, and the program's own loupe (bench_loupe.cpp).
#pragma once

#include <windows.h>

// The loupe's square, its magnified client and outer size, and where it
// stands from the hot spot when its first place, lower-right, fits.
const int kFloorSquareSize = 11;
const int kFloorClientSize = 88;
const int kFloorOuterSize = 90;
const int kFloorGap = 16;

// False when the floor's window is not as the loupe's (the run then fails),
// or when what it shows at the probe's place never reaches the screen.
bool CreateLoupeFloor(HWND owner, POINT probe);
void DestroyLoupeFloor();
// Untimed, around a batch: shows the window at its first place, hides it.
void ShowLoupeFloor(POINT hotSpot);
void HideLoupeFloor();
// Reads the 11 x 11 square around the hot spot, moves the window lower-right
// of it with one SetWindowPos and paints the square 8 x with one StretchBlt.
void TakeLoupeFloorSample(POINT hotSpot);

// The program's loupe, made with the picker's window or here.
void StartProgramLoupe(HWND picker);
// A drag sample: SampleScreenColor, then ShowLoupeAt.
void TakeLoupeSample(HWND picker, POINT hotSpot);
void HideProgramLoupe();
void EndProgramLoupe();
