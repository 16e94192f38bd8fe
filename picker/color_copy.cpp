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
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, text, length, NULL, 0);
    HGLOBAL unicode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                  (static_cast<SIZE_T>(wideLength) + 1) * sizeof(WCHAR));
    WCHAR *target = unicode ? static_cast<WCHAR *>(GlobalLock(unicode)) : NULL;
    if (!target)
        return;
    MultiByteToWideChar(CP_UTF8, 0, text, length, target, wideLength);
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
