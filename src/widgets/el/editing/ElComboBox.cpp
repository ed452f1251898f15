#include "widgets/el/editing/ElComboBox.h"

#include "framework/WinText.h"

#include <algorithm>

// The item list: a wide string list whose every change reaches the combo box's native list.
class TElComboBox::TItems : public TElWideStringList {
public:
    explicit TItems(TElComboBox& Owner) : owner_(Owner) {}

    void Clear() override
    {
        if (Count() == 0)
            return;
        TElWideStringList::Clear();
        owner_.NativeClear();
    }
    void Delete(int32_t Index) override
    {
        TElWideStringList::Delete(Index);
        owner_.NativeDelete(Index);
    }
    void Put(int32_t Index, const std::u16string& S) override
    {
        TElWideStringList::Put(Index, S);
        if (!owner_.HandleAllocated())
            return;  // the kept selection stays; its text is read from the item
        const int selected = owner_.ItemIndex();
        owner_.NativeDelete(Index);
        owner_.NativeInsert(Index, S);
        if (selected == Index)
            owner_.SelectNative(Index);
    }
    void Exchange(int32_t Index1, int32_t Index2) override
    {
        TElWideStringList::Exchange(Index1, Index2);
        owner_.NativeRefill();
    }
    void CustomSort(const TElWideStringListSortCompare& Compare) override
    {
        TElWideStringList::CustomSort(Compare);
        owner_.NativeRefill();
    }
    void SetUpdateState(bool Updating) override
    {
        TElWideStringList::SetUpdateState(Updating);
        owner_.NativeRedraw(!Updating);
    }

protected:
    void InsertItem(int32_t Index, const std::u16string& S) override
    {
        TElWideStringList::InsertItem(Index, S);
        owner_.NativeInsert(Index, S);
    }

private:
    TElComboBox& owner_;
};

TElComboBox::TElComboBox(TComponent* AOwner) : TElXPThemedControl(AOwner), items_(std::make_unique<TItems>(*this))
{
    BeginCreate();
    SetBounds(0, 0, 145, 21);
    TabStop = true;
    SetColor(clWindow);
    EndCreate();
}

TElComboBox::~TElComboBox()
{
    edit_.Detach();
    list_.Detach();
}

TElWideStrings* TElComboBox::Items() const
{
    return items_.get();
}

void TElComboBox::CreateParams(TCreateParams& Params)
{
    TElXPThemedControl::CreateParams(Params);
    Params.SystemClassName = u"COMBOBOX";
    Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                    (style_ == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    // A combo box's window height includes its list; the list is placed when it opens.
    Params.Height += dropDownCount_ * 16;
}

void TElComboBox::CreateHandleDone()
{
    TElXPThemedControl::CreateHandleDone();
    NativeRefill();
    if (style_ == TComboBoxStyle::csDropDown) {
        ++quiet_;
        SetWindowTextW(Handle(), WideChars(text_));
        --quiet_;
    }
    SelectNative(itemIndex_);
    AttachParts();
    ApplyEditAlignment();
}

void TElComboBox::DestroyWnd()
{
    if (HandleAllocated()) {
        itemIndex_ = ItemIndex();
        edit_.Detach();
        list_.Detach();
    }
    TElXPThemedControl::DestroyWnd();
}

void TElComboBox::AttachParts()
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(Handle(), &info))
        return;
    if (info.hwndItem && info.hwndItem != Handle())
        edit_.Attach(info.hwndItem, [this](UINT Msg, WPARAM& WParam, LPARAM& LParam, LRESULT&) {
            return ForwardKeyToHolder(*this, Msg, WParam, LParam);
        });
    if (info.hwndList)
        list_.Attach(info.hwndList, [this](UINT Msg, WPARAM&, LPARAM& LParam, LRESULT&) {
            if (Msg == WM_WINDOWPOSCHANGING)
                PlaceList(*reinterpret_cast<WINDOWPOS*>(LParam));
            return false;
        });
}

void TElComboBox::PlaceList(WINDOWPOS& Pos)
{
    if (!HandleAllocated())
        return;
    RECT box{}, list{};
    GetWindowRect(Handle(), &box);
    GetWindowRect(list_.Handle(), &list);
    if (!(Pos.flags & SWP_NOSIZE)) {
        const int rows = std::clamp(Items()->Count(), 1, std::max(dropDownCount_, 1));
        const int itemHeight = static_cast<int>(SendMessageW(list_.Handle(), LB_GETITEMHEIGHT, 0, 0));
        const int height = rows * std::max(itemHeight, 1) + 2 * GetSystemMetrics(SM_CYBORDER);
        // A list that opens above the box keeps its bottom edge at the box.
        if (!(Pos.flags & SWP_NOMOVE) && Pos.y < box.top)
            Pos.y += Pos.cy - height;
        Pos.cy = height;
    }
    if (dropDownAlignment_ == TAlignment::taRightJustify && !(Pos.flags & SWP_NOMOVE)) {
        const int width = (Pos.flags & SWP_NOSIZE) ? static_cast<int>(list.right - list.left) : Pos.cx;
        Pos.x = box.right - width;
    }
}

// ---- items

// Without a window the kept selection moves with its item, as the native list's would.
void TElComboBox::NativeInsert(int Index, const std::u16string& S)
{
    if (HandleAllocated())
        SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(WideChars(S)));
    else if (itemIndex_ >= Index)
        ++itemIndex_;
}

