#include "scan/files/GlobalsControls.h"

#include "scan/files/globals.h"
#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/menus/ElButtons.h"

#include "framework/Registry.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace {

constexpr char16_t SerialPortMap[] = u"\\HARDWARE\\DEVICEMAP\\SERIALCOMM";

std::vector<std::u16string> SpoolerPortNames(bool& Listed)
{
    Listed = false;
    DWORD needed = 0, returned = 0;
    if (!EnumPortsW(nullptr, 1, nullptr, 0, &needed, &returned) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!EnumPortsW(nullptr, 1, buffer.data(), needed, &needed, &returned))
        return {};
    Listed = true;
    std::vector<std::u16string> names;
    const auto* ports = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        if (ports[i].pName)
            names.emplace_back(reinterpret_cast<const char16_t*>(ports[i].pName));
    return names;
}

}  // namespace

void ApplyTextDirection(TControl* Control, uint8_t LeftToRight)
{
    const bool ltr = LeftToRight == 1;
    if (auto* button = dynamic_cast<TElPopupButton*>(Control)) {
        button->SetLayout(ltr ? blGlyphLeft : blGlyphRight);
    } else if (auto* combo = dynamic_cast<TElComboBox*>(Control)) {
        const TAlignment alignment = ltr ? TAlignment::taLeftJustify : TAlignment::taRightJustify;
        combo->SetAlignment(alignment);
        combo->SetDropDownAlignment(alignment);
        combo->SetRightAlignedView(!ltr);
    }
}

bool ListComPorts(TElComboBox* ComboBox)
{
    TRegistry registry(TRegistry::ReadAccess);
    registry.SetRootKey(TRootKey::LocalMachine);
    if (registry.OpenKeyReadOnly(SerialPortMap)) {
        for (const std::u16string& name : registry.GetValueNames()) {
            std::u16string port;
            if (registry.ReadString(name, port))
                ComboBox->Items()->Add(port);
        }
        return true;
    }
    bool listed = false;
    const std::vector<std::u16string> names = SpoolerPortNames(listed);
    if (!listed)
        return false;
    TElWideStrings* items = ComboBox->Items();
    items->Clear();
    for (const std::u16string& port : ComPortsFromSpoolerNames(names))
        items->Add(port);
    ComboBox->SetItemIndex(0);
    return true;
}
