#include "scan/files/UndoSnapshot.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "scan/model/_TScanData.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr size_t ValueSize = 4;

std::vector<uint8_t> SerpentineValues(TScanData& Scan)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(Scan.Count) * ValueSize);
    size_t at = 0;
    for (TScanPoint* p = Scan.FirstColumnPoint(); p && at < bytes.size(); p = Scan.NextColumnPoint()) {
        le::PutF32(bytes.data() + at, p->Value);
        at += ValueSize;
    }
    bytes.resize(at);
    return bytes;
}

bool WriteSnapshotFile(const std::u16string& FileName, const std::vector<uint8_t>& Bytes)
{
    try {
        TElFileStream stream(FileName, fmCreate);
        return Bytes.empty() || stream.Write(Bytes.data(), static_cast<int32_t>(Bytes.size())) ==
                                    static_cast<int32_t>(Bytes.size());
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

bool TUndoSnapshot::Create(TScanData& Scan)
{
    Remove();
    const std::u16string fresh = CreateTempFile(u"l3d");
    if (!fresh.empty())
        fileName_ = fresh;
    if (fileName_.empty())
        return false;
    if (WriteSnapshotFile(fileName_, SerpentineValues(Scan)))
        return true;
    // A partial snapshot would restore a mixture of values: none is better.
    FileDelete(fileName_);
    fileName_.clear();
    return false;
}

bool TUndoSnapshot::Restore(TScanData& Scan) const
{
    if (fileName_.empty() || !FileExists(fileName_))
        return false;
    std::vector<uint8_t> bytes;
    try {
        TElFileStream stream(fileName_, fmOpenRead | fmShareExclusive);
        const int64_t wanted = std::min<int64_t>(stream.Size(), int64_t(Scan.Count) * int64_t(ValueSize));
        bytes.resize(static_cast<size_t>(std::max<int64_t>(wanted, 0)));
        const int32_t got = bytes.empty() ? 0 : stream.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
        bytes.resize(static_cast<size_t>(std::max(got, 0)));
    } catch (const Exception&) {
        return false;
    }
    size_t at = 0;
    for (TScanPoint* p = Scan.FirstColumnPoint(); p && at + ValueSize <= bytes.size(); p = Scan.NextColumnPoint()) {
        const float v = le::F32At(bytes.data() + at);
        p->Value = v;
        p->DisplayValue = v;
        p->Invalid = std::isnan(v) ? 1 : 0;
        at += ValueSize;
    }
    return true;
}

void TUndoSnapshot::Remove() const
{
    if (!fileName_.empty() && FileExists(fileName_))
        FileDelete(fileName_);
}
