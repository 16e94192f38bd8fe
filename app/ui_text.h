// Every word tanzel shows a person, in English and in Japanese, chosen once
// at start-up. Platform-free, so the choice and the tables are tested natively.
#pragma once

enum UiLanguage { kUiEnglish, kUiJapanese };

enum UiTextId {
    kTextCopyAs,
    kTextPasteColor,
    kTextAverage,
    kTextRecentColors,
    kTextName,
    kTextContrast,
    kTextFormatHex, // the copy formats, in their order
    kTextFormatBare,
    kTextFormatRgb,
    kTextFormatList,
    kTextFormatHsl,
    kTextFormatColorref,
    kTextFormatOklch,
    kTextOnePoint,
    kTextSquare, // side, times sign, side, side
    kTextNoneYet,
    kTextExactName,   // name, family
    kTextNearName,    // name, family
    kTextFamilyBlack, // the colour families, in their order
    kTextFamilyWhite,
    kTextFamilyGrey,
    kTextFamilyRed,
    kTextFamilyOrange,
    kTextFamilyYellow,
    kTextFamilyGreen,
    kTextFamilyBlue,
    kTextFamilyPurple,
    kTextFamilyPink,
    kTextFamilyBrown,
    kTextContrastLine, // ratio, verdict, the other colour
    kTextVerdictFail,  // the verdicts, weakest first
    kTextVerdictAaLarge,
    kTextVerdictAa,
    kTextVerdictAaa,
    kTextNoPreviousColor,
    kTextPickKey,
    kTextPickKeyNone,
    kTextPickKeyNotUnderstood,
    kTextPickKeyTaken,
    kTextPalette,
    kTextPaletteAdd,
    kTextPaletteRemove,
    kTextPalettePaste,
    kTextPaletteCopyAs,
    kTextPaletteHex, // the palette's copy formats, in their order
    kTextPaletteCss,
    kTextPaletteGpl,
    kTextPalettePaintNet,
    kTextPaletteEmpty,
    kTextPaletteFaultAt, // file, line, why
    kTextFaultHeader,    // why a palette is read-only, in PaletteFault's order
    kTextFaultLine,
    kTextFaultTooMany,
    kTextFaultName,
    kTextFaultLongLine,
    kTextFaultTooBig, // this and the next a whole line, of the file's name
    kTextFaultUnreadable,
    kTextPaletteNotSaved,
    kTextPickFromStill,
    kTextStillKey,
    kUiTextCount
};

// Japanese only where the menu can show it (ANSI code page 932) and the user
// reads it (a Japanese user interface language, a LANGID); else English.
UiLanguage ChooseUiLanguage(unsigned codePage, unsigned short uiLanguageId);

void UseUiLanguage(UiLanguage language);

// The text in the language in use (English until told otherwise): ANSI, in
// code page 932 for Japanese.
const char *UiText(UiTextId id);
const char *UiTextIn(UiLanguage language, UiTextId id);
