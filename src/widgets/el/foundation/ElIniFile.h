// TElIniFile: a hierarchical store of named, typed values in keys. File mode keeps the whole
// tree in memory and reads and writes it as a text file (sections and name=value lines) or a
// binary file; registry mode passes every operation to the registry through IElIniRegistry.
//
// Keys are paths of names joined by Delimiter; one that starts with Delimiter is absolute,
// any other is relative to the current key (OpenKey); an empty key is the current key. Names
// compare without regard to case. Key depth is limited to 256.
#pragma once

#include "widgets/el/foundation/ElComponent.h"

#include "framework/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStream;
class TElWideStrings;

class EElIniError : public Exception {
public:
    using Exception::Exception;
};

enum TElIniValueType : uint8_t {
    evtUnknown = 0, evtBoolean = 1, evtInt = 2, evtString = 3, evtMultiString = 4, evtBinary = 5, evtDouble = 6,
};

// One typed value; only the member of its type is meaningful.
struct TElIniValue {
    TElIniValueType Type = evtUnknown;
    bool Bool = false;
    int32_t Int = 0;
    double Float = 0;
    std::string Str;
    std::vector<std::string> List;
    std::vector<uint8_t> Binary;

    void Clear() { *this = TElIniValue(); }
};

// A key or a value of the file-mode tree. Keys own their children (keys and values, in the
// order they were made); a key and a value may share a name.
class TElIniEntry {
public:
    TElIniEntry(TElIniEntry* AParent, const std::string& AName, bool AIsKey);
    // Frees the subtree without recursion, whatever its depth.
    ~TElIniEntry();
    TElIniEntry(const TElIniEntry&) = delete;
    TElIniEntry& operator=(const TElIniEntry&) = delete;

    const std::string& Name() const { return name_; }
    // False when a sibling of the same kind already has NewName.
    bool SetName(const std::string& NewName);
    bool IsKey() const { return isKey_; }
    TElIniEntry* Parent() const { return parent_; }

    int32_t Count() const { return static_cast<int32_t>(children_.size()); }
    TElIniEntry* Child(int32_t Index) const { return children_[static_cast<size_t>(Index)].get(); }
    // The child key or value of that name; nil when none.
    TElIniEntry* Find(const std::string& AName, bool AIsKey) const;
    // The child of that name, made when missing.
    TElIniEntry* Ensure(const std::string& AName, bool AIsKey);
    void Delete(TElIniEntry* AChild);
    void Clear();
    // True when this is Other or lies below it.
    bool IsWithin(const TElIniEntry* Other) const;

    TElIniValue Value;

private:
    // Lookups compare the StrCRC32 of the upper-case name (and the kind) first, then the names.
    static uint32_t IndexHash(const std::string& Upper, bool AIsKey);
    TElIniEntry* FindUpper(const std::string& Upper, uint32_t Hash, bool AIsKey) const;

    TElIniEntry* parent_;
    std::string name_;
    std::string upper_;
    bool isKey_;
    std::vector<std::unique_ptr<TElIniEntry>> children_;
    std::unordered_multimap<uint32_t, TElIniEntry*> index_;
};

// Registry value types as the system numbers them.
constexpr uint32_t ElRegSz = 1, ElRegExpandSz = 2, ElRegBinary = 3, ElRegDWord = 4, ElRegMultiSz = 7;
// Root keys as the system numbers them.
constexpr uint32_t ElRegClassesRoot = 0x80000000u, ElRegCurrentUser = 0x80000001u,
                   ElRegLocalMachine = 0x80000002u, ElRegUsers = 0x80000003u;

// A registry value as the system stores it: strings in UTF-16LE with their terminating zero,
// multi-strings as zero-terminated strings followed by one more zero, a DWORD in 4 bytes
// little-endian.
struct TElRegValue {
    uint32_t DataType = 0;
    std::vector<uint8_t> Data;
};

