#include "app/picker_menu.h"

#include "app/ui_text.h"
#include "picker/utf8_text.h"

namespace
{

// Command ids: a base per submenu, plus the format, side or place.
const UINT kCopyFormatBase = 100;
const UINT kAverageBase = 200;
const UINT kRecentBase = 300;
const UINT kPickKeyLineId = 400;
const UINT kPasteId = 500;
const UINT kNameId = 501;
const UINT kContrastId = 502;
// In the order of the choices they make.
const UINT kPaletteAddId = 503;
const UINT kPaletteRemoveId = 504;
const UINT kPalettePasteId = 505;
const UINT kPaletteFormatBase = 600;
const UINT kPaletteColorBase = 1000;
// Room for a name in the menu, in characters; a longer one ends in an ellipsis.
const int kShownNameLength = 32;
// Add, Remove, Paste, Copy as, a status line and the separator.
const int kItemsAboveKeptColors = 6;
const UINT kStillId = 506;
const UINT kStillKeyLineId = 401;
const int kMenuTextSize = 96;
const int kSwatchSize = 12;

HMENU BuildCopyMenu(const MenuContent &content)
{
    HMENU menu = CreatePopupMenu();
    for (int format = 0; format < kCopyFormatCount; ++format) {
        char sample[kFormattedColorSize];
        FormatColor(static_cast<CopyFormat>(format), content.current, sample);
        char label[kMenuTextSize];
        wsprintfA(label, "%s\t%s", UiText(static_cast<UiTextId>(kTextFormatHex + format)), sample);
        AppendMenuA(menu, MF_STRING, kCopyFormatBase + format, label);
    }
    CheckMenuRadioItem(menu, kCopyFormatBase, kCopyFormatBase + kCopyFormatCount - 1,
                       kCopyFormatBase + content.format, MF_BYCOMMAND);
    return menu;
}

// The multiplication sign where the code page has one, else a plain x.
void GetTimesSign(char (&sign)[4])
{
    const WCHAR times[] = {0x00D7, 0};
    BOOL lossy = FALSE;
    int written =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, times, 1, sign, 3, NULL, &lossy);
    if (written <= 0 || lossy) {
        sign[0] = 'x';
        written = 1;
    }
    sign[written] = '\0';
}

HMENU BuildAverageMenu(const MenuContent &content)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kAverageBase + 1, UiText(kTextOnePoint));
    char times[4];
    GetTimesSign(times);
    for (int side = 3; side <= 9; side += 2) {
        char label[kMenuTextSize];
        wsprintfA(label, UiText(kTextSquare), side, times, side, side);
        AppendMenuA(menu, MF_STRING, kAverageBase + side, label);
    }
    CheckMenuRadioItem(menu, kAverageBase + 1, kAverageBase + 9, kAverageBase + content.averageSide,
                       MF_BYCOMMAND);
    return menu;
}

// Each colour's square is drawn by the owner (HBMMENU_CALLBACK): a bitmap of
// it would be shown inverted on the highlighted item.
void AppendColorItem(HMENU menu, UINT id, UINT flags, const char *label, const ColorSample &color)
{
    AppendMenuA(menu, MF_STRING | flags, id, label);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP | MIIM_DATA;
    item.hbmpItem = HBMMENU_CALLBACK;
    item.dwItemData = PixelValueOf(color);
    SetMenuItemInfoA(menu, id, FALSE, &item);
}

HMENU BuildRecentMenu(const RecentColors &recent)
{
    HMENU menu = CreatePopupMenu();
    if (recent.count == 0)
        AppendMenuA(menu, MF_STRING | MF_GRAYED, kRecentBase, UiText(kTextNoneYet));
    for (int i = 0; i < recent.count; ++i) {
        char label[kFormattedColorSize];
        FormatColor(kFormatHex, recent.colors[i], label);
        AppendColorItem(menu, kRecentBase + i, 0, label, recent.colors[i]);
    }
    return menu;
}

HMENU BuildPaletteCopyMenu(const MenuContent &content)
{
    HMENU menu = CreatePopupMenu();
    for (int format = 0; format < kPaletteFormatCount; ++format) {
        char text[kPaletteFirstColorSize];
        int written = FormatPalette(*content.palette, 1, static_cast<PaletteFormat>(format), text);
        char label[kMenuTextSize];
        int length =
            wsprintfA(label, "%s\t", UiText(static_cast<UiTextId>(kTextPaletteHex + format)));
        // Its first line as the example.
        for (int i = 0; i < written && text[i] != '\r' && length < kMenuTextSize - 1; ++i)
            label[length++] = text[i];
        label[length] = '\0';
        AppendMenuA(menu, MF_STRING, kPaletteFormatBase + format, label);
    }
    CheckMenuRadioItem(menu, kPaletteFormatBase, kPaletteFormatBase + kPaletteFormatCount - 1,
                       kPaletteFormatBase + content.paletteFormat, MF_BYCOMMAND);
    return menu;
}

