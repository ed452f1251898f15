// The serial ports of the machine, as the dialogs offer them: from the system's device map in
// the registry, else from the print spooler's port list.
#pragma once

#include "framework/Registry.h"

#include <functional>
#include <string>
#include <vector>

class TElComboBox;

// Where ListComPorts looks; tests point it at keys of their own and a spooler of their own.
struct TComPortListSource {
    TRootKey RootKey = TRootKey::LocalMachine;
    std::u16string Key = u"HARDWARE\\DEVICEMAP\\SERIALCOMM";
    // The port names of the print spooler (level 1); false when the spooler cannot give them.
    std::function<bool(std::vector<std::u16string>& Names)> SpoolerPorts;
};
// The source in force; ResetComPortListSource restores the system's.
TComPortListSource& ComPortListSource();
void ResetComPortListSource();

// The print spooler's port names (EnumPortsW, level 1); false when it fails.
bool SystemSpoolerPorts(std::vector<std::u16string>& Names);

// Fills ComboBox with the serial ports. When the device-map key exists, the string data of its
// values are appended in the order of the value names (the items are not cleared and the
// selection stays); true. Otherwise, when the spooler gives its ports, the items become the
// ports whose names begin with "COM", without the trailing colon and otherwise whole ("COM12:"
// gives "COM12"), item 0 is selected (when there is one) and the result is true. Otherwise
// false, with the items as they were.
bool ListComPorts(TElComboBox* ComboBox);
