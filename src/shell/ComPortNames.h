// The serial ports among the print spooler's port names: the portable half of the port list.
#pragma once

#include <string>
#include <vector>

// Ports whose name begins with "COM", with the trailing ':' removed and the name otherwise whole
// ("COM12:" gives "COM12"), in the spooler's order.
std::vector<std::u16string> ComPortsFromSpoolerNames(const std::vector<std::u16string>& PortNames);
