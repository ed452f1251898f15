// The binary form of TElIniFile. All integers little-endian; strings are stream strings
// ([int32 N][N bytes]). Keys depth-first from the root:
//
//   key:    byte 1, path (names below the root joined by Delimiter; empty for the root)
//   value:  byte 0, name, byte type, int32 payload size, payload
//           boolean 1 byte; integer 4; string a stream string; string list one stream string
//           per element; binary int32 length and the bytes; float 8
//
// Reading checks every length and count against the bytes left before allocating. A value of
// an unknown type or whose size does not fit its type is skipped by its size; a record kind
// other than 0 or 1, or a record cut short, fails the whole read.
#include "widgets/el/foundation/ElIniStorage.h"

#include "framework/ByteReader.h"
#include "framework/LittleEndianBytes.h"

#include <climits>

namespace {

class TImageWriter {
public:
    void Byte(uint8_t B) { bytes_.push_back(B); }
    void I32(int32_t V)
    {
        uint8_t b[4];
        le::PutI32(b, V);
        bytes_.insert(bytes_.end(), b, b + 4);
    }
    void F64(double V)
    {
        uint8_t b[8];
        le::PutF64(b, V);
        bytes_.insert(bytes_.end(), b, b + 8);
    }
    void Raw(const void* Data, size_t Size)
    {
        const auto* p = static_cast<const uint8_t*>(Data);
        bytes_.insert(bytes_.end(), p, p + Size);
    }
    void String(const std::string& S)
    {
        I32(Length(S.size()));
        Raw(S.data(), S.size());
    }
    static int32_t Length(size_t Size)
    {
        if (Size > INT32_MAX)
            throw std::length_error("ini value too long");
        return static_cast<int32_t>(Size);
    }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

void WriteValueRecord(TImageWriter& W, const TElIniEntry& Value)
{
    const TElIniValue& v = Value.Value;
    W.Byte(0);
    W.String(Value.Name());
    W.Byte(v.Type);
    switch (v.Type) {
    case evtBoolean:
        W.I32(1);
        W.Byte(v.Bool ? 1 : 0);
        break;
    case evtInt:
        W.I32(4);
        W.I32(v.Int);
        break;
    case evtString:
        W.I32(TImageWriter::Length(v.Str.size() + 4));
        W.String(v.Str);
        break;
    case evtMultiString: {
        size_t size = 0;
        for (const std::string& s : v.List)
            size += s.size() + 4;
        W.I32(TImageWriter::Length(size));
        for (const std::string& s : v.List)
            W.String(s);
        break;
    }
    case evtBinary:
        W.I32(TImageWriter::Length(v.Binary.size() + 4));
        W.I32(TImageWriter::Length(v.Binary.size()));
        W.Raw(v.Binary.data(), v.Binary.size());
        break;
    case evtDouble:
        W.I32(8);
        W.F64(v.Float);
        break;
    default:
        W.I32(0);
        break;
    }
}

// A stream string whose length is checked against the bytes left.
bool ReadStreamString(ByteReader& R, std::string& S)
{
    int32_t n = 0;
    if (!R.I32(n) || n < 0 || !R.Has(static_cast<uint64_t>(n)))
        return false;
    const auto bytes = R.Take(static_cast<uint64_t>(n));
    S.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
}

// The value of one payload; false when the payload does not fit the type.
bool ReadPayload(uint8_t Type, ByteReader Payload, TElIniValue& V)
{
    V.Clear();
    switch (Type) {
    case evtBoolean: {
        uint8_t b = 0;
        if (Payload.Size() != 1 || !Payload.U8(b))
            return false;
        V.Bool = b != 0;
        break;
    }
    case evtInt:
        if (Payload.Size() != 4 || !Payload.I32(V.Int))
            return false;
        break;
    case evtString:
        if (!ReadStreamString(Payload, V.Str) || Payload.Remaining() != 0)
            return false;
        break;
    case evtMultiString:
        while (Payload.Remaining() > 0) {
            std::string s;
            if (!ReadStreamString(Payload, s))
                return false;
            V.List.push_back(std::move(s));
        }
        break;
    case evtBinary: {
        int32_t n = 0;
        if (!Payload.I32(n) || n < 0 || Payload.Remaining() != static_cast<uint64_t>(n))
            return false;
        const auto bytes = Payload.Take(static_cast<uint64_t>(n));
        V.Binary.assign(bytes.begin(), bytes.end());
        break;
    }
    case evtDouble:
        if (Payload.Size() != 8 || !Payload.F64(V.Float))
            return false;
        break;
    default:
        return false;
    }
    V.Type = static_cast<TElIniValueType>(Type);
    return true;
}

} // namespace

std::vector<uint8_t> TElIniFile::WriteBinaryImage(const TElIniEntry& Root) const
{
    TImageWriter w;
    struct TFrame {
        const TElIniEntry* Key;
        std::string Path;
    };
    std::vector<TFrame> pending{{&Root, std::string()}};
    while (!pending.empty()) {
        TFrame frame = std::move(pending.back());
        pending.pop_back();
        w.Byte(1);
        w.String(frame.Path);
        const TElIniEntry& key = *frame.Key;
        for (int32_t i = 0; i < key.Count(); ++i)
            if (!key.Child(i)->IsKey())
                WriteValueRecord(w, *key.Child(i));
        for (int32_t i = key.Count() - 1; i >= 0; --i) {
            const TElIniEntry* sub = key.Child(i);
            if (sub->IsKey())
                pending.push_back({sub, frame.Path.empty() ? sub->Name() : frame.Path + delimiter_ + sub->Name()});
        }
    }
    return std::move(w.Bytes());
}

bool TElIniFile::ReadBinaryImage(std::span<const uint8_t> Bytes, TElIniEntry& Root)
{
    ByteReader r(Bytes);
    TElIniEntry* key = &Root;  // values before any key record go to the root
    std::string text;
    while (r.Remaining() > 0) {
        uint8_t kind = 0;
        r.U8(kind);
        if (kind == 1) {
            if (!ReadStreamString(r, text))
                return false;
            // Paths are written from below the root and read as absolute; a key that cannot be
            // opened drops its values.
            TKeyPath path;
            key = Resolve(std::string(1, delimiter_) + text, path) ? WalkIniTree(Root, path, true) : nullptr;
        } else if (kind == 0) {
            uint8_t type = 0;
            int32_t size = 0;
            if (!ReadStreamString(r, text) || !r.U8(type) || !r.I32(size) || size < 0 || !r.Has(static_cast<uint64_t>(size)))
                return false;
            TElIniValue v;
            if (ReadPayload(type, r.Sub(static_cast<uint64_t>(size)), v) && key)
                key->Ensure(text, false)->Value = std::move(v);
        } else {
            return false;
        }
    }
    return true;
}
