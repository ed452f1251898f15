#include "widgets/el/editing/ElComboBox.h"

#include "widgets/el/editing/ElComboListBox.h"
#include "widgets/el/editing/ElEditChars.h"

#include "framework/Screen.h"

#include <windowsx.h>

#include <algorithm>

// The item list: a wide string list that keeps the combo box's selection on its item and the
// open list in step.
class TElComboBox::TItems : public TElWideStringList {
public:
    explicit TItems(TElComboBox& Owner) : owner_(Owner) {}

    void Clear() override
    {
        if (Count() == 0)
            return;
        TElWideStringList::Clear();
        owner_.Deselect();
        owner_.SyncDropDown();
    }
    void Delete(int32_t Index) override
    {
        TElWideStringList::Delete(Index);
        if (owner_.itemIndex_ == Index)
            owner_.Deselect();
        else if (owner_.itemIndex_ > Index)
            --owner_.itemIndex_;
        owner_.SyncDropDown();
    }
    void Put(int32_t Index, const std::u16string& S) override
    {
        TElWideStringList::Put(Index, S);
        if (owner_.itemIndex_ == Index)
            owner_.ShowText(S);
        owner_.SyncDropDown();
    }
    void Exchange(int32_t Index1, int32_t Index2) override
    {
        TElWideStringList::Exchange(Index1, Index2);
        // The selection goes with its item.
        if (owner_.itemIndex_ == Index1)
            owner_.itemIndex_ = Index2;
        else if (owner_.itemIndex_ == Index2)
            owner_.itemIndex_ = Index1;
        owner_.SyncDropDown();
    }
    void CustomSort(const TElWideStringListSortCompare& Compare) override
    {
        const int selected = owner_.itemIndex_;
        const std::u16string text = selected >= 0 ? Get(selected) : std::u16string();
        TElWideStringList::CustomSort(Compare);
        if (selected >= 0)
            owner_.itemIndex_ = IndexOf(text);
        owner_.SyncDropDown();
    }

protected:
    void InsertItem(int32_t Index, const std::u16string& S) override
    {
        TElWideStringList::InsertItem(Index, S);
        if (owner_.itemIndex_ >= Index)
            ++owner_.itemIndex_;
        owner_.SyncDropDown();
    }

private:
    TElComboBox& owner_;
};

TElComboBox::TElComboBox(TComponent* AOwner)
    : TCustomElButtonEdit(AOwner, [](TComponent* Owner) -> TElEditBtn* { return new TElEditArrowButton(Owner, {3}); }),
      items_(std::make_unique<TItems>(*this)),
      dropDown_(CreateComponent<TElComboListBox>(nullptr))
{
    dropDown_->OnCloseUp = [this](bool Picked) { CloseUp(Picked); };
    BeginCreate();
    SetWidth(145);
    // The arrow opens and closes the list at the press, as the list takes the mouse at once.
    Button()->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
        if (Button != TMouseButton::mbLeft)
            return;
        if (!Focused() && CanFocus())
            SetFocus();
        SetDroppedDown(!dropped_);
    };
    EndCreate();
}

TElComboBox::~TElComboBox()
{
    dropDown_.reset();
}

TElWideStrings* TElComboBox::Items() const
{
    return items_.get();
}

void TElComboBox::CreateWnd()
{
    TCustomElButtonEdit::CreateWnd();
    // The list's window exists from now on, so that the combo box can name it.
    dropDown_->SetOwnerWindow(GetAncestor(Handle(), GA_ROOT));
    dropDown_->HandleNeeded();
}

void TElComboBox::DestroyWnd()
{
    CloseUp(false);
    TCustomElButtonEdit::DestroyWnd();
}

// ---- selection and text

void TElComboBox::ShowText(const std::u16string& Text)
{
    Editor().SetText(Text);
    if (style_ == TComboBoxStyle::csDropDownList)
        Editor().SetSel(0, -1);
}

void TElComboBox::Deselect()
{
    itemIndex_ = -1;
    if (style_ == TComboBoxStyle::csDropDownList)
        ShowText(std::u16string());
}

void TElComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Items()->Count())
        Value = -1;
    if (Value < 0) {
        Deselect();
        return;
    }
    itemIndex_ = Value;
    ShowText(Items()->Get(Value));
}

void TElComboBox::Pick(int Index)
{
    if (Index < 0 || Index >= Items()->Count() || Index == itemIndex_)
        return;
    SetItemIndex(Index);
    Change();
}

void TElComboBox::SetText(const std::u16string& Value)
{
    if (style_ == TComboBoxStyle::csDropDownList)
        SetItemIndex(Items()->IndexOf(Value));
    else
        ShowText(Value);
}

void TElComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    // The list style shows only what the items hold: the user edits nothing.
    SetReadOnly(Value == TComboBoxStyle::csDropDownList);
    if (Value == TComboBoxStyle::csDropDownList)
        ShowText(itemIndex_ >= 0 ? Items()->Get(itemIndex_) : std::u16string());
    if (Focused()) {
        CreateCaret();  // the caret comes or goes with the style
        if (Value == TComboBoxStyle::csDropDownList)
            Editor().SetSel(0, -1);
    }
}

