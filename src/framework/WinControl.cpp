// TWinControl: controls with a window of their own, the window classes behind them and the
// one window procedure through which every framework window's messages enter C++ code.
#include "framework/Controls.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/Screen.h"
#include "framework/ScopedGdi.h"
#include "framework/StrConv.h"
#include "framework/WinText.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

LRESULT CALLBACK FrameworkWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

namespace {

std::unordered_map<HWND, TWinControl*>& WindowMap()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

// The control whose window is being created; the first message of an unknown window binds to it.
thread_local TWinControl* gCreating = nullptr;

// The window classes the framework registered. A class is known by the name the control asks
// for and the system class it wraps: a wrapper of LISTBOX that keeps a plain control's name is
// still a list box. Each such pair has a window class of its own, named after both.
struct TClassKey {
    std::u16string Name;
    std::u16string SystemClass;
    auto operator<=>(const TClassKey&) const = default;
};

struct TRegisteredClass {
    std::u16string WindowsName;
    WNDPROC DefaultProc = DefWindowProcW;
};

std::map<TClassKey, TRegisteredClass>& RegisteredClasses()
{
    static std::map<TClassKey, TRegisteredClass> classes;
    return classes;
}

// Window class names are compared without regard to case.
std::u16string FoldedClassName(std::u16string Name)
{
    for (char16_t& c : Name)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return Name;
}

// Registers (once) the window class of the key in P and returns it. Two keys that would need
// the same window class name, or a name some other code registered, are an error: falling back
// to the class that is there would give the control the wrong window.
const TRegisteredClass& RegisterWindowClass(const TCreateParams& P)
{
    const TClassKey key{P.WinClassName, P.SystemClassName};
    auto& classes = RegisteredClasses();
    if (auto it = classes.find(key); it != classes.end())
        return it->second;

    TRegisteredClass entry;
    entry.WindowsName = u"L3D." + P.WinClassName;
    if (!P.SystemClassName.empty())
        entry.WindowsName += u":" + P.SystemClassName;
    const std::u16string folded = FoldedClassName(entry.WindowsName);
    for (const auto& [otherKey, other] : classes)
        if (FoldedClassName(other.WindowsName) == folded)
            throw EInvalidOperation(u"Window class " + entry.WindowsName + u" is already registered for another class");
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, WideChars(entry.WindowsName), &existing))
        throw EInvalidOperation(u"Window class " + entry.WindowsName + u" is already registered elsewhere");

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!P.SystemClassName.empty()) {
        // Superclass the system class: its behaviour, our procedure in front of it.
        if (!GetClassInfoExW(nullptr, WideChars(P.SystemClassName), &wc))
            throw EOSError(u"Window class not found: " + P.SystemClassName, GetLastError());
        wc.cbSize = sizeof wc;
        entry.DefaultProc = wc.lpfnWndProc;
    } else {
        wc.style = P.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = P.Background;
        wc.hIcon = P.Icon;
    }
    wc.lpfnWndProc = FrameworkWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = WideChars(entry.WindowsName);
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc))
        throw EOSError(u"Window class could not be registered: " + entry.WindowsName, GetLastError());
    return classes.emplace(key, std::move(entry)).first->second;
}

// Right to left as alignment and reading order, never as a mirrored layout.
constexpr DWORD kRightToLeftExStyle = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

int NextControlId()
{
    static int id = 1000;
    return ++id;
}

TWinControl* ControlOf(TControl* c)
{
    return dynamic_cast<TWinControl*>(c);
}

}  // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto& map = WindowMap();
    TWinControl* control = nullptr;
    if (auto it = map.find(Wnd); it != map.end()) {
        control = it->second;
    } else if (gCreating) {
        control = gCreating;
        gCreating = nullptr;
        map[Wnd] = control;
        control->handle_ = Wnd;
    } else {
        return DefWindowProcW(Wnd, Msg, WParam, LParam);
    }
    TMessage m{Msg, WParam, LParam, 0};
    try {
        control->WindowProc(m);
    } catch (...) {
        // Nothing unwinds into the system's frames.
        HandleCurrentException();
    }
    return m.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    ControlStyle |= csAcceptsControls;
}

