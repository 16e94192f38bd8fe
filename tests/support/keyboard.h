// Keys and the clipboard for tests of the real picker: where Wine delivers
// keys, and text read back from or held on the clipboard.
#pragma once

#include <windows.h>

#include <string>

// Gives the X keyboard focus to the X window Wine made for a top-level
// window, so its keys arrive wherever the pointer is (during a drag too).
// Returns false when the window has no X window of its own.
bool FocusWindowsOwnXWindow(HWND window);

// The CF_TEXT text on the clipboard, or "(none)" when there is none.
std::string ReadClipboardText(DWORD timeoutMs = 3000);
// Replaces the clipboard's contents with text; false when it could not.
bool WriteClipboardText(const std::string &text, DWORD timeoutMs = 3000);
// The same with UTF-8 text put there as CF_UNICODETEXT, as a Unicode program does.
bool WriteClipboardUnicode(const std::string &utf8, DWORD timeoutMs = 3000);

// Keeps the clipboard open on a thread of this process, as another program
// may, until Release or destruction.
class ClipboardHolder
{
  public:
    ClipboardHolder();
    ~ClipboardHolder();
    bool Holding() const;
    void Release();

  private:
    HANDLE opened_;
    HANDLE release_;
    HANDLE thread_;
    bool holding_;
};
