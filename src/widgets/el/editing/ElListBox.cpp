// The list box's window, properties and items. Input is in ElListBoxInput.cpp, painting and
// the border in ElListBoxDraw.cpp.
#include "widgets/el/editing/ElListBox.h"

#include "widgets/el/editing/ElKeyboardPlatformWin.h"
#include "widgets/el/editing/ElListBoxLineHint.h"

#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>

TCustomElListBox::TCustomElListBox(TComponent* AOwner)
    : TElXPThemedControl(AOwner),
      items_(std::make_unique<TElListBoxStrings>(static_cast<IElListBoxWindow*>(this))),
      controller_(std::make_unique<TElSBController>(nullptr)),
      selectedFont_(std::make_unique<TFont>()),
      background_(std::make_unique<TBitmap>()),
      itemCanvas_(std::make_unique<TCanvas>()),
      keyboard_(std::make_unique<TElKeyboardPlatformWin>()),
      lineHint_(std::make_unique<TElListBoxLineHint>(*this))
{
    BeginCreate();
    SetBounds(0, 0, 121, 97);
    TabStop = true;
    SetColor(clWindow);
    ControlStyle |= csOpaque;
    items_->OnChange = [this](TObject*) { RepaintBox(); };
    imageFormLink_.OnChange = [this](TObject*) { RepaintBox(); };
    selectedFont_->Assign(Font());
    selectedFont_->OnChange = [this](TObject*) {
        if (!followingParentFont_)
            SetParentFont(false);
        RepaintBox();
    };
    itemCanvas_->Font()->Assign(Font());
    searchTimer_.reset(CreateComponent<TTimer>(nullptr));
    searchTimer_->SetEnabled(false);
    searchTimer_->OnTimer = [this](TObject*) {
        searchTimer_->SetEnabled(false);
        if (!search_.Timeout.Poll() && search_.Timeout.Running())
            ArmSearchTimer();
    };
    AttachController();
    EndCreate();
}

TCustomElListBox::~TCustomElListBox()
{
    // The controller's hook on the window procedure goes first, then the window (while the
    // hint and the timers it may touch are still there), then the items' link to it.
    controller_->SetControl(nullptr);
    SetImageForm(nullptr);
    DestroyHandle();
    lineHint_.reset();
    searchTimer_.reset();
    items_->Window = nullptr;
}

void TCustomElListBox::BeforeDestruction()
{
    controller_->SetControl(nullptr);
    lineHint_->Cancel();
    searchTimer_->SetEnabled(false);
    TElXPThemedControl::BeforeDestruction();
}

intptr_t TCustomElListBox::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return SendMessageW(const_cast<TCustomElListBox*>(this)->Handle(), Msg, WParam, LParam);
}

void TCustomElListBox::AttachController()
{
    controller_->SetControl(this);
    if (controller_->IsHooked())
        return;
    // Without the scroll-function hook the replacement bars cannot follow the list: the
    // standard bars stay.
    controller_->SetControl(nullptr);
    useCustomScrollBars_ = false;
}

void TCustomElListBox::SetUseCustomScrollBars(bool Value)
{
    if (Value == useCustomScrollBars_)
        return;
    useCustomScrollBars_ = Value;
    if (Value)
        AttachController();
    else
        controller_->SetControl(nullptr);
}

void TCustomElListBox::SetUseXPThemes(bool Value)
{
    TElXPThemedControl::SetUseXPThemes(Value);
    controller_->SetUseXPThemes(Value);
}

// ---- the window

bool TCustomElListBox::RightToLeftRows() const
{
    return rightToLeft_ || BiDiMode() == TBiDiMode::bdRightToLeft;
}

bool TCustomElListBox::ThemedBorder() const
{
    if (!UseXPThemes() || !ThemesAvailable() || !ElUxTheme().IsThemeActive())
        return false;
    const TElThemeHandle probe(nullptr, u"LISTVIEW");
    return static_cast<bool>(probe);
}

