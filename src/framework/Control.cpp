// TControl: the parts every control shares, windowed or not.
#include "framework/Controls.h"

#include "framework/DragDrop.h"
#include "framework/Forms.h"
#include "framework/MathUtils.h"
#include "framework/WinText.h"

#include <windowsx.h>

#include <algorithm>

HCURSOR CursorHandle(TCursor Cursor)
{
    if (HCURSOR drag = DragCursorHandle(Cursor))
        return drag;
    const wchar_t* id = IDC_ARROW;
    switch (Cursor) {
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    default: break;
    }
    return LoadCursorW(nullptr, id);
}

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState MouseShiftState(uintptr_t WParam)
{
    TShiftState s = 0;
    if (WParam & MK_SHIFT) s |= ssShift;
    if (WParam & MK_CONTROL) s |= ssCtrl;
    if (WParam & MK_LBUTTON) s |= ssLeft;
    if (WParam & MK_RBUTTON) s |= ssRight;
    if (WParam & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShortCut ShortCutFromMessage(const TMessage& Message)
{
    // Alt by the key's context bit as well: F10 comes as a system key without Alt.
    TShiftState shift = KeyboardShiftState();
    if (Message.LParam & 0x20000000)
        shift |= ssAlt;
    return ShortCut(static_cast<uint16_t>(Message.WParam), shift);
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::BeforeDestruction()
{
    // Leave the parent while the whole object is alive: the parent may repaint the area.
    if (parent_)
        SetParent(nullptr);
    TComponent::BeforeDestruction();
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == parent_)
        return;
    if (AParent == this)
        return;
    if (parent_)
        parent_->RemoveControl(this);
    if (AParent) {
        // Before inserting: the window, made there when the parent has one, is made right to
        // left; afterwards the controls on this one follow.
        const TBiDiMode before = biDiMode_;
        if (parentBiDiMode_)
            biDiMode_ = AParent->BiDiMode();
        AParent->InsertControl(this);
        if (biDiMode_ != before)
            Perform(CM_BIDIMODECHANGED);
        if (parentFont_)
            font_->Assign(AParent->Font());
        if (parentColor_)
            color_ = AParent->Color();
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    const bool resized = AWidth != width_ || AHeight != height_;
    InvalidateParentArea();
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    InvalidateParentArea();
    if (parent_ && align_ != TAlign::alNone)
        parent_->Realign();
    if (resized)
        Resize();
}

void TControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    SetBounds(PortableMulDiv(left_, M, D), PortableMulDiv(top_, M, D), PortableMulDiv(width_, M, D),
              PortableMulDiv(height_, M, D));
}

void TControl::SetClientSize(int AWidth, int AHeight)
{
    const TRect c = ClientRect();
    SetBounds(left_, top_, width_ + AWidth - c.Width(), height_ + AHeight - c.Height());
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == align_)
        return;
    align_ = Value;
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    if (!Value)
        InvalidateParentArea();
    visible_ = Value;
    VisibleChanged();
    if (Value)
        InvalidateParentArea();
    if (parent_ && align_ != TAlign::alNone)
        parent_->Realign();
}

bool TControl::IsShowing() const
{
    return visible_ && parent_ && parent_->IsShowing();
}

void TControl::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    EnabledChanged();
}

void TControl::SetColor(TColor Value)
{
    parentColor_ = false;
    if (Value == color_)
        return;
    color_ = Value;
    ColorChanged();
}

void TControl::SetParentColor(bool Value)
{
    parentColor_ = Value;
    if (Value && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetParentFont(bool Value)
{
    parentFont_ = Value;
    if (Value && parent_)
        font_->Assign(parent_->Font());
}

std::u16string TControl::Text() const
{
    return text_;
}

void TControl::SetText(const std::u16string& Value)
{
    if (Value == Text())
        return;
    text_ = Value;
    TextChanged();
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == cursor_)
        return;
    cursor_ = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode Value)
{
    parentBiDiMode_ = false;
    if (Value == biDiMode_)
        return;
    biDiMode_ = Value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value)
{
    parentBiDiMode_ = Value;
    if (Value && parent_)
        Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::InvalidateParentArea()
{
    if (IsWindowed() || !parent_ || !parent_->HandleAllocated() || !visible_)
        return;
    const RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, !(ControlStyle & csOpaque));
}

void TControl::Invalidate()
{
    InvalidateParentArea();
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::find(list.begin(), list.end(), this));
        list.push_back(this);
        Invalidate();
    }
}

