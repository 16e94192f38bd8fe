// The palette kept as a GIMP palette file: reading it, changing only the
// lines a change needs, and writing it in the forms it is copied in.
// Platform-free, no C runtime.
#pragma once

#include "picker/color_math.h"

const int kMaxPaletteColors = 256;
const int kMaxPaletteBytes = 256 * 1024;
// The longest line read, its ending left out.
const int kMaxPaletteLine = 1000;
// The most text Paste into palette takes.
const int kMaxPasteBytes = 16 * 1024;

// Why a palette is read-only; kPaletteWhole for one read whole.
enum PaletteFault {
    kPaletteWhole,
    kFaultHeader,   // the first line is not "GIMP Palette"
    kFaultLine,     // a line that is neither colour, comment nor header
    kFaultTooMany,  // more than kMaxPaletteColors colours
    kFaultName,     // a name not UTF-8, or with a control character but the tab
    kFaultLongLine, // a line over kMaxPaletteLine bytes
    kFaultTooBig,   // a file over kMaxPaletteBytes
    kFaultUnreadable,
};

// Bytes of a text, by their offset.
struct TextSpan {
    int start;
    int length;
};

struct PaletteEntry {
    ColorSample color;
    int lineStart; // offsets into the text: the line with its ending
    int lineEnd;
    TextSpan name; // UTF-8, blanks around it left out
};

// The text last, so that the other fields are near the start: shorter code.
struct Palette {
    int length;
    int count;
    PaletteFault fault;
    int faultLine; // counted from 1; 0 where the fault is the whole file's
    PaletteEntry entries[kMaxPaletteColors];
    // One byte more than a palette may have, so a longer file shows itself.
    char text[kMaxPaletteBytes + 1];
};

// Reads the colours of text[0..length), every colour line in order, and the
// first fault. No text at all is an empty palette, and whole.
void ReadPaletteText(Palette *palette);

// The first entry of that colour, or -1.
int FindPaletteColor(const Palette &palette, const ColorSample &color);

// Appends the colour's line, named by its nearest CSS name ("coral", then
// "coral-2" when that is taken); a new file gets the header first. False,
// and nothing changed, when the palette is full or the text would be too long.
bool AddPaletteColor(Palette *palette, const ColorSample &color);
// Deletes the line of the colour's first entry; false when it has none.
bool RemovePaletteColor(Palette *palette, const ColorSample &color);

// Adds every colour of the text, one per line: a GIMP colour line, a CSS
// custom property ("--brand: #0AC840;", its name kept), or anything
// ParseColorText reads; passes over empty lines, "GIMP Palette", "Name:",
// "Columns:", "#" and "/* */" comments, ":root {" and "}", and colours
// already kept. Any other line, text over kMaxPasteBytes, or colours that do
// not fit: false, and nothing changed.
bool AddPastedColors(Palette *palette, const char *text, int length);

enum PaletteFormat { kPaletteHex, kPaletteCss, kPaletteGpl, kPalettePaintNet, kPaletteFormatCount };

// Room for the palette in any format, and for its first colour.
const int kPaletteCopySize = kMaxPaletteBytes + 16 * 1024;
const int kPaletteFirstColorSize = kMaxPaletteLine + 64;
// The palette's first count colours as text in that format, lines ended by
// CR LF; returns the length (text not terminated).
int FormatPalette(const Palette &palette, int count, PaletteFormat format, char *out);