void TCustomElListBox::CreateParams(TCreateParams& Params)
{
    TElXPThemedControl::CreateParams(Params);
    Params.SystemClassName = u"LISTBOX";
    Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY |
                    (style_ == TListBoxStyle::lbOwnerDrawVariable ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED);
    if (multiSelect_)
        Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!integralHeight_)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (columns_ != 0)
        Params.Style |= LBS_MULTICOLUMN;
    if (tabWidth_ != 0)
        Params.Style |= LBS_USETABSTOPS;
    // A flat box paints its own border, unless the themed one is used.
    if (borderStyle_ == TBorderStyle::bsSingle && !(flat_ && !ThemedBorder())) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    if (RightToLeftRows())
        Params.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING;
    if (rightAlignedView_ || BiDiMode() == TBiDiMode::bdRightToLeft)
        Params.ExStyle |= WS_EX_LEFTSCROLLBAR;
}

void TCustomElListBox::CreateWnd()
{
    TElXPThemedControl::CreateWnd();
    keyboard_->Window = Handle();
    search_.Input.Platform = keyboard_.get();
    if (tabWidth_ != 0) {
        int stop = tabWidth_;
        Send(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    }
    SetColumnWidth();
    // One placeholder per item, then the selection and scroll position the control kept.
    const int count = items_->Count();
    if (count > 0) {
        // In bulk, as SetRedraw does for an update; an update still going on keeps drawing off.
        controller_->Lock();
        Send(WM_SETREDRAW, FALSE);
        Send(LB_INITSTORAGE, static_cast<WPARAM>(count), 0);
        for (int i = 0; i < count; ++i)
            Send(LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(L""));
        controller_->Unlock();
        if (items_->UpdateCount == 0)
            Send(WM_SETREDRAW, TRUE);
    }
    if (multiSelect_)
        for (int i : keptSelection_)
            Send(LB_SETSEL, TRUE, i);
    if (itemIndex_ >= 0 && itemIndex_ < count)
        Send(multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    if (topIndex_ > 0)
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
    keptSelection_.clear();
}

void TCustomElListBox::CreateHandleDone()
{
    TElXPThemedControl::CreateHandleDone();
    ResetItemHeight();
    if (horizontalScroll_)
        UpdateHorizontalExtent();
    lastTopIndex_ = TopIndex();
}

void TCustomElListBox::KeepWindowState()
{
    // The window goes (made anew, or with its parent's): what it showed is kept for the next.
    itemIndex_ = ItemIndex();
    topIndex_ = TopIndex();
    keptSelection_.clear();
    if (multiSelect_) {
        const int selected = static_cast<int>(Send(LB_GETSELCOUNT));
        if (selected > 0) {
            keptSelection_.resize(static_cast<size_t>(selected));
            Send(LB_GETSELITEMS, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(keptSelection_.data()));
        }
    }
    if (lineHint_)
        lineHint_->Cancel();
    keyboard_->Window = nullptr;
    search_.Input.Platform = nullptr;
}

void TCustomElListBox::Recreate()
{
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomElListBox::CreateThemeHandle()
{
    TElXPThemedControl::CreateThemeHandle();
    if (!UseXPThemes() || !ThemesAvailable() || !HandleAllocated())
        return;
    buttonTheme_.Open(Handle(), u"BUTTON");
    // The theme's check box, measured once per theme.
    SIZE size{};
    const TWindowDC screen(nullptr);
    themedCheckBoxSize_ = {13, 13};
    if (buttonTheme_ && ElUxTheme().GetThemePartSize(buttonTheme_.Get(), screen.Handle(), BP_CHECKBOX,
                                                     CBS_UNCHECKEDNORMAL, nullptr, TS_TRUE, size) &&
        size.cx > 0 && size.cy > 0)
        themedCheckBoxSize_ = {size.cx, size.cy};
}

void TCustomElListBox::FreeThemeHandle()
{
    TElXPThemedControl::FreeThemeHandle();
    buttonTheme_.Reset();
}

void TCustomElListBox::SetColumnWidth()
{
    if (HandleAllocated() && columns_ > 0 && Width() > 0)
        Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, (Width() + columns_ - 3) / columns_)));
}

