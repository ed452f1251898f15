// Device definition files as the import reads them: the name field of any file, its match
// against a device's reply, and the file a reply names.
#include <cstdint>
#include <cstdlib>

#include "device/DeviceDefinitionFile.h"
#include "fuzz_scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const TFuzzScratchFile File("device.dvc", Data, Size);
    const std::u16string& Name = File.Name();
    const std::string field = ReadDeviceFileName(Name);
    // Exactly the bytes the file holds at the field's place, never more than the field.
    const auto offset = static_cast<size_t>(DeviceNameOffset);
    const size_t expected = Size > offset ? std::min(Size - offset, DeviceNameLength) : 0;
    if (field.size() != expected || (expected && field.compare(0, expected, reinterpret_cast<const char*>(Data) + offset, expected) != 0))
        std::abort();
    const std::string name = DeviceNameText(field);
    if (!DeviceNameMatches(field, name) || name.find('\0') != std::string::npos)
        std::abort();

    // The first bytes as a device's reply: a file it names stays in the folder.
    const std::string reply(reinterpret_cast<const char*>(Data), std::min<size_t>(Size, 60));
    const std::u16string file = DefinitionFileForReply(u"/folder/", reply);
    if (!file.empty()) {
        if (file.size() < 8 + 1 + 4 || file.compare(file.size() - 4, 4, u".dvc") != 0)
            std::abort();
        const std::u16string name = file.substr(8, file.size() - 8 - 4);
        if (name.find_first_of(u"/\\:") != std::u16string::npos || name.find(u"..") != std::u16string::npos)
            std::abort();
    }
    return 0;
}
