// Turning keyboard messages into UTF-16 text for controls that take typed text without being
// edits (the list box's type-ahead, the combo box): dead-key composition, the layout's Unicode
// translation of a key, the input method's result string, and the type-ahead search text that a
// pause in typing clears. The system calls sit behind IElKeyboardPlatform, and the pause is
// measured on an injectable clock, so that all of it runs natively in tests.
#pragma once

#include "widgets/el/editing/ElEditChars.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TElDeadChar {
    char16_t DeadChar;  // what the layout reports for the dead key
    char16_t BaseChar;  // the letter typed after it
    char16_t Composed;
};

// The dead-key compositions, grave, acute, circumflex, tilde, diaeresis, caron, ring and the
// ";"/":", "'" and '"' groups, each composing the accented letter; a pair without an entry types
// the dead character and the letter.
class TElDeadCharList {
public:
    TElDeadCharList();
    // The composed unit of the first matching entry, 0 when none.
    char16_t Lookup(char16_t BaseChar, char16_t DeadChar) const;
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

private:
    std::vector<TElDeadChar> items_;
};

// What the processor asks of the system (a window, its keyboard layout and input context).
class IElKeyboardPlatform {
public:
    virtual ~IElKeyboardPlatform() = default;
    // The layout's translation of the key with the current keyboard state: the number of
    // characters it wrote to Chars; negative for a dead key, with the dead character in Chars.
    virtual int32_t ToUnicode(uint16_t VirtualKey, uint32_t ScanCode, std::u16string& Chars) = 0;
    virtual bool CtrlDown() = 0;
    // Posts a character message with Ch to the window.
    virtual void PostChar(char16_t Ch) = 0;
    // The input context's result string; false when there is none or it cannot be read.
    virtual bool ImeResultString(std::u16string& Text) = 0;
};

constexpr uint32_t ElGcsResultStr = 0x800;

class TElKeyboardInputProcessor {
public:
    explicit TElKeyboardInputProcessor(IElKeyboardPlatform* Platform = nullptr) : Platform(Platform) {}
    virtual ~TElKeyboardInputProcessor() = default;

    // The window side; nullptr while there is no window.
    IElKeyboardPlatform* Platform;
    bool HasWindow() const { return Platform != nullptr; }

    TElEditCharCase CharCase() const { return charCase_; }
    // Switching to upper or lower case converts Text at once.
    virtual void SetCharCase(TElEditCharCase Value);
    const std::u16string& Text() const { return text_; }
    virtual void SetText(const std::u16string& S);

    // A dead-key character message.
    virtual void DeadChar(char16_t Ch);
    // A composition message; only the result string (ElGcsResultStr in Flags) is taken.
    virtual void ImeComposition(uint32_t Flags);
    // A key-down message, translated through the layout. True when the key is taken: it made
    // text (Text), is held as a dead key, or waits for the next key; the key then needs no
    // character message of the system's.
    virtual bool KeyDown(uint16_t Key, uint32_t ScanCode);
    // A UTF-16 character message; a high surrogate waits for its low half.
    virtual void Char(char16_t Ch);

    int32_t DelayCount = 0;
    char16_t PendingDeadChar = 0;
    TElDeadCharList DeadChars;

private:
    TElEditCharCase charCase_ = eecNormal;
    std::u16string text_;
    char16_t pendingHigh_ = 0;
};

// The processor with the type-ahead search text of a list.
class TElKeyboardInput : public TElKeyboardInputProcessor {
public:
    using TElKeyboardInputProcessor::TElKeyboardInputProcessor;

    const std::u16string& SearchText() const { return searchText_; }
    void SetText(const std::u16string& S) override;
    // Backspace takes the last character off the search text.
    bool KeyDown(uint16_t Key, uint32_t ScanCode) override;
    void Reset() { searchText_.clear(); }
    // True when the search text is empty or one character repeated.
    bool IsRepeatedChar() const;

private:
    std::u16string searchText_;
};

// Ends a type-ahead search after a pause: the owner calls KeyPressed on every typed character
// and the window side drives Poll from a one-shot timer armed for Remaining() milliseconds (or
// any shorter period). Everything runs on the thread of the window.
class TElSearchTimeout {
public:
    TElSearchTimeout();
    // Milliseconds of a monotonic clock; wrapping around is allowed.
    std::function<uint32_t()> Clock;
    uint32_t Interval = 500;
    // Fired once per search, Interval milliseconds after the last key.
    std::function<void()> OnTimeout;

    void KeyPressed();
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    // Milliseconds until the time-out is due (0 when due or not running).
    uint32_t Remaining() const;
    // Fires OnTimeout when the time is up; true when it fired.
    bool Poll();

private:
    bool running_ = false;
    uint32_t lastKey_ = 0;
};
