#include "widgets/el/foundation/ElIniFile.h"

#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "framework/MathUtils.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"
#include "widgets/el/foundation/ElAnsiStrUtils.h"
#include "widgets/el/foundation/ElIniStorage.h"
#include "widgets/el/foundation/ElWideStrings.h"

#include <climits>
#include <cmath>
#include <cstring>

TElIniRegistryFactory& ElIniRegistryFactory()
{
    static TElIniRegistryFactory factory;
    return factory;
}

bool TElIniStorage::CopyValue(const TKeyPath& From, const std::string& Name, const TKeyPath& To)
{
    TElIniValue v;
    return ReadValue(From, Name, v) && WriteValue(To, Name, v);
}

namespace {

constexpr char16_t SCreateValueRegistry[] = u"CreateValue method is not available when using registry.";
constexpr char16_t SGetValueEntryRegistry[] = u"GetValueEntry method is not available when using registry.";
constexpr char16_t SSetValueTypeRegistry[] = u"SetValueType method is not available when using registry.";
constexpr char16_t SRenameKeyRegistry[] = u"Key can not be renamed when using registry.";
constexpr char16_t SDelimiterRegistry[] = u"Changing delimiter is not available when using registry.";

// The registry path of the store's Path: no leading or trailing '\'.
std::u16string RegistryBase(std::u16string_view Path)
{
    while (!Path.empty() && Path.front() == u'\\')
        Path.remove_prefix(1);
    while (!Path.empty() && Path.back() == u'\\')
        Path.remove_suffix(1);
    return std::u16string(Path);
}

} // namespace

TElIniFile::TElIniFile(TComponent* AOwner)
    : TElComponent(AOwner), root_(std::make_unique<TElIniEntry>(nullptr, std::string(), true)),
      tree_(MakeIniTreeStorage(root_))
{
    SetCurrent({});
}

TElIniFile::~TElIniFile()
{
    if (LazyWrite && modified_ && !registry_) {
        try {
            Save();
        } catch (...) {
            // A store being freed has nobody left to tell.
        }
    }
}

TElIniStorage& TElIniFile::Storage()
{
    return registry_ ? *registry_ : *tree_;
}

void TElIniFile::RequireFileMode(const char16_t* Message) const
{
    if (registry_)
        throw EElIniError(Message);
}

void TElIniFile::Changed()
{
    modified_ = true;
    if (!LazyWrite)
        Save();
}

// ---- Key paths

bool TElIniFile::Resolve(const std::string& Key, TKeyPath& Path) const
{
    if (Key.empty()) {
        Path = current_;
        return true;
    }
    std::string_view k = Key;
    const bool absolute = k.front() == delimiter_;
    if (absolute)
        k.remove_prefix(1);
    if (!k.empty() && k.back() == delimiter_)
        k.remove_suffix(1);
    if (simple_) {
        // Every key is one name below the root; a name cannot end in the delimiter, which a
        // key loses at its end.
        if (!k.empty() && k.back() == delimiter_)
            return false;
        Path.clear();
        if (!k.empty())
            Path.emplace_back(k);
        return true;
    }
    Path = absolute ? TKeyPath() : current_;
    while (!k.empty()) {
        const size_t d = k.find(delimiter_);
        const std::string_view name = k.substr(0, d);
        if (name.empty() || Path.size() >= ElIniMaxKeyDepth)
            return false;
        Path.emplace_back(name);
        k = d == std::string_view::npos ? std::string_view() : k.substr(d + 1);
        if (d != std::string_view::npos && k.empty())
            return false;
    }
    return true;
}

void TElIniFile::SetCurrent(TKeyPath Path)
{
    current_ = std::move(Path);
    currentPath_.assign(1, delimiter_);
    for (size_t i = 0; i < current_.size(); ++i) {
        if (i > 0)
            currentPath_ += delimiter_;
        currentPath_ += current_[i];
    }
}

void TElIniFile::ForgetCurrentWithin(const TKeyPath& Path, bool Inclusive)
{
    if (current_.size() < Path.size() || (!Inclusive && current_.size() == Path.size()))
        return;
    for (size_t i = 0; i < Path.size(); ++i)
        if (AnsiUpperCase(current_[i]) != AnsiUpperCase(Path[i]))
            return;
    SetCurrent({});
}

