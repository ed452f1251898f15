// The clipboard as text controls see it: plain text in and out. Controls talk to an IClipboard,
// so that their cut, copy and paste are tested natively against TMemoryClipboard; the system's
// clipboard is TWinClipboard (framework/WinClipboard.h).
//
// Failure is an answer, not an exception: a clipboard that cannot be opened (another program
// holds it) reads as no text and refuses a write.
#pragma once

#include <optional>
#include <string>

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Whether text of any kind (Unicode or 8-bit) is there to be pasted.
    virtual bool HasText() = 0;
    // The text; nothing when there is none or the clipboard could not be read.
    virtual std::optional<std::u16string> Text() = 0;
    // Replaces the clipboard's content with Value; false when it could not be written.
    virtual bool SetText(const std::u16string& Value) = 0;
};

// A clipboard in memory, for tests: Busy makes it behave like a clipboard held by another program.
class TMemoryClipboard : public IClipboard {
public:
    bool HasText() override { return !Busy && Content.has_value(); }
    std::optional<std::u16string> Text() override
    {
        if (Busy)
            return std::nullopt;
        return Content;
    }
    bool SetText(const std::u16string& Value) override
    {
        if (Busy)
            return false;
        Content = Value;
        return true;
    }

    std::optional<std::u16string> Content;
    bool Busy = false;
};
