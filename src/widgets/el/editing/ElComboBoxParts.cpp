#include "widgets/el/editing/ElComboBoxParts.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/WinText.h"

#include <algorithm>

namespace {

const wchar_t* const kSubclassProperty = L"L3D.ElWindowSubclass";

}  // namespace

// ---- TElWindowSubclass

void TElWindowSubclass::Attach(HWND Window, THandler Handler)
{
    Detach();
    if (!Window)
        return;
    handler_ = std::move(Handler);
    window_ = Window;
    SetPropW(Window, kSubclassProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TElWindowSubclass::Procedure)));
}

void TElWindowSubclass::Detach()
{
    if (!window_)
        return;
    if (IsWindow(window_)) {
        RemovePropW(window_, kSubclassProperty);
        // Nobody subclassed the window after us: its own procedure goes back. (Otherwise the
        // later procedure keeps calling ours, which forwards to the original without a handler.)
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == &TElWindowSubclass::Procedure)
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
    window_ = nullptr;
    handler_ = nullptr;
}

LRESULT TElWindowSubclass::CallOriginal(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return CallWindowProcW(original_, window_, Msg, WParam, LParam);
}

LRESULT CALLBACK TElWindowSubclass::Procedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* self = static_cast<TElWindowSubclass*>(GetPropW(Window, kSubclassProperty));
    if (!self)
        return DefWindowProcW(Window, Msg, WParam, LParam);
    const WNDPROC original = self->original_;
    if (Msg == WM_NCDESTROY) {
        self->Detach();
        return CallWindowProcW(original, Window, Msg, WParam, LParam);
    }
    LRESULT result = 0;
    bool answered = false;
    if (self->handler_ && !Guarded([&] { answered = self->handler_(Msg, WParam, LParam, result); }))
        return 0;
    if (answered)
        return result;
    return CallWindowProcW(original, Window, Msg, WParam, LParam);
}

// ---- keys

bool ForwardKeyToHolder(TWinControl& Holder, UINT Msg, WPARAM& WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        auto key = static_cast<uint16_t>(WParam);
        if (Holder.DoKeyDown(key, KeyboardShiftState() | ((LParam & 0x20000000) ? ssAlt : 0)))
            return true;
        WParam = key;
        return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        auto key = static_cast<uint16_t>(WParam);
        if (Holder.DoKeyUp(key, KeyboardShiftState()))
            return true;
        WParam = key;
        return false;
    }
    case WM_CHAR: {
        auto ch = static_cast<char16_t>(WParam);
        if (Holder.DoKeyPress(ch))
            return true;
        WParam = ch;
        return false;
    }
    default:
        return false;
    }
}

// ---- TElEditPart

void TElEditPart::Create(const RECT& Bounds, bool RightAligned, const std::u16string& Text)
{
    rightAligned_ = RightAligned;
    // Made with its text, so that no change is reported for it.
    const HWND edit =
        CreateWindowExW(0, L"EDIT", WideChars(Text), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (RightAligned ? ES_RIGHT : ES_LEFT),
                        Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top,
                        holder_.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!edit)
        throw EOutOfResources(u"Error creating window: EDIT");
    subclass_.Attach(edit, [this](UINT Msg, WPARAM& WParam, LPARAM& LParam, LRESULT& Result) {
        if ((Msg == WM_SETFOCUS || Msg == WM_KILLFOCUS) && OnFocus) {
            Result = subclass_.CallOriginal(Msg, WParam, LParam);
            OnFocus(Msg, reinterpret_cast<HWND>(WParam));
            return true;
        }
        return ForwardKeyToHolder(holder_, Msg, WParam, LParam);
    });
    FollowHolder();
}

std::u16string TElEditPart::Text() const
{
    if (!Exists())
        return {};
    const int length = GetWindowTextLengthW(Handle());
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle(), WideBuffer(text), length + 1)));
    return text;
}

void TElEditPart::SetText(const std::u16string& Value)
{
    if (Exists())
        SetWindowTextW(Handle(), WideChars(Value));
}

