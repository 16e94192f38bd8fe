#pragma once

#include <windows.h>

// Writes the current sample into the red, green and blue fields of the host
// colour dialog, found by its title among all top-level windows. A host that
// does not answer costs a bounded wait, never the picker.
void SendColorToDialog(HWND pickerWindow);
