// The themed look of a replacement scroll bar: each piece drawn as the matching part of the
// system's "SCROLLBAR" theme (arrow buttons, thumb with its gripper, upper and lower track).
// Where the bar is not to be themed (its host says so: the bar's or the controller's
// UseXPThemes is off, visual styles are unavailable or forced off, no theme is open) or the
// surface has no device context behind it, the classic painter draws instead.
#pragma once

#include "widgets/el/foundation/ElSBPainter.h"

#include <windows.h>
#include <uxtheme.h>

#include <functional>

class TElSBThemedPainter : public IElScrollBarPainter {
public:
    // Theme gives the open "SCROLLBAR" theme at paint time (null: none).
    explicit TElSBThemedPainter(std::function<HTHEME()> Theme) : theme_(std::move(Theme)) {}
    void PaintPart(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface) override;

private:
    std::function<HTHEME()> theme_;
    TElSBClassicPainter classic_;
};
