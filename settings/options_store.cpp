#include "settings/options_store.h"

#include <windows.h>

#include "settings/options.h"
#include "settings/profile_file.h"
#include "settings/profile_read.h"

namespace
{

const char kAverageKey[] = "average";
const char kFormatKey[] = "format";
const char kRecentKey[] = "recent";
const char kPickKeyKey[] = "pickkey";
const char kStillKeyKey[] = "stillkey";
const char kTitlesKey[] = "titles";
const char kPaletteKey[] = "palette";
const char kPaletteFormatKey[] = "paletteformat";
const char kDefaultPaletteFile[] = "tanzel.gpl";
// Longer than any good value, so a truncated bad one never reads as good.
const int kShortValueSize = 16;
const int kRecentReadSize = 512;
const int kTitlesReadSize = 1024;
const int kMaxExtraTitles = 16;
// Read for a missing key; nobody types it.
const char kMissing[] = "\x01";

struct ExtraTitles {
    char text[kTitlesReadSize];
    const char *titles[kMaxExtraTitles];
};

ExtraTitles g_extraTitles;

bool IsLeadByte(uint8_t byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

void ReadValue(const char *key, char *value, int size)
{
    ReadProfileValue(key, kMissing, value, size);
}

bool IsMissing(const char *value)
{
    return value[0] == kMissing[0] && value[1] == '\0';
}

void WriteValue(const char *key, const char *value)
{
    WritePrivateProfileStringA(kIniSection, key, value, kIniPath);
}

void LoadKey(const char *name, const PickKey &fallback, KeyOption *option)
{
    ReadValue(name, option->text, kPickKeyTextSize);
    if (IsMissing(option->text)) {
        option->setting = kPickKeyGiven;
        option->key = fallback;
        option->text[0] = '\0';
        return;
    }
    option->setting = ParsePickKey(option->text, &option->key);
}

} // namespace

void LoadOptions(StoredOptions *options)
{
    char value[kShortValueSize];
    ReadValue(kAverageKey, value, kShortValueSize);
    options->averageSide = ParseAverageSide(value);
    ReadValue(kFormatKey, value, kShortValueSize);
    options->format = ParseCopyFormat(value);
    ReadValue(kPaletteFormatKey, value, kShortValueSize);
    options->paletteFormat = ParsePaletteFormat(value);

    char recent[kRecentReadSize];
    ReadValue(kRecentKey, recent, kRecentReadSize);
    options->recent.count = 0;
    if (!IsMissing(recent))
        ParseRecentColors(recent, &options->recent);
    LoadKey(kPickKeyKey, kDefaultPickKey, &options->pickKey);
    LoadKey(kStillKeyKey, kDefaultStillKey, &options->stillKey);
    TurnOffIfSameKey(&options->stillKey, options->pickKey);
}

int LoadExtraTitles(const char *const **titles)
{
    ReadValue(kTitlesKey, g_extraTitles.text, kTitlesReadSize);
    *titles = g_extraTitles.titles;
    if (IsMissing(g_extraTitles.text))
        return 0;
    return SplitExtraTitles(g_extraTitles.text, g_extraTitles.titles, kMaxExtraTitles, IsLeadByte);
}

void SaveAverageSide(int side)
{
    char value[2] = {static_cast<char>('0' + side), '\0'};
    WriteValue(kAverageKey, value);
}

void SaveCopyFormat(CopyFormat format)
{
    WriteValue(kFormatKey, CopyFormatName(format));
}

void SaveRecentColors(const RecentColors &recent)
{
    char text[kRecentTextSize];
    FormatRecentColors(recent, text);
    WriteValue(kRecentKey, text);
}

void SavePaletteFormat(PaletteFormat format)
{
    WriteValue(kPaletteFormatKey, PaletteFormatName(format));
}

void LoadPalettePath(char (&path)[MAX_PATH])
{
    // Twice the room, so a value too long shows itself.
    char value[2 * MAX_PATH];
    ReadValue(kPaletteKey, value, sizeof(value));
    DWORD expanded = IsMissing(value) ? 0 : ExpandEnvironmentStringsA(value, path, MAX_PATH);
    if (expanded <= 1 || expanded > MAX_PATH) {
        char *to = path;
        for (const char *from = kDefaultPaletteFile; (*to++ = *from++) != '\0';) {
        }
    }
}
