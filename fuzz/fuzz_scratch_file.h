// A file of this process for fuzz targets whose code under test opens files by name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

inline std::u16string FuzzScratchFile(const char* Stem)
{
    static const std::string Suffix = std::to_string(std::random_device{}());
    auto Path = std::filesystem::temp_directory_path() / (std::string("l3d-fuzz-") + Stem + "-" + Suffix);
    return Path.u16string();
}

inline void WriteFuzzScratchFile(const std::u16string& Name, const uint8_t* Data, size_t Size)
{
    std::ofstream Out(std::filesystem::path(Name), std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
}
