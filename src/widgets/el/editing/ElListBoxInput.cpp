// The list box's input: mouse, keys and typed text, check-box clicks, type-ahead, and the
// window messages the control handles itself.
#include "widgets/el/editing/ElListBox.h"

#include "widgets/el/editing/ElListBoxLineHint.h"

#include "framework/Ime.h"

#include <windowsx.h>

#include <algorithm>

namespace {

bool IsArrowKey(WPARAM Key)
{
    return Key >= VK_LEFT && Key <= VK_DOWN;
}

}  // namespace

// ---- check boxes

void TCustomElListBox::DoCheckStateChange(int Index)
{
    if (OnCheckStateChange)
        OnCheckStateChange(this, Index);
}

void TCustomElListBox::DoCheckBoxChange(int Index, TCheckBoxState State)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, Index, State);
}

void TCustomElListBox::DoMultiCheck(int From, int To)
{
    if (OnMultiCheck)
        OnMultiCheck(this, From, To);
}

bool TCustomElListBox::InCheckBox(TPoint Pos, int& Index) const
{
    if (!showCheckBox_)
        return false;
    Index = ItemAtPos(Pos);
    return Index >= 0 && ItemParts(ItemRect(Index)).CheckBox.Contains(Pos);
}

void TCustomElListBox::CheckBoxClicked(int Index, bool Shift)
{
    const TElListBoxChecks::TResult result = checks_.Click(*items_, Index, Shift, allowGrayed_);
    if (result.Kind == TElListBoxChecks::TResult::ckSingle) {
        RepaintItem(Index);
        DoCheckStateChange(Index);
        DoCheckBoxChange(Index, result.NewState);
    } else if (result.Kind == TElListBoxChecks::TResult::ckRange) {
        RepaintBox();
        DoMultiCheck(result.From, result.To);
    }
}

// ---- type-ahead

void TCustomElListBox::FindIncremental(const std::function<void(TElKeyboardInput&)>& Feed)
{
    const int old = ItemIndex();
    const int found = search_.Type(*items_, old, Feed);
    if (search_.Timeout.Running())
        ArmSearchTimer();
    if (found < 0)
        return;
    SetItemIndex(found);
    if (ItemIndex() != old)
        Click();
}

void TCustomElListBox::ArmSearchTimer()
{
    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(std::max<uint32_t>(search_.Timeout.Remaining(), 1));
    searchTimer_->SetEnabled(true);
}

// ---- messages

void TCustomElListBox::MouseDownMessage(TMessage& Message)
{
    lineHint_->Cancel();
    const TPoint pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    pressIndex_ = ItemIndex();
    int box = -1;
    if (InCheckBox(pos, box))
        return;  // the release changes the check box; the selection stays
    const TShiftState shift = MouseShiftState(Message.WParam);
    if (DragMode == TDragMode::dmAutomatic && multiSelect_ && (!(shift & ssShift) || (shift & ssCtrl))) {
        const int item = ItemAtPos(pos);
        if (item >= 0 && Selected(item)) {
            // Dragging the selection keeps it.
            BeginDrag(false);
            return;
        }
    }
    TElXPThemedControl::WndProc(Message);
    if (DragMode == TDragMode::dmAutomatic && (!multiSelect_ || !(shift & (ssShift | ssCtrl))) && !IsDestroying())
        BeginDrag(false);
    CheckTopIndex();
}

void TCustomElListBox::MouseUpMessage(TMessage& Message)
{
    TElXPThemedControl::WndProc(Message);
    if (IsDestroying())
        return;
    const TPoint pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    int box = -1;
    if (InCheckBox(pos, box))
        CheckBoxClicked(box, (MouseShiftState(Message.WParam) & ssShift) != 0);
    if (ItemIndex() != pressIndex_)
        Change();
    pressIndex_ = ItemIndex();
}

bool TCustomElListBox::ScrollToWholeThumbPosition(TMessage& Message)
{
    const int code = LOWORD(Message.WParam);
    if (Message.Msg != WM_VSCROLL || Message.LParam != 0 || (code != SB_THUMBPOSITION && code != SB_THUMBTRACK))
        return false;
    const int32_t whole = ElScrollThumbPosition(Handle(), SB_VERT, Message.WParam);
    if (whole == static_cast<int32_t>(HIWORD(Message.WParam)))
        return false;
    SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(whole), 0);
    Message.Result = 0;
    return true;
}

