#include "framework/StringList.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <algorithm>
#include <utility>

namespace {

int32_t CompareBytes(const std::string& S1, const std::string& S2)
{
    const int c = S1.compare(S2);  // char_traits<char> compares as unsigned char
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

// ---- TStrings

void TStrings::Error(const std::u16string& Msg, int32_t Data)
{
    throw EStringListError(FormatMessageD(Msg, Data));
}

void TStrings::Put(int32_t Index, const std::string& S)
{
    TObject* object = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, object);
}

void TStrings::Exchange(int32_t Index1, int32_t Index2)
{
    TStringsUpdateScope update(*this);
    const std::string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

int32_t TStrings::Add(const std::string& S)
{
    const int32_t index = GetCount();
    Insert(index, S);
    return index;
}

int32_t TStrings::AddObject(const std::string& S, TObject* AObject)
{
    const int32_t index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int32_t Index, const std::string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings)
{
    TStringsUpdateScope update(*this);
    for (int32_t i = 0; i < Strings.Count(); ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
}

void TStrings::Assign(const TPersistent* Source)
{
    if (const auto* strings = dynamic_cast<const TStrings*>(Source)) {
        if (strings == this)
            return;
        TStringsUpdateScope update(*this);
        Clear();
        AddStrings(*strings);
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::AssignTo(TPersistent* Dest) const
{
    if (auto* strings = dynamic_cast<TStrings*>(Dest)) {
        strings->Assign(this);
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TStrings::Move(int32_t CurIndex, int32_t NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    TStringsUpdateScope update(*this);
    const std::string s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
}

int32_t TStrings::CompareStrings(const std::string& S1, const std::string& S2) const
{
    return CompareBytes(AnsiUpperCase(S1), AnsiUpperCase(S2));
}

int32_t TStrings::IndexOf(const std::string& S) const
{
    for (int32_t i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int32_t TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int32_t i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

std::string TStrings::Names(int32_t Index) const
{
    const std::string s = Get(Index);
    const size_t at = s.find('=');
    return at == std::string::npos ? std::string() : s.substr(0, at);
}

int32_t TStrings::IndexOfName(const std::string& Name) const
{
    for (int32_t i = 0; i < GetCount(); ++i) {
        const std::string s = Get(i);
        const size_t at = s.find('=');
        if (at != std::string::npos && CompareStrings(s.substr(0, at), Name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(const std::string& Name) const
{
    const int32_t i = IndexOfName(Name);
    return i < 0 ? std::string() : Get(i).substr(Name.size() + 1);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value)
{
    const int32_t i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0)
            Delete(i);
    } else if (i < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(i, Name + "=" + Value);
    }
}

std::string TStrings::Text() const
{
    std::string text;
    for (int32_t i = 0; i < GetCount(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& Value)
{
    TStringsUpdateScope update(*this);
    Clear();
    const size_t end = std::min(Value.find('\0'), Value.size());
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && Value[stop] != '\r' && Value[stop] != '\n')
            ++stop;
        Add(Value.substr(start, stop - start));
        if (stop < end && Value[stop] == '\r')
            ++stop;
        if (stop < end && Value[stop] == '\n')
            ++stop;
        start = stop;
    }
}

void TStrings::LoadFromStream(TStream& Stream)
{
    std::string text;
    char buffer[64 * 1024];
    for (int32_t n; (n = Stream.Read(buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    SetText(text);
}

void TStrings::SaveToStream(TStream& Stream) const
{
    const std::string text = Text();
    size_t done = 0;
    while (done < text.size()) {
        const size_t n = std::min<size_t>(text.size() - done, 1u << 30);
        Stream.WriteBuffer(text.data() + done, static_cast<int32_t>(n));
        done += n;
    }
}

void TStrings::LoadFromFile(const std::u16string& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::u16string& FileName) const
{
    SaveFileSafely(FileName, [this](TStream& Stream) { SaveToStream(Stream); });
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& Strings) const
{
    if (GetCount() != Strings.GetCount())
        return false;
    for (int32_t i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings.Get(i))
            return false;
    return true;
}

// ---- TStringList

void TStringList::CheckIndex(int32_t Index, int32_t Limit) const
{
    if (Index < 0 || Index >= Limit)
        Error(SListIndexError, Index);
}

std::string TStringList::Get(int32_t Index) const
{
    CheckIndex(Index, GetCount());
    return items_[static_cast<size_t>(Index)].String;
}

TObject* TStringList::GetObject(int32_t Index) const
{
    CheckIndex(Index, GetCount());
    return items_[static_cast<size_t>(Index)].Object;
}

void TStringList::Put(int32_t Index, const std::string& S)
{
    if (sorted_)
        Error(SSortedListError, 0);
    CheckIndex(Index, GetCount());
    Changing();
    items_[static_cast<size_t>(Index)].String = S;
    Changed();
}

void TStringList::PutObject(int32_t Index, TObject* AObject)
{
    CheckIndex(Index, GetCount());
    Changing();
    items_[static_cast<size_t>(Index)].Object = AObject;
    Changed();
}

void TStringList::InsertItem(int32_t Index, const std::string& S, TObject* AObject)
{
    Changing();
    items_.insert(items_.begin() + Index, TItem{S, AObject});
    Changed();
}

void TStringList::Insert(int32_t Index, const std::string& S)
{
    if (sorted_)
        Error(SSortedListError, 0);
    CheckIndex(Index, GetCount() + 1);
    InsertItem(Index, S, nullptr);
}

void TStringList::Delete(int32_t Index)
{
    CheckIndex(Index, GetCount());
    Changing();
    items_.erase(items_.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

void TStringList::Exchange(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1, GetCount());
    CheckIndex(Index2, GetCount());
    Changing();
    std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int32_t TStringList::Add(const std::string& S)
{
    return AddObject(S, nullptr);
}

int32_t TStringList::AddObject(const std::string& S, TObject* AObject)
{
    int32_t index = GetCount();
    if (sorted_ && Find(S, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            Error(SDuplicateString, 0);
    }
    InsertItem(index, S, AObject);
    return index;
}

int32_t TStringList::CompareStrings(const std::string& S1, const std::string& S2) const
{
    return caseSensitive_ ? CompareBytes(S1, S2) : TStrings::CompareStrings(S1, S2);
}

bool TStringList::Find(const std::string& S, int32_t& Index) const
{
    bool found = false;
    int32_t low = 0;
    int32_t high = GetCount() - 1;
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        const int32_t c = CompareStrings(items_[static_cast<size_t>(mid)].String, S);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != dupAccept)
                    low = mid;
            }
        }
    }
    Index = low;
    return found;
}

int32_t TStringList::IndexOf(const std::string& S) const
{
    if (!sorted_)
        return TStrings::IndexOf(S);
    int32_t index = -1;
    return Find(S, index) ? index : -1;
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (GetCount() < 2)
        return;
    Changing();
    // Sorts positions, so that Compare always sees the list as it was.
    std::vector<int32_t> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int32_t A, int32_t B) { return Compare(*this, A, B) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(items_.size());
    for (int32_t i : order)
        sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_ = std::move(sorted);
    Changed();
}

void TStringList::Sort()
{
    CustomSort([](TStringList& List, int32_t A, int32_t B) {
        return List.CompareStrings(List.items_[static_cast<size_t>(A)].String, List.items_[static_cast<size_t>(B)].String);
    });
}

void TStringList::SetSorted(bool Value)
{
    if (sorted_ == Value)
        return;
    if (Value)
        Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (caseSensitive_ == Value)
        return;
    caseSensitive_ = Value;
    if (sorted_)
        Sort();
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}