TWinControl::~TWinControl()
{
    DestroyHandle();
    while (!controls_.empty())
        Free(controls_.back());
}

void TWinControl::BeforeDestruction()
{
    // The window goes first, while every handler can still run; then the children (which the
    // framework frees with their parent), then the owned components.
    Destroying();
    DestroyHandle();
    while (!controls_.empty())
        Free(controls_.back());
    TControl::BeforeDestruction();
}

TWinControl* TWinControl::FindControl(HWND Wnd)
{
    auto& map = WindowMap();
    while (Wnd) {
        if (auto it = map.find(Wnd); it != map.end())
            return it->second;
        if (!(GetWindowLongW(Wnd, GWL_STYLE) & WS_CHILD))
            return nullptr;
        Wnd = GetParent(Wnd);
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* Control)
{
    controls_.push_back(Control);
    Control->parent_ = this;
    if (auto* w = ControlOf(Control)) {
        tabList_.push_back(w);
        if (handle_)
            w->HandleNeeded();
    } else {
        Control->Invalidate();
    }
    if (Control->Align() != TAlign::alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* Control)
{
    if (mouseControl_ == Control)
        mouseControl_ = nullptr;
    if (auto* w = ControlOf(Control)) {
        w->DestroyHandle();
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    } else {
        Control->InvalidateParentArea();
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), Control), controls_.end());
    Control->parent_ = nullptr;
    if (Control->Align() != TAlign::alNone && !IsDestroying())
        Realign();
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    Value = std::clamp(Value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + Value, this);
}

// ---- the window

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = text_;
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Parent())
        Params.Style |= WS_CHILD;
    if (Visible() && Parent())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (TabStop)
        Params.Style |= WS_TABSTOP;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    Params.ClassStyle = CS_HREDRAW | CS_VREDRAW | ((ControlStyle & csDoubleClicks) ? CS_DBLCLKS : 0);
    Params.WinClassName = Utf8ToWide(ClassName());
    if (BiDiMode() == TBiDiMode::bdRightToLeft)
        Params.ExStyle |= kRightToLeftExStyle;
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    const TRegisteredClass& windowClass = RegisterWindowClass(p);
    defWndProc_ = windowClass.DefaultProc;
    if (p.Style & WS_CHILD)
        controlId_ = NextControlId();
    gCreating = this;
    HWND wnd = CreateWindowExW(p.ExStyle, WideChars(windowClass.WindowsName), WideChars(p.Caption), p.Style, p.X, p.Y, p.Width,
                               p.Height, p.WndParent,
                               (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(controlId_)) : nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    gCreating = nullptr;
    if (!wnd) {
        handle_ = nullptr;
        throw EOutOfResources(u"Error creating window: " + p.WinClassName);
    }
    handle_ = wnd;
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (Parent())
            Parent()->HandleNeeded();
        if (handle_)  // the parent's creation made ours
            return handle_;
        ControlState |= csCreating;
        try {
            CreateWnd();
        } catch (...) {
            ControlState &= ~csCreating;
            throw;
        }
        ControlState &= ~csCreating;
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        UpdateBoundsFromWindow();
        ApplyRegion();
        if (bevelKind_ != TBevelKind::bkNone || borderWidth_ > 0)
            FrameChanged();
        for (TWinControl* child : std::vector<TWinControl*>(tabList_))
            child->HandleNeeded();
        Realign();
        CreateHandleDone();
    }
    return handle_;
}

