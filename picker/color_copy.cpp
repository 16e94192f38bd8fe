#include "picker/color_copy.h"

namespace
{

// Long enough to outlast another program's brief hold, short enough that the
// window never seems to freeze.
const int kOpenAttempts = 5;
const DWORD kOpenRetryDelayMs = 20;

bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kOpenRetryDelayMs);
        if (OpenClipboard(owner))
            return true;
    }
    return false;
}

HGLOBAL CopyTextToGlobal(const char *text, int length)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) + 1);
    if (!memory)
        return NULL;
    char *target = static_cast<char *>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return NULL;
    }
    CopyMemory(target, text, static_cast<SIZE_T>(length) + 1);
    GlobalUnlock(memory);
    return memory;
}

} // namespace

void CopyTextToClipboard(HWND owner, const char *text, int length)
{
    HGLOBAL memory = CopyTextToGlobal(text, length);
    if (!memory)
        return;
    if (!OpenClipboardPatiently(owner)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // Once set, the clipboard owns the memory; only a refused one is ours to free.
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

int ReadClipboardText(HWND owner, char *text, int size)
{
    text[0] = '\0';
    if (!OpenClipboardPatiently(owner))
        return -1;
    int length = -1;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char *source = data ? static_cast<const char *>(GlobalLock(data)) : NULL;
    if (source) {
        // Another program's text need not be terminated within its block.
        SIZE_T available = GlobalSize(data);
        length = 0;
        while (length < size - 1 && static_cast<SIZE_T>(length) < available && source[length]) {
            text[length] = source[length];
            ++length;
        }
        text[length] = '\0';
        GlobalUnlock(data);
    }
    CloseClipboard();
    return length;
}