void TCustomElListBox::KeyDownMessage(TMessage& Message)
{
    lineHint_->Cancel();
    const WPARAM key = Message.WParam;
    const int old = ItemIndex();
    TElXPThemedControl::WndProc(Message);
    if (IsDestroying())
        return;
    if (key == VK_BACK)
        search_.Input.KeyDown(VK_BACK, static_cast<uint32_t>((Message.LParam >> 16) & 0xFF));
    if (ItemIndex() != old) {
        if (IsArrowKey(key))
            Click();
        Change();
    }
    CheckTopIndex();
}

void TCustomElListBox::WndProc(TMessage& Message)
{
    if (IsDestroying()) {
        TElXPThemedControl::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case CN_BASE + WM_DRAWITEM:
        DrawItemMessage(Message);
        return;
    case CN_BASE + WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        int height = style_ == TListBoxStyle::lbStandard ? StandardItemHeight() : itemHeight_;
        if (style_ == TListBoxStyle::lbOwnerDrawVariable)
            MeasureItem(static_cast<int>(mis->itemID), height);
        mis->itemHeight = static_cast<UINT>(std::max(height, 1));
        Message.Result = 1;
        return;
    }
    case CN_BASE + WM_CTLCOLORLISTBOX: {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetBkColor(dc, ColorToRGB(Color()));
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        if (!colorBrush_)
            colorBrush_.reset(CreateSolidBrush(ColorToRGB(Color())));
        Message.Result = reinterpret_cast<intptr_t>(colorBrush_.get());
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDownMessage(Message);
        return;
    case WM_LBUTTONUP:
        MouseUpMessage(Message);
        return;
    case WM_MOUSEMOVE:
        TElXPThemedControl::WndProc(Message);
        lineHint_->MouseMoved({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        return;
    case WM_KEYDOWN:
        KeyDownMessage(Message);
        return;
    case WM_CHAR: {
        // Typed text searches the items; the window's own search would see only placeholders.
        auto ch = static_cast<char16_t>(Message.WParam);
        if (DoKeyPress(ch) || ch == u' ')
            return;
        FindIncremental([ch](TElKeyboardInput& Input) { Input.Char(ch); });
        return;
    }
    case WM_IME_STARTCOMPOSITION: {
        TImeContext context(Handle());
        const TRect caret = ItemRect(std::max(ItemIndex(), 0));
        context.SetCompositionWindow({TextLeft(caret), caret.Top});
        break;
    }
    case WM_IME_COMPOSITION:
        if (static_cast<uint32_t>(Message.LParam) & ElGcsResultStr) {
            // Taken here, so that the system does not send the same text as characters.
            const auto flags = static_cast<uint32_t>(Message.LParam);
            FindIncremental([flags](TElKeyboardInput& Input) { Input.ImeComposition(flags); });
            return;
        }
        break;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
        lineHint_->Cancel();
        if (!ScrollToWholeThumbPosition(Message))
            TElXPThemedControl::WndProc(Message);
        if (flat_)
            PaintBorder();
        CheckTopIndex();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TElXPThemedControl::WndProc(Message);
        PaintBorder();
        RepaintBox();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseOver_ = Message.Msg == CM_MOUSEENTER;
        if (!mouseOver_)
            lineHint_->Cancel();
        PaintBorder();
        if (flat_ && showCheckBox_)
            RepaintBox();
        break;
    case CM_PARENTFONTCHANGED:
        TElXPThemedControl::WndProc(Message);
        if (ParentFont()) {
            followingParentFont_ = true;
            selectedFont_->Assign(Font());
            followingParentFont_ = false;
        }
        return;
    case CM_PARENTCOLORCHANGED:
        TElXPThemedControl::WndProc(Message);
        if (transparent_)
            RepaintBox();
        return;
    case WM_SIZE:
        TElXPThemedControl::WndProc(Message);
        SetColumnWidth();
        if (PaintsBackground())
            RepaintBox();
        PaintBorder();
        return;
    case WM_WINDOWPOSCHANGED:
        TElXPThemedControl::WndProc(Message);
        if (transparent_)
            RepaintBox();
        return;
    case WM_ERASEBKGND:
        if (PaintsBackground()) {
            EraseBackground(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 1;
            return;
        }
        break;
    case WM_NCCALCSIZE:
        TElXPThemedControl::WndProc(Message);
        NonClientSize(Message);
        return;
    case WM_NCPAINT:
        TElXPThemedControl::WndProc(Message);
        PaintBorder();
        return;
    case WM_DESTROY:
        KeepWindowState();
        break;
    case CM_BIDIMODECHANGED:
        TElXPThemedControl::WndProc(Message);
        ApplyReadingOrder();  // the box's own flags join the inherited reading order
        return;
    default:
        break;
    }
    TElXPThemedControl::WndProc(Message);
}

void TCustomElListBox::BeginAutoDrag()
{
    // The press decides (MouseDownMessage): dragging starts after the window has selected.
}

