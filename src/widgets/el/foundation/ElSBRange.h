// Range, page and position of one scroll bar, with the system's rules for them: the last
// position a page leaves reachable, clamping, and how a SetScrollInfo call changes them.
// All arithmetic runs in 64 bits, so ranges reaching INT_MIN or INT_MAX never overflow.
#pragma once

#include "widgets/el/foundation/ElSBTypes.h"

#include <cstdint>
#include <optional>

struct TElSBRange {
    int32_t Min = 0;
    int32_t Max = -1;
    int32_t Page = 14;
    int32_t Position = -1;

    // Number of positions; 0 or less while Max < Min.
    int64_t Extent() const { return static_cast<int64_t>(Max) - Min + 1; }
    // The last position the page leaves reachable: Max - max(Page - 1, 0), never below Min.
    int32_t MaxPosition() const;
    // Positions the thumb travels over: MaxPosition() - Min.
    int64_t Span() const { return static_cast<int64_t>(MaxPosition()) - Min; }
    // Value brought into [Min, MaxPosition()].
    int32_t Clamp(int64_t Value) const;
    // Something to scroll: Min < Max and the page does not cover the range.
    bool Scrollable() const;
    bool CanScrollBack() const { return Scrollable() && Min < Position; }
    bool CanScrollForward() const { return Scrollable() && Position < MaxPosition(); }
};

// Applies SetScrollInfo's Info to Range as the system applies it to its own bars: the page
// (when given) is kept within [0, Extent], the position (when given) within [Min, MaxPosition],
// and a range with nMin > nMax, or wider than the system accepts, is ignored. Both are clamped
// again after any change, so a new range or page moves a position that fell outside. Returns
// false, changing nothing, for an Info shorter than SCROLLINFO (cbSize < 28).
bool ApplyScrollInfo(TElSBRange& Range, const TElScrollInfo& Info);

// Whether the system shows (true) or hides (false) a bar after SetScrollInfo with Mask left it at
// Range; nothing when the call leaves visibility alone (no range, page or SIF_DISABLENOSCROLL).
// A bar with nothing to scroll is hidden unless SIF_DISABLENOSCROLL asks to keep it.
std::optional<bool> ShownAfterScrollInfo(const TElSBRange& Range, uint32_t Mask);
