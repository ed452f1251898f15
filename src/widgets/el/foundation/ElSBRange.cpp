#include "widgets/el/foundation/ElSBRange.h"

#include <algorithm>
#include <limits>

namespace {

int32_t ToInt32(int64_t Value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The system refuses ranges of 2^31 positions or more.
constexpr int64_t kWidestRange = 0x7FFFFFFF;

}  // namespace

int32_t TElSBRange::MaxPosition() const
{
    const int64_t last = static_cast<int64_t>(Max) - std::max<int64_t>(static_cast<int64_t>(Page) - 1, 0);
    return ToInt32(std::max<int64_t>(last, Min));
}

int32_t TElSBRange::Clamp(int64_t Value) const
{
    return ToInt32(std::clamp<int64_t>(Value, Min, MaxPosition()));
}

bool TElSBRange::Scrollable() const
{
    return Min < Max && static_cast<int64_t>(Page) <= static_cast<int64_t>(Max) - Min;
}

bool ApplyScrollInfo(TElSBRange& Range, const TElScrollInfo& Info)
{
    if (Info.cbSize < sizeof(TElScrollInfo))
        return false;
    if (Info.fMask & ESIF_RANGE) {
        const int64_t width = static_cast<int64_t>(Info.nMax) - Info.nMin;
        if (width >= 0 && width <= kWidestRange) {
            Range.Min = Info.nMin;
            Range.Max = Info.nMax;
        }
    }
    if (Info.fMask & ESIF_PAGE)
        Range.Page = ToInt32(static_cast<int64_t>(Info.nPage));
    if (Info.fMask & ESIF_POS)
        Range.Position = Info.nPos;
    // A bar that never had a range keeps what it was given; the system's bars always have one.
    if (Range.Extent() > 0) {
        Range.Page = ToInt32(std::clamp<int64_t>(Range.Page, 0, Range.Extent()));
        Range.Position = Range.Clamp(Range.Position);
    }
    return true;
}

std::optional<bool> ShownAfterScrollInfo(const TElSBRange& Range, uint32_t Mask)
{
    if (!(Mask & (ESIF_RANGE | ESIF_PAGE | ESIF_DISABLENOSCROLL)))
        return std::nullopt;
    if (Mask & ESIF_DISABLENOSCROLL)
        return true;
    return Range.Scrollable();
}
