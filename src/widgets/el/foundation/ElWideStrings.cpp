#include "widgets/el/foundation/ElWideStrings.h"

#include "framework/FileUtils.h"

#include <algorithm>
#include <utility>

#include "framework/Exceptions.h"
#include "framework/LittleEndianBytes.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/foundation/ElStrUtils.h"

namespace {

constexpr char16_t SInvalidStreamSize[] = u"Invalid string header read from the stream";

} // namespace

// TElWideStrings

std::u16string TElWideStrings::GetTextStr() const
{
    std::u16string Result;
    for (int32_t i = 0; i < GetCount(); ++i) {
        Result += Get(i);
        Result += u"\r\n";
    }
    return Result;
}

void TElWideStrings::Put(int32_t Index, const std::u16string& S)
{
    TObject* Object = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, Object);
}

void TElWideStrings::SetTextStr(const std::u16string& Value)
{
    const TElWideStringsUpdateScope Update(*this);
    Clear();
    const size_t End = std::min(Value.find(u'\0'), Value.size());
    size_t P = 0;
    while (P < End) {
        size_t Start = P;
        while (P < End && Value[P] != u'\r' && Value[P] != u'\n')
            ++P;
        Add(Value.substr(Start, P - Start));
        if (P < End && Value[P] == u'\r')
            ++P;
        if (P < End && Value[P] == u'\n')
            ++P;
    }
}

void TElWideStrings::SetStrings(const std::vector<std::u16string>& Items)
{
    const TElWideStringsUpdateScope Update(*this);
    Clear();
    for (const std::u16string& S : Items)
        Add(S);
}

int32_t TElWideStrings::Add(const std::u16string& S)
{
    int32_t Index = GetCount();
    Insert(Index, S);
    return Index;
}

int32_t TElWideStrings::AddObject(const std::u16string& S, TObject* AObject)
{
    int32_t Index = Add(S);
    if (Index >= 0)
        PutObject(Index, AObject);
    return Index;
}

void TElWideStrings::AddStrings(const TElWideStrings& Strings)
{
    const TElWideStringsUpdateScope Update(*this);
    for (int32_t i = 0; i < Strings.GetCount(); ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
}

void TElWideStrings::Exchange(int32_t Index1, int32_t Index2)
{
    const TElWideStringsUpdateScope Update(*this);
    std::u16string S = Get(Index1);
    TObject* O = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, S);
    PutObject(Index2, O);
}

int32_t TElWideStrings::IndexOf(const std::u16string& S) const
{
    for (int32_t i = 0; i < GetCount(); ++i) {
        if (Get(i) == S)
            return i;
    }
    return -1;
}

void TElWideStrings::LoadFromFile(const std::u16string& FileName)
{
    TElFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(Stream);
}

void TElWideStrings::LoadFromStream(TStream& Stream)
{
    const TElWideStringsUpdateScope Update(*this);
    Clear();
    int64_t Size = Stream.Size() - Stream.Position();
    if (Size < 0)
        throw EReadError(SInvalidStreamSize);
    if (Size == 0)
        return;
    if (Size > INT32_MAX)
        throw EReadError(SInvalidStreamSize);
    uint16_t Mark = 0;
    bool HaveMark = false;
    if (!ForceUnicode) {
        uint8_t B[2] = {0, 0};
        int32_t Got = Stream.Read(B, 2);
        Mark = le::U16At(B);
        HaveMark = Got == 2 && (Mark == 0xFEFF || Mark == 0xFFFE);
        if (!HaveMark) {
            // 8-bit text: step back over exactly the bytes read.
            Stream.Seek(-Got, soCurrent);
            std::string Bytes(static_cast<size_t>(Size), '\0');
            Bytes.resize(static_cast<size_t>(std::max(0, Stream.Read(Bytes.data(), static_cast<int32_t>(Size)))));
            SetTextStr(AnsiToWide(Bytes));
            return;
        }
        Size -= 2;
    } else {
        uint8_t B[2] = {0, 0};
        int32_t Got = Stream.Read(B, 2);
        Mark = le::U16At(B);
        HaveMark = Got == 2 && (Mark == 0xFEFF || Mark == 0xFFFE);
        if (HaveMark)
            Size -= 2;
        else
            Stream.Seek(-Got, soCurrent); // the bytes were text
    }
    std::u16string Text(static_cast<size_t>(Size / 2), u'\0');
    std::vector<uint8_t> Bytes(Text.size() * 2);
    int32_t Got = Stream.Read(Bytes.data(), static_cast<int32_t>(Bytes.size()));
    Text.resize(static_cast<size_t>(std::max(0, Got)) / 2);
    for (size_t i = 0; i < Text.size(); ++i)
        Text[i] = static_cast<char16_t>(le::U16At(Bytes.data() + 2 * i));
    if (HaveMark && Mark == 0xFFFE) {
        for (char16_t& C : Text) {
            if (C == 0)
                break;
            C = static_cast<char16_t>((C >> 8) | (C << 8));
        }
    }
    size_t Lead = 0;
    while (Lead < Text.size() && (Text[Lead] == 0xFEFF || Text[Lead] == 0xFFFE))
        ++Lead;
    SetTextStr(Text.substr(Lead));
}

