#include "shell/ComPortNames.h"

std::vector<std::u16string> ComPortsFromSpoolerNames(const std::vector<std::u16string>& PortNames)
{
    std::vector<std::u16string> Ports;
    for (std::u16string Name : PortNames) {
        if (Name.compare(0, 3, u"COM") != 0)
            continue;
        if (!Name.empty() && Name.back() == u':')
            Name.pop_back();
        Ports.push_back(Name);
    }
    return Ports;
}
