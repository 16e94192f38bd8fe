// The picker's right-click menu: copy formats, paste, the averaged area, the
// recent colours, the palette, the colour's name and contrast, the still, and the keys. Built each
// time it opens, from what it shows, never while a drag samples.
#pragma once

#include <windows.h>

#include "picker/color_format.h"
#include "picker/color_names.h"
#include "picker/contrast.h"
#include "picker/recent_colors.h"
#include "settings/palette_text.h"

struct MenuContent {
    ColorSample current;
    CopyFormat format;
    int averageSide;
    const RecentColors *recent;
    const char *pickKeyLine;
    const char *stillKeyLine;
    const char *stillKeyName; // empty while tanzel does not hold the still key
    bool canPaste;            // the clipboard holds a colour as text
    const Palette *palette;
    PaletteFormat paletteFormat;
    const char *paletteFile; // its name without the folder
    bool paletteUnsaved;
};

enum MenuChoiceKind {
    kChoseNothing,
    kChoseCopyFormat,
    kChoseAverageSide,
    kChoseRecentColor, // value: its place in the list
    kChosePaste,
    kChoseName,
    kChoseContrast,
    kChosePaletteAdd,
    kChosePaletteRemove,
    kChosePalettePaste,
    kChosePaletteFormat, // value: the format
    kChosePaletteColor,  // value: its place in the palette
    kChoseStill,
};

struct MenuChoice {
    MenuChoiceKind kind;
    int value;
};

// The menu as it opens; the caller destroys it.
HMENU BuildPickerMenu(const MenuContent &content);
// Shows the menu at a screen point and waits for the choice.
MenuChoice TrackPickerMenu(HWND owner, POINT at, const MenuContent &content);
// The owner's part while the menu is open: the recent and kept colours' squares.
void MeasureColorSquare(MEASUREITEMSTRUCT *item);
void DrawColorSquare(const DRAWITEMSTRUCT *item);

// What the Contrast line copies: the ratio with the previous colour
// ("4.54:1"); false without one.
bool GetContrastText(const ColorSample &color, const RecentColors &recent,
                     char (&ratio)[kContrastTextSize]);
