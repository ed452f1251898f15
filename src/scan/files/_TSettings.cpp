#include "scan/files/_TSettings.h"

#include <chrono>
#include <random>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

void Check(bool Written)
{
    if (!Written)
        throw EWriteError(SWriteError);
}

// A generator seeded afresh from the clock for each save, so that two saves of the same
// settings differ.
std::mt19937 ClockSeededGenerator()
{
    static uint32_t Saves = 0;
    auto Ticks = static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq Seed{static_cast<uint32_t>(Ticks), static_cast<uint32_t>(Ticks >> 32), ++Saves};
    return std::mt19937(Seed);
}

} // namespace

void TSettings::WriteToStream(TStream& Stream)
{
    std::mt19937 Random = ClockSeededGenerator();
    Version = FileVersion;
    KeyIndex = static_cast<uint8_t>(std::uniform_int_distribution<uint32_t>(0, 9)(Random));
    for (uint32_t& Word : Words)
        Word = std::uniform_int_distribution<uint32_t>(0, 0x7FFFFFFE)(Random);
    Reserved = 0;

    Check(le::WriteU32(Stream, Version) && le::WriteU8(Stream, KeyIndex));
    for (uint32_t Word : Words)
        Check(le::WriteU32(Stream, Word));
    Check(le::WriteU32(Stream, Reserved));
    if (OnWriteFile)
        OnWriteFile(Stream);

    int64_t Size = Stream.Size();
    if (Size < 0 || Size > 0xFFFFFFFF)
        throw EWriteError(u"The settings are too large for their file");
    Words[KeyIndex] = static_cast<uint32_t>(Size);
    Check(Stream.Seek(5, soBeginning) == 5);
    for (uint32_t Word : Words)
        Check(le::WriteU32(Stream, Word));
}

void TSettings::SaveToFile(const std::u16string& FileName)
{
    const size_t folderEnd = FileName.find_last_of(u"\\/:");
    if (folderEnd != std::u16string::npos && folderEnd > 0)
        ForceDirectories(FileName.substr(0, folderEnd));  // a folder that cannot be made fails the save
    SaveFileSafely(FileName, [this](TStream& Stream) { WriteToStream(Stream); });
}

void TSettings::ShowMessage(const char16_t* Text, const std::u16string& FileName)
{
    TMessageSink& Sink = Messages != nullptr ? *Messages : DefaultMessageSink();
    Sink.ShowErrorBox(Text + (u"\"" + FileName + u"\""));
}

void TSettings::LoadFromFile(const std::u16string& FileName)
{
    try {
        if (!FileExists(FileName))
            SaveToFile(FileName);
        TElFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
        bool Whole = le::ReadU32(Stream, Version) && le::ReadU8(Stream, KeyIndex);
        for (uint32_t& Word : Words)
            Whole = Whole && le::ReadU32(Stream, Word);
        Whole = Whole && le::ReadU32(Stream, Reserved);
        if (Whole && Version != FileVersion) {
            ShowMessage(u"Invalid file version: ", FileName);
            return;
        }
        // A file shorter than its header has the wrong size, whatever its size word would say.
        if (!Whole) {
            ShowMessage(u"Invalid file size: ", FileName);
            return;
        }
        if (KeyIndex > 9)
            throw EReadError(u"Key index out of range");
        if (Stream.Size() != static_cast<int64_t>(Words[KeyIndex])) {
            ShowMessage(u"Invalid file size: ", FileName);
            return;
        }
        if (OnReadFile)
            OnReadFile(Stream);
    } catch (const EFOpenError& E) {
        // A file that is there but cannot be opened (locked, no permission) is told as such.
        if (E.FileNotFound())
            ShowMessage(u"File not found: ", FileName);
        else
            (Messages != nullptr ? *Messages : DefaultMessageSink()).ShowErrorBox(E.Message());
    } catch (...) {
        ShowMessage(u"File not found: ", FileName);
    }
}
