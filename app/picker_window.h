#pragma once

#include <windows.h>

#include "app/pick_key.h"
#include "picker/color_math.h"

// What the picker window keeps between its messages.
struct PickerWindowState {
    HWND focusSinkButton;
    HCURSOR dropperCursor;
    int dragging;
    // What the swatch showed when the drag or still began, for Escape to bring back
    ColorSample sampleBeforeDrag;
    int swatchBlankBeforeDrag;
    // The last arrow-key nudge of this drag: from where, to where, and when
    int nudged;
    POINT nudgeFrom;
    POINT nudgeTarget;
    DWORD nudgeTime;
    // Where the colour was last read, drag or still
    POINT samplePoint;
    PickKeyStatus pickKey;
    PickKeyStatus stillKey;
    // A pick whose recent colours wait for the next moment to be written
    int recentUnsaved;
};

LRESULT CALLBACK PickerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateChildButton(HWND parent, int x, int y, int width, int height, const char *text,
                       int controlId);

// Keys that act on the whole window whichever control has the focus: during
// a drag or a still arrows nudge the pointer and Escape cancels it; Ctrl+C copies the
// colour and Ctrl+V brings one in as text; Ctrl+D keeps it in the palette,
// Ctrl+Shift+C copies the palette and Ctrl+Shift+V pastes into it; Shift+F10
// and the Menu key open the menu. Call for each message before translating it; true when the key
// was used up.
bool HandlePickerKey(const MSG &message);

// Reads the colour at a screen point (physical pixels) as the options say,
// makes it the current colour and shows it.
void SampleScreenColor(HWND window, POINT hotSpot);