// What registry mode needs of the system registry, below one root key. Key paths are names
// joined by '\' without a leading '\'; "" is the root key itself. Every call opens what it
// needs and closes it again; none raises.
class IElIniRegistry {
public:
    virtual ~IElIniRegistry() = default;
    virtual bool KeyExists(const std::u16string& Key) = 0;
    // Creates the key with every missing parent; true when it exists afterwards.
    virtual bool CreateKey(const std::u16string& Key) = 0;
    // Deletes the key with all its subkeys and values.
    virtual bool DeleteKey(const std::u16string& Key) = 0;
    virtual bool GetKeyNames(const std::u16string& Key, std::vector<std::u16string>& Names) = 0;
    virtual bool GetValueNames(const std::u16string& Key, std::vector<std::u16string>& Names) = 0;
    virtual bool ReadValue(const std::u16string& Key, const std::u16string& Name, TElRegValue& Value) = 0;
    // The key must exist.
    virtual bool WriteValue(const std::u16string& Key, const std::u16string& Name, const TElRegValue& Value) = 0;
    virtual bool DeleteValue(const std::u16string& Key, const std::u16string& Name) = 0;
};

// Makes the registry object of registry mode for a root key; nil when there is no registry.
using TElIniRegistryFactory = std::function<std::unique_ptr<IElIniRegistry>(uint32_t RootKey)>;
// The factory in force (none by default: UseRegistry then stays false). The Windows side
// installs the system registry's; tests install a fake.
TElIniRegistryFactory& ElIniRegistryFactory();

class TElIniStorage;

inline constexpr char SElIniDefaultWarning[] = "Automatically generated file. DO NOT MODIFY!!!";

class TElIniFile : public TElComponent {
public:
    using TKeyPath = std::vector<std::string>;

    explicit TElIniFile(TComponent* AOwner);
    // Saves a lazily written, modified store (never raises).
    ~TElIniFile() override;
    const char* ClassName() const override { return "TElIniFile"; }

    // ---- Keys
    bool OpenKey(const std::string& Key, bool CanCreate);
    // The current key's absolute path (Delimiter alone for the root).
    const std::string& CurrentKey() const { return currentPath_; }
    bool KeyExists(const std::string& Key);
    bool ValueExists(const std::string& Key, const std::string& ValueName);
    bool DeleteKey(const std::string& Key);
    bool DeleteValue(const std::string& Key, const std::string& ValueName);
    bool EnumSubKeys(const std::string& Key, std::vector<std::string>& Names);
    bool EnumValues(const std::string& Key, std::vector<std::string>& Names);
    // Deletes every subkey and value of the key; in file mode then saves unless LazyWrite.
    virtual bool ClearKey(const std::string& Key);
    // False when the key or value is missing or a sibling already has NewName.
    virtual bool RenameKey(const std::string& Key, const std::string& NewName);
    virtual bool RenameValue(const std::string& Key, const std::string& ValueName, const std::string& NewName);
    // Copies one value with its type into another key (made when missing).
    bool CopyValue(const std::string& SourceKey, const std::string& ValueName, const std::string& DestKey);

    // ---- File-mode tree (EElIniError in registry mode)
    virtual TElIniEntry* GetValueEntry(const std::string& Key, const std::string& ValueName);
    TElIniEntry* CreateValue(const std::string& Key, const std::string& ValueName);
    // Gives the value an empty value of NewType.
    virtual void SetValueType(const std::string& Key, const std::string& ValueName, TElIniValueType NewType);

    // ---- Reads: true when the value exists in a type they accept, else false with Default.
    bool ReadString(const std::string& Key, const std::string& ValueName, const std::string& Default, std::string& Value);
    bool ReadInteger(const std::string& Key, const std::string& ValueName, int32_t Default, int32_t& Value);
    bool ReadBool(const std::string& Key, const std::string& ValueName, bool Default, bool& Value);
    bool ReadFloat(const std::string& Key, const std::string& ValueName, double Default, double& Value);
    // Size: the buffer's size in, the value's size out; false (nothing copied) when it does
    // not fit.
    bool ReadBinary(const std::string& Key, const std::string& ValueName, void* Buffer, int32_t& Size);
    bool ReadMultiString(const std::string& Key, const std::string& ValueName, std::vector<std::string>& Strings);
    bool ReadWideMultiString(const std::string& Key, const std::string& ValueName, TElWideStrings& Strings);