// Why the palette is read-only, or that a change is not saved; nothing when
// neither. A fault of the whole file is a text with the file's name alone.
void AppendPaletteStatus(HMENU menu, const MenuContent &content)
{
    const Palette &palette = *content.palette;
    const char *why = UiText(static_cast<UiTextId>(kTextFaultHeader + palette.fault - 1));
    const char *format = palette.faultLine > 0 ? UiText(kTextPaletteFaultAt) : why;
    if (palette.fault == kPaletteWhole && !content.paletteUnsaved)
        return;
    if (palette.fault == kPaletteWhole)
        format = UiText(kTextPaletteNotSaved);
    char line[kMenuTextSize + MAX_PATH];
    wsprintfA(line, format, content.paletteFile, palette.faultLine, why);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kPaletteColorBase - 1, line);
}

// "#RRGGBB", a tab, the name in the ANSI code page ("?" for what it cannot
// show), shortened with an ellipsis.
void FormatKeptColorLabel(const Palette &palette, int index, char (&label)[kMenuTextSize])
{
    const PaletteEntry &entry = palette.entries[index];
    WCHAR name[kMaxPaletteLine];
    int length = WidenUtf8(palette.text + entry.name.start, entry.name.length,
                           reinterpret_cast<uint16_t *>(name));
    if (length > kShownNameLength) {
        length = kShownNameLength;
        name[length - 1] = 0x2026;
    }
    FormatColorCode(entry.color, reinterpret_cast<char(&)[kColorCodeSize]>(label));
    label[kColorCodeSize - 1] = '\t';
    int written = kColorCodeSize;
    written += WideCharToMultiByte(CP_ACP, 0, name, length, label + written,
                                   kMenuTextSize - written - 1, NULL, NULL);
    label[written] = '\0';
}

// The kept colours run on in further columns when one would not fit the
// screen's height.
void AppendKeptColors(HMENU menu, const Palette &palette)
{
    int perColumn = GetSystemMetrics(SM_CYSCREEN) / GetSystemMetrics(SM_CYMENU) - 1;
    for (int i = 0; i < palette.count; ++i) {
        char label[kMenuTextSize];
        FormatKeptColorLabel(palette, i, label);
        UINT flags = i > 0 && (i + kItemsAboveKeptColors) % perColumn == 0 ? MF_MENUBARBREAK : 0;
        AppendColorItem(menu, kPaletteColorBase + i, flags, label, palette.entries[i].color);
    }
    if (palette.count == 0)
        AppendMenuA(menu, MF_STRING | MF_GRAYED, kPaletteColorBase, UiText(kTextPaletteEmpty));
}

UINT GreyedUnless(bool enabled)
{
    return enabled ? 0 : MF_GRAYED;
}

HMENU BuildPaletteMenu(const MenuContent &content)
{
    const Palette &palette = *content.palette;
    bool writable = palette.fault == kPaletteWhole;
    bool kept = FindPaletteColor(palette, content.current) >= 0;
    bool full = palette.count == kMaxPaletteColors;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | GreyedUnless(writable && !kept && !full), kPaletteAddId,
                UiText(kTextPaletteAdd));
    AppendMenuA(menu, MF_STRING | GreyedUnless(writable && kept), kPaletteRemoveId,
                UiText(kTextPaletteRemove));
    AppendMenuA(menu, MF_STRING | GreyedUnless(writable), kPalettePasteId,
                UiText(kTextPalettePaste));
    AppendMenuA(menu, MF_POPUP | GreyedUnless(palette.count > 0),
                reinterpret_cast<UINT_PTR>(BuildPaletteCopyMenu(content)),
                UiText(kTextPaletteCopyAs));
    AppendPaletteStatus(menu, content);
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendKeptColors(menu, palette);
    return menu;
}

void AppendSubmenu(HMENU menu, HMENU submenu, const char *label)
{
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), label);
}

// A line whose text after the tab says what choosing it copies.
void AppendLine(HMENU menu, UINT id, UINT flags, UiTextId label, const char *text)
{
    char line[kMenuTextSize];
    wsprintfA(line, "%s\t%s", UiText(label), text);
    AppendMenuA(menu, MF_STRING | flags, id, line);
}

void AppendNameLine(HMENU menu, const ColorSample &color)
{
    char name[kColorNameSize];
    bool exact = NearestColorName(color, name);
    UiTextId family = static_cast<UiTextId>(kTextFamilyBlack + FamilyOf(color));
    char text[kMenuTextSize];
    wsprintfA(text, UiText(exact ? kTextExactName : kTextNearName), name, UiText(family));
    AppendLine(menu, kNameId, 0, kTextName, text);
}