// ---- items in the window

int32_t TCustomElListBox::InsertPlaceholder(int32_t Index)
{
    if (!HandleAllocated()) {
        // The kept selection stays with its items, as the window's would.
        if (itemIndex_ >= Index)
            ++itemIndex_;
        for (int& i : keptSelection_)
            if (i >= Index)
                ++i;
        return Index;
    }
    const auto answer = static_cast<int32_t>(Send(LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(L"")));
    if (answer >= 0 && horizontalScroll_) {
        const int width = GetItemWidth(Index);
        if (width > horizontalExtent_) {
            horizontalExtent_ = width;
            SetHorizontalExtent();
        }
    }
    return answer;
}

void TCustomElListBox::DeletePlaceholder(int32_t Index)
{
    if (checks_.Anchor == Index)
        checks_.Anchor = -1;
    else if (checks_.Anchor > Index)
        --checks_.Anchor;
    if (!HandleAllocated()) {
        if (itemIndex_ == Index)
            itemIndex_ = -1;
        else if (itemIndex_ > Index)
            --itemIndex_;
        std::erase(keptSelection_, Index);
        for (int& i : keptSelection_)
            if (i > Index)
                --i;
        return;
    }
    lineHint_->Cancel();
    const bool widest = horizontalScroll_ && GetItemWidth(Index) >= horizontalExtent_;
    Send(LB_DELETESTRING, static_cast<WPARAM>(Index));
    if (widest) {
        horizontalExtent_ = WidestItem(Index);
        SetHorizontalExtent();
    }
}

void TCustomElListBox::ClearPlaceholders()
{
    checks_.Anchor = -1;
    if (!HandleAllocated()) {
        itemIndex_ = -1;
        keptSelection_.clear();
        return;
    }
    lineHint_->Cancel();
    Send(LB_RESETCONTENT);
    if (horizontalScroll_) {
        horizontalExtent_ = 0;
        SetHorizontalExtent();
    }
}

