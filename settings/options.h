// What tanzel.ini holds beyond the window's position, read and written as
// text. Platform-free: every bad value falls back to its default here, and
// nothing else reads the file's text.
#pragma once

#include <stdint.h>

#include "picker/color_format.h"
#include "picker/recent_colors.h"
#include "settings/palette_text.h"

// "average": exactly 1, 3, 5, 7 or 9; anything else gives 1.
int ParseAverageSide(const char *text);

// "format": hex, bare, rgb, list, hsl, colorref or oklch in any case; anything
// else gives hex.
CopyFormat ParseCopyFormat(const char *text);
// The name a format is written under, in lower case.
const char *CopyFormatName(CopyFormat format);

// "paletteformat": hex, css, gpl or paintnet in any case; anything else gives
// hex.
PaletteFormat ParsePaletteFormat(const char *text);
const char *PaletteFormatName(PaletteFormat format);

// "recent": colours as RRGGBB (either case), newest first, separated by
// spaces. A piece that is not exactly six hex digits, a repeat, and an empty
// piece are skipped; at most kMaxRecentColors are kept.
void ParseRecentColors(const char *text, RecentColors *list);
// Room for kMaxRecentColors colours as "RRGGBB", a blank between each.
const int kRecentTextSize = kMaxRecentColors * 7;
// Upper-case RRGGBB, newest first, one blank between; returns the length.
int FormatRecentColors(const RecentColors &list, char (&text)[kRecentTextSize]);

// "titles": whole window titles separated by "|". Splits text in place and
// keeps up to maxTitles pieces that are neither empty nor longer than
// kMaxTitleLength bytes; returns how many. isLeadByte tells the first byte of
// a double-byte character in the ANSI code page, whose second may be "|".
const int kMaxTitleLength = 255;
int SplitExtraTitles(char *text, const char **titles, int maxTitles,
                     bool (*isLeadByte)(uint8_t byte));
