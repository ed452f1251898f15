// Device definition files as the device tests write them.
#pragma once

#include "device/DeviceDefinitionFile.h"
#include "scan/files/files_test_support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A definition file of Size bytes, each Fill, whose name field holds Name followed by NULs, cut
// where the file ends.
inline void WriteDefinition(const std::u16string& File, const std::string& Name, uint8_t Fill = 0x07,
                            size_t Size = 2550)
{
    std::vector<uint8_t> bytes(Size, Fill);
    for (size_t i = 0; i < DeviceNameLength && DeviceNameOffset + i < Size; ++i)
        bytes[DeviceNameOffset + i] = i < Name.size() ? static_cast<uint8_t>(Name[i]) : 0;
    WriteBytes(File, bytes);
}
