#include "widgets/el/editing/ElEdit.h"

#include "widgets/el/editing/ElKeyboardPlatformWin.h"
#include "widgets/el/foundation/ElSBController.h"

#include "framework/Application.h"

#include "framework/WinClipboard.h"

#include <algorithm>
#include <cstdlib>

// What the core asks of the window: repaint, scroll bars, caret, events and the clipboard.
class TCustomElEdit::THost : public IElEditHost {
public:
    explicit THost(TCustomElEdit& Edit) : edit_(Edit) {}

    void Invalidate() override { edit_.Repaint(); }
    void ScrollBarsChanged() override { edit_.UpdateScrollBars(); }
    void CaretMoved() override { edit_.UpdateCaret(); }
    void Change() override { edit_.Change(); }
    void SelectionChange() override { edit_.SelectionChange(); }
    bool SetClipboardText(const std::u16string& Text) override { return Clipboard().SetText(Text); }
    bool GetClipboardText(std::u16string& Text) override
    {
        std::optional<std::u16string> text = Clipboard().Text();
        if (!text)
            return false;
        Text = std::move(*text);
        return true;
    }
    void PasteClipboardText(std::u16string& Text) override
    {
        if (edit_.OnPasteClipboardText)
            edit_.OnPasteClipboardText(&edit_, Text);
    }
    void KeyPressEx(std::u16string& Text) override { edit_.DoKeyPressEx(Text); }
    void BeforeCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data) override
    {
        edit_.BeforeCommand(Command, Flag, Data);
    }
    void AfterCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data) override
    {
        edit_.AfterCommand(Command, Flag, Data);
    }

private:
    TCustomElEdit& edit_;
};

// ---- construction

TCustomElEdit::TCustomElEdit(TComponent* AOwner)
    : TElXPThemedControl(AOwner),
      host_(std::make_unique<THost>(*this)),
      core_(std::make_unique<TElEditCore>(host_.get(), &measurer_)),
      sb_(std::make_unique<TElSBController>(nullptr)),
      keyboard_(std::make_unique<TElKeyboardPlatformWin>()),
      input_(std::make_unique<TElKeyboardInputProcessor>())
{
    TabStop = true;
    ControlStyle |= csOpaque;
    SetColor(clWindow);
    SetCursor(crIBeam);
    SetBounds(Left(), Top(), 200, 100);
    core_->SetFont(Font()->Spec());
    readOnlyOptions_.OnChange = [this](TObject*) { Repaint(); };
    imageFormLink_.OnChange = [this](TObject*) { Repaint(); };
}

TCustomElEdit::~TCustomElEdit()
{
    // The controller lets go of the window while this control is whole.
    sb_.reset();
    caret_.reset();
}

