// TWinClipboard: the system clipboard's text formats, Unicode (CF_UNICODETEXT) and 8-bit
// (CF_TEXT, in the system code page). Opening is retried for a short while, because another
// program may hold the clipboard for a moment; one that is still held after that counts as
// unavailable. Text read from the clipboard is bounded by the size of its memory block: data
// another program left without a terminating zero is not read past its end.
#pragma once

#include "framework/Clipboard.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

class TWinClipboard : public IClipboard {
public:
    // The clipboard's owner window is made on the calling thread, which must be the one that
    // uses the object.
    TWinClipboard();
    ~TWinClipboard() override;
    TWinClipboard(const TWinClipboard&) = delete;
    TWinClipboard& operator=(const TWinClipboard&) = delete;

    bool HasText() override;
    // The Unicode text, else the 8-bit text converted from the system code page.
    std::optional<std::u16string> Text() override;
    // Writes the Unicode text (the system offers it as 8-bit text to those that ask).
    bool SetText(const std::u16string& Value) override;

    // The 8-bit text as it stands (the system converts Unicode text for it).
    std::optional<std::string> AnsiText();
    bool SetAnsiText(const std::string& Value);

    // How long an open is retried (through the sleep seam, in steps of 10 ms).
    uint32_t RetryMs = 250;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The program's clipboard, made on first use (on the main thread).
TWinClipboard& Clipboard();
