// The settings file as the program reads it at start: the header checks of TSettings and a
// payload reader shaped like the main window's, over any bytes. Also the payload read from
// memory with the stream-string routines.
#include <cstdint>
#include <cstdlib>

#include "fuzz_scratch_file.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "scan/files/_TSettings.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

void ReadPayload(TStream& S)
{
    std::u16string W;
    int32_t I = 0;
    uint8_t B = 0;
    float F = 0;
    for (int k = 0; k < 3; ++k)
        ReadWideStringFromStream(S, W);
    le::ReadI32(S, I);
    ReadWideStringFromStream(S, W);
    ReadWideStringFromStream(S, W);
    for (int k = 0; k < 3; ++k)
        le::ReadU8(S, B);
    for (int k = 0; k < 4; ++k)
        le::ReadF32(S, F);
    ReadWideStringFromStream(S, W);
    for (int k = 0; k < 3; ++k)
        le::ReadU8(S, B);
    le::ReadI32(S, I);
    le::ReadI32(S, I);
    le::ReadU8(S, B);
    le::ReadI32(S, I);
    le::ReadU8(S, B);
    le::ReadI32(S, I);
    le::ReadI32(S, I);
    uint16_t N = 0;
    le::ReadU16(S, N);
    std::string Port;
    // A sound reader stops at the first entry that is cut short, as the data can hold no more.
    for (uint32_t k = 0; k < N; ++k) {
        if (!(le::ReadU8(S, B) && le::ReadU8(S, B) && le::ReadU8(S, B) && le::ReadI32(S, I) &&
              ReadStringFromStream(S, Port)))
            break;
    }
    for (int k = 0; k < 10; ++k)
        ReadWideStringFromStream(S, W);
    if (S.Position() > S.Size())
        std::abort(); // a reader went past the data
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const TFuzzScratchFile File("settings.cfg", Data, Size);
    const std::u16string& Name = File.Name();
    TRecordingMessageSink Sink;
    TSettings Settings(nullptr);
    Settings.Messages = &Sink;
    bool PayloadRead = false;
    Settings.OnReadFile = [&](TStream& S) {
        PayloadRead = true;
        ReadPayload(S);
    };
    Settings.LoadFromFile(Name);
    // Either the payload was read without a message, or exactly one message says why not.
    if (PayloadRead ? !Sink.Messages.empty() || Size < 49 : Sink.Messages.size() != 1)
        std::abort();

    TMemoryStream Memory(Data, Size);
    ReadPayload(Memory);
    return 0;
}
