// Lists of wide strings with an object pointer per item: the abstract TElWideStrings (text
// conversion, name=value lookup, loading and saving with byte-order-mark rules) and the
// concrete TElWideStringList (optional sorting, duplicate handling, change events). The item
// lists of the widget layer's list box, combo box and memo derive from them.
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"
#include "framework/StringList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TElWideStrings : public TPersistent {
public:
    const char* ClassName() const override { return "TElWideStrings"; }

    virtual std::u16string Get(int32_t Index) const = 0;
    virtual int32_t GetCapacity() const { return GetCount(); }
    virtual int32_t GetCount() const = 0;
    virtual TObject* GetObject(int32_t Index) const { return nullptr; }
    // Every string followed by CR LF, the last one too.
    virtual std::u16string GetTextStr() const;
    // Replaces the string at Index, keeping its object.
    virtual void Put(int32_t Index, const std::u16string& S);
    virtual void PutObject(int32_t Index, TObject* AObject) {}
    virtual void SetCapacity(int32_t NewCapacity) {}
    // Clears the list and adds one string per line: a line ends at CR LF, a lone CR or a lone
    // LF; a trailing line break adds no empty item; a NUL ends the text.
    virtual void SetTextStr(const std::u16string& Value);
    virtual void SetUpdateState(bool Updating) {}
    virtual int32_t Add(const std::u16string& S);
    // The index of the new item; a negative result (an ignored duplicate) attaches nothing.
    virtual int32_t AddObject(const std::u16string& S, TObject* AObject);
    virtual void AddStrings(const TElWideStrings& Strings);
    virtual void Clear() = 0;
    virtual void Delete(int32_t Index) = 0;
    virtual void Exchange(int32_t Index1, int32_t Index2);
    // GetTextStr as a string whose c_str() is the null-terminated copy.
    virtual std::u16string GetText() const { return GetTextStr(); }
    // The first index whose string equals S code unit by code unit; -1 when none.
    virtual int32_t IndexOf(const std::u16string& S) const;
    virtual void Insert(int32_t Index, const std::u16string& S) = 0;
    // Opens the file for reading with deny-write sharing.
    virtual void LoadFromFile(const std::u16string& FileName);
    // UTF-16 when the data starts with a byte-order mark (FF FE little-, FE FF big-endian)
    // or ForceUnicode is set; otherwise 8-bit text in the system code page.
    virtual void LoadFromStream(TStream& Stream);
    virtual void Move(int32_t CurIndex, int32_t NewIndex);
    // Writes with WriteBOM set for the duration of the call.
    virtual void SaveToFile(const std::u16string& FileName);
    // 8-bit text in the system code page, or UTF-16LE (after FF FE when WriteBOM) with
    // ForceUnicode.
    virtual void SaveToStream(TStream& Stream);
    virtual void SetText(const char16_t* Text);
    // Clears the list and adds Items in their order, all in one update.
    void SetStrings(const std::vector<std::u16string>& Items);

    void Assign(const TPersistent* Source) override;
    void BeginUpdate();
    void EndUpdate();
    bool Equals(const TElWideStrings& Strings) const;
    void InsertObject(int32_t Index, const std::u16string& S, TObject* AObject);
    int32_t IndexOfObject(const TObject* AObject) const;
    // The first item with a "=" whose part before it equals Name exactly; -1 when none.
    int32_t IndexOfName(const std::u16string& Name) const;
    // The part after "Name=" of that item; empty when there is none.
    std::u16string Values(const std::u16string& Name) const;

    int32_t Count() const { return GetCount(); }
    std::u16string Strings(int32_t Index) const { return Get(Index); }

    int32_t UpdateCount = 0;
    bool ForceUnicode = false;
    bool WriteBOM = false;
    bool SaveCompleted = false;

protected:
    void AssignTo(TPersistent* Dest) const override;
};

// BeginUpdate for as long as the scope lasts, also when the body raises.
class TElWideStringsUpdateScope {
public:
    explicit TElWideStringsUpdateScope(TElWideStrings& Strings) : strings_(Strings) { strings_.BeginUpdate(); }
    ~TElWideStringsUpdateScope() { strings_.EndUpdate(); }
    TElWideStringsUpdateScope(const TElWideStringsUpdateScope&) = delete;
    TElWideStringsUpdateScope& operator=(const TElWideStringsUpdateScope&) = delete;

private:
    TElWideStrings& strings_;
};

class TElWideStringList;
using TElWideStringListSortCompare = std::function<int32_t(TElWideStringList& List, int32_t Index1, int32_t Index2)>;

class TElWideStringList : public TElWideStrings {
public:
    struct TWideStringItem {
        std::u16string String;
        TObject* Object = nullptr; // never owned
    };

    TElWideStringList();
    ~TElWideStringList() override;
    const char* ClassName() const override { return "TElWideStringList"; }

    std::u16string Get(int32_t Index) const override;
    int32_t GetCapacity() const override { return capacity_; }
    int32_t GetCount() const override { return count_; }
    TObject* GetObject(int32_t Index) const override;
    void Put(int32_t Index, const std::u16string& S) override;
    void PutObject(int32_t Index, TObject* AObject) override;
    void SetCapacity(int32_t NewCapacity) override;
    void SetUpdateState(bool Updating) override;
    // Sorted: -2 for an ignored duplicate, the insertion point otherwise.
    int32_t Add(const std::u16string& S) override;
    void Clear() override;
    void Delete(int32_t Index) override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    int32_t IndexOf(const std::u16string& S) const override;
    void Insert(int32_t Index, const std::u16string& S) override;

    virtual void SetSorted(bool Value);
    virtual void SetCaseSensitive(bool Value);
    virtual void CustomSort(const TElWideStringListSortCompare& Compare);
    // Binary search in the sort order; Index is the match or the insertion point.
    virtual bool Find(const std::u16string& S, int32_t& Index) const;
    virtual void Sort();

    bool Sorted() const { return sorted_; }
    bool CaseSensitive() const { return caseSensitive_; }

    TDuplicates Duplicates = dupIgnore;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int32_t Index, const std::u16string& S);
    // Swaps two items in place (Exchange and the sort go through it), so that a list keeping
    // more per item can swap that too.
    virtual void ExchangeItems(int32_t Index1, int32_t Index2);

private:
    int32_t CompareStrings(const std::u16string& S1, const std::u16string& S2) const;
    void CheckIndex(int32_t Index, int32_t Limit) const;
    void Grow();
    void QuickSort(int32_t L, int32_t R, const TElWideStringListSortCompare& Compare);

    std::vector<TWideStringItem> list_; // capacity_ items, the first count_ in use
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    bool sorted_ = false;
    bool caseSensitive_ = true;
};
