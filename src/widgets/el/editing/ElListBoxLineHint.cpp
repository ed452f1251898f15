#include "widgets/el/editing/ElListBoxLineHint.h"

#include "widgets/el/editing/ElListBox.h"

#include "framework/Application.h"

#include <algorithm>

TElListBoxLineHint::TElListBoxLineHint(TCustomElListBox& Box) : box_(Box) {}

TElListBoxLineHint::~TElListBoxLineHint() = default;

bool TElListBoxLineHint::Showing() const
{
    return window_ && window_->Visible();
}

void TElListBoxLineHint::Arm(int Ms)
{
    if (!timer_) {
        timer_.reset(CreateComponent<TTimer>(nullptr));
        timer_->OnTimer = [this](TObject*) { Tick(); };
    }
    timer_->SetEnabled(false);
    timer_->SetInterval(static_cast<uint32_t>(std::max(Ms, 1)));
    timer_->SetEnabled(true);
}

void TElListBoxLineHint::Cancel()
{
    if (timer_)
        timer_->SetEnabled(false);
    if (Showing())
        window_->ReleaseHint();
    item_ = -1;
}

void TElListBoxLineHint::MouseMoved(TPoint Pos)
{
    mouse_ = Pos;
    const int item = box_.ItemAtPos(Pos);
    if (item == item_)
        return;
    Cancel();
    if (!box_.ShowLineHint() || item < 0)
        return;
    item_ = item;
    Arm(Application ? Application->HintPause : 500);
}

void TElListBoxLineHint::Tick()
{
    timer_->SetEnabled(false);
    if (Showing()) {
        // The hint has been shown long enough; the row keeps it from showing again until the
        // mouse moves to another one.
        window_->ReleaseHint();
        return;
    }
    if (item_ >= 0 && box_.HandleAllocated() && box_.ItemAtPos(mouse_) == item_ &&
        box_.GetItemWidth(item_) > box_.ClientWidth()) {
        Show();
        Arm(Application ? Application->HintHidePause : 2500);
        return;
    }
    item_ = -1;
}

void TElListBoxLineHint::Show()
{
    if (!window_)
        window_.reset(CreateComponent<TElListBoxHintWindow>(nullptr));
    const std::u16string text = box_.Items()->Get(item_);
    window_->IsHTML = text.starts_with(u"<html>");
    window_->Font()->Assign(box_.Font());
    window_->SetColor(box_.Color());
    window_->SetBiDiMode(box_.RightToLeft() ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    // Over the row, the hint's text where the row's text starts.
    const TRect row = box_.ItemRect(item_);
    const TRect size = window_->CalcHintRectW(box_.GetItemWidth(item_) + 64, text);
    TPoint at = box_.ClientToScreen({box_.TextLeft(row) - 3, row.Top});
    if (box_.RightToLeft())
        at = box_.ClientToScreen({row.Right - size.Width() + 3, row.Top});
    window_->ActivateHintW(Bounds(at.X, at.Y, size.Width(), size.Height()), text);
}
