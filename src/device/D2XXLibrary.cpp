#include "device/D2XXLibrary.h"

#include "device/D2XXUnit.h"
#include "framework/Dialogs.h"

#include <windows.h>

namespace {

template <class F>
void Bind(HMODULE Module, const char* Name, F& Function)
{
    // Through void*: an export's address converts to a function type only explicitly.
    Function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
}

} // namespace

bool InstallD2XXLibrary(const std::u16string& LibraryName)
{
    static HMODULE loaded = nullptr;
    TD2XXFunctions functions = AbsentD2XXFunctions();
    HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(LibraryName.c_str()));
    if (module) {
        Bind(module, "FT_ListDevices", functions.ListDevices);
        Bind(module, "FT_Open", functions.Open);
        Bind(module, "FT_OpenEx", functions.OpenEx);
        Bind(module, "FT_Close", functions.Close);
        Bind(module, "FT_Read", functions.Read);
        Bind(module, "FT_Write", functions.Write);
        Bind(module, "FT_SetBaudRate", functions.SetBaudRate);
        Bind(module, "FT_SetTimeouts", functions.SetTimeouts);
    }
    // The link lets go of the old functions before their library goes.
    D2XX().SetFunctions(functions);
    if (loaded)
        FreeLibrary(loaded);
    loaded = module;
    D2XX().OnReport = [](const std::u16string& Text) { ShowMessageBox(Text, u"Error", MB_OK | MB_ICONERROR); };
    return module != nullptr;
}