int TElEditPart::SelStart() const
{
    DWORD start = 0;
    if (Exists())
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TElEditPart::SetSelStart(int Value)
{
    if (Exists())
        SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

void TElEditPart::FollowHolder()
{
    if (!Exists())
        return;
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(holder_.Font()->Handle()), TRUE);
    EnableWindow(Handle(), holder_.Enabled());
}

void TElEditPart::SetRightAligned(bool Value)
{
    if (Value == rightAligned_)
        return;
    rightAligned_ = Value;
    if (!Exists())
        return;
    const HWND old = Handle();
    RECT bounds{};
    GetWindowRect(old, &bounds);
    MapWindowPoints(nullptr, GetParent(old), reinterpret_cast<POINT*>(&bounds), 2);
    const std::u16string text = Text();
    const int caret = SelStart();
    const bool focused = GetFocus() == old;
    subclass_.Detach();
    DestroyWindow(old);
    Create(bounds, Value, text);
    SetSelStart(caret);
    if (focused)
        ::SetFocus(Handle());
}

// ---- TElEditPartControl

TElEditPartControl::TElEditPartControl(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    TabStop = true;
    SetColor(clWindow);
    edit_.OnFocus = [this](UINT Msg, HWND Other) { EditFocus(Msg, Other); };
}

// The control has the focus while its edit has it: entering and leaving count for the control,
// and the form takes it as its active control.
void TElEditPartControl::EditFocus(UINT Msg, HWND Other)
{
    if (IsDestroying())
        return;
    if (Msg == WM_SETFOCUS) {
        if (TCustomForm* form = ParentForm())
            form->FocusChanged(this);
        DoEnter();
    } else if (!HandleAllocated() || Other != Handle()) {
        DoExit();
    }
}

void TElEditPartControl::CreateParams(TCreateParams& Params)
{
    TElXPThemedControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

RECT TElEditPartControl::SideBounds() const
{
    const TRect client = ClientRect();
    return {std::max(client.Left, client.Right - SidePartWidth()), client.Top, client.Right, client.Bottom};
}

RECT TElEditPartControl::EditBounds() const
{
    const TRect client = ClientRect();
    const RECT side = SideBounds();
    // The edit's text sits a little in from the frame and centred in the height.
    const int inset = 2;
    return {client.Left + inset, client.Top + 1, side.left - inset, client.Bottom - 1};
}

void TElEditPartControl::CreateHandleDone()
{
    TElXPThemedControl::CreateHandleDone();
    edit_.Create(EditBounds(), alignment_ == TAlignment::taRightJustify, text_);
    edit_.SetSelStart(selStart_);
    CreateSidePart(SideBounds());
}

void TElEditPartControl::DestroyWnd()
{
    if (edit_.Exists()) {
        text_ = edit_.Text();
        selStart_ = edit_.SelStart();
    }
    TElXPThemedControl::DestroyWnd();
}

void TElEditPartControl::Layout()
{
    if (!edit_.Exists())
        return;
    const RECT e = EditBounds();
    MoveWindow(edit_.Handle(), e.left, e.top, e.right - e.left, e.bottom - e.top, TRUE);
    PlaceSidePart(SideBounds());
}

void TElEditPartControl::Resize()
{
    TElXPThemedControl::Resize();
    Layout();
}

void TElEditPartControl::FontChanged()
{
    TElXPThemedControl::FontChanged();
    edit_.FollowHolder();
}

void TElEditPartControl::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    // Children of a disabled window take no input but look as before: each part shows it.
    if (HandleAllocated())
        for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            EnableWindow(child, Enabled());
    Invalidate();
}

std::u16string TElEditPartControl::Text() const
{
    return edit_.Exists() ? edit_.Text() : text_;
}

void TElEditPartControl::SetText(const std::u16string& Value)
{
    if (edit_.Exists()) {
        if (Value != edit_.Text())
            edit_.SetText(Value);  // EN_CHANGE brings OnChange
        return;
    }
    if (Value == text_)
        return;
    text_ = Value;
    Change();
}

int TElEditPartControl::SelStart() const
{
    return edit_.Exists() ? edit_.SelStart() : selStart_;
}

void TElEditPartControl::SetSelStart(int Value)
{
    selStart_ = std::max(Value, 0);
    edit_.SetSelStart(selStart_);
}

void TElEditPartControl::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    edit_.SetRightAligned(Value == TAlignment::taRightJustify);
}

void TElEditPartControl::Change()
{
    if (OnChange)
        OnChange(this);
}

void TElEditPartControl::WndProc(TMessage& Message)
{
    if (!IsDestroying()) {
        switch (Message.Msg) {
        case WM_COMMAND:
            if (edit_.Exists() && reinterpret_cast<HWND>(Message.LParam) == edit_.Handle()) {
                if (HIWORD(Message.WParam) == EN_CHANGE)
                    Change();
                return;
            }
            if (Message.LParam && SidePartMessage(Message))
                return;
            break;
        case WM_NOTIFY:
            if (SidePartMessage(Message))
                return;
            break;
        case WM_SETFOCUS:
            if (edit_.Exists()) {
                ::SetFocus(edit_.Handle());  // the edit tells the form (EditFocus)
                return;
            }
            break;
        case WM_KILLFOCUS:
            if (edit_.Exists() && reinterpret_cast<HWND>(Message.WParam) == edit_.Handle()) {
                DefaultHandler(Message);
                return;
            }
            break;
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            return;
        default:
            break;
        }
    }
    TElXPThemedControl::WndProc(Message);
}
