#include "shell/ComPortList.h"

#include "shell/ComPortNames.h"

#include "widgets/el/editing/ElComboBox.h"

#include <windows.h>

#include <winspool.h>

#include <cstdint>
#include <vector>

namespace {

TComPortListSource SystemSource()
{
    TComPortListSource source;
    source.SpoolerPorts = SystemSpoolerPorts;
    return source;
}

}  // namespace

TComPortListSource& ComPortListSource()
{
    static TComPortListSource source = SystemSource();
    return source;
}

void ResetComPortListSource()
{
    ComPortListSource() = SystemSource();
}

bool SystemSpoolerPorts(std::vector<std::u16string>& Names)
{
    Names.clear();
    DWORD needed = 0, returned = 0;
    // A first call without a buffer asks for the size; one that succeeds has no port to give.
    if (EnumPortsW(nullptr, 1, nullptr, 0, &needed, &returned))
        return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
        return false;
    std::vector<uint8_t> buffer(needed);
    if (!EnumPortsW(nullptr, 1, buffer.data(), needed, &needed, &returned))
        return false;
    const auto* ports = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        if (ports[i].pName)
            Names.emplace_back(reinterpret_cast<const char16_t*>(ports[i].pName));
    return true;
}

bool ListComPorts(TElComboBox* ComboBox)
{
    if (!ComboBox)
        return false;
    const TComPortListSource& source = ComPortListSource();
    TRegistry registry(TRegistry::ReadAccess);
    registry.SetRootKey(source.RootKey);
    if (registry.OpenKeyReadOnly(source.Key)) {
        for (const std::u16string& name : registry.GetValueNames()) {
            std::u16string port;
            if (registry.ReadString(name, port))
                ComboBox->Items()->Add(port);
        }
        return true;
    }
    std::vector<std::u16string> names;
    if (!source.SpoolerPorts || !source.SpoolerPorts(names))
        return false;
    ComboBox->Items()->SetStrings(ComPortsFromSpoolerNames(names));
    ComboBox->SetItemIndex(0);
    return true;
}