void TWinControl::DestroyWnd()
{
    if (handle_) {
        // Windows keep no state of their own here; the fields hold it.
        text_ = TWinControl::Text();
        DestroyWindow(handle_);
    }
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    DestroyWnd();
    if (handle_) {  // not destroyed through WM_NCDESTROY (foreign thread, failure): forget it
        WindowMap().erase(handle_);
        handle_ = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    const bool hadFocus = Focused();
    DestroyHandle();
    HandleNeeded();
    if (hadFocus && CanFocus())
        ::SetFocus(handle_);
}

void TWinControl::UpdateBoundsFromWindow()
{
    if (!handle_)
        return;
    RECT r{};
    GetWindowRect(handle_, &r);
    if (HWND parentWnd = GetParent(handle_); parentWnd && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parentWnd, reinterpret_cast<POINT*>(&r), 2);
    const bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (resized) {
        Realign();
        Resize();
    }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    if (handle_) {
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        // WM_WINDOWPOSCHANGED has updated the fields; a window the system kept from the size
        // asked for (minimum sizes) keeps the system's size.
    } else {
        const bool resized = AWidth != width_ || AHeight != height_;
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
        if (resized) {
            Realign();
            Resize();
        }
    }
    if (Parent() && Align() != TAlign::alNone)
        Parent()->Realign();
}

std::u16string TWinControl::Text() const
{
    if (!handle_)
        return text_;
    const int n = GetWindowTextLengthW(handle_);
    std::u16string s(static_cast<size_t>(n) + 1, u'\0');
    const int got = GetWindowTextW(handle_, WideBuffer(s), n + 1);
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return s;
}

TRect TWinControl::ClientRect() const
{
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    return TControl::ClientRect();
}

bool TWinControl::IsShowing() const
{
    if (!Parent())
        return Visible();
    return TControl::IsShowing();
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::Realign()
{
    if (ControlState & csAligning)
        return;
    TRect r = ClientRect();
    ControlState |= csAligning;
    try {
        AlignControls(r);
    } catch (...) {
        ControlState &= ~csAligning;
        throw;
    }
    ControlState &= ~csAligning;
}

void TWinControl::AlignControls(TRect& Rect)
{
    // Top, bottom, left, right, then client: each takes its strip off what is left.
    static const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                   TAlign::alClient};
    for (TAlign a : order) {
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->Align() != a || !c->Visible())
                continue;
            switch (a) {
            case TAlign::alTop:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->Height());
                Rect.Top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), Rect.Width(), c->Height());
                Rect.Bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), Rect.Height());
                Rect.Left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), Rect.Height());
                Rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
                break;
            }
        }
    }
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled, bool AllowWinControls) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!AllowWinControls && ControlOf(c))
            continue;
        if (c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(P))
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (TControl* c : std::vector<TControl*>(controls_)) {
        c->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const
{
    for (TWinControl* w : tabList_) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

// ---- focus

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = ParentForm(); form && form != this)
        form->SetActiveControl(this);
    ::SetFocus(Handle());
}

void TWinControl::DoEnter()
{
    if (OnEnter && !IsDestroying())
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit && !IsDestroying())
        OnExit(this);
}

// ---- keys

bool TWinControl::DoKeyDown(uint16_t& Key, TShiftState Shift)
{
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        static_cast<TWinControl*>(form)->KeyDown(Key, Shift);
        if (Key == 0)
            return true;
    }
    KeyDown(Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyPress(char16_t& Key)
{
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        static_cast<TWinControl*>(form)->KeyPress(Key);
        if (Key == 0)
            return true;
    }
    KeyPress(Key);
    return Key == 0;
}

bool TWinControl::DoKeyUp(uint16_t& Key, TShiftState Shift)
{
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        static_cast<TWinControl*>(form)->KeyUp(Key, Shift);
        if (Key == 0)
            return true;
    }
    KeyUp(Key, Shift);
    return Key == 0;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

bool TWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TWinControl::HandleKeyMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        // Before translation: the form's short-cuts, then the application's (the main form's
        // menus, also while another form is active), then the dialog keys the control does not
        // want for itself. Result 1 swallows the key.
        Message.Result = 1;
        TCustomForm* form = ParentForm();
        if (form && form->IsShortCut(Message))
            return;
        if (Application && Application->IsShortCut(Message, form))
            return;
        const auto key = static_cast<uint16_t>(Message.WParam);
        uint32_t mask = 0;
        switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        if (mask && form && Perform(CM_WANTSPECIALKEY, key) == 0 &&
            (Perform(WM_GETDLGCODE) & mask) == 0 && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0)
            return;
        Message.Result = 0;
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        auto key = static_cast<uint16_t>(Message.WParam);
        if (DoKeyDown(key, KeyboardShiftState() | ((Message.LParam & 0x20000000) ? ssAlt : 0))) {
            if (Application)
                Application->ClaimKey(Handle());
            return;
        }
        Message.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        auto key = static_cast<uint16_t>(Message.WParam);
        if (DoKeyUp(key, KeyboardShiftState()))
            return;
        Message.WParam = key;
        break;
    }
    case WM_CHAR: {
        auto ch = static_cast<char16_t>(Message.WParam);
        if (DoKeyPress(ch))
            return;
        Message.WParam = ch;
        break;
    }
    default:
        break;
    }
    DefaultHandler(Message);
}

