// Where TElIniFile's keys and values live: the in-memory tree of file mode, or the registry.
// Keys are absolute paths of names. Internal to TElIniFile.
#pragma once

#include "widgets/el/foundation/ElIniFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Keys deeper than this cannot be opened or made.
inline constexpr size_t ElIniMaxKeyDepth = 256;

class TElIniStorage {
public:
    using TKeyPath = TElIniFile::TKeyPath;

    virtual ~TElIniStorage() = default;
    virtual bool KeyExists(const TKeyPath& Key) = 0;
    virtual bool CreateKey(const TKeyPath& Key) = 0;
    virtual bool DeleteKey(const TKeyPath& Key) = 0;
    // Deletes every subkey and value of the key.
    virtual bool ClearKey(const TKeyPath& Key) = 0;
    virtual bool KeyNames(const TKeyPath& Key, std::vector<std::string>& Names) = 0;
    virtual bool ValueNames(const TKeyPath& Key, std::vector<std::string>& Names) = 0;
    virtual bool ReadValue(const TKeyPath& Key, const std::string& Name, TElIniValue& Value) = 0;
    // Makes the key when missing.
    virtual bool WriteValue(const TKeyPath& Key, const std::string& Name, const TElIniValue& Value) = 0;
    virtual bool DeleteValue(const TKeyPath& Key, const std::string& Name) = 0;
    // False when the value is missing or NewName is taken.
    virtual bool RenameValue(const TKeyPath& Key, const std::string& Name, const std::string& NewName) = 0;
    // Copies the value with its type into To (made when missing).
    virtual bool CopyValue(const TKeyPath& From, const std::string& Name, const TKeyPath& To);
};

// Text forms of values (ElIniText.cpp).
// Booleans "true"/"false" ("1"/"0" with SimpleBooleans), integers in decimal, floats in the
// fixed float form, binary data in the hex text form, string lists joined by CR LF. False for a
// value without a type.
bool IniValueText(const TElIniValue& V, bool SimpleBooleans, std::string& Text);
// The value a text stands for, decided in this order: "TRUE"/"FALSE" in any case a boolean; a
// number in its own decimal form (or "$"/"0x" and its upper-case hexadecimal form) an integer;
// a number in its own float form a float; a valid "454C" hex text binary; else a string.
void IniTextValue(const std::string& Text, TElIniValue& V);
// Text to number as the store converts strings: decimal, "$" or "0x" hexadecimal.
bool IniTextToInt(std::string_view Text, int32_t& Value);
// Text to float with "." as the separator, blanks around allowed.
bool IniTextToFloat(std::string_view Text, double& Value);
std::string IniFloatText(double Value);

// The key entry at Path below Root, made when CanCreate; nil when missing or deeper than
// ElIniMaxKeyDepth.
TElIniEntry* WalkIniTree(TElIniEntry& Root, const TElIniFile::TKeyPath& Path, bool CanCreate);

// File mode: the tree whose root Root holds (Root may be replaced by a load).
std::unique_ptr<TElIniStorage> MakeIniTreeStorage(std::unique_ptr<TElIniEntry>& Root);

// Registry mode: values below Base (a registry path without leading or trailing '\').
class TElIniRegistryStorage : public TElIniStorage {
public:
    TElIniRegistryStorage(std::unique_ptr<IElIniRegistry> Registry, std::u16string Base)
        : registry_(std::move(Registry)), base_(std::move(Base))
    {
    }

    void SetBase(std::u16string Base) { base_ = std::move(Base); }
    // The registry path of Key.
    std::u16string RegistryPath(const TKeyPath& Key) const;

    bool KeyExists(const TKeyPath& Key) override;
    bool CreateKey(const TKeyPath& Key) override;
    bool DeleteKey(const TKeyPath& Key) override;
    bool ClearKey(const TKeyPath& Key) override;
    bool KeyNames(const TKeyPath& Key, std::vector<std::string>& Names) override;
    bool ValueNames(const TKeyPath& Key, std::vector<std::string>& Names) override;
    bool ReadValue(const TKeyPath& Key, const std::string& Name, TElIniValue& Value) override;
    bool WriteValue(const TKeyPath& Key, const std::string& Name, const TElIniValue& Value) override;
    bool DeleteValue(const TKeyPath& Key, const std::string& Name) override;
    bool RenameValue(const TKeyPath& Key, const std::string& Name, const std::string& NewName) override;
    bool CopyValue(const TKeyPath& From, const std::string& Name, const TKeyPath& To) override;

private:
    std::unique_ptr<IElIniRegistry> registry_;
    std::u16string base_;
};