TPoint TControl::ClientToScreen(TPoint P) const
{
    if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
        POINT p{P.X, P.Y};
        ::ClientToScreen(const_cast<TWinControl*>(w)->Handle(), &p);
        return {p.x, p.y};
    }
    if (parent_)
        return parent_->ClientToScreen({P.X + left_, P.Y + top_});
    return P;
}

TPoint TControl::ScreenToClient(TPoint P) const
{
    if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
        POINT p{P.X, P.Y};
        ::ScreenToClient(const_cast<TWinControl*>(w)->Handle(), &p);
        return {p.x, p.y};
    }
    if (parent_) {
        const TPoint q = parent_->ScreenToClient(P);
        return {q.X - left_, q.Y - top_};
    }
    return P;
}

TCustomForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool TControl::MouseCapture() const
{
    if (IsWindowed()) {
        auto* w = static_cast<const TWinControl*>(this);
        return w->handle_ && GetCapture() == w->handle_;
    }
    return parent_ && parent_->mouseControl_ == this && GetCapture() == parent_->handle_;
}

void TControl::SetMouseCapture(bool Value)
{
    if (Value == MouseCapture())
        return;
    if (IsWindowed()) {
        auto* w = static_cast<TWinControl*>(this);
        if (Value)
            ::SetCapture(w->Handle());
        else
            ReleaseCapture();
        return;
    }
    if (!parent_)
        return;
    if (Value) {
        parent_->mouseControl_ = this;
        ::SetCapture(parent_->Handle());
    } else {
        parent_->mouseControl_ = nullptr;
        ReleaseCapture();
    }
}

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::HandleMouse(TMessage& Message)
{
    const int x = GET_X_LPARAM(Message.LParam);
    const int y = GET_Y_LPARAM(Message.LParam);
    TShiftState shift = MouseShiftState(Message.WParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Message.Msg == WM_LBUTTONDBLCLK) {
            shift |= ssDouble;
            if (ControlStyle & csDoubleClicks)
                DblClick();
        }
        if (ControlStyle & csCaptureMouse)
            SetMouseCapture(true);
        if (ControlStyle & csClickEvents)
            ControlState |= csClicked;
        ControlState |= csLButtonDown;
        MouseDown(TMouseButton::mbLeft, shift, x, y);
        if (DragMode == TDragMode::dmAutomatic && Message.Msg == WM_LBUTTONDOWN)
            BeginAutoDrag();
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, shift | (Message.Msg == WM_RBUTTONDBLCLK ? ssDouble : 0), x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(TMouseButton::mbMiddle, shift | (Message.Msg == WM_MBUTTONDBLCLK ? ssDouble : 0), x, y);
        break;
    case WM_LBUTTONUP: {
        const bool clicked = (ControlState & csClicked) != 0;
        ControlState &= ~(csClicked | csLButtonDown);
        if (ControlStyle & csCaptureMouse)
            SetMouseCapture(false);
        MouseUp(TMouseButton::mbLeft, shift, x, y);
        if (clicked && x >= 0 && y >= 0 && x < width_ && y < height_)
            Click();
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_LBUTTONUP: case WM_RBUTTONUP:
    case WM_MBUTTONUP: case WM_MOUSEMOVE:
        if (!IsDestroying())
            HandleMouse(Message);
        break;
    case CM_MOUSEENTER:
        if (OnMouseEnter)
            OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave)
            OnMouseLeave(this);
        return;
    case CM_PARENTFONTCHANGED:
        if (parentFont_ && parent_)
            font_->Assign(parent_->Font());
        return;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_ && parent_ && parent_->Color() != color_) {
            color_ = parent_->Color();
            ColorChanged();
        }
        return;
    case CM_PARENTBIDIMODECHANGED:
        if (parentBiDiMode_ && parent_ && parent_->BiDiMode() != biDiMode_) {
            biDiMode_ = parent_->BiDiMode();
            Perform(CM_BIDIMODECHANGED);
        }
        return;
    case CM_BIDIMODECHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize()
{
    if (OnResize && !IsDestroying())
        OnResize(this);
}

void TControl::FontChanged()
{
    Invalidate();
}

void TControl::VisibleChanged() {}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::ColorChanged()
{
    Invalidate();
}
