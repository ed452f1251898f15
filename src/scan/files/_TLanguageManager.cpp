#include "scan/files/_TLanguageManager.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "scan/files/_TFileSystem.h"
#include "widgets/el/foundation/ElFileStream.h"

bool TLanguage::Load(TStream& Stream, int64_t Position, int64_t Size)
{
    SetItems({});
    for (std::u16string& S : Strings)
        S.clear();
    Direction = 1;
    // The payload is taken into memory first, so no read can run into the next entry. Its
    // size is bounded by the bytes that the stream really holds there.
    const int64_t StreamSize = Stream.Size();
    if (Position < 0 || Size < 0 || Position > StreamSize)
        return false;
    bool Sound = Size <= StreamSize - Position;
    const int64_t Available = Sound ? Size : StreamSize - Position;
    if (Available > INT32_MAX)
        return false;
    std::vector<uint8_t> Bytes(static_cast<size_t>(Available));
    Stream.SetPosition(Position);
    if (Stream.Read(Bytes.data(), static_cast<int32_t>(Bytes.size())) != static_cast<int32_t>(Bytes.size()))
        return false;
    TMemoryStream Payload(Bytes.data(), Bytes.size());

    uint16_t Unused = 0;
    Sound = le::ReadU16(Payload, Unused) && le::ReadU8(Payload, Direction) && Sound;
    for (std::u16string& S : Strings)
        Sound = ReadWideStringFromStream(Payload, S) && Sound;
    std::vector<TLanguageItem> Read;
    while (Payload.Position() < Payload.Size()) {
        TLanguageItem Item;
        if (!le::ReadI32(Payload, Item.ID)) {
            Sound = false;
            break;
        }
        Sound = ReadWideStringFromStream(Payload, Item.Text) && Sound;
        Read.push_back(std::move(Item));
    }
    SetItems(std::move(Read));
    return Sound;
}

bool TLanguage::Save(TStream& Stream) const
{
    bool Ok = le::WriteU16(Stream, 0) && le::WriteU8(Stream, Direction);
    for (const std::u16string& S : Strings)
        Ok = Ok && WriteWideStringToStream(Stream, S);
    for (const TLanguageItem& Item : items_)
        Ok = Ok && le::WriteI32(Stream, Item.ID) && WriteWideStringToStream(Stream, Item.Text);
    return Ok;
}

void TLanguage::SetItems(std::vector<TLanguageItem> Items)
{
    items_ = std::move(Items);
    firstItemOfID_.clear();
    for (size_t i = 0; i < items_.size(); ++i)
        firstItemOfID_.emplace(items_[i].ID, i); // emplace keeps the first item of an ID
}

std::u16string TLanguage::GetText(int32_t ID, const std::u16string& Default) const
{
    auto Found = firstItemOfID_.find(ID);
    if (Found == firstItemOfID_.end())
        return Default;
    const std::u16string& Text = items_[Found->second].Text;
    if (Text.empty() || Text == std::u16string(1, u'\0'))
        return Default;
    return Text;
}

int32_t TLanguageList::IndexOfName(const std::u16string& Name) const
{
    for (size_t i = 0; i < Items.size(); ++i) {
        if (Items[i]->Name() == Name)
            return static_cast<int32_t>(i);
    }
    return -1;
}

TLanguageManager::TLanguageManager(TComponent* AOwner) : TComponent(AOwner) {}

bool TLanguageManager::LoadFromFile(const std::u16string& FileName, const std::u16string& ADefaultLanguage)
{
    DefaultLanguage.clear();
    languages_.Items.clear();
    activeLanguageIndex_ = -1;
    activeLanguageName_.clear();
    if (!FileExists(FileName))
        return false;
    TFileSystem Container;
    if (!Container.Open(FileName, ReadOnly, false))
        return false;
    bool Sound = true;
    try {
        for (int64_t Pos = Container.FindFirst(); Pos != -1; Pos = Container.FindNext()) {
            auto Language = std::make_unique<TLanguage>();
            Sound = Language->Load(*Container.Stream(), Pos, Container.FileInfo().Size) && Sound;
            languages_.Items.push_back(std::move(Language));
        }
    } catch (const Exception&) {
        Sound = false; // a read error of the system: keep what was loaded
    }
    Sound = Sound && !Container.Damaged();
    DefaultLanguage = ADefaultLanguage;
    if (!Sound) {
        TMessageSink& Sink = Messages != nullptr ? *Messages : DefaultMessageSink();
        Sink.ShowErrorBox(u"Damaged file: \"" + FileName + u"\"");
    }
    return true;
}

std::u16string TLanguageManager::GetText(int32_t ID, const std::u16string& Default) const
{
    const TLanguage* Language = ActiveLanguage();
    return Language != nullptr ? Language->GetText(ID, Default) : Default;
}

TLanguage* TLanguageManager::ActiveLanguage() const
{
    if (activeLanguageIndex_ < 0 || activeLanguageIndex_ >= languages_.Count())
        return nullptr;
    return languages_[activeLanguageIndex_];
}

void TLanguageManager::Changed()
{
    if (OnChange)
        OnChange(this, ActiveLanguage());
}

void TLanguageManager::SetActiveLanguageName(const std::u16string& Value)
{
    if (Value == activeLanguageName_)
        return;
    activeLanguageIndex_ = languages_.IndexOfName(Value);
    if (activeLanguageIndex_ >= 0) {
        activeLanguageName_ = Value;
        Changed();
        return;
    }
    if (!DefaultLanguage.empty() && DefaultLanguage != Value) {
        activeLanguageIndex_ = languages_.IndexOfName(DefaultLanguage);
        if (activeLanguageIndex_ >= 0) {
            activeLanguageName_ = DefaultLanguage;
            Changed();
            return;
        }
    }
    SetActiveLanguageIndex(0);
}

void TLanguageManager::SetActiveLanguageIndex(int32_t Value)
{
    if (Value == activeLanguageIndex_ || Value < 0 || Value >= languages_.Count())
        return;
    activeLanguageIndex_ = Value;
    activeLanguageName_ = languages_[Value]->Name();
    Changed();
}