void TWinControl::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
}

// ---- painting

bool TWinControl::PaintsItself() const
{
    return defWndProc_ == DefWindowProcW;
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC Dc)
{
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (ControlOf(c) || !c->Visible())
            continue;
        const TSavedDC saved(Dc);
        IntersectClipRect(Dc, c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_);
        // Relative to the origin the DC has: a control painting its parent's background has
        // moved it already.
        OffsetViewportOrgEx(Dc, c->left_, c->top_, nullptr);
        c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(Dc), 0);
    }
}

void TWinControl::PaintHandler(TMessage& Message)
{
    const bool hasGraphicChildren =
        std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !ControlOf(c); });
    if (!PaintsItself() && !hasGraphicChildren) {
        DefaultHandler(Message);
        return;
    }
    // A DC handed over in WParam is the sender's; otherwise this paint cycle owns one.
    std::optional<TPaintDC> paint;
    if (!Message.WParam)
        paint.emplace(handle_);
    const HDC dc = paint ? paint->Handle() : reinterpret_cast<HDC>(Message.WParam);
    if (PaintsItself())
        PaintWindow(dc);
    PaintControls(dc);
}

// ---- mouse over windowless children

void TWinControl::HandleChildMouse(TMessage& Message)
{
    const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    TControl* target = mouseControl_;
    if (!target) {
        target = ControlAtPos(p, false, false);
        if (target && Message.Msg != WM_MOUSEMOVE && Message.Msg != WM_LBUTTONUP &&
            Message.Msg != WM_RBUTTONUP && Message.Msg != WM_MBUTTONUP)
            mouseControl_ = target;
    }
    if (!target) {
        TControl::WndProc(Message);
        return;
    }
    const LPARAM local = MAKELPARAM(p.X - target->left_, p.Y - target->top_);
    TControl* held = target;
    target->Perform(Message.Msg, Message.WParam, local);
    // A button released (or capture gone) ends the windowless child's hold on the mouse.
    if ((Message.Msg == WM_LBUTTONUP || Message.Msg == WM_RBUTTONUP || Message.Msg == WM_MBUTTONUP) &&
        mouseControl_ == held && !(MouseShiftState(Message.WParam) & (ssLeft | ssRight | ssMiddle)))
        mouseControl_ = nullptr;
}

bool TWinControl::HandleSetCursor(TMessage& Message)
{
    if (reinterpret_cast<HWND>(Message.WParam) != handle_ || LOWORD(Message.LParam) != HTCLIENT)
        return false;
    TCursor cursor = ::Screen ? ::Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
        POINT pt{};
        GetCursorPos(&pt);
        ::ScreenToClient(handle_, &pt);
        TControl* c = ControlAtPos({pt.x, pt.y}, false, false);
        cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
    }
    if (cursor == crDefault)
        return false;
    ::SetCursor(CursorHandle(cursor));
    Message.Result = 1;
    return true;
}

// ---- reflection

