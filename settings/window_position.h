#pragma once

// Stored outer top-left corner: as it is when it lies on a monitor; otherwise
// validated against the primary screen, with the centred value for each
// coordinate that is absent or unusable.
void LoadWindowPosition(int frameExtraWidth, int frameExtraHeight, int *left, int *top);
// Writes the picker window's outer top-left corner; its restored one when it
// is minimised.
void SaveWindowPosition();
