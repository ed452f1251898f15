// A scratch file for fuzz targets whose code under test opens files by name.
//
// Each process uses one name, in the temporary folder, that carries its process id. The file
// exists only while one input runs: it is written when a TFuzzScratchFile is made and removed
// when it goes, so a run that ends or is killed between inputs leaves nothing behind. A run
// killed during an input (a crash, a time-out) leaves one file; the first scratch file of any
// later run removes the files of processes that no longer exist.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <cerrno>
#include <unistd.h>
#endif

namespace fuzz_scratch {

inline const char* Prefix() { return "l3d-fuzz-"; }

inline unsigned long ThisProcess()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

inline bool ProcessExists(unsigned long Id)
{
#ifdef _WIN32
    HANDLE Process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(Id));
    if (!Process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool Running = WaitForSingleObject(Process, 0) == WAIT_TIMEOUT;
    CloseHandle(Process);
    return Running;
#else
    return kill(static_cast<pid_t>(Id), 0) == 0 || errno == EPERM;
#endif
}

// "l3d-fuzz-<stem>-<process id>"
inline std::filesystem::path NameFor(const std::string& Stem, unsigned long Process)
{
    return std::filesystem::temp_directory_path() / (Prefix() + Stem + "-" + std::to_string(Process));
}

// The process id a scratch file name ends in, or 0 when the name is not one of ours.
inline unsigned long ProcessOf(const std::string& FileName)
{
    if (FileName.rfind(Prefix(), 0) != 0)
        return 0;
    const size_t Dash = FileName.rfind('-');
    const std::string Digits = FileName.substr(Dash + 1);
    if (Digits.empty() || Digits.size() > 10 || Digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoul(Digits);
}

// Removes the scratch files of processes that are gone.
inline void RemoveStaleFiles()
{
    std::error_code Error;
    for (const auto& Entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), Error)) {
        const unsigned long Owner = ProcessOf(Entry.path().filename().string());
        if (Owner != 0 && Owner != ThisProcess() && !ProcessExists(Owner))
            std::filesystem::remove(Entry.path(), Error);
    }
}

}  // namespace fuzz_scratch

class TFuzzScratchFile {
public:
    // Writes Data to this process's scratch file named after Stem.
    TFuzzScratchFile(const char* Stem, const uint8_t* Data, size_t Size)
    {
        static const bool Swept = (fuzz_scratch::RemoveStaleFiles(), true);
        (void)Swept;
        path_ = fuzz_scratch::NameFor(Stem, fuzz_scratch::ThisProcess());
        name_ = path_.u16string();
        std::ofstream Out(path_, std::ios::binary | std::ios::trunc);
        Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    }
    ~TFuzzScratchFile()
    {
        std::error_code Error;
        std::filesystem::remove(path_, Error);
    }
    TFuzzScratchFile(const TFuzzScratchFile&) = delete;
    TFuzzScratchFile& operator=(const TFuzzScratchFile&) = delete;

    const std::u16string& Name() const { return name_; }

private:
    std::filesystem::path path_;
    std::u16string name_;
};