void TWinControl::ReflectToChild(TMessage& Message)
{
    HWND child = nullptr;
    switch (Message.Msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        if (dis->CtlType != ODT_MENU)
            child = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        if (mis->CtlType != ODT_MENU)
            for (TWinControl* w : tabList_)
                if (w->controlId_ == static_cast<int>(mis->CtlID))
                    child = w->handle_ ? w->handle_ : reinterpret_cast<HWND>(-1);
        if (child == reinterpret_cast<HWND>(-1)) {
            // Measured while its window is still being created: find it by id.
            for (TWinControl* w : tabList_)
                if (w->controlId_ == static_cast<int>(mis->CtlID)) {
                    Message.Result = w->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
                    return;
                }
        }
        break;
    }
    default:
        child = reinterpret_cast<HWND>(Message.LParam);
        break;
    }
    auto& map = WindowMap();
    if (child) {
        if (auto it = map.find(child); it != map.end() && it->second != this) {
            Message.Result = it->second->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
    }
    DefaultHandler(Message);
}

// ---- dispatch

void TWinControl::WndProc(TMessage& Message)
{
    if (IsDestroying() && Message.Msg != WM_NCDESTROY) {
        DefaultHandler(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_NCDESTROY:
        DefaultHandler(Message);
        WindowMap().erase(handle_);
        handle_ = nullptr;
        mouseControl_ = nullptr;
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        UpdateBoundsFromWindow();
        return;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        if (TCustomForm* form = ParentForm(); form && form != this)
            form->FocusChanged(this);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        DoExit();
        return;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
        HandleKeyMessage(Message);
        return;
    case WM_MOUSEWHEEL: {
        const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (DoMouseWheel(MouseShiftState(GET_KEYSTATE_WPARAM(Message.WParam)),
                         GET_WHEEL_DELTA_WPARAM(Message.WParam), p))
            return;
        // Unhandled wheels go to the parent, as the system does for child windows.
        DefaultHandler(Message);
        return;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_LBUTTONUP: case WM_RBUTTONUP:
    case WM_MBUTTONUP: case WM_MOUSEMOVE:
        if (mouseControl_ || ControlAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, false, false)) {
            HandleChildMouse(Message);
            return;
        }
        if (Message.Msg == WM_LBUTTONDOWN && TabStop && CanFocus() && !Focused() && PaintsItself())
            SetFocus();
        TControl::WndProc(Message);
        return;
    case WM_CAPTURECHANGED:
        mouseControl_ = nullptr;
        break;
    case WM_SETCURSOR:
        if (HandleSetCursor(Message))
            return;
        break;
    case WM_PAINT:
        PaintHandler(Message);
        return;
    case WM_NCCALCSIZE:
        CalcNonClientSize(Message);
        return;
    case WM_NCPAINT:
        PaintNonClient();
        DefaultHandler(Message);
        return;
    case WM_SETTINGCHANGE:
        DefaultHandler(Message);
        if (!Parent())  // the system tells top-level windows; they tell their controls
            Perform(CM_WININICHANGE, Message.WParam, Message.LParam);
        return;
    case CM_WININICHANGE:
        for (TControl* c : std::vector<TControl*>(controls_))
            c->Perform(CM_WININICHANGE, Message.WParam, Message.LParam);
        return;
    case CM_BIDIMODECHANGED:
        ApplyBiDiStyle();
        for (TControl* c : std::vector<TControl*>(controls_))
            c->Perform(CM_PARENTBIDIMODECHANGED);
        break;
    case WM_ERASEBKGND:
        if (PaintsItself() && (ControlStyle & csParentBackground) && Parent()) {
            PaintParentBackground(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 1;
            return;
        }
        if (PaintsItself()) {
            if (!(ControlStyle & csOpaque)) {
                RECT r{};
                GetClientRect(handle_, &r);
                const TGdiObject<HBRUSH> b(CreateSolidBrush(ColorToRGB(Color())));
                FillRect(reinterpret_cast<HDC>(Message.WParam), &r, b.get());
            }
            Message.Result = 1;
            return;
        }
        break;
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_HSCROLL:
    case WM_VSCROLL: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORDLG:
        if (Message.Msg == WM_COMMAND && Message.LParam == 0)
            break;  // menus and accelerators
        ReflectToChild(Message);
        return;
    case WM_GETDLGCODE:
        DefaultHandler(Message);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(Message);
        return;
    default:
        break;
    }
    TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (handle_ && Message.Msg < CM_BASE) {
        Message.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, Message.Msg,
                                         Message.WParam, Message.LParam);
        return;
    }
    // The framework's own notifications travel on to the windowed children where that is
    // their meaning (font and colour of the parent).
    if (Message.Msg == CM_PARENTFONTCHANGED || Message.Msg == CM_PARENTCOLORCHANGED) {
        TControl::WndProc(Message);
    }
}

// ---- right to left, bevels and borders, regions, the parent's background

void TWinControl::ApplyBiDiStyle()
{
    if (!handle_)
        return;
    const DWORD ex = static_cast<DWORD>(GetWindowLongW(handle_, GWL_EXSTYLE));
    const DWORD wanted = (ex & ~kRightToLeftExStyle) | (BiDiMode() == TBiDiMode::bdRightToLeft ? kRightToLeftExStyle : 0);
    if (wanted == ex)
        return;
    SetWindowLongW(handle_, GWL_EXSTYLE, static_cast<LONG>(wanted));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(handle_, nullptr, TRUE);
}

int TWinControl::BevelEdgeSize() const
{
    if (bevelKind_ == TBevelKind::bkNone)
        return 0;
    return (bevelInner_ != TBevelCut::bvNone ? bevelWidth_ : 0) + (bevelOuter_ != TBevelCut::bvNone ? bevelWidth_ : 0);
}

void TWinControl::FrameChanged()
{
    if (!handle_)
        return;
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void TWinControl::SetBevelKind(TBevelKind Value)
{
    if (Value == bevelKind_)
        return;
    bevelKind_ = Value;
    FrameChanged();
}

void TWinControl::SetBevelInner(TBevelCut Value)
{
    if (Value == bevelInner_)
        return;
    bevelInner_ = Value;
    FrameChanged();
}

void TWinControl::SetBevelOuter(TBevelCut Value)
{
    if (Value == bevelOuter_)
        return;
    bevelOuter_ = Value;
    FrameChanged();
}

void TWinControl::SetBevelEdges(TBevelEdges Value)
{
    Value &= beAllEdges;
    if (Value == bevelEdges_)
        return;
    bevelEdges_ = Value;
    FrameChanged();
}

void TWinControl::SetBevelWidth(int Value)
{
    Value = std::max(1, Value);
    if (Value == bevelWidth_)
        return;
    bevelWidth_ = Value;
    FrameChanged();
}

void TWinControl::SetBorderWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == borderWidth_)
        return;
    borderWidth_ = Value;
    FrameChanged();
}

