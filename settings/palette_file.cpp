#include "settings/palette_file.h"

#include "settings/options_store.h"

namespace
{

// Beside the palette, with a name GIMP does not load: a half-written file is
// never taken for a palette.
const char kNewFileFormat[] = "%s.new";

struct PaletteStore {
    Palette palette;
    char path[MAX_PATH];
    bool unsaved;
    char copy[kPaletteCopySize];
};

PaletteStore g_store;

void ReadPaletteFile()
{
    Palette &palette = g_store.palette;
    HANDLE file = CreateFileA(g_store.path, GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD read = 0;
    DWORD openError = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    // No file, or no folder yet: an empty palette, made at the first change.
    bool absent = openError == ERROR_FILE_NOT_FOUND || openError == ERROR_PATH_NOT_FOUND;
    bool readWhole = file != INVALID_HANDLE_VALUE &&
                     ReadFile(file, palette.text, sizeof(palette.text), &read, NULL);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    palette.length = readWhole ? static_cast<int>(read) : 0;
    ReadPaletteText(&palette);
    if (!readWhole && !absent) {
        palette.fault = kFaultUnreadable;
        palette.faultLine = 0;
    }
}

bool SavePalette()
{
    const Palette &palette = g_store.palette;
    g_store.unsaved = !ReplaceFileContents(g_store.path, palette.text, palette.length);
    return true;
}

bool CanChange()
{
    RefreshPalette();
    return g_store.palette.fault == kPaletteWhole;
}

} // namespace

void OpenPalette()
{
    LoadPalettePath(g_store.path);
    ReadPaletteFile();
}

// Read whole each time (at most 256 KiB, and never during a drag): an edit
// that keeps the file's size and time is seen too.
void RefreshPalette()
{
    if (!g_store.unsaved)
        ReadPaletteFile();
}

const Palette &KeptPalette()
{
    return g_store.palette;
}

const char *PaletteFileName()
{
    const char *name = g_store.path;
    for (const char *at = g_store.path; *at; ++at)
        if (*at == '\\' || *at == '/' || *at == ':')
            name = at + 1;
    return name;
}

bool IsPaletteUnsaved()
{
    return g_store.unsaved;
}

bool AddToPalette(const ColorSample &color)
{
    return CanChange() && FindPaletteColor(g_store.palette, color) < 0 &&
           AddPaletteColor(&g_store.palette, color) && SavePalette();
}

bool RemoveFromPalette(const ColorSample &color)
{
    return CanChange() && RemovePaletteColor(&g_store.palette, color) && SavePalette();
}

bool PasteIntoPalette(const char *text, int length)
{
    return CanChange() && AddPastedColors(&g_store.palette, text, length) && SavePalette();
}

int FormatKeptPalette(PaletteFormat format, const char **text)
{
    *text = g_store.copy;
    return FormatPalette(g_store.palette, g_store.palette.count, format, g_store.copy);
}

bool ReplaceFileContents(const char *path, const char *bytes, int length)
{
    char newPath[MAX_PATH + sizeof(kNewFileFormat)];
    wsprintfA(newPath, kNewFileFormat, path);
    HANDLE file =
        CreateFileA(newPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool whole = WriteFile(file, bytes, static_cast<DWORD>(length), &written, NULL) &&
                 written == static_cast<DWORD>(length) && FlushFileBuffers(file);
    CloseHandle(file);
    if (whole && MoveFileExA(newPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(newPath);
    return false;
}
