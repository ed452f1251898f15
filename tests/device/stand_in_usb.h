// What the Windows tests give the stand-in USB library (FTD2XX.DLL from the build's program
// folder): a private folder with the simulated devices it lists and the trace of its calls, and
// the environment variables that name them. Binding the library is left to each test, which
// decides when it is loaded and unloaded.
#pragma once

#include "scan/files/files_test_support.h"
#include "support/text_file.h"

#include <windows.h>

#include <fstream>
#include <string>

// The value of the process's environment variable Name; empty when it is not set or is longer
// than 63 characters.
inline std::string Environment(const char* Name)
{
    char value[64] = {};
    const DWORD n = GetEnvironmentVariableA(Name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// The folder, removed with this object, holding devices.txt with the simulated devices.
class TStandInUsb {
public:
    explicit TStandInUsb(const std::string& DevicesText) { std::ofstream(Folder.Root / "devices.txt") << DevicesText; }

    std::u16string DevicesPath() const { return Folder.Path("devices.txt"); }
    std::u16string TracePath() const { return Folder.Path("trace.log"); }
    // The calls the library traced so far.
    std::string Trace() const { return TextOfFile(TracePath()); }

    // Names the devices to the library, and the trace when Traced (else it traces nothing); true
    // when the devices file was written and both variables were set.
    bool Point(bool Traced = true) const
    {
        const std::u16string devices = DevicesPath(), trace = TracePath();
        return Exists(devices) &&
               SetEnvironmentVariableW(L"L3D_FTD2XX_DEVICES", reinterpret_cast<const wchar_t*>(devices.c_str())) &&
               SetEnvironmentVariableW(L"L3D_FTD2XX_TRACE",
                                       Traced ? reinterpret_cast<const wchar_t*>(trace.c_str()) : nullptr);
    }

    TTempFolder Folder;
};
