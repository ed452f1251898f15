// An in-memory registry for the store's registry mode in native tests: keys and value names
// compare without regard to ASCII case, as the system's do; values keep type and bytes.
#pragma once

#include "widgets/el/foundation/ElIniFile.h"

#include <map>
#include <memory>

class FakeRegistry : public IElIniRegistry {
public:
    struct TKey {
        std::map<std::u16string, std::pair<std::u16string, TElRegValue>> Values;  // by upper name
        std::map<std::u16string, std::pair<std::u16string, std::unique_ptr<TKey>>> Keys;
    };
    // The data outlives the store's registry object, so that tests can look inside.
    struct TData {
        TKey Root;
        uint32_t RootKey = 0;
    };

    explicit FakeRegistry(std::shared_ptr<TData> Data) : data_(std::move(Data)) {}

    bool KeyExists(const std::u16string& Key) override { return Find(Key, false) != nullptr; }
    bool CreateKey(const std::u16string& Key) override { return Find(Key, true) != nullptr; }

    bool DeleteKey(const std::u16string& Key) override
    {
        const auto slash = Key.rfind(u'\\');
        TKey* parent = slash == std::u16string::npos ? &data_->Root : Find(Key.substr(0, slash), false);
        return parent && parent->Keys.erase(Upper(slash == std::u16string::npos ? Key : Key.substr(slash + 1))) > 0;
    }

    bool GetKeyNames(const std::u16string& Key, std::vector<std::u16string>& Names) override
    {
        TKey* k = Find(Key, false);
        if (!k)
            return false;
        for (const auto& [upper, entry] : k->Keys)
            Names.push_back(entry.first);
        return true;
    }

    bool GetValueNames(const std::u16string& Key, std::vector<std::u16string>& Names) override
    {
        TKey* k = Find(Key, false);
        if (!k)
            return false;
        for (const auto& [upper, entry] : k->Values)
            Names.push_back(entry.first);
        return true;
    }

    bool ReadValue(const std::u16string& Key, const std::u16string& Name, TElRegValue& Value) override
    {
        TKey* k = Find(Key, false);
        if (!k)
            return false;
        const auto it = k->Values.find(Upper(Name));
        if (it == k->Values.end())
            return false;
        Value = it->second.second;
        return true;
    }

    bool WriteValue(const std::u16string& Key, const std::u16string& Name, const TElRegValue& Value) override
    {
        TKey* k = Find(Key, false);
        if (!k)
            return false;
        auto& slot = k->Values[Upper(Name)];
        if (slot.first.empty())
            slot.first = Name;
        slot.second = Value;
        return true;
    }

    bool DeleteValue(const std::u16string& Key, const std::u16string& Name) override
    {
        TKey* k = Find(Key, false);
        return k && k->Values.erase(Upper(Name)) > 0;
    }

    static std::u16string Upper(std::u16string S)
    {
        for (char16_t& c : S)
            if (c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - 32);
        return S;
    }

    TKey* Find(const std::u16string& Path, bool Create) { return Find(data_->Root, Path, Create); }

    static TKey* Find(TKey& Root, const std::u16string& Path, bool Create)
    {
        TKey* k = &Root;
        size_t start = 0;
        while (start < Path.size()) {
            size_t end = Path.find(u'\\', start);
            if (end == std::u16string::npos)
                end = Path.size();
            const std::u16string name = Path.substr(start, end - start);
            if (name.empty())
                return nullptr;
            auto it = k->Keys.find(Upper(name));
            if (it == k->Keys.end()) {
                if (!Create)
                    return nullptr;
                it = k->Keys.emplace(Upper(name), std::make_pair(name, std::make_unique<TKey>())).first;
            }
            k = it->second.second.get();
            start = end + 1;
        }
        return k;
    }

private:
    std::shared_ptr<TData> data_;
};
