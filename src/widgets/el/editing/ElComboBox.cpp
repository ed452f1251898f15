#include "widgets/el/editing/ElComboBox.h"

#include "widgets/el/editing/ElComboListBox.h"

#include "framework/Screen.h"
#include "framework/WinText.h"

#include <windowsx.h>

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
        owner_.SyncDropDown();
    }
    void Delete(int32_t Index) override
    {
        TElWideStringList::Delete(Index);
        owner_.NativeDelete(Index);
        owner_.SyncDropDown();
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
        owner_.SyncDropDown();
    }
    void Exchange(int32_t Index1, int32_t Index2) override
    {
        TElWideStringList::Exchange(Index1, Index2);
        owner_.NativeRefill();
        owner_.SyncDropDown();
    }
    void CustomSort(const TElWideStringListSortCompare& Compare) override
    {
        TElWideStringList::CustomSort(Compare);
        owner_.NativeRefill();
        owner_.SyncDropDown();
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
        owner_.SyncDropDown();
    }

private:
    TElComboBox& owner_;
};

TElComboBox::TElComboBox(TComponent* AOwner)
    : TElXPThemedControl(AOwner), items_(std::make_unique<TItems>(*this)),
      dropDown_(CreateComponent<TElComboListBox>(nullptr))
{
    dropDown_->OnCloseUp = [this](bool Pick) { CloseUp(Pick); };
    BeginCreate();
    SetBounds(0, 0, 145, 21);
    TabStop = true;
    SetColor(clWindow);
    EndCreate();
}

TElComboBox::~TElComboBox()
{
    edit_.Detach();
    dropDown_.reset();
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
    // The list's window exists from now on, so that the combo box can name it.
    dropDown_->SetOwnerWindow(GetAncestor(Handle(), GA_ROOT));
    dropDown_->HandleNeeded();
}

void TElComboBox::DestroyWnd()
{
    if (HandleAllocated()) {
        CloseUp(false);
        itemIndex_ = ItemIndex();
        edit_.Detach();
    }
    TElXPThemedControl::DestroyWnd();
}

void TElComboBox::AttachParts()
{
    // The system's own parts, as the system knows them (the combo box answers with its list).
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    TMessage m{CB_GETCOMBOBOXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
    TElXPThemedControl::DefaultHandler(m);
    if (!m.Result)
        return;
    if (info.hwndItem && info.hwndItem != Handle())
        edit_.Attach(info.hwndItem, [this](UINT Msg, WPARAM& WParam, LPARAM& LParam, LRESULT&) {
            if (Msg == WM_KILLFOCUS)
                CloseUp(false);
            return ForwardKeyToHolder(*this, Msg, WParam, LParam) || DropDownKey(Msg, WParam, LParam);
        });
}

// ---- the drop-down list

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
    dropDown_->SetItemIndex(ItemIndex());
    dropDown_->Popup(DropDownBounds());
}

void TElComboBox::CloseUp(bool Pick)
{
    if (!dropped_)
        return;
    dropped_ = false;
    const int picked = dropDown_->ItemIndex();
    dropDown_->CloseUp();
    if (Pick && picked >= 0 && picked != ItemIndex() && HandleAllocated()) {
        SelectNative(picked);
        Changed();
    }
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

bool TElComboBox::OnButton(TPoint Client)
{
    if (style_ == TComboBoxStyle::csDropDownList)
        return true;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    TMessage m{CB_GETCOMBOBOXINFO, 0, reinterpret_cast<intptr_t>(&info), 0};
    TElXPThemedControl::DefaultHandler(m);
    return m.Result && PtInRect(&info.rcButton, POINT{Client.X, Client.Y});
}

bool TElComboBox::DropDownKey(UINT Msg, WPARAM Key, LPARAM LParam)
{
    const bool alt = Msg == WM_SYSKEYDOWN && (HIWORD(LParam) & KF_ALTDOWN);
    if ((Msg == WM_KEYDOWN && Key == VK_F4) || (alt && (Key == VK_UP || Key == VK_DOWN))) {
        if (dropped_)
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (!dropped_)
        return false;
    if (Msg == WM_KEYDOWN) {
        switch (Key) {
        case VK_RETURN:
            CloseUp(true);
            return true;
        case VK_ESCAPE:
            CloseUp(false);
            return true;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            SendMessageW(dropDown_->Handle(), WM_KEYDOWN, Key, LParam);
            return true;
        default:
            return false;
        }
    }
    // Typing in a list-style box searches the open list; an editable box edits its text.
    if (Msg == WM_CHAR && style_ == TComboBoxStyle::csDropDownList) {
        if (Key != VK_RETURN && Key != VK_ESCAPE)
            SendMessageW(dropDown_->Handle(), WM_CHAR, Key, LParam);
        return true;
    }
    return false;
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
    return dropped_;
}

void TElComboBox::SetDroppedDown(bool Value)
{
    if (Value)
        DropDown();
    else
        CloseUp(false);
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
    if (!Enabled())
        CloseUp(false);
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
    if (IsDestroying()) {
        TElXPThemedControl::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case CN_BASE + WM_COMMAND:
        switch (HIWORD(Message.WParam)) {
        case CBN_SELCHANGE:
        case CBN_EDITCHANGE:
            if (quiet_ == 0)
                Changed();
            return;
        default:
            return;
        }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The list is ours: the system's own never drops.
        if (OnButton({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)})) {
            if (!Focused() && !(edit_.Handle() && GetFocus() == edit_.Handle()) && CanFocus())
                SetFocus();
            SetDroppedDown(!dropped_);
            return;
        }
        break;
    case CB_SHOWDROPDOWN:
        SetDroppedDown(Message.WParam != 0);
        Message.Result = 1;
        return;
    case CB_GETDROPPEDSTATE:
        Message.Result = dropped_;
        return;
    case CB_SETDROPPEDWIDTH:
        droppedWidth_ = static_cast<int>(Message.WParam);
        break;
    case CB_GETCOMBOBOXINFO:
        TElXPThemedControl::WndProc(Message);
        if (Message.Result && dropDown_->HandleAllocated())
            reinterpret_cast<COMBOBOXINFO*>(Message.LParam)->hwndList = dropDown_->Handle();
        return;
    case WM_KILLFOCUS:
        CloseUp(false);
        break;
    case WM_GETDLGCODE:
        // While the list is open, Return and Escape close it rather than the dialog.
        TElXPThemedControl::WndProc(Message);
        if (dropped_)
            Message.Result |= DLGC_WANTALLKEYS | DLGC_WANTARROWS;
        return;
    default:
        break;
    }
    TElXPThemedControl::WndProc(Message);
}

void TElComboBox::DefaultHandler(TMessage& Message)
{
    // Keys that the form and the handlers left reach the list first, then the system.
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
        if (!IsDestroying() && DropDownKey(Message.Msg, Message.WParam, Message.LParam)) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (dropped_) {
            Message.Result = SendMessageW(dropDown_->Handle(), WM_MOUSEWHEEL, Message.WParam, Message.LParam);
            return;
        }
        break;
    default:
        break;
    }
    TElXPThemedControl::DefaultHandler(Message);
}