int TElComboBox::FindByFirstLetter(char16_t Ch) const
{
    const int count = Items()->Count();
    const std::u16string letter = ElEditChars::ApplyCharCase(std::u16string(1, Ch), eecLowerCase);
    for (int step = 1; step <= count; ++step) {
        const int i = (std::max(itemIndex_, -1) + step) % count;
        const std::u16string item = Items()->Get(i);
        if (!item.empty() && ElEditChars::ApplyCharCase(item.substr(0, 1), eecLowerCase) == letter)
            return i;
    }
    return -1;
}

// ---- the drop-down list

void TElComboBox::SetDroppedDown(bool Value)
{
    if (Value)
        DropDown();
    else
        CloseUp(false);
}

void TElComboBox::DropDown()
{
    if (dropped_ || !HandleAllocated() || !Enabled())
        return;
    dropped_ = true;
    if (OnDropDown)
        OnDropDown(this);
    if (!dropped_ || !HandleAllocated())
        return;  // the handler closed it again
    dropDown_->SetOwnerWindow(GetAncestor(Handle(), GA_ROOT));
    dropDown_->Font()->Assign(Font());
    dropDown_->SetRightToLeft(RightAlignedView());
    SyncDropDown();
    dropDown_->SetItemIndex(itemIndex_);
    dropDown_->Popup(DropDownBounds());
    Button()->SetDown(true);
}

void TElComboBox::CloseUp(bool Picked)
{
    if (!dropped_)
        return;
    dropped_ = false;
    const int picked = dropDown_->ItemIndex();
    dropDown_->CloseUp();
    Button()->SetDown(false);
    if (Picked)
        Pick(picked);
}

void TElComboBox::SyncDropDown()
{
    if (!dropped_)
        return;
    const int shown = dropDown_->ItemIndex();
    dropDown_->Items()->Assign(items_.get());
    dropDown_->SetItemIndex(std::min(shown, Items()->Count() - 1));
}

TRect TElComboBox::DropDownBounds()
{
    RECT box{};
    GetWindowRect(Handle(), &box);
    const int rows = std::clamp(Items()->Count(), 1, std::max(dropDownCount_, 1));
    const int height = rows * std::max(dropDown_->ItemHeight(), 1) + 2 * GetSystemMetrics(SM_CYBORDER);
    const int width = std::max(static_cast<int>(box.right - box.left), droppedWidth_);
    const int x = dropDownAlignment_ == TAlignment::taRightJustify ? box.right - width : box.left;
    // Below the box, or above it when the work area ends first.
    const TRect area = Screen->WorkAreaRect();
    int y = box.bottom;
    if (y + height > area.Bottom && box.top - height >= area.Top)
        y = box.top - height;
    return Bounds(x, y, width, height);
}

void TElComboBox::SetDropDownAlignment(TAlignment Value)
{
    dropDownAlignment_ = Value == TAlignment::taRightJustify ? Value : TAlignment::taLeftJustify;
}

void TElComboBox::SetDropDownCount(int Value)
{
    dropDownCount_ = std::max(Value, 1);
}

void TElComboBox::EnabledChanged()
{
    if (!Enabled())
        CloseUp(false);
    TCustomElButtonEdit::EnabledChanged();
}

// ---- keys and mouse

bool TElComboBox::DropDownKey(uint16_t Key, TShiftState Shift)
{
    const bool alt = (Shift & ssAlt) != 0;
    if ((Key == VK_F4 && !alt) || (alt && (Key == VK_UP || Key == VK_DOWN))) {
        if (dropped_)
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (!dropped_)
        return false;
    switch (Key) {
    case VK_RETURN:
        CloseUp(true);
        return true;
    case VK_ESCAPE:
        CloseUp(false);
        return true;
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
        SendMessageW(dropDown_->Handle(), WM_KEYDOWN, Key, 1);
        return true;
    default:
        return false;
    }
}

void TElComboBox::EditKeyDown(uint16_t& Key, TShiftState Shift)
{
    if (DropDownKey(Key, Shift)) {
        Key = 0;
        return;
    }
    // Closed, the arrows step through the items (Home and End in the list style only; the
    // editable style's caret needs them).
    const bool list = style_ == TComboBoxStyle::csDropDownList;
    int target = -2;
    if (!(Shift & (ssAlt | ssCtrl | ssShift))) {
        switch (Key) {
        case VK_UP: target = std::max(itemIndex_ - 1, 0); break;
        case VK_DOWN: target = std::min(itemIndex_ + 1, Items()->Count() - 1); break;
        case VK_PRIOR: target = std::max(itemIndex_ - (dropDownCount_ - 1), 0); break;
        case VK_NEXT: target = std::min(itemIndex_ + dropDownCount_ - 1, Items()->Count() - 1); break;
        case VK_HOME: if (list) target = 0; break;
        case VK_END: if (list) target = Items()->Count() - 1; break;
        default: break;
        }
    }
    if (target != -2) {
        Pick(target);
        Key = 0;
        return;
    }
    TCustomElButtonEdit::EditKeyDown(Key, Shift);
}

void TElComboBox::KeyPress(char16_t& Key)
{
    TCustomElButtonEdit::KeyPress(Key);
    if (Key == 0 || style_ != TComboBoxStyle::csDropDownList || Key < 0x20)
        return;
    // The list style selects by typed letters: the open list searches itself.
    if (dropped_)
        SendMessageW(dropDown_->Handle(), WM_CHAR, Key, 1);
    else
        Pick(FindByFirstLetter(Key));
    Key = 0;
}

void TElComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const bool onButton = Parts().Button.Contains({X, Y});
    if (Button == TMouseButton::mbLeft && (style_ == TComboBoxStyle::csDropDownList || onButton)) {
        // A press anywhere on a list-style box (or on the arrow) opens or closes the list.
        TControl::MouseDown(Button, Shift, X, Y);
        SetDroppedDown(!dropped_);
        return;
    }
    TCustomElButtonEdit::MouseDown(Button, Shift, X, Y);
}

