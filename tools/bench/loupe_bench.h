// The loupe beside the sample: its floor (loupe_floor.cpp), a bare layered
// window with no program code, and the program's own loupe (bench_loupe.cpp).
#pragma once

#include <windows.h>

// The loupe's outer size, and where it stands from the hot spot when its
// first place, lower-right, fits.
const int kLoupeOuterSize = 90;
const int kLoupeOffset = 16;

enum LoupeFloorWay {
    // One SetWindowPos, then one StretchBlt in WM_PAINT.
    kMoveAndPaint,
    // One SetWindowPos, then one StretchBlt past WM_PAINT (GetDC).
    kMoveAndDirectPaint,
    // One UpdateLayeredWindow that moves and paints.
    kUpdateLayered,
    kLoupeFloorWayCount
};

bool CreateLoupeFloors(HWND owner);
void DestroyLoupeFloors();
// Untimed, around a batch: shows the window at its first place, hides it.
void ShowLoupeFloor(LoupeFloorWay way, POINT hotSpot);
void HideLoupeFloor(LoupeFloorWay way);
// Untimed: whether what the way shows is on the screen afterwards. Under
// Wine 8 on Xvfb a window shown by UpdateLayeredWindow never is.
bool LoupeFloorReachesScreen(LoupeFloorWay way, POINT hotSpot);
// Reads the 11 x 11 square around the hot spot, moves the window lower-right
// of it and shows the square 8 x.
void TakeLoupeFloorSample(LoupeFloorWay way, POINT hotSpot);

// The program's loupe; false when this build of the program has none.
bool StartProgramLoupe(HWND picker);
// A drag sample: SampleScreenColor, then ShowLoupeAt.
void TakeLoupeSample(HWND picker, POINT hotSpot);
void HideProgramLoupe();
void EndProgramLoupe();