// ---- Keys

bool TElIniFile::OpenKey(const std::string& Key, bool CanCreate)
{
    if (AnsiUpperCase(Key) == AnsiUpperCase(currentPath_))
        return true;
    TKeyPath path;
    if (!Resolve(Key, path))
        return false;
    if (!Storage().KeyExists(path)) {
        if (!CanCreate || !Storage().CreateKey(path))
            return false;
        if (!registry_)
            modified_ = true;
    }
    SetCurrent(std::move(path));
    return true;
}

bool TElIniFile::KeyExists(const std::string& Key)
{
    TKeyPath path;
    return Resolve(Key, path) && Storage().KeyExists(path);
}

bool TElIniFile::ValueExists(const std::string& Key, const std::string& ValueName)
{
    TElIniValue v;
    return ReadValue(Key, ValueName, v);
}

bool TElIniFile::DeleteKey(const std::string& Key)
{
    TKeyPath path;
    if (!Resolve(Key, path) || !Storage().DeleteKey(path))
        return false;
    ForgetCurrentWithin(path, true);
    if (!registry_)
        Changed();
    return true;
}

bool TElIniFile::DeleteValue(const std::string& Key, const std::string& ValueName)
{
    TKeyPath path;
    if (!Resolve(Key, path) || !Storage().DeleteValue(path, ValueName))
        return false;
    if (!registry_)
        Changed();
    return true;
}

bool TElIniFile::EnumSubKeys(const std::string& Key, std::vector<std::string>& Names)
{
    Names.clear();
    TKeyPath path;
    return Resolve(Key, path) && Storage().KeyNames(path, Names);
}

bool TElIniFile::EnumValues(const std::string& Key, std::vector<std::string>& Names)
{
    Names.clear();
    TKeyPath path;
    return Resolve(Key, path) && Storage().ValueNames(path, Names);
}

bool TElIniFile::ClearKey(const std::string& Key)
{
    TKeyPath path;
    if (!Resolve(Key, path) || !Storage().ClearKey(path))
        return false;
    ForgetCurrentWithin(path, false);
    if (!registry_)
        Changed();
    return true;
}

bool TElIniFile::RenameKey(const std::string& Key, const std::string& NewName)
{
    RequireFileMode(SRenameKeyRegistry);
    TKeyPath path;
    if (!Resolve(Key, path) || path.empty() || NewName.empty() || NewName.find(delimiter_) != std::string::npos)
        return false;
    TElIniEntry* key = WalkIniTree(*root_, path, false);
    if (!key || !key->SetName(NewName))
        return false;
    ForgetCurrentWithin(path, true);
    Changed();
    return true;
}

bool TElIniFile::RenameValue(const std::string& Key, const std::string& ValueName, const std::string& NewName)
{
    TKeyPath path;
    if (!Resolve(Key, path) || !Storage().RenameValue(path, ValueName, NewName))
        return false;
    if (!registry_)
        Changed();
    return true;
}

bool TElIniFile::CopyValue(const std::string& SourceKey, const std::string& ValueName, const std::string& DestKey)
{
    TKeyPath from, to;
    if (!Resolve(SourceKey, from) || !Resolve(DestKey, to) || !Storage().CopyValue(from, ValueName, to))
        return false;
    if (!registry_)
        Changed();
    return true;
}

// ---- The file-mode tree

TElIniEntry* TElIniFile::GetValueEntry(const std::string& Key, const std::string& ValueName)
{
    RequireFileMode(SGetValueEntryRegistry);
    TKeyPath path;
    if (!Resolve(Key, path))
        return nullptr;
    TElIniEntry* key = WalkIniTree(*root_, path, false);
    return key ? key->Find(ValueName, false) : nullptr;
}

TElIniEntry* TElIniFile::CreateValue(const std::string& Key, const std::string& ValueName)
{
    RequireFileMode(SCreateValueRegistry);
    TKeyPath path;
    if (!Resolve(Key, path))
        return nullptr;
    TElIniEntry* key = WalkIniTree(*root_, path, true);
    if (!key)
        return nullptr;
    modified_ = true;
    return key->Ensure(ValueName, false);
}

