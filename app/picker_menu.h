// The picker's right-click menu: copy formats, the averaged area, the recent
// colours and the pick key. Built each time it opens, from what it shows.
#pragma once

#include <windows.h>

#include "picker/color_format.h"
#include "picker/recent_colors.h"

struct MenuContent {
    ColorSample current;
    CopyFormat format;
    int averageSide;
    const RecentColors *recent;
    const char *pickKeyLine;
};

enum MenuChoiceKind {
    kChoseNothing,
    kChoseCopyFormat,
    kChoseAverageSide,
    kChoseRecentColor, // value: its place in the list
};

struct MenuChoice {
    MenuChoiceKind kind;
    int value;
};

// Shows the menu at a screen point and waits for the choice.
MenuChoice TrackPickerMenu(HWND owner, POINT at, const MenuContent &content);
// The owner's part while the menu is open: the recent colours' squares.
void MeasureColorSquare(MEASUREITEMSTRUCT *item);
void DrawColorSquare(const DRAWITEMSTRUCT *item);