void TWinControl::SetCtl3D(bool Value)
{
    if (Value == ctl3D_)
        return;
    ctl3D_ = Value;
    FrameChanged();
}

void TWinControl::CalcNonClientSize(TMessage& Message)
{
    DefaultHandler(Message);
    const int edge = BevelEdgeSize();
    if (edge == 0 && borderWidth_ == 0)
        return;
    // Both forms of the message carry the new client rectangle first.
    RECT& r = *reinterpret_cast<RECT*>(Message.LParam);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    if (bevelEdges_ & beLeft) r.left += edge;
    if (bevelEdges_ & beTop) r.top += edge;
    if (bevelEdges_ & beRight) r.right -= edge;
    if (bevelEdges_ & beBottom) r.bottom -= edge;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

void TWinControl::PaintNonClient()
{
    if (bevelKind_ == TBevelKind::bkNone && borderWidth_ == 0)
        return;
    // Window coordinates: the client rectangle as it sits in the window.
    RECT window{}, client{};
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    const TWindowDC windowDc(handle_, true);
    const HDC dc = windowDc.Handle();
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    RECT frame = client;
    InflateRect(&frame, borderWidth_, borderWidth_);
    if (bevelKind_ != TBevelKind::bkNone) {
        const int edge = BevelEdgeSize();
        if (bevelEdges_ & beLeft) frame.left -= edge;
        if (bevelEdges_ & beTop) frame.top -= edge;
        if (bevelEdges_ & beRight) frame.right += edge;
        if (bevelEdges_ & beBottom) frame.bottom += edge;
        // The bevel goes round the scroll bars too.
        const LONG style = GetWindowLongW(handle_, GWL_STYLE);
        if (style & WS_VSCROLL) frame.right += GetSystemMetrics(SM_CXVSCROLL);
        if (style & WS_HSCROLL) frame.bottom += GetSystemMetrics(SM_CYHSCROLL);
        auto cut = [](TBevelCut c, UINT lowered, UINT raised) -> UINT {
            return c == TBevelCut::bvLowered ? lowered : c == TBevelCut::bvRaised ? raised : 0;
        };
        const UINT edgeStyle = cut(bevelInner_, BDR_SUNKENINNER, BDR_RAISEDINNER) |
                               cut(bevelOuter_, BDR_SUNKENOUTER, BDR_RAISEDOUTER);
        UINT flags = bevelEdges_ | BF_ADJUST | (ctl3D_ ? 0 : BF_MONO);
        if (bevelKind_ == TBevelKind::bkSoft) flags |= BF_SOFT;
        if (bevelKind_ == TBevelKind::bkFlat) flags |= BF_FLAT;
        DrawEdge(dc, &frame, edgeStyle, flags);
    }
    // The border band inside the bevel takes the control's colour.
    IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
    RECT all{0, 0, window.right - window.left, window.bottom - window.top};
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &all, brush.get());
}

