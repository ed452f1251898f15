#include "device/DeviceDefinitionFile.h"

#include "framework/FileHandle.h"
#include "framework/StrConv.h"

#include <cstring>

std::string ReadDeviceFileName(const std::u16string& FileName)
{
    const THandle h = OsFileOpen(FileName, AccessRead, ShareRead);
    if (h == InvalidHandle)
        return {};
    char field[DeviceNameLength];
    int32_t got = 0;
    if (OsFileSeek(h, DeviceNameOffset, 0) == DeviceNameOffset)
        got = OsFileRead(h, field, static_cast<int32_t>(DeviceNameLength));
    OsFileClose(h);
    return got > 0 ? std::string(field, static_cast<size_t>(got)) : std::string();
}

std::string DeviceNameText(const std::string& NameField)
{
    return NameField.substr(0, NameField.find('\0'));
}

bool DeviceNameMatches(const std::string& NameField, const std::string& DeviceReply)
{
    return DeviceNameText(NameField) == DeviceReply;
}

bool NamesSystemDevice(const std::string& Name)
{
    std::string base = AnsiUpperCase(Name.substr(0, Name.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == device)
            return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
        return false;
    const auto unit = static_cast<uint8_t>(base[3]);
    // The superscript digits one, two and three of code page 1252.
    return (unit >= '0' && unit <= '9') || unit == 0xB9 || unit == 0xB2 || unit == 0xB3;
}

std::u16string DefinitionFileForReply(const std::u16string& Folder, const std::string& DeviceReply)
{
    if (DeviceReply.empty() || DeviceReply.size() > DeviceNameLength || DeviceReply.find("..") != std::string::npos ||
        NamesSystemDevice(DeviceReply))
        return {};
    for (char c : DeviceReply) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x20 || b == 0x7F || std::strchr("\\/:*?\"<>|", c))
            return {};
    }
    return Folder + AnsiToWide(DeviceReply) + u".dvc";
}
