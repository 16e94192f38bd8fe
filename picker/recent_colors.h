// The colours picked last, newest first. Platform-free.
#pragma once

#include "picker/color_math.h"

const int kMaxRecentColors = 12;

struct RecentColors {
    ColorSample colors[kMaxRecentColors];
    int count;
};

// Puts the colour at the front; one already in the list moves there instead
// of standing twice, and the oldest falls off a full list.
void AddRecentColor(RecentColors *list, const ColorSample &color);

// Adds the colour at the back, as a stored list is read newest first; false,
// and nothing changed, when it is already there or the list is full.
bool AppendRecentColor(RecentColors *list, const ColorSample &color);

// The newest colour of the list that differs from current; false when there
// is none.
bool PreviousColor(const RecentColors &list, const ColorSample &current, ColorSample *previous);
