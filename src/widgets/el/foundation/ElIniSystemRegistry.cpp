#include "widgets/el/foundation/ElIniSystemRegistry.h"

#include "framework/LittleEndianBytes.h"
#include "framework/Registry.h"
#include "framework/RegistryData.h"

namespace {

std::u16string FromRoot(const std::u16string& Key)
{
    return u"\\" + Key;
}

// A value's bytes (UTF-16LE text with its terminating zeros, a 4-byte DWORD) turned into the
// typed calls of TRegistry and back.
class TSystemIniRegistry : public IElIniRegistry {
public:
    explicit TSystemIniRegistry(uint32_t RootKey) { registry_.SetRootKey(static_cast<TRootKey>(RootKey)); }

    bool KeyExists(const std::u16string& Key) override { return Key.empty() || registry_.KeyExists(FromRoot(Key)); }
    bool CreateKey(const std::u16string& Key) override { return Key.empty() || registry_.CreateKey(FromRoot(Key)); }
    bool DeleteKey(const std::u16string& Key) override { return !Key.empty() && registry_.DeleteKey(FromRoot(Key)); }

    bool GetKeyNames(const std::u16string& Key, std::vector<std::u16string>& Names) override
    {
        if (!Open(Key, false))
            return false;
        Names = registry_.GetKeyNames();
        return true;
    }

    bool GetValueNames(const std::u16string& Key, std::vector<std::u16string>& Names) override
    {
        if (!Open(Key, false))
            return false;
        Names = registry_.GetValueNames();
        return true;
    }

    bool ReadValue(const std::u16string& Key, const std::u16string& Name, TElRegValue& Value) override
    {
        TRegDataInfo info;
        if (!Open(Key, false) || !registry_.GetDataInfo(Name, info))
            return false;
        TElRegValue v;
        switch (info.RegData) {
        case TRegDataType::String:
        case TRegDataType::ExpandString: {
            std::u16string s;
            if (!registry_.ReadString(Name, s))
                return false;
            v.DataType = info.RegData == TRegDataType::String ? ElRegSz : ElRegExpandSz;
            AppendRegWide(v.Data, s);
            break;
        }
        case TRegDataType::Integer: {
            int32_t n = 0;
            if (!registry_.ReadInteger(Name, n))
                return false;
            v.DataType = ElRegDWord;
            v.Data.resize(4);
            le::PutI32(v.Data.data(), n);
            break;
        }
        case TRegDataType::Binary:
            if (!registry_.ReadBinary(Name, v.Data))
                return false;
            v.DataType = ElRegBinary;
            break;
        case TRegDataType::MultiString: {
            std::vector<std::u16string> list;
            if (!registry_.ReadMultiString(Name, list))
                return false;
            v.DataType = ElRegMultiSz;
            v.Data = RegMultiStringData(list);
            break;
        }
        default:
            return false;
        }
        Value = std::move(v);
        return true;
    }

    bool WriteValue(const std::u16string& Key, const std::u16string& Name, const TElRegValue& Value) override
    {
        if (!Open(Key, false))
            return false;
        switch (Value.DataType) {
        case ElRegSz:
        case ElRegExpandSz: {
            const std::u16string s = RegString(Value.Data);
            return Value.DataType == ElRegSz ? registry_.WriteString(Name, s) : registry_.WriteExpandString(Name, s);
        }
        case ElRegDWord:
            return Value.Data.size() == 4 && registry_.WriteInteger(Name, le::I32At(Value.Data.data()));
        case ElRegBinary:
            return registry_.WriteBinary(Name, Value.Data.data(), static_cast<uint32_t>(Value.Data.size()));
        case ElRegMultiSz: {
            // Zero-terminated strings up to the empty one that ends the list. A list with an
            // empty string in it cannot be stored whole; TRegistry refuses it rather than cut it.
            const std::u16string units = RegWideUnits(Value.Data);
            size_t next = 0;
            const std::vector<std::u16string> list = RegMultiStrings(units, next);
            const bool endsThere = next + 1 >= units.size();
            return endsThere && registry_.WriteMultiString(Name, list);
        }
        default:
            return false;
        }
    }

    bool DeleteValue(const std::u16string& Key, const std::u16string& Name) override
    {
        return Open(Key, false) && registry_.DeleteValue(Name);
    }

private:
    bool Open(const std::u16string& Key, bool CanCreate)
    {
        return registry_.OpenKey(FromRoot(Key), CanCreate);
    }

    TRegistry registry_;
};

}  // namespace

std::unique_ptr<IElIniRegistry> NewSystemIniRegistry(uint32_t RootKey)
{
    return std::make_unique<TSystemIniRegistry>(RootKey);
}

void InstallElIniSystemRegistry()
{
    ElIniRegistryFactory() = [](uint32_t RootKey) { return NewSystemIniRegistry(RootKey); };
}
