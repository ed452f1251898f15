// The registry: one open key under a root key, wide names, typed values. Every operation
// reports failure by its result and never raises, so it may run inside window procedures and
// threads. Windows only.
//
// Key names: a name that begins with "\" is taken from the root key, any other from the open
// key (from the root when none is open); a trailing "\" is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The system's predefined root keys, with their values.
enum class TRootKey : uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
    CurrentConfig = 0x80000005u,
};

enum class TRegDataType { Unknown, String, ExpandString, Integer, Binary, MultiString };

struct TRegDataInfo {
    TRegDataType RegData = TRegDataType::Unknown;
    uint32_t DataSize = 0;  // in bytes, as stored
};

class TRegistry {
public:
    // Access rights of the system's values; keys are opened and created with them.
    static constexpr uint32_t AllAccess = 0xF003F;
    static constexpr uint32_t ReadAccess = 0x20019;

    explicit TRegistry(uint32_t Access = AllAccess);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    TRootKey RootKey() const { return root_; }
    // Closes the open key.
    void SetRootKey(TRootKey Value);
    uint32_t Access;

    // Opens Key (creating it and its missing parents when CanCreate); on success it becomes the
    // open key. On failure the open key stays as it was.
    bool OpenKey(const std::u16string& Key, bool CanCreate);
    // Opens an existing key for reading only.
    bool OpenKeyReadOnly(const std::u16string& Key);
    // Creates Key with its missing parents; the open key stays as it is.
    bool CreateKey(const std::u16string& Key);
    void CloseKey();
    bool HasCurrentKey() const { return key_ != 0; }
    // The open key's path below the root key, without a leading "\"; empty at the root.
    const std::u16string& CurrentPath() const { return path_; }

    bool KeyExists(const std::u16string& Key) const;
    // Deletes Key with every key below it.
    bool DeleteKey(const std::u16string& Key);
    // The names of the open key's subkeys and values, in the order the system lists them.
    std::vector<std::u16string> GetKeyNames() const;
    std::vector<std::u16string> GetValueNames() const;

    // Values of the open key; Name "" is the key's default value.
    bool ValueExists(const std::u16string& Name) const;
    bool DeleteValue(const std::u16string& Name);
    bool GetDataInfo(const std::u16string& Name, TRegDataInfo& Info) const;

    // Reads give false, and leave Value as it was, when the value is missing or of another type.
    // A string (REG_SZ, or REG_EXPAND_SZ left unexpanded) ends at its first NUL or its end.
    bool ReadString(const std::u16string& Name, std::u16string& Value) const;
    // REG_DWORD of exactly four bytes.
    bool ReadInteger(const std::u16string& Name, int32_t& Value) const;
    // REG_BINARY.
    bool ReadBinary(const std::u16string& Name, std::vector<uint8_t>& Value) const;
    // REG_MULTI_SZ: the strings up to the first empty one.
    bool ReadMultiString(const std::u16string& Name, std::vector<std::u16string>& Value) const;

    bool WriteString(const std::u16string& Name, const std::u16string& Value);
    bool WriteExpandString(const std::u16string& Name, const std::u16string& Value);
    bool WriteInteger(const std::u16string& Name, int32_t Value);
    bool WriteBinary(const std::u16string& Name, const void* Data, uint32_t Size);
    // False, and nothing written, when a string is empty or holds a NUL: the stored form could
    // not bring it back.
    bool WriteMultiString(const std::u16string& Name, const std::vector<std::u16string>& Value);

private:
    // The key a name is taken from, and the name without its leading and trailing "\".
    uintptr_t BaseKey(const std::u16string& Key, std::u16string& Relative) const;
    std::u16string PathOf(const std::u16string& Key, const std::u16string& Relative) const;
    bool OpenAs(const std::u16string& Key, bool CanCreate, uint32_t Rights);
    bool ReadRaw(const std::u16string& Name, uint32_t& Type, std::vector<uint8_t>& Data) const;
    bool WriteRaw(const std::u16string& Name, uint32_t Type, const void* Data, uint32_t Size);

    TRootKey root_ = TRootKey::CurrentUser;
    uintptr_t key_ = 0;  // the open key's handle, 0 when none
    std::u16string path_;
};