void TElIniFile::SetValueType(const std::string& Key, const std::string& ValueName, TElIniValueType NewType)
{
    RequireFileMode(SSetValueTypeRegistry);
    TElIniEntry* value = GetValueEntry(Key, ValueName);
    if (!value || value->Value.Type == NewType)
        return;
    value->Value.Clear();
    value->Value.Type = NewType;
    Changed();
}

// ---- Reads

bool TElIniFile::ReadValue(const std::string& Key, const std::string& ValueName, TElIniValue& Value)
{
    TKeyPath path;
    return Resolve(Key, path) && Storage().ReadValue(path, ValueName, Value);
}

bool TElIniFile::ReadString(const std::string& Key, const std::string& ValueName, const std::string& Default,
                            std::string& Value)
{
    TElIniValue v;
    std::string text;
    if (ReadValue(Key, ValueName, v) && IniValueText(v, false, text)) {
        Value = std::move(text);
        return true;
    }
    Value = Default;
    return false;
}

bool TElIniFile::ReadInteger(const std::string& Key, const std::string& ValueName, int32_t Default, int32_t& Value)
{
    Value = Default;
    TElIniValue v;
    if (!ReadValue(Key, ValueName, v))
        return false;
    if (v.Type == evtInt) {
        Value = v.Int;
        return true;
    }
    if (registry_)
        return false;
    switch (v.Type) {
    case evtBoolean:
        Value = v.Bool ? 1 : 0;
        return true;
    case evtDouble: {
        // Rounded; a value outside the 32-bit range (or not a number) has no integer form.
        if (!std::isfinite(v.Float) || v.Float < INT32_MIN - 0.5 || v.Float > INT32_MAX + 0.5)
            return false;
        const int64_t rounded = Round(v.Float);
        if (rounded < INT32_MIN || rounded > INT32_MAX)
            return false;
        Value = static_cast<int32_t>(rounded);
        return true;
    }
    case evtString: {
        int32_t n = 0;
        if (!IniTextToInt(v.Str, n))
            return false;
        Value = n;
        return true;
    }
    default:
        return false;
    }
}

bool TElIniFile::ReadBool(const std::string& Key, const std::string& ValueName, bool Default, bool& Value)
{
    Value = Default;
    TElIniValue v;
    if (!ReadValue(Key, ValueName, v))
        return false;
    if (v.Type == evtInt) {
        Value = v.Int != 0;
        return true;
    }
    if (v.Type == evtBoolean && !registry_) {
        Value = v.Bool;
        return true;
    }
    return false;
}

bool TElIniFile::ReadFloat(const std::string& Key, const std::string& ValueName, double Default, double& Value)
{
    Value = Default;
    TElIniValue v;
    if (!ReadValue(Key, ValueName, v))
        return false;
    if (registry_) {
        // An 8-byte binary value holds the float's bits.
        if (v.Type != evtBinary || v.Binary.size() != 8)
            return false;
        Value = le::F64At(v.Binary.data());
        return true;
    }
    switch (v.Type) {
    case evtDouble:
        Value = v.Float;
        return true;
    case evtInt:
        // A float with an integral value is written as an integer text and comes back as one.
        Value = v.Int;
        return true;
    case evtString: {
        double d = 0;
        if (!IniTextToFloat(v.Str, d))
            return false;
        Value = d;
        return true;
    }
    default:
        return false;
    }
}

bool TElIniFile::ReadBinary(const std::string& Key, const std::string& ValueName, void* Buffer, int32_t& Size)
{
    TElIniValue v;
    if (!ReadValue(Key, ValueName, v) || v.Type != evtBinary) {
        Size = 0;
        return false;
    }
    const int32_t capacity = Size;
    Size = static_cast<int32_t>(v.Binary.size());
    if (capacity < Size || (Size > 0 && !Buffer))
        return false;
    if (Size > 0)
        std::memcpy(Buffer, v.Binary.data(), v.Binary.size());
    return true;
}

bool TElIniFile::ReadMultiString(const std::string& Key, const std::string& ValueName, std::vector<std::string>& Strings)
{
    TElIniValue v;
    if (!ReadValue(Key, ValueName, v) || v.Type != evtMultiString)
        return false;
    Strings = std::move(v.List);
    return true;
}

