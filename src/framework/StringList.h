// Lists of 8-bit strings (bytes in the system code page), each with an object pointer: the
// abstract TStrings (text, name=value pairs, loading and saving) and the concrete TStringList
// (sorting, case sensitivity, duplicate handling, change events). The ini store keeps string
// values in them and reads its text files through one.
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What a sorted list does with a string it already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    const char* ClassName() const override { return "TStrings"; }

    virtual std::string Get(int32_t Index) const = 0;
    virtual int32_t GetCount() const = 0;
    virtual TObject* GetObject(int32_t Index) const { return nullptr; }
    // Replaces the string at Index, keeping its object.
    virtual void Put(int32_t Index, const std::string& S);
    virtual void PutObject(int32_t Index, TObject* AObject) {}
    virtual void Insert(int32_t Index, const std::string& S) = 0;
    virtual void Delete(int32_t Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int32_t Index1, int32_t Index2);
    // Called when the first BeginUpdate starts and the last EndUpdate ends.
    virtual void SetUpdateState(bool Updating) {}

    // The index of the new item.
    virtual int32_t Add(const std::string& S);
    virtual int32_t AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int32_t Index, const std::string& S, TObject* AObject);
    // Item by item with their objects: strings holding line breaks or NULs stay whole.
    void AddStrings(const TStrings& Strings);
    // From another TStrings: its items and objects replace these.
    void Assign(const TPersistent* Source) override;
    void Move(int32_t CurIndex, int32_t NewIndex);

    // The first index whose string equals S (see CompareStrings); -1 when none.
    virtual int32_t IndexOf(const std::string& S) const;
    int32_t IndexOfObject(const TObject* AObject) const;
    // The first item "Name=..." whose name equals Name (see CompareStrings); -1 when none.
    int32_t IndexOfName(const std::string& Name) const;
    // The part before the first "=" of the item; empty when it has none.
    std::string Names(int32_t Index) const;
    // The part after "Name="; empty when there is no such item.
    std::string Values(const std::string& Name) const;
    // Sets "Name=Value", adding the item when missing; an empty Value deletes it.
    void SetValue(const std::string& Name, const std::string& Value);

    // Every string followed by CR LF, the last one too.
    std::string Text() const;
    // Clears the list and adds one string per line: a line ends at CR LF, a lone CR or a lone
    // LF; a trailing line break adds no empty item; a NUL ends the text.
    void SetText(const std::string& Value);

    // The rest of the stream from its position, as text.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    // Opens the file for reading with deny-write sharing.
    void LoadFromFile(const std::u16string& FileName);
    // Saves through a temporary file (SaveFileSafely).
    void SaveToFile(const std::u16string& FileName) const;

    void BeginUpdate();
    void EndUpdate();
    bool Equals(const TStrings& Strings) const;

    int32_t Count() const { return GetCount(); }
    std::string Strings(int32_t Index) const { return Get(Index); }
    TObject* Objects(int32_t Index) const { return GetObject(Index); }
    int32_t UpdateCount() const { return updateCount_; }

protected:
    void AssignTo(TPersistent* Dest) const override;
    // <0, 0, >0 as S1 sorts before, with or after S2. Here case-insensitive in the system
    // code page; TStringList follows its CaseSensitive.
    virtual int32_t CompareStrings(const std::string& S1, const std::string& S2) const;
    // Raises EStringListError with Msg, "%d" replaced by Data.
    [[noreturn]] static void Error(const std::u16string& Msg, int32_t Data);

private:
    int32_t updateCount_ = 0;
};

// BeginUpdate for as long as the scope lasts.
class TStringsUpdateScope {
public:
    explicit TStringsUpdateScope(TStrings& Strings) : strings_(Strings) { strings_.BeginUpdate(); }
    ~TStringsUpdateScope() { strings_.EndUpdate(); }
    TStringsUpdateScope(const TStringsUpdateScope&) = delete;
    TStringsUpdateScope& operator=(const TStringsUpdateScope&) = delete;

private:
    TStrings& strings_;
};

class TStringList;
// <0, 0, >0 as the item at Index1 sorts before, with or after the item at Index2.
using TStringListSortCompare = std::function<int32_t(TStringList& List, int32_t Index1, int32_t Index2)>;

class TStringList : public TStrings {
public:
    const char* ClassName() const override { return "TStringList"; }

    std::string Get(int32_t Index) const override;
    int32_t GetCount() const override { return static_cast<int32_t>(items_.size()); }
    TObject* GetObject(int32_t Index) const override;
    // Raises EStringListError on a sorted list: the item could move.
    void Put(int32_t Index, const std::string& S) override;
    void PutObject(int32_t Index, TObject* AObject) override;
    // Raises EStringListError on a sorted list: use Add.
    void Insert(int32_t Index, const std::string& S) override;
    void Delete(int32_t Index) override;
    void Clear() override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    void SetUpdateState(bool Updating) override;

    // Sorted: at its place in the order; a string already held is, by Duplicates, ignored
    // (the index of the one held is returned), added, or refused with EStringListError.
    int32_t Add(const std::string& S) override;
    int32_t AddObject(const std::string& S, TObject* AObject) override;
    // Sorted: a binary search in the sort order.
    int32_t IndexOf(const std::string& S) const override;

    // Binary search of a sorted list: true when S is held; Index is the first match (the
    // insertion point otherwise).
    bool Find(const std::string& S, int32_t& Index) const;
    // Stable: equal strings keep their order.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return sorted_; }
    // Sorting a list sorts it at once.
    void SetSorted(bool Value);
    bool CaseSensitive() const { return caseSensitive_; }
    // A sorted list is sorted again in the new order.
    void SetCaseSensitive(bool Value);

    TDuplicates Duplicates = dupIgnore;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    int32_t CompareStrings(const std::string& S1, const std::string& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        std::string String;
        TObject* Object = nullptr;  // never owned
    };
    void CheckIndex(int32_t Index, int32_t Limit) const;
    void InsertItem(int32_t Index, const std::string& S, TObject* AObject);

    std::vector<TItem> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};