void TCustomElListBox::SetRedraw(bool On)
{
    // While the items change in bulk, the bars are left alone too: reading the window's scroll
    // state after every placeholder costs more than the placeholder. They read it once after.
    if (!On && !barsLocked_) {
        controller_->Lock();
        barsLocked_ = true;
    } else if (On && barsLocked_) {
        controller_->Unlock();
        barsLocked_ = false;
    }
    if (!HandleAllocated())
        return;
    Send(WM_SETREDRAW, On);
    if (!On)
        return;
    // The frame is measured again with the bars the items need now, then everything is drawn.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool TCustomElListBox::ItemSelected(int32_t Index)
{
    if (!HandleAllocated())
        return multiSelect_ ? std::find(keptSelection_.begin(), keptSelection_.end(), Index) != keptSelection_.end()
                            : itemIndex_ == Index;
    return multiSelect_ ? Send(LB_GETSEL, static_cast<WPARAM>(Index)) > 0 : Send(LB_GETCURSEL) == Index;
}

void TCustomElListBox::SetItemSelected(int32_t Index, bool Value)
{
    if (!HandleAllocated()) {
        if (!multiSelect_) {
            if (Value)
                itemIndex_ = Index;
            else if (itemIndex_ == Index)
                itemIndex_ = -1;
        } else if (Value != ItemSelected(Index)) {
            if (Value)
                keptSelection_.push_back(Index);
            else
                std::erase(keptSelection_, Index);
        }
        return;
    }
    if (multiSelect_)
        Send(LB_SETSEL, Value, static_cast<LPARAM>(Index));
    else if (Value)
        Send(LB_SETCURSEL, static_cast<WPARAM>(Index));
    else if (Send(LB_GETCURSEL) == Index)
        Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

void TCustomElListBox::SetItems(const TElWideStrings* Value)
{
    items_->Assign(Value);
}

// ---- selection and position

int TCustomElListBox::ItemIndex() const
{
    if (!HandleAllocated())
        return itemIndex_;
    return static_cast<int>(Send(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomElListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= items_->Count())
        Value = -1;
    const int old = ItemIndex();
    if (Value == old)
        return;
    if (!HandleAllocated()) {
        itemIndex_ = Value;
    } else {
        const int top = TopIndex();
        Send(multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
        if (TopIndex() != top)
            CheckTopIndex();
    }
    if (ItemIndex() != old)
        Change();
}

int TCustomElListBox::SelCount() const
{
    if (!HandleAllocated())
        return multiSelect_ ? static_cast<int>(keptSelection_.size()) : -1;
    return static_cast<int>(Send(LB_GETSELCOUNT));
}

bool TCustomElListBox::Selected(int Index) const
{
    return const_cast<TCustomElListBox*>(this)->ItemSelected(Index);
}

void TCustomElListBox::SetSelected(int Index, bool Value)
{
    if (Index >= 0 && Index < items_->Count() && Value != Selected(Index))
        SetItemSelected(Index, Value);
}

int TCustomElListBox::TopIndex() const
{
    return HandleAllocated() ? static_cast<int>(Send(LB_GETTOPINDEX)) : topIndex_;
}

void TCustomElListBox::SetTopIndex(int Value)
{
    if (HandleAllocated()) {
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(Value, 0)));
        CheckTopIndex();
    } else if (Value > 0) {
        topIndex_ = Value;
    }
}

TRect TCustomElListBox::ItemRect(int Index) const
{
    RECT r{};
    if (!HandleAllocated() || Send(LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

int TCustomElListBox::ItemAtPos(TPoint Pos) const
{
    if (!HandleAllocated())
        return -1;
    // Row by row from the top: the window's own answer carries the index in 16 bits.
    const TRect client = ClientRect();
    if (!client.Contains(Pos))
        return -1;
    for (int i = TopIndex(); i >= 0 && i < items_->Count(); ++i) {
        const TRect r = ItemRect(i);
        if (r.Contains(Pos))
            return i;
        if (r.Top >= client.Bottom && (columns_ == 0 || r.Left >= client.Right))
            break;
    }
    return -1;
}

void TCustomElListBox::SetState(int Index, TCheckBoxState Value)
{
    if (Value == State(Index))
        return;
    items_->SetState(Index, Value);
    RepaintItem(Index);
}

void TCustomElListBox::SetImageIndex(int Index, int Value)
{
    if (Value == ImageIndex(Index))
        return;
    items_->SetImageIndex(Index, Value);
    RepaintItem(Index);
}

void TCustomElListBox::RepaintBox()
{
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomElListBox::RepaintItem(int Index)
{
    if (!HandleAllocated())
        return;
    const TRect r = ItemRect(Index);
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    if (!r.IsEmpty())
        InvalidateRect(Handle(), &rc, FALSE);
}

void TCustomElListBox::Change()
{
    if (OnChange && !IsDestroying())
        OnChange(this);
}

// ---- the window's kind

void TCustomElListBox::SetBorderStyle(TBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    Recreate();
}

void TCustomElListBox::SetColumns(int Value)
{
    Value = std::max(Value, 0);
    if (Value == columns_)
        return;
    const bool recreate = columns_ == 0 || Value == 0;
    columns_ = Value;
    if (recreate)
        Recreate();
    else
        SetColumnWidth();
}

void TCustomElListBox::SetExtendedSelect(bool Value)
{
    if (Value == extendedSelect_)
        return;
    extendedSelect_ = Value;
    Recreate();
}

void TCustomElListBox::SetMultiSelect(bool Value)
{
    if (Value == multiSelect_)
        return;
    const bool hadWindow = HandleAllocated();
    const bool hadFocus = Focused();
    DestroyHandle();  // keeps the selection in the present kind
    // The selected item becomes the one mark; the caret item becomes the selected one.
    keptSelection_.clear();
    if (Value && itemIndex_ >= 0)
        keptSelection_.push_back(itemIndex_);
    multiSelect_ = Value;
    if (!hadWindow)
        return;
    HandleNeeded();
    if (hadFocus && CanFocus())
        ::SetFocus(Handle());
}

void TCustomElListBox::SetIntegralHeight(bool Value)
{
    if (Value == integralHeight_)
        return;
    integralHeight_ = Value;
    Recreate();
}

void TCustomElListBox::SetSorted(bool Value)
{
    items_->SetSorted(Value);
}

void TCustomElListBox::SetTabWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == tabWidth_)
        return;
    tabWidth_ = Value;
    Recreate();
}

void TCustomElListBox::SetStyle(TListBoxStyle Value)
{
    // Virtual lists have no item source here: they are taken as their ordinary kinds.
    if (Value == TListBoxStyle::lbVirtual)
        Value = TListBoxStyle::lbStandard;
    else if (Value == TListBoxStyle::lbVirtualOwnerDraw)
        Value = TListBoxStyle::lbOwnerDrawFixed;
    if (Value == style_)
        return;
    style_ = Value;
    Recreate();
}

void TCustomElListBox::SetRightAlignedView(bool Value)
{
    if (Value == rightAlignedView_)
        return;
    rightAlignedView_ = Value;
    ApplyReadingOrder();
}

void TCustomElListBox::SetRightToLeft(bool Value)
{
    if (Value == rightToLeft_)
        return;
    rightToLeft_ = Value;
    ApplyReadingOrder();
}

void TCustomElListBox::ApplyReadingOrder()
{
    // The window stays (whoever holds it keeps a valid handle); its extended style and frame
    // change in place, and the rows are drawn anew.
    if (!HandleAllocated())
        return;
    TCreateParams params;
    CreateParams(params);
    constexpr DWORD kOrder = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    const auto ex = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE));
    SetWindowLongW(Handle(), GWL_EXSTYLE, static_cast<LONG>((ex & ~kOrder) | (params.ExStyle & kOrder)));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TCustomElListBox::SetHorizontalScroll(bool Value)
{
    if (Value == horizontalScroll_)
        return;
    horizontalScroll_ = Value;
    if (!HandleAllocated())
        return;
    if (Value) {
        UpdateHorizontalExtent();
    } else {
        horizontalExtent_ = 0;
        SetHorizontalExtent();
    }
}

// ---- item height and width

int TCustomElListBox::FontHeight()
{
    const TWindowDC screen(nullptr);
    const TSelectedObject font(screen.Handle(), Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Handle(), &tm);
    return tm.tmHeight;
}

int TCustomElListBox::StandardItemHeight()
{
    const int text = FontHeight();
    return Images() ? std::max(text + 2, Images()->Height()) : text;
}

int TCustomElListBox::ItemHeight() const
{
    if (style_ == TListBoxStyle::lbStandard && HandleAllocated()) {
        RECT r{};
        if (Send(LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
            return r.bottom - r.top;
    }
    return itemHeight_;
}

void TCustomElListBox::SetItemHeight(int Value)
{
    if (Value <= 0 || Value == itemHeight_)
        return;
    itemHeight_ = Value;
    Recreate();
}

void TCustomElListBox::ResetItemHeight()
{
    if (style_ == TListBoxStyle::lbStandard)
        itemHeight_ = StandardItemHeight();
    if (!HandleAllocated() || style_ == TListBoxStyle::lbOwnerDrawVariable)
        return;
    Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    const auto real = static_cast<int>(Send(LB_GETITEMHEIGHT, 0));
    if (real > 0)
        itemHeight_ = real;
    RepaintBox();
}

void TCustomElListBox::AdjustItemHeight()
{
    const int text = HandleAllocated() ? FontHeight() : std::abs(Font()->Height());
    const int height = std::max(text + 2, Images() ? Images()->Height() : 0);
    if (style_ == TListBoxStyle::lbStandard) {
        ResetItemHeight();
        return;
    }
    if (height != itemHeight_) {
        itemHeight_ = height;
        ResetItemHeight();
    }
}

void TCustomElListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

int TCustomElListBox::GetItemWidth(int Index)
{
    if (Index < 0 || Index >= items_->Count())
        return 0;
    const std::u16string text = items_->Get(Index);
    const TWindowDC screen(nullptr);
    const TSelectedObject font(screen.Handle(), Font()->Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.Handle(), WideChars(text), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    // The text starts after the image and check box; as much room is left after it.
    return ItemParts(TRect{0, 0, 0x4000, itemHeight_}).Text.Left + (r.right - r.left) + 2;
}

int TCustomElListBox::WidestItem(int Skip)
{
    int widest = 0;
    for (int i = 0; i < items_->Count(); ++i)
        if (i != Skip)
            widest = std::max(widest, GetItemWidth(i));
    return widest;
}

void TCustomElListBox::UpdateHorizontalExtent()
{
    horizontalExtent_ = WidestItem(-1);
    SetHorizontalExtent();
}

void TCustomElListBox::SetHorizontalExtent()
{
    if (HandleAllocated())
        Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horizontalExtent_));
}

// ---- look

void TCustomElListBox::SetFlat(bool Value)
{
    if (Value == flat_)
        return;
    flat_ = Value;
    Recreate();
}

void TCustomElListBox::SetBorderSides(TElBorderSides Value)
{
    Value &= AllBorderSides;
    if (Value == borderSides_)
        return;
    borderSides_ = Value;
    Recreate();
}

void TCustomElListBox::SetActiveBorderType(TElFlatBorderType Value)
{
    if (Value == activeBorderType_)
        return;
    activeBorderType_ = Value;
    if (Focused() || mouseOver_)
        PaintBorder();
}

void TCustomElListBox::SetInactiveBorderType(TElFlatBorderType Value)
{
    if (Value == inactiveBorderType_)
        return;
    inactiveBorderType_ = Value;
    if (!Focused() && !mouseOver_)
        PaintBorder();
}

void TCustomElListBox::SetFlatFocusedScrollBars(bool Value)
{
    if (Value == flatFocusedScrollBars_)
        return;
    flatFocusedScrollBars_ = Value;
    if (Focused())
        PaintBorder();
}

void TCustomElListBox::SetBorderColor(TColor& Field, TColor Value)
{
    if (Value == Field)
        return;
    Field = Value;
    if (flat_)
        PaintBorder();
}

void TCustomElListBox::SetLineBorderActiveColor(TColor Value) { SetBorderColor(lineBorderActiveColor_, Value); }
void TCustomElListBox::SetLineBorderInactiveColor(TColor Value) { SetBorderColor(lineBorderInactiveColor_, Value); }
void TCustomElListBox::SetBorderColorFace(TColor Value) { SetBorderColor(borderColorFace_, Value); }
void TCustomElListBox::SetBorderColorShadow(TColor Value) { SetBorderColor(borderColorShadow_, Value); }
void TCustomElListBox::SetBorderColorHighlight(TColor Value) { SetBorderColor(borderColorHighlight_, Value); }
void TCustomElListBox::SetBorderColorDkShadow(TColor Value) { SetBorderColor(borderColorDkShadow_, Value); }
void TCustomElListBox::SetBorderColorWindow(TColor Value) { SetBorderColor(borderColorWindow_, Value); }

void TCustomElListBox::SetLook(bool& Field, bool Value)
{
    if (Value == Field)
        return;
    Field = Value;
    RepaintBox();
}

void TCustomElListBox::SetLook(TColor& Field, TColor Value)
{
    if (Value == Field)
        return;
    Field = Value;
    RepaintBox();
}

void TCustomElListBox::SetFocusedSelectColor(TColor Value) { SetLook(colors_.FocusedSelectColor, Value); }
void TCustomElListBox::SetFocusedSelectTextColor(TColor Value) { SetLook(colors_.FocusedSelectTextColor, Value); }
void TCustomElListBox::SetHideSelectColor(TColor Value) { SetLook(colors_.HideSelectColor, Value); }
void TCustomElListBox::SetHideSelectTextColor(TColor Value) { SetLook(colors_.HideSelectTextColor, Value); }
void TCustomElListBox::SetHideSelection(bool Value) { SetLook(colors_.HideSelection, Value); }
void TCustomElListBox::SetInvertSelection(bool Value) { SetLook(colors_.InvertSelection, Value); }
void TCustomElListBox::SetTransparentSelection(bool Value) { SetLook(colors_.TransparentSelection, Value); }
void TCustomElListBox::SetUseSelectedFont(bool Value) { SetLook(colors_.UseSelectedFont, Value); }
void TCustomElListBox::SetHideFocusRect(bool Value) { SetLook(hideFocusRect_, Value); }
void TCustomElListBox::SetShowCheckBox(bool Value) { SetLook(showCheckBox_, Value); }
void TCustomElListBox::SetUseBackground(bool Value) { SetLook(useBackground_, Value); }

void TCustomElListBox::SetSelectedFont(const TFont* Value)
{
    selectedFont_->Assign(Value);
}

void TCustomElListBox::SetHighlightAlphaLevel(int Value)
{
    if (Value < 0 || Value > 255 || Value == highlightAlphaLevel_)
        return;
    highlightAlphaLevel_ = Value;
    RepaintBox();
}

void TCustomElListBox::SetAllowGrayed(bool Value)
{
    if (Value == allowGrayed_)
        return;
    allowGrayed_ = Value;
    if (Value)
        return;
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->State(i) == cbGrayed)
            items_->SetState(i, cbUnchecked);
    RepaintBox();
}

void TCustomElListBox::SetImages(TImageList* Value)
{
    if (Value == images_.Get())
        return;
    images_ = Value;
    AdjustItemHeight();
    RepaintBox();
}

void TCustomElListBox::SetAlphaForImages(TImageList* Value)
{
    if (Value == alphaForImages_.Get())
        return;
    alphaForImages_ = Value;
    RepaintBox();
}

void TCustomElListBox::SetBackground(const TBitmap* Value)
{
    background_->Assign(Value);
    RepaintBox();
}

void TCustomElListBox::SetImageForm(TCustomElImageForm* Value)
{
    if (Value == ImageForm())
        return;
    imageFormLink_.SetSender(Value);
    RepaintBox();
}

void TCustomElListBox::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    if (Value)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    RepaintBox();
}

void TCustomElListBox::SetShowLineHint(bool Value)
{
    if (Value == showLineHint_)
        return;
    showLineHint_ = Value;
    if (!Value)
        lineHint_->Cancel();
}

TElListBoxHintWindow* TCustomElListBox::LineHintWindow() const
{
    return lineHint_->Window();
}

void TCustomElListBox::SetIncrementalSearchTimeout(int Value)
{
    search_.SetIncrementalSearchTimeout(static_cast<uint32_t>(std::max(Value, 0)));
}

void TCustomElListBox::FontChanged()
{
    TElXPThemedControl::FontChanged();
    itemCanvas_->Font()->Assign(Font());
    ResetItemHeight();
    if (horizontalScroll_)
        UpdateHorizontalExtent();
}

void TCustomElListBox::ColorChanged()
{
    colorBrush_.reset();
    TElXPThemedControl::ColorChanged();
    RepaintBox();
}

TElListBox::TElListBox(TComponent* AOwner) : TCustomElListBox(AOwner) {}