    // ---- Writes: make the value (and its key) when missing and replace value and type.
    bool WriteString(const std::string& Key, const std::string& ValueName, const std::string& Value);
    bool WriteInteger(const std::string& Key, const std::string& ValueName, int32_t Value);
    bool WriteBool(const std::string& Key, const std::string& ValueName, bool Value);
    bool WriteFloat(const std::string& Key, const std::string& ValueName, double Value);
    bool WriteBinary(const std::string& Key, const std::string& ValueName, const void* Buffer, int32_t Size);
    bool WriteMultiString(const std::string& Key, const std::string& ValueName, const std::vector<std::string>& Strings);
    bool WriteWideMultiString(const std::string& Key, const std::string& ValueName, const TElWideStrings& Strings);

    // ---- Files (file mode; false in registry mode)
    // Replaces the tree with the file at Path; a file that is missing or cannot be read leaves
    // the store empty. The current key becomes the root.
    bool Load();
    // Writes the tree to Path through a temporary file, so a failed save keeps the old file;
    // false (store still modified) on failure or without a Path.
    bool Save();
    // The same in the form BinaryMode selects, from and to a stream.
    bool LoadFromStream(TStream& Stream);
    bool SaveToStream(TStream& Stream);

    // ---- Properties
    bool BinaryMode = false;
    std::string Comment = ";";
    char DivChar = '=';
    bool LazyWrite = true;
    std::string WarningMessage = SElIniDefaultWarning;
    bool TrimSpaces = false;

    char Delimiter() const { return delimiter_; }
    // EElIniError in registry mode.
    void SetDelimiter(char Value);
    // The file name in file mode, the base key in registry mode (each mode keeps its own).
    const std::u16string& Path() const { return path_; }
    void SetPath(const std::u16string& Value);
    uint32_t RegRoot() const { return regRoot_; }
    void SetRegRoot(uint32_t Value);
    bool UseRegistry() const { return registry_ != nullptr; }
    void SetUseRegistry(bool Value);
    bool Simple() const { return simple_; }
    void SetSimple(bool Value);
    bool Modified() const { return modified_; }

    TNotifyEvent OnBeforeLoad;
    TNotifyEvent OnAfterSave;
    TNotifyEvent OnBeforeSave;
    TNotifyEvent OnAfterLoad;

protected:
    // Splits a text line at the first DivChar outside double quotes; a Comment outside quotes
    // ends the line.
    virtual void ParseLine(const std::string& Line, std::string& Name, bool& HasDivider, std::string& Value);
    virtual void DoBeforeSave();
    virtual void DoAfterLoad();
    virtual void DoBeforeLoad();
    virtual void DoAfterSave();

private:
    TElIniStorage& Storage();
    // The absolute path of Key; false when it has an empty segment or is too deep.
    bool Resolve(const std::string& Key, TKeyPath& Path) const;
    void SetCurrent(TKeyPath Path);
    // Resets the current key to the root when it is Path or lies below it (Inclusive) or
    // strictly below it.
    void ForgetCurrentWithin(const TKeyPath& Path, bool Inclusive);
    bool ReadValue(const std::string& Key, const std::string& ValueName, TElIniValue& Value);
    bool WriteValue(const std::string& Key, const std::string& ValueName, TElIniValue Value);
    // After a change of the tree: marks the store modified and saves unless LazyWrite.
    void Changed();
    void RequireFileMode(const char16_t* Message) const;
    bool OpenRegistry();

    // Formats over the tree (ElIniText.cpp, ElIniBinary.cpp).
    std::string WriteText(const TElIniEntry& Root);
    // True when Text written as a bare line reads back as one bare line of that text.
    bool ReadsBackBare(std::string_view Text);
    void ReadText(std::string_view Text, TElIniEntry& Root);
    std::vector<uint8_t> WriteBinaryImage(const TElIniEntry& Root) const;
    bool ReadBinaryImage(std::span<const uint8_t> Bytes, TElIniEntry& Root);
    // Replaces the tree with the image in the form BinaryMode selects.
    bool ReadImage(std::span<const uint8_t> Bytes);
    std::vector<uint8_t> WriteImage();

    std::unique_ptr<TElIniEntry> root_;
    std::unique_ptr<TElIniStorage> tree_;
    std::unique_ptr<TElIniStorage> registry_;
    TKeyPath current_;
    std::string currentPath_;
    char delimiter_ = '\\';
    bool modified_ = false;
    std::u16string path_;
    std::u16string filePath_;  // Path of file mode while registry mode uses Path for its key
    uint32_t regRoot_ = ElRegCurrentUser;
    bool simple_ = false;
};
