// Where the file code's messages go. The program's message box implements it; tests record
// the messages instead. File code never shows a window itself, so it stays portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TMessageSink {
public:
    virtual ~TMessageSink() = default;

    // The framework's standard error box: error icon, one OK button.
    virtual void ShowErrorBox(const std::u16string& Text) = 0;

    // The program's message box: Kind 1 error, 2 information, 3 confirmation; Buttons the bits
    // 4 OK, 1 Yes, 2 No, 8 Cancel. Returns the modal result (1 OK, 6 Yes, 7 No, 2 Cancel or
    // the close box).
    virtual int32_t ShowInfoDialog(uint8_t Kind, const std::u16string& Caption,
                                   const std::u16string& Text, uint16_t Buttons) = 0;
};

// The sink used where a unit has none of its own; it drops every message until the program
// installs its message box with SetDefaultMessageSink.
TMessageSink& DefaultMessageSink();
// Sink may be null to restore the silent one; the caller keeps ownership.
void SetDefaultMessageSink(TMessageSink* Sink);

// A sink that keeps every message, answering dialogs with a fixed result.
class TRecordingMessageSink : public TMessageSink {
public:
    struct TMessage {
        uint8_t Kind;  // 0 for the standard error box
        std::u16string Caption;
        std::u16string Text;
        uint16_t Buttons;
    };

    void ShowErrorBox(const std::u16string& Text) override { Messages.push_back({0, u"", Text, 4}); }
    int32_t ShowInfoDialog(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                           uint16_t Buttons) override
    {
        Messages.push_back({Kind, Caption, Text, Buttons});
        return Answer;
    }

    std::vector<TMessage> Messages;
    int32_t Answer = 1;
};
