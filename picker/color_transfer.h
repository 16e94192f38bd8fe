#pragma once

#include <windows.h>

#include "picker/color_math.h"

// Room for a window title as the host search reads it, terminator included.
const int kHostTitleSize = 256;

// Titles of hosts that rename their colour dialog, besides those Drop always
// knows. Kept, not copied: they must outlive every Drop.
void SetExtraHostTitles(const char *const *titles, int count);

// Writes the colour into the red, green and blue fields of the host colour
// dialog, found by its whole title among all top-level windows. A host that
// does not answer costs a bounded wait, never the picker.
void SendColorToDialog(HWND pickerWindow, const ColorSample &sample);

// The caption the system's own colour dialog has in the user's language, read
// from comdlg32.dll in the system folder; false when there is none that the
// ANSI code page can spell. Drop reads it once, at the first Drop.
bool ReadSystemColorDialogTitle(char (&title)[kHostTitleSize]);
