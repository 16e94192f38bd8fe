#include "app/picker_menu.h"

#include "app/ui_text.h"

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
const UINT kStillId = 503;
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
HMENU BuildRecentMenu(const RecentColors &recent)
{
    HMENU menu = CreatePopupMenu();
    if (recent.count == 0)
        AppendMenuA(menu, MF_STRING | MF_GRAYED, kRecentBase, UiText(kTextNoneYet));
    for (int i = 0; i < recent.count; ++i) {
        char label[kFormattedColorSize];
        FormatColor(kFormatHex, recent.colors[i], label);
        AppendMenuA(menu, MF_STRING, kRecentBase + i, label);
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = PixelValueOf(recent.colors[i]);
        SetMenuItemInfoA(menu, kRecentBase + i, FALSE, &item);
    }
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
    if (command >= kRecentBase && command < kRecentBase + kMaxRecentColors)
        choice = {kChoseRecentColor, static_cast<int>(command - kRecentBase)};
    else if (command > kAverageBase && command <= kAverageBase + 9)
        choice = {kChoseAverageSide, static_cast<int>(command - kAverageBase)};
    else if (command >= kCopyFormatBase && command < kCopyFormatBase + kCopyFormatCount)
        choice = {kChoseCopyFormat, static_cast<int>(command - kCopyFormatBase)};
    else if (command >= kPasteId && command <= kStillId)
        choice = {static_cast<MenuChoiceKind>(kChosePaste + (command - kPasteId)), 0};
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
    SetRect(&square, square.left, top, square.left + kSwatchSize, top + kSwatchSize);
    FrameRect(item->hDC, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&square, -1, -1);
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