void TWinControl::SetRegion(HRGN Region)
{
    if (region_.get() != Region)
        region_.reset(Region);
    if (handle_ && !region_)
        SetWindowRgn(handle_, nullptr, TRUE);
    ApplyRegion();
}

void TWinControl::ApplyRegion()
{
    if (!handle_ || !region_)
        return;
    TGdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    if (!copy)
        return;
    CombineRgn(copy.get(), region_.get(), nullptr, RGN_COPY);
    // Once set, the region belongs to the system; only a refused one is ours to delete.
    if (SetWindowRgn(handle_, copy.get(), TRUE))
        copy.release();
}

void TWinControl::PaintParentBackground(HDC Dc)
{
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !handle_)
        return;
    POINT origin{0, 0};
    MapWindowPoints(handle_, parent->handle_, &origin, 1);
    const TSavedDC saved(Dc);
    // The parent paints in its own coordinates; the clipping stays this control's.
    OffsetViewportOrgEx(Dc, -origin.x, -origin.y, nullptr);
    const auto dc = reinterpret_cast<uintptr_t>(Dc);
    parent->Perform(WM_ERASEBKGND, dc, 0);
    if (parent->PaintsItself())
        parent->Perform(WM_PAINT, dc, 0);
    else
        parent->Perform(WM_PRINTCLIENT, dc, PRF_CLIENT);
}

// ---- state changes that the window must follow

void TWinControl::FontChanged()
{
    if (handle_)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
    for (TControl* c : std::vector<TControl*>(controls_))
        c->Perform(CM_PARENTFONTCHANGED);
    TControl::FontChanged();
}

void TWinControl::ColorChanged()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->Perform(CM_PARENTCOLORCHANGED);
    TControl::ColorChanged();
}

void TWinControl::VisibleChanged()
{
    if (handle_) {
        if (Parent())
            ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
    } else if (Visible() && Parent() && Parent()->HandleAllocated()) {
        HandleNeeded();
    }
    Perform(CM_VISIBLECHANGED, Visible());
}

void TWinControl::EnabledChanged()
{
    if (handle_)
        EnableWindow(handle_, Enabled());
    Perform(CM_ENABLEDCHANGED);
    TControl::EnabledChanged();
}

void TWinControl::TextChanged()
{
    if (handle_)
        SetWindowTextW(handle_, WideChars(text_));
}

// ---- TDrawingHold

TDrawingHold::TDrawingHold(TWinControl* Control)
{
    if (!Control || !Control->HandleAllocated() || !Control->Visible())
        return;
    const HWND wnd = Control->Handle();
    // A window whose style lacks WS_VISIBLE is hidden or already held.
    if (!(GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE))
        return;
    SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
    wnd_ = wnd;
}

TDrawingHold::~TDrawingHold()
{
    if (!wnd_ || !IsWindow(wnd_))
        return;
    SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    // What changed while held was not recorded: everything is drawn again, once.
    RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
