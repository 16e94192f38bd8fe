#include "support/keyboard.h"

#include "support/driver.h"

#include <string>

bool FocusWindowsOwnXWindow(HWND window)
{
    HANDLE xWindow = GetPropA(window, "__wine_x11_whole_window");
    if (!xWindow)
        return false;
    std::string id = std::to_string(reinterpret_cast<UINT_PTR>(xWindow));
    bool focused = RunUnixShell("xdotool windowfocus --sync " + id) == 0;
    PumpFor(100);
    return focused;
}

static bool OpenClipboardWithin(DWORD timeoutMs)
{
    return WaitUntil([] { return OpenClipboard(NULL) != FALSE; }, timeoutMs);
}

std::string ReadClipboardText(DWORD timeoutMs)
{
    if (!OpenClipboardWithin(timeoutMs))
        return "(clipboard busy)";
    std::string text = "(none)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char *bytes = static_cast<const char *>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

static bool WriteClipboardBytes(UINT format, const void *bytes, size_t size, DWORD timeoutMs)
{
    if (!OpenClipboardWithin(timeoutMs))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    bool written = false;
    if (memory) {
        CopyMemory(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        written = SetClipboardData(format, memory) != NULL;
        if (!written)
            GlobalFree(memory);
    }
    CloseClipboard();
    return written;
}

bool WriteClipboardText(const std::string &text, DWORD timeoutMs)
{
    return WriteClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1, timeoutMs);
}

bool WriteClipboardUnicode(const std::string &utf8, DWORD timeoutMs)
{
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    return WriteClipboardBytes(CF_UNICODETEXT, wide.c_str(), wide.size() * sizeof(wchar_t),
                               timeoutMs);
}

namespace
{

struct HolderThread {
    HANDLE opened;
    HANDLE release;
    bool *holding;
};

DWORD WINAPI HoldClipboard(void *parameter)
{
    HolderThread *holder = static_cast<HolderThread *>(parameter);
    *holder->holding = OpenClipboard(NULL) != FALSE;
    SetEvent(holder->opened);
    WaitForSingleObject(holder->release, INFINITE);
    if (*holder->holding)
        CloseClipboard();
    delete holder;
    return 0;
}

} // namespace

ClipboardHolder::ClipboardHolder()
    : opened_(CreateEventA(NULL, TRUE, FALSE, NULL)),
      release_(CreateEventA(NULL, TRUE, FALSE, NULL)), thread_(NULL), holding_(false)
{
    HolderThread *holder = new HolderThread{opened_, release_, &holding_};
    thread_ = CreateThread(NULL, 0, HoldClipboard, holder, 0, NULL);
    WaitForSingleObject(opened_, 10000);
}

ClipboardHolder::~ClipboardHolder()
{
    Release();
    CloseHandle(opened_);
    CloseHandle(release_);
}

bool ClipboardHolder::Holding() const
{
    return holding_ && WaitForSingleObject(release_, 0) == WAIT_TIMEOUT;
}

void ClipboardHolder::Release()
{
    SetEvent(release_);
    if (thread_) {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        thread_ = NULL;
    }
}