void TCustomElEdit::CreateParams(TCreateParams& Params)
{
    TElXPThemedControl::CreateParams(Params);
    // The text lives in the core; the window's own caption stays empty.
    Params.Caption.clear();
    Params.Style |= WS_CLIPCHILDREN;
    if (ShowsBar(true))
        Params.Style |= WS_VSCROLL;
    if (ShowsBar(false))
        Params.Style |= WS_HSCROLL;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomElEdit::CreateWnd()
{
    TElXPThemedControl::CreateWnd();
    if (useCustomScrollBars_) {
        sb_->SetControl(this);
        if (!sb_->IsHooked()) {
            sb_->SetControl(nullptr);
            useCustomScrollBars_ = false;
        }
    }
    AdjustHeight();
    UpdateEditRect();
    UpdateScrollBars();
    BindKeyboard();
}

void TCustomElEdit::DestroyWnd()
{
    caret_.reset();
    keyboard_->Window = nullptr;
    input_->Platform = nullptr;
    if (sb_->Control())
        sb_->SetControl(nullptr);
    TElXPThemedControl::DestroyWnd();
}

// ---- text and properties

std::u16string TCustomElEdit::Text() const
{
    return core_->Text();
}

void TCustomElEdit::TextChanged()
{
    // TControl::SetText stored the new text; the core holds it from here on.
    std::u16string text;
    text.swap(text_);
    core_->SetText(text);
}

void TCustomElEdit::SetLines(const TElWideStrings* Value)
{
    core_->SetText(Value ? Value->GetTextStr() : std::u16string());
}

void TCustomElEdit::SetAlignment(TAlignment Value)
{
    core_->SetAlignment(Value);
    Repaint();
}

void TCustomElEdit::SetAlignBottom(bool Value)
{
    core_->SetAlignBottom(Value);
    Repaint();
}

void TCustomElEdit::SetMultiline(bool Value)
{
    if (Value == Multiline())
        return;
    core_->SetMultiline(Value);
    if (!Value)
        scrollBars_ = TScrollStyle::ssNone;
    ApplyScrollStyle();
    AdjustHeight();
}

void TCustomElEdit::SetWordWrap(bool Value)
{
    core_->SetWordWrap(Value);
    UpdateScrollBars();
}

void TCustomElEdit::SetScrollBars(TScrollStyle Value)
{
    if (!Multiline())
        Value = TScrollStyle::ssNone;
    if (Value == scrollBars_)
        return;
    scrollBars_ = Value;
    ApplyScrollStyle();
}

void TCustomElEdit::SetReadOnly(bool Value)
{
    if (Value == ReadOnly())
        return;
    core_->SetReadOnly(Value);
    Repaint(true);
}

void TCustomElEdit::SetRightAlignedView(bool Value)
{
    SetBiDiMode(Value ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
}

void TCustomElEdit::SetAutoSize(bool Value)
{
    if (Value == autoSize_)
        return;
    autoSize_ = Value;
    AdjustHeight();
}

void TCustomElEdit::SetHighlightAlphaLevel(int32_t Value)
{
    if (Value < 0 || Value > 255)
        return;
    highlightAlphaLevel_ = Value;
}

void TCustomElEdit::SetSelectionLook(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (core_->HasSelection())
        Repaint();
}

void TCustomElEdit::SetBackground(const TBitmap* Value)
{
    if (Value)
        background_.Assign(Value);
    else
        background_.SetSize(0, 0);
    if (useBackground_)
        Repaint();
}

void TCustomElEdit::SetImageForm(TCustomElImageForm* Value)
{
    if (Value == ImageForm())
        return;
    imageFormLink_.SetSender(Value);
    Repaint();
}

void TCustomElEdit::SetLinkedControl(TControl* Value)
{
    if (Value == this)
        return;
    linkedControl_ = Value;
    PlaceLinkedControl();
}

void TCustomElEdit::SetLinkedControlPosition(TElLinkCtlPos Value)
{
    linkedControlPosition_ = Value;
    PlaceLinkedControl();
}

void TCustomElEdit::SetLinkedControlSpacing(int32_t Value)
{
    linkedControlSpacing_ = Value;
    PlaceLinkedControl();
}

void TCustomElEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TElXPThemedControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLinkedControl();
}

void TCustomElEdit::PlaceLinkedControl()
{
    TControl* linked = linkedControl_.Get();
    if (!linked || linked->Parent() != Parent() || IsLoading() || IsDestroying())
        return;
    const TPoint at = LinkedControlOrigin(BoundsRect(), {linked->Width(), linked->Height()}, linkedControlPosition_,
                                          linkedControlSpacing_);
    linked->SetBounds(at.X, at.Y, linked->Width(), linked->Height());
}

void TCustomElEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    if (HandleAllocated())
        RecreateWnd();
    AdjustHeight();
}

void TCustomElEdit::SetUseCustomScrollBars(bool Value)
{
    if (Value == useCustomScrollBars_)
        return;
    useCustomScrollBars_ = Value;
    if (!HandleAllocated())
        return;
    if (Value) {
        sb_->SetControl(this);
        if (!sb_->IsHooked()) {
            sb_->SetControl(nullptr);
            useCustomScrollBars_ = false;
        }
    } else {
        sb_->SetControl(nullptr);
    }
    ApplyScrollStyle();
}

TElCtrlScrollBarStyles* TCustomElEdit::HorzScrollBarStyles() const
{
    return sb_->HorzScrollBarStyles();
}

TElCtrlScrollBarStyles* TCustomElEdit::VertScrollBarStyles() const
{
    return sb_->VertScrollBarStyles();
}

int64_t TCustomElEdit::IndexAtPoint(TPoint P) const
{
    const TPoint caret = core_->PointToCaret(P);
    const TElEditStrings& lines = core_->Lines();
    return lines.PosToIndex(lines.CaretToPos(caret.X, caret.Y));
}

// ---- commands and events

void TCustomElEdit::ExecuteCommandEx(int32_t Command, uint32_t Flag, const std::u16string& Data)
{
    core_->ExecuteCommandEx(Command, Flag, Data);
}

void TCustomElEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomElEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TCustomElEdit::BeforeCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data)
{
    if (OnBeforeCommand)
        OnBeforeCommand(this, Command, Flag, Data);
}

void TCustomElEdit::AfterCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data)
{
    if (OnAfterCommand)
        OnAfterCommand(this, Command, Flag, Data);
}

// ---- keys

void TCustomElEdit::SetKeyboardPlatform(IElKeyboardPlatform* Platform)
{
    keyboardOverride_ = Platform;
    BindKeyboard();
}

