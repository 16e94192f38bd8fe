// The palette file on disk: read at start, read again before each change
// and when the menu opens, so another program's edit is never written over,
// and replaced in one step at each change, so that a crash leaves the old
// palette or the new one. A file not read whole is never written.
#pragma once

#include <windows.h>

#include "settings/palette_text.h"

// Reads the palette that tanzel.ini names; a missing file is an empty
// palette.
void OpenPalette();
// Reads the file again, unless the palette holds a change that could not be
// written yet.
void RefreshPalette();

const Palette &KeptPalette();
// The file's name without its folder, for the menu.
const char *PaletteFileName();
// The last write failed; the palette in memory is newer than the file.
bool IsPaletteUnsaved();

// Each looks at the file first, changes the palette and writes it; false
// when nothing changed (read-only, already kept, not kept, refused text).
bool AddToPalette(const ColorSample &color);
bool RemoveFromPalette(const ColorSample &color);
bool PasteIntoPalette(const char *text, int length);

// The palette in a copy format, in a buffer the store keeps; returns its
// length.
int FormatKeptPalette(PaletteFormat format, const char **text);

// Writes the bytes to a new file beside path (path shorter than MAX_PATH),
// flushes it, and puts it in path's place in one step; on failure removes it
// and leaves path as it was.
bool ReplaceFileContents(const char *path, const char *bytes, int length);
