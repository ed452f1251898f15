#include "widgets/el/menus/ElStatusBarPanels.h"

#include "framework/Exceptions.h"

#include <algorithm>

// ---- TElStatusPanel

int TElStatusPanel::Index() const
{
    return owner_.IndexOf(this);
}

void TElStatusPanel::SetText(const std::u16string& Value)
{
    if (Value == text_)
        return;
    text_ = Value;
    const int32_t oldWidth = width_;
    FitText();
    owner_.host_.PanelChanged(Index(), width_ != oldWidth);
}

void TElStatusPanel::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    owner_.host_.PanelChanged(Index(), false);
}

void TElStatusPanel::SetWidth(int32_t Value)
{
    Value = std::max<int32_t>(Value, 0);
    if (Value == width_)
        return;
    width_ = Value;
    owner_.host_.PanelChanged(Index(), true);
}

void TElStatusPanel::SetAutoSize(bool Value)
{
    if (Value == autoSize_)
        return;
    autoSize_ = Value;
    const int32_t oldWidth = width_;
    FitText();
    if (width_ != oldWidth)
        owner_.host_.PanelChanged(Index(), true);
}

void TElStatusPanel::SetStyle(TElStatusPanelStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    owner_.host_.PanelChanged(Index(), false);
}

void TElStatusPanel::FitText()
{
    if (autoSize_)
        width_ = owner_.host_.TextWidth(text_) + 2 * TextMargin;
}

// ---- TElStatusPanels

TElStatusPanel* TElStatusPanels::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(FormatMessageD(u"List index out of bounds (%d)", Index));
    return panels_[static_cast<size_t>(Index)].get();
}

TElStatusPanel* TElStatusPanels::Add()
{
    panels_.push_back(std::unique_ptr<TElStatusPanel>(new TElStatusPanel(*this)));
    host_.PanelChanged(Count() - 1, true);
    return panels_.back().get();
}

void TElStatusPanels::Delete(int Index)
{
    Items(Index);  // checks the index
    panels_.erase(panels_.begin() + Index);
    // The panel that took its place and all after it move; a last panel leaves its area blank.
    host_.PanelChanged(std::min(Index, std::max(Count() - 1, 0)), true);
}

void TElStatusPanels::Clear()
{
    if (panels_.empty())
        return;
    panels_.clear();
    host_.PanelChanged(0, true);
}

int TElStatusPanels::IndexOf(const TElStatusPanel* Panel) const
{
    for (size_t i = 0; i < panels_.size(); ++i)
        if (panels_[i].get() == Panel)
            return static_cast<int>(i);
    return -1;
}

void TElStatusPanels::FitTexts()
{
    for (int i = 0; i < Count(); ++i) {
        TElStatusPanel& panel = *panels_[static_cast<size_t>(i)];
        const int32_t oldWidth = panel.width_;
        panel.FitText();
        if (panel.width_ != oldWidth)
            host_.PanelChanged(i, true);
    }
}

std::vector<TRect> TElStatusPanels::PanelRects(const TRect& Area) const
{
    std::vector<TRect> rects;
    rects.reserve(panels_.size());
    int32_t x = Area.Left;
    for (const auto& panel : panels_) {
        rects.push_back({x, Area.Top, x + panel->Width(), Area.Bottom});
        x += panel->Width();
    }
    if (!rects.empty())
        rects.back().Right = std::max(rects.back().Right, Area.Right);
    return rects;
}
