#include "picker/color_copy.h"

#include "picker/utf8_text.h"

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
            // Sleep, through an import the program has anyway: its own
            // process (GetCurrentProcess's constant) never ends while it waits.
            WaitForSingleObject(reinterpret_cast<HANDLE>(-1), kOpenRetryDelayMs);
        if (OpenClipboard(owner))
            return true;
    }
    return false;
}

// Once set, the clipboard owns the memory; only a refused one is ours to free.
void PutOnClipboard(HWND owner, HGLOBAL unicode)
{
    if (OpenClipboardPatiently(owner)) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, unicode))
            unicode = NULL;
        CloseClipboard();
    }
    GlobalFree(unicode);
}

} // namespace

void CopyTextToClipboard(HWND owner, const char *text, int length)
{
    // Never more UTF-16 units than UTF-8 bytes, and the terminator.
    HGLOBAL unicode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                  (static_cast<SIZE_T>(length) + 1) * sizeof(WCHAR));
    uint16_t *target = unicode ? static_cast<uint16_t *>(GlobalLock(unicode)) : NULL;
    if (!target)
        return;
    WidenUtf8(text, length, target);
    GlobalUnlock(unicode);
    PutOnClipboard(owner, unicode);
}

int ReadClipboardText(HWND owner, char *text, int size)
{
    text[0] = '\0';
    if (!OpenClipboardPatiently(owner))
        return -1;
    int length = -1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const WCHAR *source = data ? static_cast<const WCHAR *>(GlobalLock(data)) : NULL;
    if (source) {
        // Another program's text need not be terminated within its block.
        int available = static_cast<int>(GlobalSize(data) / sizeof(WCHAR));
        int wideLength = 0;
        while (wideLength < available && source[wideLength])
            ++wideLength;
        length = WideCharToMultiByte(CP_UTF8, 0, source, wideLength, text, size - 1, NULL, NULL);
        if (length == 0 && wideLength > 0)
            length = -1;
        text[length > 0 ? length : 0] = '\0';
        GlobalUnlock(data);
    }
    CloseClipboard();
    return length;
}
