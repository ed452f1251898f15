#include "widgets/el/foundation/ElFileStream.h"

#include "framework/Exceptions.h"
#include "framework/LittleEndianBytes.h"

#include <limits>
#include <new>
#include <vector>

TElFileStream::TElFileStream(const std::u16string& FileName, uint16_t Mode, uint32_t)
    : TFileStream(FileName, Mode)
{
}

namespace {

void WriteLength(TStream& Stream, int32_t N)
{
    uint8_t b[4];
    le::PutI32(b, N);
    Stream.WriteBuffer(b, 4);
}

// Reads the length field and checks that UnitSize * N bytes are left. On success returns
// the byte count of the data. Throws on a short field or a negative length; a length past
// the end moves the position to the end before throwing, so nothing beyond it is read.
int32_t ReadCheckedLength(TStream& Stream, int UnitSize)
{
    uint8_t b[4];
    Stream.ReadBuffer(b, 4);
    const int32_t n = le::I32At(b);
    if (n < 0)
        throw EReadError(u"Invalid string header read from the stream");
    const int64_t bytes = static_cast<int64_t>(n) * UnitSize;
    const int64_t left = Stream.Size() - Stream.Position();
    if (bytes > left || bytes > std::numeric_limits<int32_t>::max()) {
        Stream.Seek(0, soEnd);
        throw EReadError(SReadError);
    }
    return static_cast<int32_t>(bytes);
}

} // namespace

bool WriteStringToStream(TStream& Stream, const std::string& S)
{
    try {
        if (S.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            return false;
        const auto n = static_cast<int32_t>(S.size());
        WriteLength(Stream, n);
        Stream.WriteBuffer(S.data(), n);
        return true;
    } catch (...) {
        return false;
    }
}

bool ReadStringFromStream(TStream& Stream, std::string& S)
{
    try {
        const int32_t bytes = ReadCheckedLength(Stream, 1);
        std::string tmp(static_cast<size_t>(bytes), '\0');
        Stream.ReadBuffer(tmp.data(), bytes);
        S = std::move(tmp);
        return true;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return false;
    }
}

bool DoWriteWideString(TStream& Stream, const std::u16string& S)
{
    try {
        if (S.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 2))
            return false;
        const auto n = static_cast<int32_t>(S.size());
        WriteLength(Stream, n);
        std::vector<uint8_t> bytes(S.size() * 2);
        for (size_t i = 0; i < S.size(); ++i)
            le::PutU16(bytes.data() + 2 * i, S[i]);
        Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        return true;
    } catch (...) {
        return false;
    }
}

bool DoReadWideString(TStream& Stream, std::u16string& S)
{
    try {
        const int32_t bytes = ReadCheckedLength(Stream, 2);
        std::vector<uint8_t> raw(static_cast<size_t>(bytes));
        Stream.ReadBuffer(raw.data(), bytes);
        std::u16string tmp(raw.size() / 2, u'\0');
        for (size_t i = 0; i < tmp.size(); ++i)
            tmp[i] = static_cast<char16_t>(le::U16At(raw.data() + 2 * i));
        S = std::move(tmp);
        return true;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return false;
    }
}

bool WriteWideStringToStream(TStream& Stream, const std::u16string& S)
{
    return DoWriteWideString(Stream, S);
}

bool ReadWideStringFromStream(TStream& Stream, std::u16string& S)
{
    std::u16string tmp;
    const bool ok = DoReadWideString(Stream, tmp);
    S = std::move(tmp);
    return ok;
}
