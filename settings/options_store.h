// The options kept in tanzel.ini beside the window's position: read once at
// start-up, each written at once when it changes.
#pragma once

#include <windows.h>

#include "picker/color_format.h"
#include "picker/recent_colors.h"
#include "settings/palette_text.h"
#include "settings/pick_key.h"

struct StoredOptions {
    int averageSide;
    CopyFormat format;
    RecentColors recent;
    KeyOption pickKey;
    KeyOption stillKey;
    PaletteFormat paletteFormat;
};

void LoadOptions(StoredOptions *options);
// The extra host titles; the store keeps their text for the whole run.
int LoadExtraTitles(const char *const **titles);

// A write that fails (a read-only folder, a locked file) is skipped quietly.
void SaveAverageSide(int side);
void SaveCopyFormat(CopyFormat format);
void SaveRecentColors(const RecentColors &recent);
void SavePaletteFormat(PaletteFormat format);

// The palette file: "palette" with %NAME% variables expanded, relative to
// the current directory or absolute; tanzel.gpl when the key is missing,
// empty, or names a path longer than the system takes.
void LoadPalettePath(char (&path)[MAX_PATH]);
