#include "device/D2XXLibrary.h"

#include "device/D2XXUnit.h"
#include "framework/Dialogs.h"
#include "framework/DynamicLibrary.h"
#include "framework/WinText.h"

#include <memory>
#include <type_traits>

namespace {

// A function the library lacks keeps its "absent" stand-in, which answers as without a device.
template <class F>
void Bind(const TDynamicLibrary& Library, const char* Name, F& Function)
{
    if (auto* bound = Library.Function<std::remove_pointer_t<F>>(Name))
        Function = bound;
}

} // namespace

bool InstallD2XXLibrary(const std::u16string& LibraryName)
{
    // The library stays loaded while the link holds its functions: until the next install.
    static std::unique_ptr<TDynamicLibrary> loaded;
    auto library = std::make_unique<TDynamicLibrary>(WideChars(LibraryName));
    TD2XXFunctions functions = AbsentD2XXFunctions();
    if (library->Loaded()) {
        Bind(*library, "FT_ListDevices", functions.ListDevices);
        Bind(*library, "FT_Open", functions.Open);
        Bind(*library, "FT_OpenEx", functions.OpenEx);
        Bind(*library, "FT_Close", functions.Close);
        Bind(*library, "FT_Read", functions.Read);
        Bind(*library, "FT_Write", functions.Write);
        Bind(*library, "FT_SetBaudRate", functions.SetBaudRate);
        Bind(*library, "FT_SetTimeouts", functions.SetTimeouts);
    }
    // The link lets go of the old functions before their library goes.
    D2XX().SetFunctions(functions);
    const bool found = library->Loaded();
    loaded = std::move(library);
    D2XX().OnReport = [](const std::u16string& Text) { ShowMessageBox(Text, u"Error", MB_OK | MB_ICONERROR); };
    return found;
}
