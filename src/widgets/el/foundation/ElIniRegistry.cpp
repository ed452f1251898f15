// Registry mode of TElIniFile: keys and values kept in the registry below the store's Path,
// through IElIniRegistry. Values map to registry types: string REG_SZ, integer and boolean
// REG_DWORD, string list REG_MULTI_SZ, binary REG_BINARY, float an 8-byte REG_BINARY.
#include "widgets/el/foundation/ElIniStorage.h"

#include "framework/LittleEndianBytes.h"
#include "framework/RegistryData.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElAnsiStrUtils.h"

namespace {

TElRegValue ToRegistry(const TElIniValue& V)
{
    TElRegValue r;
    switch (V.Type) {
    case evtBoolean:
    case evtInt:
        r.DataType = ElRegDWord;
        r.Data.resize(4);
        le::PutI32(r.Data.data(), V.Type == evtBoolean ? (V.Bool ? 1 : 0) : V.Int);
        break;
    case evtString:
        r.DataType = ElRegSz;
        AppendRegWide(r.Data, AnsiToWide(V.Str));
        break;
    case evtMultiString: {
        r.DataType = ElRegMultiSz;
        std::vector<std::u16string> list;
        for (const std::string& s : V.List)
            list.push_back(AnsiToWide(s));
        r.Data = RegMultiStringData(list);
        break;
    }
    case evtBinary:
        r.DataType = ElRegBinary;
        r.Data = V.Binary;
        break;
    case evtDouble:
        r.DataType = ElRegBinary;
        r.Data.resize(8);
        le::PutF64(r.Data.data(), V.Float);
        break;
    default:
        break;
    }
    return r;
}

// A registry value as the store reads it; types the store does not know (and a DWORD that is
// not 4 bytes long) keep evtUnknown, which no read accepts.
TElIniValue FromRegistry(const TElRegValue& R)
{
    TElIniValue v;
    switch (R.DataType) {
    case ElRegSz:
    case ElRegExpandSz:
        v.Type = evtString;
        v.Str = WideToAnsi(RegString(R.Data));
        break;
    case ElRegDWord:
        if (R.Data.size() == 4) {
            v.Type = evtInt;
            v.Int = le::I32At(R.Data.data());
        }
        break;
    case ElRegBinary:
        v.Type = evtBinary;
        v.Binary = R.Data;
        break;
    case ElRegMultiSz: {
        // Zero-terminated strings up to an empty one (or the end of the data).
        v.Type = evtMultiString;
        size_t next = 0;
        for (const std::u16string& item : RegMultiStrings(RegWideUnits(R.Data), next))
            v.List.push_back(WideToAnsi(item));
        break;
    }
    default:
        break;
    }
    return v;
}

} // namespace

std::u16string TElIniRegistryStorage::RegistryPath(const TKeyPath& Key) const
{
    std::u16string path = base_;
    for (const std::string& name : Key) {
        if (!path.empty())
            path += u'\\';
        path += AnsiToWide(name);
    }
    return path;
}

bool TElIniRegistryStorage::KeyExists(const TKeyPath& Key)
{
    return registry_->KeyExists(RegistryPath(Key));
}

bool TElIniRegistryStorage::CreateKey(const TKeyPath& Key)
{
    return registry_->CreateKey(RegistryPath(Key));
}

bool TElIniRegistryStorage::DeleteKey(const TKeyPath& Key)
{
    return registry_->DeleteKey(RegistryPath(Key));
}

bool TElIniRegistryStorage::ClearKey(const TKeyPath& Key)
{
    const std::u16string path = RegistryPath(Key);
    std::vector<std::u16string> keys, values;
    if (!registry_->GetKeyNames(path, keys) || !registry_->GetValueNames(path, values))
        return false;
    bool ok = true;
    for (const std::u16string& k : keys)
        ok = registry_->DeleteKey(path.empty() ? k : path + u'\\' + k) && ok;
    for (const std::u16string& v : values)
        ok = registry_->DeleteValue(path, v) && ok;
    return ok;
}

bool TElIniRegistryStorage::KeyNames(const TKeyPath& Key, std::vector<std::string>& Names)
{
    std::vector<std::u16string> wide;
    if (!registry_->GetKeyNames(RegistryPath(Key), wide))
        return false;
    for (const std::u16string& w : wide)
        Names.push_back(WideToAnsi(w));
    return true;
}

bool TElIniRegistryStorage::ValueNames(const TKeyPath& Key, std::vector<std::string>& Names)
{
    std::vector<std::u16string> wide;
    if (!registry_->GetValueNames(RegistryPath(Key), wide))
        return false;
    for (const std::u16string& w : wide)
        Names.push_back(WideToAnsi(w));
    return true;
}

bool TElIniRegistryStorage::ReadValue(const TKeyPath& Key, const std::string& Name, TElIniValue& Value)
{
    TElRegValue r;
    if (!registry_->ReadValue(RegistryPath(Key), AnsiToWide(Name), r))
        return false;
    Value = FromRegistry(r);
    return true;
}

bool TElIniRegistryStorage::WriteValue(const TKeyPath& Key, const std::string& Name, const TElIniValue& Value)
{
    if (Value.Type == evtUnknown)
        return false;
    const std::u16string path = RegistryPath(Key);
    return registry_->CreateKey(path) && registry_->WriteValue(path, AnsiToWide(Name), ToRegistry(Value));
}

bool TElIniRegistryStorage::DeleteValue(const TKeyPath& Key, const std::string& Name)
{
    return registry_->DeleteValue(RegistryPath(Key), AnsiToWide(Name));
}

bool TElIniRegistryStorage::RenameValue(const TKeyPath& Key, const std::string& Name, const std::string& NewName)
{
    const std::u16string path = RegistryPath(Key);
    const std::u16string from = AnsiToWide(Name), to = AnsiToWide(NewName);
    TElRegValue r, existing;
    if (!registry_->ReadValue(path, from, r))
        return false;
    // Registry names ignore case: a change of case only is one value rewritten.
    if (AnsiUpperCase(Name) == AnsiUpperCase(NewName))
        return registry_->DeleteValue(path, from) && registry_->WriteValue(path, to, r);
    if (registry_->ReadValue(path, to, existing))
        return false;
    return registry_->WriteValue(path, to, r) && registry_->DeleteValue(path, from);
}

bool TElIniRegistryStorage::CopyValue(const TKeyPath& From, const std::string& Name, const TKeyPath& To)
{
    // Copied as stored, so types the store does not know keep their bytes.
    TElRegValue r;
    const std::u16string name = AnsiToWide(Name);
    const std::u16string to = RegistryPath(To);
    return registry_->ReadValue(RegistryPath(From), name, r) && registry_->CreateKey(to) &&
           registry_->WriteValue(to, name, r);
}
