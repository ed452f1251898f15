#include "framework/Registry.h"

#include "framework/RegistryData.h"
#include "framework/WinText.h"

#include <windows.h>

#include <cstring>

namespace {

HKEY H(uintptr_t Key) { return reinterpret_cast<HKEY>(Key); }

HKEY RootHandle(TRootKey Root) { return reinterpret_cast<HKEY>(static_cast<uintptr_t>(static_cast<uint32_t>(Root))); }

// The name without its leading and trailing backslashes.
std::u16string TrimBackslashes(const std::u16string& Key)
{
    size_t first = 0, last = Key.size();
    while (first < last && Key[first] == u'\\')
        ++first;
    while (last > first && Key[last - 1] == u'\\')
        --last;
    return Key.substr(first, last - first);
}

// Deletes Name below Parent with everything below it.
bool DeleteTree(HKEY Parent, const std::u16string& Name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(Parent, WideChars(Name), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, &key) != ERROR_SUCCESS)
        return false;
    // Always the first subkey: each deletion renumbers the rest.
    for (;;) {
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteTree(key, FromWide(child, length)))
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(Parent, WideChars(Name)) == ERROR_SUCCESS;
}

std::vector<std::u16string> EnumNames(HKEY Key, bool Values)
{
    std::vector<std::u16string> names;
    if (!Key)
        return names;
    DWORD subKeys = 0, maxKey = 0, values = 0, maxValue = 0;
    if (RegQueryInfoKeyW(Key, nullptr, nullptr, nullptr, &subKeys, &maxKey, nullptr, &values, &maxValue, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> buffer((Values ? maxValue : maxKey) + 2);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG result = Values ? RegEnumValueW(Key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
                                   : RegEnumKeyExW(Key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {
            // Grown since the query: ask again with room for the longest name there can be.
            buffer.resize(32768);
            --i;
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names.push_back(FromWide(buffer.data(), length));
    }
    return names;
}

} // namespace

TRegistry::TRegistry(uint32_t AAccess) : Access(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(TRootKey Value)
{
    if (Value == root_)
        return;
    CloseKey();
    root_ = Value;
}

void TRegistry::CloseKey()
{
    if (key_)
        RegCloseKey(H(key_));
    key_ = 0;
    path_.clear();
}

uintptr_t TRegistry::BaseKey(const std::u16string& Key, std::u16string& Relative) const
{
    Relative = TrimBackslashes(Key);
    const bool fromRoot = !Key.empty() && Key[0] == u'\\';
    return reinterpret_cast<uintptr_t>(!fromRoot && key_ ? H(key_) : RootHandle(root_));
}

std::u16string TRegistry::PathOf(const std::u16string& Key, const std::u16string& Relative) const
{
    const bool fromRoot = !Key.empty() && Key[0] == u'\\';
    if (fromRoot || !key_ || path_.empty())
        return Relative;
    return Relative.empty() ? path_ : path_ + u"\\" + Relative;
}

bool TRegistry::OpenAs(const std::u16string& Key, bool CanCreate, uint32_t Rights)
{
    std::u16string relative;
    const HKEY base = H(BaseKey(Key, relative));
    HKEY opened = nullptr;
    LONG result;
    if (CanCreate)
        result = RegCreateKeyExW(base, WideChars(relative), 0, nullptr, REG_OPTION_NON_VOLATILE, Rights, nullptr, &opened, nullptr);
    else
        result = RegOpenKeyExW(base, WideChars(relative), 0, Rights, &opened);
    if (result != ERROR_SUCCESS)
        return false;
    std::u16string path = PathOf(Key, relative);
    CloseKey();
    key_ = reinterpret_cast<uintptr_t>(opened);
    path_ = std::move(path);
    return true;
}

bool TRegistry::OpenKey(const std::u16string& Key, bool CanCreate)
{
    return OpenAs(Key, CanCreate, Access);
}

bool TRegistry::OpenKeyReadOnly(const std::u16string& Key)
{
    return OpenAs(Key, false, KEY_READ);
}

bool TRegistry::CreateKey(const std::u16string& Key)
{
    std::u16string relative;
    const HKEY base = H(BaseKey(Key, relative));
    if (relative.empty())
        return false;
    HKEY created = nullptr;
    if (RegCreateKeyExW(base, WideChars(relative), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(created);
    return true;
}

bool TRegistry::KeyExists(const std::u16string& Key) const
{
    std::u16string relative;
    const HKEY base = H(BaseKey(Key, relative));
    HKEY opened = nullptr;
    if (RegOpenKeyExW(base, WideChars(relative), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool TRegistry::DeleteKey(const std::u16string& Key)
{
    std::u16string relative;
    const HKEY base = H(BaseKey(Key, relative));
    return !relative.empty() && DeleteTree(base, relative);
}

std::vector<std::u16string> TRegistry::GetKeyNames() const { return EnumNames(H(key_), false); }
std::vector<std::u16string> TRegistry::GetValueNames() const { return EnumNames(H(key_), true); }

bool TRegistry::ValueExists(const std::u16string& Name) const
{
    return key_ && RegQueryValueExW(H(key_), WideChars(Name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::u16string& Name)
{
    return key_ && RegDeleteValueW(H(key_), WideChars(Name)) == ERROR_SUCCESS;
}

bool TRegistry::GetDataInfo(const std::u16string& Name, TRegDataInfo& Info) const
{
    DWORD type = 0, size = 0;
    if (!key_ || RegQueryValueExW(H(key_), WideChars(Name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    switch (type) {
    case REG_SZ: Info.RegData = TRegDataType::String; break;
    case REG_EXPAND_SZ: Info.RegData = TRegDataType::ExpandString; break;
    case REG_DWORD: Info.RegData = TRegDataType::Integer; break;
    case REG_BINARY: Info.RegData = TRegDataType::Binary; break;
    case REG_MULTI_SZ: Info.RegData = TRegDataType::MultiString; break;
    default: Info.RegData = TRegDataType::Unknown; break;
    }
    Info.DataSize = size;
    return true;
}

bool TRegistry::ReadRaw(const std::u16string& Name, uint32_t& Type, std::vector<uint8_t>& Data) const
{
    if (!key_)
        return false;
    // The value may grow between the size query and the read: ask again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(H(key_), WideChars(Name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        Data.assign(size, 0);
        DWORD got = size;
        const LONG result = RegQueryValueExW(H(key_), WideChars(Name), nullptr, &type, Data.empty() ? nullptr : Data.data(), &got);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return false;
        Data.resize(got);
        Type = type;
        return true;
    }
    return false;
}

bool TRegistry::ReadString(const std::u16string& Name, std::u16string& Value) const
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRaw(Name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    Value = RegString(data);
    return true;
}

bool TRegistry::ReadInteger(const std::u16string& Name, int32_t& Value) const
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRaw(Name, type, data) || type != REG_DWORD || data.size() != 4)
        return false;
    Value = static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24);
    return true;
}

bool TRegistry::ReadBinary(const std::u16string& Name, std::vector<uint8_t>& Value) const
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRaw(Name, type, data) || type != REG_BINARY)
        return false;
    Value = std::move(data);
    return true;
}

bool TRegistry::ReadMultiString(const std::u16string& Name, std::vector<std::u16string>& Value) const
{
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (!ReadRaw(Name, type, data) || type != REG_MULTI_SZ)
        return false;
    size_t next = 0;
    Value = RegMultiStrings(RegWideUnits(data), next);
    return true;
}

bool TRegistry::WriteRaw(const std::u16string& Name, uint32_t Type, const void* Data, uint32_t Size)
{
    return key_ && RegSetValueExW(H(key_), WideChars(Name), 0, Type, static_cast<const BYTE*>(Data), Size) == ERROR_SUCCESS;
}

bool TRegistry::WriteString(const std::u16string& Name, const std::u16string& Value)
{
    return WriteRaw(Name, REG_SZ, Value.c_str(), static_cast<uint32_t>((Value.size() + 1) * 2));
}

bool TRegistry::WriteExpandString(const std::u16string& Name, const std::u16string& Value)
{
    return WriteRaw(Name, REG_EXPAND_SZ, Value.c_str(), static_cast<uint32_t>((Value.size() + 1) * 2));
}

bool TRegistry::WriteInteger(const std::u16string& Name, int32_t Value)
{
    const uint32_t bits = static_cast<uint32_t>(Value);
    const uint8_t data[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
    return WriteRaw(Name, REG_DWORD, data, 4);
}

bool TRegistry::WriteBinary(const std::u16string& Name, const void* Data, uint32_t Size)
{
    return WriteRaw(Name, REG_BINARY, Data, Size);
}

bool TRegistry::WriteMultiString(const std::u16string& Name, const std::vector<std::u16string>& Value)
{
    for (const std::u16string& s : Value) {
        if (s.empty() || s.find(u'\0') != std::u16string::npos)
            return false;
    }
    const std::vector<uint8_t> data = RegMultiStringData(Value);
    return WriteRaw(Name, REG_MULTI_SZ, data.data(), static_cast<uint32_t>(data.size()));
}