void TElComboBox::NativeDelete(int Index)
{
    if (HandleAllocated()) {
        SendMessageW(Handle(), CB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    } else if (itemIndex_ == Index) {
        itemIndex_ = -1;
        if (style_ == TComboBoxStyle::csDropDownList)
            text_.clear();
    } else if (itemIndex_ > Index) {
        --itemIndex_;
    }
}

void TElComboBox::NativeClear()
{
    if (HandleAllocated()) {
        ++quiet_;
        SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
        --quiet_;
    }
    itemIndex_ = -1;
    if (style_ == TComboBoxStyle::csDropDownList)
        text_.clear();
}

void TElComboBox::NativeRefill()
{
    if (!HandleAllocated())
        return;
    const int selected = ItemIndex();
    ++quiet_;
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < Items()->Count(); ++i)
        NativeInsert(i, Items()->Get(i));
    --quiet_;
    SelectNative(selected < Items()->Count() ? selected : -1);
}

void TElComboBox::NativeRedraw(bool On)
{
    if (!HandleAllocated())
        return;
    SendMessageW(Handle(), WM_SETREDRAW, On, 0);
    if (On)
        InvalidateRect(Handle(), nullptr, TRUE);
}

// ---- selection and text

int TElComboBox::ItemIndex() const
{
    if (!HandleAllocated())
        return itemIndex_;
    return static_cast<int>(SendMessageW(const_cast<TElComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TElComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Items()->Count())
        Value = -1;
    itemIndex_ = Value;
    if (HandleAllocated()) {
        SelectNative(Value);
        return;
    }
    if (Value >= 0)
        text_ = Items()->Get(Value);
    else if (style_ == TComboBoxStyle::csDropDownList)
        text_.clear();
}

void TElComboBox::SelectNative(int Index)
{
    if (!HandleAllocated())
        return;
    ++quiet_;
    // The system clears the edit text with the selection; the editable style keeps it.
    const bool keepText = Index < 0 && style_ == TComboBoxStyle::csDropDown;
    const std::u16string kept = keepText ? TWinControl::Text() : std::u16string();
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    if (keepText)
        SetWindowTextW(Handle(), WideChars(kept));
    --quiet_;
}

std::u16string TElComboBox::Text() const
{
    if (HandleAllocated() || style_ == TComboBoxStyle::csDropDown)
        return TWinControl::Text();
    return itemIndex_ >= 0 ? Items()->Get(itemIndex_) : std::u16string();
}

void TElComboBox::SetText(const std::u16string& Value)
{
    if (style_ == TComboBoxStyle::csDropDownList) {
        SetItemIndex(Items()->IndexOf(Value));
        return;
    }
    ++quiet_;
    text_ = Value;
    if (HandleAllocated())
        SetWindowTextW(Handle(), WideChars(Value));
    --quiet_;
}

bool TElComboBox::DroppedDown() const
{
    if (droppingDown_)
        return true;
    return HandleAllocated() &&
           SendMessageW(const_cast<TElComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TElComboBox::SetDroppedDown(bool Value)
{
    if (HandleAllocated() && Value != DroppedDown())
        SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0);
}

// ---- presentation

void TElComboBox::SetDropDownAlignment(TAlignment Value)
{
    dropDownAlignment_ = Value == TAlignment::taRightJustify ? Value : TAlignment::taLeftJustify;
}

void TElComboBox::SetDropDownCount(int Value)
{
    dropDownCount_ = std::max(Value, 1);
}

void TElComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == style_)
        return;
    if (HandleAllocated()) {
        itemIndex_ = ItemIndex();
        text_ = TWinControl::Text();
    }
    style_ = Value;
    if (style_ == TComboBoxStyle::csDropDownList)
        text_ = itemIndex_ >= 0 ? Items()->Get(itemIndex_) : std::u16string();
    RecreateWnd();
}

void TElComboBox::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    ApplyEditAlignment();
}

void TElComboBox::SetRightAlignedView(bool Value)
{
    SetBiDiMode(Value ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    ApplyEditAlignment();
}

void TElComboBox::ApplyEditAlignment()
{
    const HWND edit = edit_.Handle();
    if (!edit)
        return;
    const bool right = alignment_ == TAlignment::taRightJustify;
    const LONG style = GetWindowLongW(edit, GWL_STYLE);
    const LONG wanted = (style & ~(ES_RIGHT | ES_CENTER)) | (right ? ES_RIGHT : ES_LEFT);
    if (wanted != style) {
        SetWindowLongW(edit, GWL_STYLE, wanted);
        InvalidateRect(edit, nullptr, TRUE);
    }
}

void TElComboBox::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    Invalidate();
}

// ---- notifications

void TElComboBox::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TElComboBox::WndProc(TMessage& Message)
{
    if (Message.Msg == CN_BASE + WM_COMMAND && !IsDestroying()) {
        switch (HIWORD(Message.WParam)) {
        case CBN_SELCHANGE:
        case CBN_EDITCHANGE:
            if (quiet_ == 0)
                Changed();
            return;
        case CBN_DROPDOWN:
            droppingDown_ = true;
            if (OnDropDown)
                OnDropDown(this);
            return;
        case CBN_CLOSEUP:
            droppingDown_ = false;
            return;
        default:
            return;
        }
    }
    TElXPThemedControl::WndProc(Message);
}
