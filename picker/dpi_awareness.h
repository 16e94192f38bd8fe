#pragma once

#include <windows.h>

// On scaled displays a DPI-unaware process sees pointer coordinates divided
// by the scale while the screen is read in physical pixels. Where a single
// thread can switch (Windows 10 1607 on), only the pointer and screen reads
// and the loupe switch to per-monitor awareness, so the picker window keeps
// the size users know. Elsewhere the whole process becomes system aware, and
// the picker window is then drawn at its size in pixels.

// Chooses how to read physical pixels; call once, before the window exists.
void PrepareDpiAwareness();

// Switches this thread to physical pixels; returns what to restore.
HANDLE EnterPhysicalPixels();
void LeavePhysicalPixels(HANDLE previousContext);
