#include "scan/files/MessageSink.h"

namespace {

class TSilentMessageSink : public TMessageSink {
public:
    void ShowErrorBox(const std::u16string&) override {}
    int32_t ShowInfoDialog(uint8_t, const std::u16string&, const std::u16string&, uint16_t) override
    {
        return 2; // as if closed without an answer
    }
};

TSilentMessageSink SilentSink;
TMessageSink* CurrentSink = &SilentSink;

} // namespace

TMessageSink& DefaultMessageSink() { return *CurrentSink; }

void SetDefaultMessageSink(TMessageSink* Sink) { CurrentSink = Sink != nullptr ? Sink : &SilentSink; }