bool TElComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (dropped_) {
        SendMessageW(dropDown_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WheelDelta), MAKELPARAM(MousePos.X, MousePos.Y));
        return true;
    }
    if (TCustomElButtonEdit::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    // Stepping is the box's own handling of the wheel: it comes after the handlers of the
    // controls it sits on, as the system's default handling would (the main window zooms its
    // views with the wheel, whatever has the focus).
    for (TWinControl* p = Parent(); p; p = p->Parent()) {
        bool handled = false;
        if (p->OnMouseWheel)
            p->OnMouseWheel(p, Shift, WheelDelta, MousePos, handled);
        if (handled)
            return true;
    }
    // Closed, each notch steps the selection by one item (up to the previous one), as the
    // arrow keys do; parts of notches add up.
    wheelDelta_ += WheelDelta;
    const int notches = wheelDelta_ / WHEEL_DELTA;
    wheelDelta_ -= notches * WHEEL_DELTA;
    if (notches != 0 && Items()->Count() > 0)
        Pick(std::clamp(itemIndex_ - notches, 0, Items()->Count() - 1));
    return true;
}

// ---- messages

bool TElComboBox::AnswerComboMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case CB_GETCOUNT:
        Message.Result = Items()->Count();
        return true;
    case CB_GETCURSEL:
        Message.Result = itemIndex_;
        return true;
    case CB_SETCURSEL:
        SetItemIndex(static_cast<int>(Message.WParam));
        Message.Result = itemIndex_;
        return true;
    case CB_SHOWDROPDOWN:
        SetDroppedDown(Message.WParam != 0);
        Message.Result = TRUE;
        return true;
    case CB_GETDROPPEDSTATE:
        Message.Result = dropped_;
        return true;
    case CB_SETDROPPEDWIDTH:
        droppedWidth_ = static_cast<int>(Message.WParam);
        Message.Result = droppedWidth_;
        return true;
    case CB_GETCOMBOBOXINFO: {
        auto* info = reinterpret_cast<COMBOBOXINFO*>(Message.LParam);
        Message.Result = FALSE;
        if (!info || info->cbSize != sizeof(COMBOBOXINFO))
            return true;
        const TElButtonEditParts parts = Parts();
        info->rcItem = RECT{parts.EditRect.Left, parts.EditRect.Top, parts.EditRect.Right, parts.EditRect.Bottom};
        info->rcButton = RECT{parts.Button.Left, parts.Button.Top, parts.Button.Right, parts.Button.Bottom};
        info->stateButton = dropped_ ? STATE_SYSTEM_PRESSED : 0;
        info->hwndCombo = Handle();
        info->hwndItem = Handle();
        info->hwndList = dropDown_->HandleAllocated() ? dropDown_->Handle() : nullptr;
        Message.Result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

void TElComboBox::WndProc(TMessage& Message)
{
    if (!IsDestroying() && HandleAllocated()) {
        if (AnswerComboMessage(Message))
            return;
        switch (Message.Msg) {
        case WM_KILLFOCUS:
            CloseUp(false);
            break;
        case WM_SETFOCUS:
            TCustomElButtonEdit::WndProc(Message);
            // The list style shows its text selected while focused.
            if (style_ == TComboBoxStyle::csDropDownList)
                Editor().SetSel(0, -1);
            return;
        case WM_GETDLGCODE:
            // While the list is open, Return and Escape close it rather than the dialog.
            TCustomElButtonEdit::WndProc(Message);
            if (dropped_)
                Message.Result |= DLGC_WANTALLKEYS | DLGC_WANTARROWS;
            return;
        default:
            break;
        }
    }
    TCustomElButtonEdit::WndProc(Message);
}
