#pragma once

#include <windows.h>

// On scaled displays a DPI-unaware process sees pointer coordinates divided
// by the scale while the screen is read in physical pixels. Only the pointer
// read and the pixel read switch to per-monitor awareness, so the window
// itself keeps the size users know.

// Chooses how to read physical pixels; call once, before the window exists.
void PrepareDpiAwareness();

// Switches this thread to physical pixels; returns what to restore.
HANDLE EnterPhysicalPixels();
void LeavePhysicalPixels(HANDLE previousContext);
