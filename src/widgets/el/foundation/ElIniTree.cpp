// The file-mode tree of TElIniFile: entries with a name index, and the storage over them.
#include "widgets/el/foundation/ElIniStorage.h"

#include "widgets/el/foundation/ElAnsiStrUtils.h"
#include "widgets/el/foundation/ElCRC32.h"

#include <algorithm>

// ---- Entries

uint32_t TElIniEntry::IndexHash(const std::string& Upper, bool AIsKey)
{
    return StrCRC32(Upper) ^ (AIsKey ? 0x9E3779B9u : 0u);
}

TElIniEntry::TElIniEntry(TElIniEntry* AParent, const std::string& AName, bool AIsKey)
    : parent_(AParent), name_(AName), upper_(AnsiUpperCase(AName)), isKey_(AIsKey)
{
}

TElIniEntry::~TElIniEntry()
{
    Clear();
}

void TElIniEntry::Clear()
{
    // Children are taken apart level by level on an explicit list: a deep tree (its depth comes
    // from a file) must not recurse through destructors.
    index_.clear();
    std::vector<std::unique_ptr<TElIniEntry>> pending = std::move(children_);
    children_.clear();
    while (!pending.empty()) {
        std::unique_ptr<TElIniEntry> entry = std::move(pending.back());
        pending.pop_back();
        if (entry->children_.empty())
            continue;
        for (auto& child : entry->children_)
            pending.push_back(std::move(child));
        entry->children_.clear();
        entry->index_.clear();
    }
}

TElIniEntry* TElIniEntry::FindUpper(const std::string& Upper, uint32_t Hash, bool AIsKey) const
{
    const auto [first, last] = index_.equal_range(Hash);
    for (auto it = first; it != last; ++it)
        if (it->second->isKey_ == AIsKey && it->second->upper_ == Upper)
            return it->second;
    return nullptr;
}

TElIniEntry* TElIniEntry::Find(const std::string& AName, bool AIsKey) const
{
    const std::string upper = AnsiUpperCase(AName);
    return FindUpper(upper, IndexHash(upper, AIsKey), AIsKey);
}

TElIniEntry* TElIniEntry::Ensure(const std::string& AName, bool AIsKey)
{
    std::string upper = AnsiUpperCase(AName);
    const uint32_t hash = IndexHash(upper, AIsKey);
    if (TElIniEntry* found = FindUpper(upper, hash, AIsKey))
        return found;
    auto child = std::make_unique<TElIniEntry>(this, AName, AIsKey);
    TElIniEntry* raw = child.get();
    index_.emplace(hash, raw);
    children_.push_back(std::move(child));
    return raw;
}

void TElIniEntry::Delete(TElIniEntry* AChild)
{
    const auto it = std::find_if(children_.begin(), children_.end(), [AChild](const auto& c) { return c.get() == AChild; });
    if (it == children_.end())
        return;
    const auto [first, last] = index_.equal_range(IndexHash(AChild->upper_, AChild->isKey_));
    for (auto i = first; i != last; ++i)
        if (i->second == AChild) {
            index_.erase(i);
            break;
        }
    children_.erase(it);
}

bool TElIniEntry::SetName(const std::string& NewName)
{
    std::string upper = AnsiUpperCase(NewName);
    if (parent_) {
        const uint32_t hash = IndexHash(upper, isKey_);
        const TElIniEntry* other = parent_->FindUpper(upper, hash, isKey_);
        if (other && other != this)
            return false;
        const auto [first, last] = parent_->index_.equal_range(IndexHash(upper_, isKey_));
        for (auto i = first; i != last; ++i)
            if (i->second == this) {
                parent_->index_.erase(i);
                break;
            }
        parent_->index_.emplace(hash, this);
    }
    name_ = NewName;
    upper_ = std::move(upper);
    return true;
}

bool TElIniEntry::IsWithin(const TElIniEntry* Other) const
{
    for (const TElIniEntry* e = this; e; e = e->parent_)
        if (e == Other)
            return true;
    return false;
}

TElIniEntry* WalkIniTree(TElIniEntry& Root, const TElIniFile::TKeyPath& Path, bool CanCreate)
{
    if (Path.size() > ElIniMaxKeyDepth)
        return nullptr;
    TElIniEntry* e = &Root;
    for (const std::string& name : Path) {
        TElIniEntry* next = e->Find(name, true);
        if (!next) {
            if (!CanCreate)
                return nullptr;
            next = e->Ensure(name, true);
        }
        e = next;
    }
    return e;
}

// ---- Storage over the tree

namespace {

class TTreeStorage : public TElIniStorage {
public:
    explicit TTreeStorage(std::unique_ptr<TElIniEntry>& Root) : root_(Root) {}

    bool KeyExists(const TKeyPath& Key) override { return Walk(Key, false) != nullptr; }
    bool CreateKey(const TKeyPath& Key) override { return Walk(Key, true) != nullptr; }

    bool DeleteKey(const TKeyPath& Key) override
    {
        TElIniEntry* key = Walk(Key, false);
        if (!key)
            return false;
        if (key->Parent())
            key->Parent()->Delete(key);
        else
            key->Clear();
        return true;
    }

    bool ClearKey(const TKeyPath& Key) override
    {
        TElIniEntry* key = Walk(Key, false);
        if (!key)
            return false;
        key->Clear();
        return true;
    }

    bool KeyNames(const TKeyPath& Key, std::vector<std::string>& Names) override { return NamesOf(Key, true, Names); }
    bool ValueNames(const TKeyPath& Key, std::vector<std::string>& Names) override { return NamesOf(Key, false, Names); }

    bool ReadValue(const TKeyPath& Key, const std::string& Name, TElIniValue& Value) override
    {
        const TElIniEntry* value = FindValue(Key, Name);
        if (!value)
            return false;
        Value = value->Value;
        return true;
    }

    bool WriteValue(const TKeyPath& Key, const std::string& Name, const TElIniValue& Value) override
    {
        TElIniEntry* key = Walk(Key, true);
        if (!key)
            return false;
        key->Ensure(Name, false)->Value = Value;
        return true;
    }

    bool DeleteValue(const TKeyPath& Key, const std::string& Name) override
    {
        TElIniEntry* value = FindValue(Key, Name);
        if (!value)
            return false;
        value->Parent()->Delete(value);
        return true;
    }

    bool RenameValue(const TKeyPath& Key, const std::string& Name, const std::string& NewName) override
    {
        TElIniEntry* value = FindValue(Key, Name);
        return value && value->SetName(NewName);
    }

private:
    TElIniEntry* Walk(const TKeyPath& Key, bool CanCreate) { return WalkIniTree(*root_, Key, CanCreate); }

    TElIniEntry* FindValue(const TKeyPath& Key, const std::string& Name)
    {
        TElIniEntry* key = Walk(Key, false);
        return key ? key->Find(Name, false) : nullptr;
    }

    bool NamesOf(const TKeyPath& Key, bool Keys, std::vector<std::string>& Names)
    {
        Names.clear();
        const TElIniEntry* key = Walk(Key, false);
        if (!key)
            return false;
        for (int32_t i = 0; i < key->Count(); ++i)
            if (key->Child(i)->IsKey() == Keys)
                Names.push_back(key->Child(i)->Name());
        return true;
    }

    std::unique_ptr<TElIniEntry>& root_;
};

} // namespace

std::unique_ptr<TElIniStorage> MakeIniTreeStorage(std::unique_ptr<TElIniEntry>& Root)
{
    return std::make_unique<TTreeStorage>(Root);
}