void TElWideStrings::Move(int32_t CurIndex, int32_t NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    const TElWideStringsUpdateScope Update(*this);
    std::u16string S = Get(CurIndex);
    TObject* O = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, S, O);
}

void TElWideStrings::SaveToFile(const std::u16string& FileName)
{
    const bool OldWriteBOM = WriteBOM;
    WriteBOM = true;
    try {
        SaveFileSafely(FileName, [this](TStream& Stream) { SaveToStream(Stream); });
    } catch (...) {
        WriteBOM = OldWriteBOM;
        throw;
    }
    WriteBOM = OldWriteBOM;
}

void TElWideStrings::SaveToStream(TStream& Stream)
{
    std::u16string T = GetTextStr();
    SaveCompleted = false;
    if (ForceUnicode) {
        if (WriteBOM) {
            const uint8_t Mark[2] = {0xFF, 0xFE};
            Stream.WriteBuffer(Mark, 2);
        }
        std::vector<uint8_t> Bytes;
        Bytes.reserve(T.size() * 2);
        for (char16_t C : T) {
            Bytes.push_back(static_cast<uint8_t>(C));
            Bytes.push_back(static_cast<uint8_t>(C >> 8));
        }
        if (!Bytes.empty())
            Stream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
    } else if (!T.empty()) {
        std::string Bytes = WideToAnsi(T);
        Stream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
    }
    SaveCompleted = true;
}

void TElWideStrings::SetText(const char16_t* Text)
{
    SetTextStr(Text != nullptr ? std::u16string(Text) : std::u16string());
}

void TElWideStrings::Assign(const TPersistent* Source)
{
    if (const auto* Strings = dynamic_cast<const TElWideStrings*>(Source)) {
        if (Strings == this)
            return;
        const TElWideStringsUpdateScope Update(*this);
        Clear();
        AddStrings(*Strings);
        return;
    }
    // An 8-bit list item by item, so that an item holding a line break or a NUL stays one
    // item with its object.
    if (const auto* Ansi = dynamic_cast<const TStrings*>(Source)) {
        const TElWideStringsUpdateScope Update(*this);
        Clear();
        for (int32_t I = 0; I < Ansi->Count(); ++I)
            AddObject(AnsiToWide(Ansi->Get(I)), Ansi->GetObject(I));
        return;
    }
    TPersistent::Assign(Source);
}

