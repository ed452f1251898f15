// Device definition files (".dvc" in the program folder). Only the device name is read: the
// 50 bytes at offset 2500, filled up with NUL bytes. A USB device names its definition file in
// its answer to "HELLO", and the file's name field must hold that same name.
#pragma once

#include <cstdint>
#include <string>

constexpr int64_t DeviceNameOffset = 2500;
constexpr size_t DeviceNameLength = 50;

// The name field as the file holds it, NUL fill included. A file that ends inside the field
// gives the bytes up to its end; one that ends before it, or cannot be opened, gives "".
std::string ReadDeviceFileName(const std::u16string& FileName);

// The name a field holds: its bytes up to the first NUL.
std::string DeviceNameText(const std::string& NameField);

// True when the name field holds exactly the name a device gave (compared up to the field's
// first NUL).
bool DeviceNameMatches(const std::string& NameField, const std::string& DeviceReply);

// True when the system opens a device, not a file, for Name in any folder: the part before its
// first dot, without the blanks that end it, is CON, PRN, AUX, NUL, CONIN$, CONOUT$, or COM or
// LPT with one digit (0 to 9, or the superscripts 1 to 3 of the ANSI code page), in any case.
// "COM1.dvc" would open the serial port, and reading it could wait for the line for ever.
bool NamesSystemDevice(const std::string& Name);

// The definition file a device's reply names: Folder (ending in a separator) + the reply +
// ".dvc". Empty when the reply cannot be a plain file name of at most 50 bytes: empty, with a
// control character or NUL, a path separator, a drive colon, a wildcard or quote, "..", or a
// name the system takes for one of its devices (NamesSystemDevice); such a device names no
// definition file.
std::u16string DefinitionFileForReply(const std::u16string& Folder, const std::string& DeviceReply);