void AppendContrastLine(HMENU menu, const MenuContent &content)
{
    ColorSample previous;
    if (!PreviousColor(*content.recent, content.current, &previous)) {
        AppendLine(menu, kContrastId, MF_GRAYED, kTextContrast, UiText(kTextNoPreviousColor));
        return;
    }
    int hundredths = ContrastHundredths(content.current, previous);
    char ratio[kContrastTextSize];
    FormatContrastRatio(hundredths, ratio);
    UiTextId verdict = static_cast<UiTextId>(kTextVerdictFail + ContrastVerdictOf(hundredths));
    char other[kFormattedColorSize];
    FormatColor(kFormatHex, previous, other);
    char text[kMenuTextSize];
    wsprintfA(text, UiText(kTextContrastLine), ratio, UiText(verdict), other);
    AppendLine(menu, kContrastId, 0, kTextContrast, text);
}

MenuChoice ChoiceOf(UINT command)
{
    MenuChoice choice = {kChoseNothing, 0};
    if (command >= kPaletteColorBase && command < kPaletteColorBase + kMaxPaletteColors)
        choice = {kChosePaletteColor, static_cast<int>(command - kPaletteColorBase)};
    else if (command >= kPaletteFormatBase && command < kPaletteFormatBase + kPaletteFormatCount)
        choice = {kChosePaletteFormat, static_cast<int>(command - kPaletteFormatBase)};
    else if (command >= kRecentBase && command < kRecentBase + kMaxRecentColors)
        choice = {kChoseRecentColor, static_cast<int>(command - kRecentBase)};
    else if (command > kAverageBase && command <= kAverageBase + 9)
        choice = {kChoseAverageSide, static_cast<int>(command - kAverageBase)};
    else if (command >= kCopyFormatBase && command < kCopyFormatBase + kCopyFormatCount)
        choice = {kChoseCopyFormat, static_cast<int>(command - kCopyFormatBase)};
    else if (command >= kPasteId && command <= kPalettePasteId)
        choice = {static_cast<MenuChoiceKind>(kChosePaste + (command - kPasteId)), 0};
    else if (command == kStillId)
        choice = {kChoseStill, 0};
    return choice;
}

} // namespace

HMENU BuildPickerMenu(const MenuContent &content)
{
    HMENU menu = CreatePopupMenu();
    AppendSubmenu(menu, BuildCopyMenu(content), UiText(kTextCopyAs));
    AppendMenuA(menu, MF_STRING | (content.canPaste ? 0 : MF_GRAYED), kPasteId,
                UiText(kTextPasteColor));
    AppendSubmenu(menu, BuildAverageMenu(content), UiText(kTextAverage));
    AppendSubmenu(menu, BuildRecentMenu(*content.recent), UiText(kTextRecentColors));
    AppendSubmenu(menu, BuildPaletteMenu(content), UiText(kTextPalette));
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendNameLine(menu, content.current);
    AppendContrastLine(menu, content);
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendLine(menu, kStillId, 0, kTextPickFromStill, content.stillKeyName);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kPickKeyLineId, content.pickKeyLine);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kStillKeyLineId, content.stillKeyLine);
    return menu;
}

MenuChoice TrackPickerMenu(HWND owner, POINT at, const MenuContent &content)
{
    HMENU menu = BuildPickerMenu(content);

    // The owner must be in front, or the menu stays open after a click elsewhere.
    SetForegroundWindow(owner);
    UINT command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, NULL));
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return ChoiceOf(command);
}

void MeasureColorSquare(MEASUREITEMSTRUCT *item)
{
    item->itemWidth = kSwatchSize;
    item->itemHeight = kSwatchSize;
}

void DrawColorSquare(const DRAWITEMSTRUCT *item)
{
    RECT square = item->rcItem;
    int top = (square.top + square.bottom - kSwatchSize) / 2;
    square.top = top;
    square.right = square.left + kSwatchSize;
    square.bottom = top + kSwatchSize;
    FrameRect(item->hDC, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ++square.left;
    ++square.top;
    --square.right;
    --square.bottom;
    HBRUSH fill = CreateSolidBrush(static_cast<COLORREF>(item->itemData));
    FillRect(item->hDC, &square, fill);
    DeleteObject(fill);
}

bool GetContrastText(const ColorSample &color, const RecentColors &recent,
                     char (&ratio)[kContrastTextSize])
{
    ColorSample previous;
    if (!PreviousColor(recent, color, &previous))
        return false;
    FormatContrastRatio(ContrastHundredths(color, previous), ratio);
    return true;
}
