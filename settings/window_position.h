#pragma once

// Stored outer top-left corner, validated against the primary screen; the
// centred value for each coordinate that is absent or unusable.
void LoadWindowPosition(int frameExtraWidth, int frameExtraHeight, int *left, int *top);
// Writes the picker window's outer top-left corner; its restored one when it
// is minimised.
void SaveWindowPosition();