void TCustomElEdit::BindKeyboard()
{
    // The processor works only while there is a window to post its characters to.
    keyboard_->Window = HandleAllocated() ? Handle() : nullptr;
    if (!HandleAllocated())
        input_->Platform = nullptr;
    else
        input_->Platform = keyboardOverride_ ? keyboardOverride_ : keyboard_.get();
}

void TCustomElEdit::TranslateOwnKey(const TMessage& Message)
{
    const auto key = static_cast<uint16_t>(Message.WParam);
    // Characters sent as input (VK_PACKET) and keys an input method holds are the system's.
    if (key == VK_PACKET || key == VK_PROCESSKEY || !input_->HasWindow())
        return;
    input_->SetText({});
    if (!input_->KeyDown(key, static_cast<uint32_t>(Message.LParam >> 16) & 0xFFu))
        return;
    Application->ClaimKey(Handle());
    // The characters take the road of the system's: key-press events, then typing.
    const std::u16string text = input_->Text();
    for (const char16_t unit : text) {
        if (!HandleAllocated())
            break;
        Perform(WM_CHAR, unit, Message.LParam);
    }
}

void TCustomElEdit::DoKeyPressEx(std::u16string& Text)
{
    if (OnKeyPressEx)
        OnKeyPressEx(this, Text);
}

void TCustomElEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TElXPThemedControl::KeyDown(Key, Shift);
    if (Key != 0)
        EditKeyDown(Key, Shift);
}

void TCustomElEdit::EditKeyDown(uint16_t& Key, TShiftState Shift)
{
    if (core_->KeyDown(Key, Shift))
        Key = 0;
}

void TCustomElEdit::KeyPress(char16_t& Key)
{
    TElXPThemedControl::KeyPress(Key);
    if (Key != 0)
        core_->KeyPress(Key);
}

// ---- geometry and state changes

TRect TCustomElEdit::ComputeEditRect() const
{
    return ClientRect();
}

void TCustomElEdit::UpdateEditRect()
{
    if (!HandleAllocated() || IsDestroying())
        return;
    core_->SetEditRect(ComputeEditRect());
    Repaint();
}

void TCustomElEdit::Resize()
{
    // A single-line AutoSize control keeps its height; the new size comes back here once.
    AdjustHeight();
    TElXPThemedControl::Resize();
    UpdateEditRect();
}

void TCustomElEdit::FontChanged()
{
    TElXPThemedControl::FontChanged();
    core_->SetFont(Font()->Spec());
    AdjustHeight();
    if (caret_)
        CreateCaret();
}

void TCustomElEdit::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    Repaint(true);
}

void TCustomElEdit::ColorChanged()
{
    TElXPThemedControl::ColorChanged();
    Repaint();
}

int32_t TCustomElEdit::AutoSizeHeight() const
{
    int32_t border = 0;
    if (borderStyle_ == TBorderStyle::bsSingle)
        border = Ctl3D() ? GetSystemMetrics(SM_CYEDGE) : GetSystemMetrics(SM_CYBORDER);
    return core_->LineHeight() + 2 * border;
}

void TCustomElEdit::AdjustHeight()
{
    if (!autoSize_ || Multiline() || IsLoading() || IsDestroying())
        return;
    const int32_t height = AutoSizeHeight();
    if (height != Height())
        SetHeight(height);
}

// ---- caret

void TCustomElEdit::CreateCaret()
{
    caret_.reset();
    if (!HandleAllocated() || !WantsCaret())
        return;
    const TFontMetrics metrics = measurer_.FontMetrics();
    const int32_t height = std::clamp(metrics.Height, 1, core_->LineHeight());
    const int32_t width = (Font()->Style() & fsBold) ? 2 : GetSystemMetrics(SM_CXBORDER);
    caret_ = std::make_unique<TCaret>(Handle(), width, height);
    UpdateCaret();
}

void TCustomElEdit::UpdateCaret()
{
    if (!caret_ || dragCaretShown_)
        return;
    const TPoint p = core_->CaretPoint();
    const TRect area = core_->EditRect();
    caret_->SetPos(p);
    // A caret scrolled out of the text area is not shown over the border or the buttons.
    if (p.X >= area.Left && p.X <= area.Right && p.Y >= area.Top && p.Y < area.Bottom)
        caret_->Show();
    else
        caret_->Hide();
}

void TCustomElEdit::Repaint(bool Frame)
{
    if (!HandleAllocated() || IsDestroying())
        return;
    InvalidateRect(Handle(), nullptr, FALSE);
    if (Frame)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// ---- the standard classes

TElEdit::TElEdit(TComponent* AOwner) : TCustomElEdit(AOwner)
{
    SetHeight(AutoSizeHeight());
}

TCustomElMemo::TCustomElMemo(TComponent* AOwner) : TCustomElEdit(AOwner)
{
    SetMultiline(true);
    SetWantReturns(true);
}