bool TElIniFile::ReadWideMultiString(const std::string& Key, const std::string& ValueName, TElWideStrings& Strings)
{
    std::vector<std::string> lines;
    if (!ReadMultiString(Key, ValueName, lines))
        return false;
    Strings.BeginUpdate();
    Strings.Clear();
    for (const std::string& s : lines)
        Strings.Add(AnsiToWide(s));
    Strings.EndUpdate();
    return true;
}

// ---- Writes

bool TElIniFile::WriteValue(const std::string& Key, const std::string& ValueName, TElIniValue Value)
{
    TKeyPath path;
    if (!Resolve(Key, path) || !Storage().WriteValue(path, ValueName, Value))
        return false;
    if (!registry_)
        Changed();
    return true;
}

bool TElIniFile::WriteString(const std::string& Key, const std::string& ValueName, const std::string& Value)
{
    TElIniValue v;
    v.Type = evtString;
    v.Str = Value;
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteInteger(const std::string& Key, const std::string& ValueName, int32_t Value)
{
    TElIniValue v;
    v.Type = evtInt;
    v.Int = Value;
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteBool(const std::string& Key, const std::string& ValueName, bool Value)
{
    TElIniValue v;
    v.Type = evtBoolean;
    v.Bool = Value;
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteFloat(const std::string& Key, const std::string& ValueName, double Value)
{
    TElIniValue v;
    v.Type = evtDouble;
    v.Float = Value;
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteBinary(const std::string& Key, const std::string& ValueName, const void* Buffer, int32_t Size)
{
    if (Size < 0 || (Size > 0 && !Buffer))
        return false;
    TElIniValue v;
    v.Type = evtBinary;
    const auto* bytes = static_cast<const uint8_t*>(Buffer);
    v.Binary.assign(bytes, bytes + Size);
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteMultiString(const std::string& Key, const std::string& ValueName, const std::vector<std::string>& Strings)
{
    TElIniValue v;
    v.Type = evtMultiString;
    v.List = Strings;
    return WriteValue(Key, ValueName, std::move(v));
}

bool TElIniFile::WriteWideMultiString(const std::string& Key, const std::string& ValueName, const TElWideStrings& Strings)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(Strings.Count()));
    for (int32_t i = 0; i < Strings.Count(); ++i)
        lines.push_back(WideToAnsi(Strings.Strings(i)));
    return WriteMultiString(Key, ValueName, lines);
}

// ---- Files

bool TElIniFile::ReadImage(std::span<const uint8_t> Bytes)
{
    auto fresh = std::make_unique<TElIniEntry>(nullptr, std::string(), true);
    bool ok = true;
    try {
        if (BinaryMode) {
            ok = ReadBinaryImage(Bytes, *fresh);
        } else {
            std::string_view text(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
            ReadText(text, *fresh);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    // Parsed into a fresh tree: a damaged file leaves an empty store, never a half-read one.
    root_ = ok ? std::move(fresh) : std::make_unique<TElIniEntry>(nullptr, std::string(), true);
    SetCurrent({});
    modified_ = false;
    return ok;
}

std::vector<uint8_t> TElIniFile::WriteImage()
{
    if (BinaryMode)
        return WriteBinaryImage(*root_);
    const std::string text = WriteText(*root_);
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool TElIniFile::Load()
{
    if (registry_)
        return false;
    DoBeforeLoad();
    std::vector<uint8_t> bytes;
    bool read = !path_.empty();
    if (read) {
        try {
            TFileStream file(path_, fmOpenRead | fmShareDenyWrite);
            const int64_t size = file.Size();
            if (size < 0 || size > INT32_MAX)
                throw EReadError(SReadError);
            bytes.resize(static_cast<size_t>(size));
            if (size > 0)
                file.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
        } catch (...) {
            read = false;
        }
    }
    if (!read) {
        ReadImage({});
        return false;
    }
    if (!ReadImage(bytes))
        return false;
    DoAfterLoad();
    return true;
}

bool TElIniFile::Save()
{
    if (registry_ || path_.empty())
        return false;
    DoBeforeSave();
    try {
        const std::vector<uint8_t> bytes = WriteImage();
        if (bytes.size() > INT32_MAX)
            return false;
        SaveFileSafely(path_, [&bytes](TStream& Stream) {
            if (!bytes.empty())
                Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        });
    } catch (...) {
        return false;
    }
    modified_ = false;
    DoAfterSave();
    return true;
}

bool TElIniFile::LoadFromStream(TStream& Stream)
{
    if (registry_)
        return false;
    std::vector<uint8_t> bytes;
    try {
        const int64_t left = Stream.Size() - Stream.Position();
        if (left < 0 || left > INT32_MAX)
            return false;
        bytes.resize(static_cast<size_t>(left));
        if (left > 0)
            Stream.ReadBuffer(bytes.data(), static_cast<int32_t>(left));
    } catch (...) {
        return false;
    }
    return ReadImage(bytes);
}

bool TElIniFile::SaveToStream(TStream& Stream)
{
    if (registry_)
        return false;
    try {
        const std::vector<uint8_t> bytes = WriteImage();
        if (bytes.size() > INT32_MAX)
            return false;
        if (!bytes.empty())
            Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    } catch (...) {
        return false;
    }
    return true;
}

// ---- Properties

void TElIniFile::SetDelimiter(char Value)
{
    RequireFileMode(SDelimiterRegistry);
    delimiter_ = Value;
    SetCurrent(current_);
}

void TElIniFile::SetPath(const std::u16string& Value)
{
    if (!registry_) {
        path_ = Value;
        return;
    }
    path_ = Value;
    while (!path_.empty() && path_.back() == u'\\')
        path_.pop_back();
    auto& registry = static_cast<TElIniRegistryStorage&>(*registry_);
    registry.SetBase(RegistryBase(path_));
    if (!registry.CreateKey(current_))
        SetCurrent({});
}

void TElIniFile::SetRegRoot(uint32_t Value)
{
    if (Value == regRoot_)
        return;
    regRoot_ = Value;
    if (registry_ && !OpenRegistry())
        SetUseRegistry(false);
}

bool TElIniFile::OpenRegistry()
{
    const TElIniRegistryFactory& factory = ElIniRegistryFactory();
    std::unique_ptr<IElIniRegistry> registry = factory ? factory(regRoot_) : nullptr;
    if (!registry)
        return false;
    const std::u16string base = registry_ || !path_.empty() ? path_ : u"\\SOFTWARE";
    auto storage = std::make_unique<TElIniRegistryStorage>(std::move(registry), RegistryBase(base));
    if (!storage->CreateKey(current_)) {
        SetCurrent({});
        if (!storage->CreateKey(current_))
            return false;
    }
    if (!registry_)
        filePath_ = path_;
    path_ = base;
    registry_ = std::move(storage);
    return true;
}

void TElIniFile::SetUseRegistry(bool Value)
{
    if (Value == UseRegistry())
        return;
    if (Value) {
        OpenRegistry();
        return;
    }
    registry_.reset();
    // A registry key is no file name: file mode gets its own Path back.
    path_ = filePath_;
    SetCurrent({});
}

void TElIniFile::SetSimple(bool Value)
{
    if (Value == simple_)
        return;
    if (registry_) {
        simple_ = Value;
        return;
    }
    // The tree goes through the binary form in memory and is read back under the new rule for
    // key names (every value keeps its type). Should anything fail, tree and flag stay.
    const bool old = simple_;
    try {
        const std::vector<uint8_t> image = WriteBinaryImage(*root_);
        auto fresh = std::make_unique<TElIniEntry>(nullptr, std::string(), true);
        simple_ = Value;
        if (!ReadBinaryImage(image, *fresh)) {
            simple_ = old;
            return;
        }
        root_ = std::move(fresh);
        SetCurrent({});
    } catch (...) {
        simple_ = old;
    }
}

// ---- Events

void TElIniFile::DoBeforeSave()
{
    if (OnBeforeSave)
        OnBeforeSave(this);
}

void TElIniFile::DoAfterLoad()
{
    if (OnAfterLoad)
        OnAfterLoad(this);
}

void TElIniFile::DoBeforeLoad()
{
    if (OnBeforeLoad)
        OnBeforeLoad(this);
}

void TElIniFile::DoAfterSave()
{
    if (OnAfterSave)
        OnAfterSave(this);
}
