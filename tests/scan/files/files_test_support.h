// Helpers of the file-format tests: a private temporary folder and whole-file access.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TTempFolder {
public:
    TTempFolder()
    {
        static std::atomic<int> Counter{0};
        auto Ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        Root = std::filesystem::temp_directory_path() /
               ("l3d-files-" + std::to_string(Ticks) + "-" + std::to_string(Counter++));
        std::filesystem::create_directories(Root);
    }
    ~TTempFolder()
    {
        std::error_code Ignored;
        std::filesystem::remove_all(Root, Ignored);
    }
    // The name of Relative inside the folder, with the system's separators.
    std::u16string Path(const std::string& Relative) const { return (Root / Relative).make_preferred().u16string(); }

    std::filesystem::path Root;
};

inline std::vector<uint8_t> ReadBytes(const std::u16string& Name)
{
    std::ifstream In(std::filesystem::path(Name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::u16string& Name, const std::vector<uint8_t>& Bytes)
{
    std::ofstream Out(std::filesystem::path(Name), std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

inline bool Exists(const std::u16string& Name) { return std::filesystem::exists(std::filesystem::path(Name)); }