void TElWideStrings::AssignTo(TPersistent* Dest) const
{
    if (auto* Strings = dynamic_cast<TElWideStrings*>(Dest)) {
        Strings->Assign(this);
        return;
    }
    if (auto* Ansi = dynamic_cast<TStrings*>(Dest)) {
        TStringsUpdateScope Update(*Ansi);
        Ansi->Clear();
        for (int32_t I = 0; I < GetCount(); ++I)
            Ansi->AddObject(WideToAnsi(Get(I)), GetObject(I));
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TElWideStrings::BeginUpdate()
{
    if (UpdateCount == 0)
        SetUpdateState(true);
    ++UpdateCount;
}

void TElWideStrings::EndUpdate()
{
    --UpdateCount;
    if (UpdateCount == 0)
        SetUpdateState(false);
}

bool TElWideStrings::Equals(const TElWideStrings& Strings) const
{
    if (GetCount() != Strings.GetCount())
        return false;
    for (int32_t i = 0; i < GetCount(); ++i) {
        if (Get(i) != Strings.Get(i))
            return false;
    }
    return true;
}

void TElWideStrings::InsertObject(int32_t Index, const std::u16string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

int32_t TElWideStrings::IndexOfObject(const TObject* AObject) const
{
    for (int32_t i = 0; i < GetCount(); ++i) {
        if (GetObject(i) == AObject)
            return i;
    }
    return -1;
}

int32_t TElWideStrings::IndexOfName(const std::u16string& Name) const
{
    for (int32_t i = 0; i < GetCount(); ++i) {
        std::u16string S = Get(i);
        size_t Equal = S.find(u'=');
        if (Equal != std::u16string::npos && S.compare(0, Equal, Name) == 0)
            return i;
    }
    return -1;
}

std::u16string TElWideStrings::Values(const std::u16string& Name) const
{
    int32_t Index = IndexOfName(Name);
    return Index < 0 ? std::u16string() : Get(Index).substr(Name.size() + 1);
}

// TElWideStringList

TElWideStringList::TElWideStringList() { WriteBOM = true; }

TElWideStringList::~TElWideStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    list_.clear();
    count_ = 0;
    capacity_ = 0;
}

void TElWideStringList::CheckIndex(int32_t Index, int32_t Limit) const
{
    if (Index < 0 || Index >= Limit)
        throw EStringListError(FormatMessageD(SListIndexError, Index));
}

std::u16string TElWideStringList::Get(int32_t Index) const
{
    CheckIndex(Index, count_);
    return list_[static_cast<size_t>(Index)].String;
}

TObject* TElWideStringList::GetObject(int32_t Index) const
{
    CheckIndex(Index, count_);
    return list_[static_cast<size_t>(Index)].Object;
}

void TElWideStringList::Put(int32_t Index, const std::u16string& S)
{
    if (sorted_)
        throw EStringListError(SSortedListError);
    CheckIndex(Index, count_);
    Changing();
    list_[static_cast<size_t>(Index)].String = S;
    Changed();
}

void TElWideStringList::PutObject(int32_t Index, TObject* AObject)
{
    CheckIndex(Index, count_);
    Changing();
    list_[static_cast<size_t>(Index)].Object = AObject;
    Changed();
}

void TElWideStringList::SetCapacity(int32_t NewCapacity)
{
    if (NewCapacity < count_)
        throw EStringListError(FormatMessageD(SListIndexError, NewCapacity));
    list_.resize(static_cast<size_t>(NewCapacity));
    capacity_ = NewCapacity;
}

void TElWideStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

void TElWideStringList::Grow()
{
    int32_t Delta = capacity_ > 64 ? capacity_ / 4 : (capacity_ > 8 ? 16 : 4);
    SetCapacity(capacity_ + Delta);
}

int32_t TElWideStringList::Add(const std::u16string& S)
{
    int32_t Index = count_;
    if (sorted_ && Find(S, Index)) {
        if (Duplicates == dupIgnore)
            return -2;
        if (Duplicates == dupError)
            throw EStringListError(SDuplicateString);
    }
    InsertItem(Index, S);
    return Index;
}

void TElWideStringList::Clear()
{
    if (count_ == 0)
        return;
    Changing();
    list_.clear();
    count_ = 0;
    SetCapacity(0);
    Changed();
}

void TElWideStringList::Delete(int32_t Index)
{
    CheckIndex(Index, count_);
    Changing();
    list_.erase(list_.begin() + Index);
    list_.emplace_back(); // the array keeps its capacity
    --count_;
    Changed();
}

void TElWideStringList::Exchange(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1, count_);
    CheckIndex(Index2, count_);
    Changing();
    ExchangeItems(Index1, Index2);
    Changed();
}

void TElWideStringList::ExchangeItems(int32_t Index1, int32_t Index2)
{
    std::swap(list_[static_cast<size_t>(Index1)], list_[static_cast<size_t>(Index2)]);
}

int32_t TElWideStringList::IndexOf(const std::u16string& S) const
{
    if (!sorted_)
        return TElWideStrings::IndexOf(S);
    int32_t Index = -1;
    return Find(S, Index) ? Index : -1;
}

void TElWideStringList::Insert(int32_t Index, const std::u16string& S)
{
    if (sorted_)
        throw EStringListError(SSortedListError);
    CheckIndex(Index, count_ + 1);
    InsertItem(Index, S);
}

void TElWideStringList::InsertItem(int32_t Index, const std::u16string& S)
{
    Changing();
    if (count_ == capacity_)
        Grow();
    for (int32_t i = count_; i > Index; --i)
        list_[static_cast<size_t>(i)] = std::move(list_[static_cast<size_t>(i - 1)]);
    list_[static_cast<size_t>(Index)] = TWideStringItem{S, nullptr};
    ++count_;
    Changed();
}

void TElWideStringList::Changed()
{
    if (UpdateCount == 0 && OnChange)
        OnChange(this);
}

void TElWideStringList::Changing()
{
    if (UpdateCount == 0 && OnChanging)
        OnChanging(this);
}

int32_t TElWideStringList::CompareStrings(const std::u16string& S1, const std::u16string& S2) const
{
    if (caseSensitive_)
        return WideCompareStr(S1, S2);
    return WideCompareStr(WideUpperCase(S1), WideUpperCase(S2));
}

bool TElWideStringList::Find(const std::u16string& S, int32_t& Index) const
{
    // The search uses the comparison the list is sorted by, so that a list sorted without
    // regard to case is also searched that way.
    bool Found = false;
    int32_t L = 0, H = count_ - 1;
    while (L <= H) {
        int32_t I = (L + H) >> 1;
        int32_t Cmp = CompareStrings(list_[static_cast<size_t>(I)].String, S);
        if (Cmp < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (Cmp == 0) {
                Found = true;
                if (Duplicates != dupAccept)
                    L = I;
            }
        }
    }
    Index = L;
    return Found;
}

void TElWideStringList::QuickSort(int32_t L, int32_t R, const TElWideStringListSortCompare& Compare)
{
    int32_t I;
    do {
        I = L;
        int32_t J = R, P = (L + R) >> 1;
        do {
            while (Compare(*this, I, P) < 0)
                ++I;
            while (Compare(*this, J, P) > 0)
                --J;
            if (I <= J) {
                ExchangeItems(I, J);
                if (P == I)
                    P = J;
                else if (P == J)
                    P = I;
                ++I;
                --J;
            }
        } while (I <= J);
        if (L < J)
            QuickSort(L, J, Compare);
        L = I;
    } while (I < R);
}

void TElWideStringList::CustomSort(const TElWideStringListSortCompare& Compare)
{
    if (sorted_ || count_ < 2)
        return;
    Changing();
    QuickSort(0, count_ - 1, Compare);
    Changed();
}

void TElWideStringList::Sort()
{
    CustomSort([](TElWideStringList& List, int32_t I1, int32_t I2) {
        return List.CompareStrings(List.list_[static_cast<size_t>(I1)].String,
                                   List.list_[static_cast<size_t>(I2)].String);
    });
}

void TElWideStringList::SetSorted(bool Value)
{
    if (sorted_ == Value)
        return;
    if (Value)
        Sort();
    sorted_ = Value;
}

void TElWideStringList::SetCaseSensitive(bool Value)
{
    if (caseSensitive_ == Value)
        return;
    caseSensitive_ = Value;
    if (sorted_) {
        // Sorting is refused while the list counts as sorted; re-sort by the new comparison.
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}
