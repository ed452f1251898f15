// TCustomElEdit, TElEdit and TElMemo: the widget layer's Unicode edit and memo, windows that draw
// their own text. Everything an edit knows - the text, caret and selection, the editor commands
// that keys map to, undo, scrolling, the layout of the visible lines - lives in the editor core
// (TElEditCore); the control adapts it to the system:
//
//   - keys (WM_KEYDOWN, WM_SYSKEYDOWN: consumed when the key map used them), characters
//     (WM_CHAR unit by unit, WM_UNICHAR, input-method results) and the mouse go to the core;
//   - the standard edit messages (WM_GETTEXT bounded by the caller's buffer, WM_SETTEXT,
//     EM_GETSEL, EM_SETSEL, EM_REPLACESEL, EM_LINEINDEX, EM_POSFROMCHAR, EM_GETLINE, ...) answer
//     in UTF-16 from the core;
//   - painting draws the core's line layout into a buffer through a GDI surface, with the
//     selection colours of the focused and unfocused states; the border is the system's, the
//     themed "EDIT" frame, or the flat border;
//   - the scroll state goes to the window's scroll bars, which the owned scroll-bar controller
//     draws when it can attach (UseCustomScrollBars), and the system's otherwise;
//   - the system caret (TCaret) lives while the control has the focus; the clipboard is the
//     system's (TWinClipboard); text is dragged between edits with the framework's drag and drop.
//
// Nothing raises out of a message: positions from outside are clamped by the core.
#pragma once

#include "widgets/el/editing/ElEditCore.h"
#include "widgets/el/editing/ElLinkedControl.h"

#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Bitmap.h"
#include "framework/Caret.h"
#include "framework/DragDrop.h"
#include "framework/GdiSurface.h"

#include "widgets/el/foundation/ElImageForm.h"

#include <functional>
#include <memory>
#include <string>

class TElSBController;
class TElCtrlScrollBarStyles;
class IElKeyboardPlatform;
class TElKeyboardInputProcessor;
class TElKeyboardPlatformWin;
class TCustomElImageForm;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

using TElEditCommandEvent =
    std::function<void(TObject* Sender, int32_t& Command, uint32_t& Flag, std::u16string& Data)>;
using TElPasteClipboardTextEvent = std::function<void(TObject* Sender, std::u16string& Text)>;
using TElKeyPressExEvent = std::function<void(TObject* Sender, std::u16string& Text)>;

class TCustomElEdit : public TElXPThemedControl {
public:
    explicit TCustomElEdit(TComponent* AOwner);
    ~TCustomElEdit() override;
    const char* ClassName() const override { return "TCustomElEdit"; }

    // The editor behind the control: text model, caret, selection, commands, view geometry.
    TElEditCore& Editor() { return *core_; }
    const TElEditCore& Editor() const { return *core_; }

    // ---- Text
    // The whole text, paragraphs joined by CR LF. Setting it (SetText) clears the undo history;
    // OnChange fires only when NotifyUserChangeOnly is off.
    std::u16string Text() const override;
    // The paragraph model; SetLines assigns the strings.
    TElEditStrings& Lines() { return core_->Lines(); }
    void SetLines(const TElWideStrings* Value);

    // ---- Text behaviour
    TAlignment Alignment() const { return core_->Alignment(); }
    void SetAlignment(TAlignment Value);
    bool AlignBottom() const { return core_->AlignBottom(); }
    void SetAlignBottom(bool Value);
    bool Multiline() const { return core_->Multiline(); }
    // Off sets ScrollBars to ssNone; the text is split into paragraphs (or joined) again.
    void SetMultiline(bool Value);
    bool WordWrap() const { return core_->WordWrap(); }
    void SetWordWrap(bool Value);
    // Bars are shown only while the control is multiline.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    bool WantReturns() const { return core_->WantReturns(); }
    void SetWantReturns(bool Value) { core_->SetWantReturns(Value); }
    bool WantTabs() const { return core_->WantTabs(); }
    void SetWantTabs(bool Value) { core_->SetWantTabs(Value); }
    // The control takes Return, Escape and the other dialog keys for itself.
    bool HandleDialogKeys = false;
    bool ReadOnly() const { return core_->ReadOnly(); }
    virtual void SetReadOnly(bool Value);
    // 0: no limit; negative values are ignored; a smaller limit cuts the text.
    int32_t MaxLength() const { return core_->MaxLength(); }
    virtual void SetMaxLength(int32_t Value) { core_->SetMaxLength(Value); }
    // First character masks the text; empty: no mask.
    std::u16string PasswordChar() const { return core_->PasswordChar(); }
    void SetPasswordChar(const std::u16string& Value) { core_->SetPasswordChar(Value); }
    TElEditCharCase CharCase() const { return core_->CharCase(); }
    void SetCharCase(TElEditCharCase Value) { core_->SetCharCase(Value); }
    int32_t TabSpaces() const { return core_->TabSpaces(); }
    void SetTabSpaces(int32_t Value) { core_->SetTabSpaces(Value); }
    int32_t LeftMargin() const { return core_->LeftMargin(); }
    void SetLeftMargin(int32_t Value) { core_->SetLeftMargin(Value); }
    int32_t RightMargin() const { return core_->RightMargin(); }
    void SetRightMargin(int32_t Value) { core_->SetRightMargin(Value); }
    int32_t TopMargin() const { return core_->TopMargin(); }
    void SetTopMargin(int32_t Value) { core_->SetTopMargin(Value); }
    // Right-to-left text: Home and End, Left and Right swap.
    bool RightAlignedText() const { return core_->RightAlignedText(); }
    void SetRightAlignedText(bool Value) { core_->SetRightAlignedText(Value); }
    // Right-to-left reading order and scroll bar on the left.
    bool RightAlignedView() const { return BiDiMode() == TBiDiMode::bdRightToLeft; }
    virtual void SetRightAlignedView(bool Value);
    // A single-line control keeps its height at one line plus the border.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    // Focusing the control selects the whole text.
    bool AutoSelect = false;
    bool HideSelection() const { return core_->HideSelection(); }
    virtual void SetHideSelection(bool Value) { core_->SetHideSelection(Value); }
    int32_t MaxUndoLevel() const { return core_->MaxUndoLevel(); }
    void SetMaxUndoLevel(int32_t Value) { core_->SetMaxUndoLevel(Value); }
    TShortCut StressShortCut() const { return core_->StressShortCut(); }
    void SetStressShortCut(TShortCut Value) { core_->SetStressShortCut(Value); }
    // While set, only the user's edits fire OnChange (set from creation).
    bool NotifyUserChangeOnly() const { return core_->NotifyUserChangeOnly(); }
    void SetNotifyUserChangeOnly(bool Value) { core_->SetNotifyUserChangeOnly(Value); }
    bool Modified() const { return core_->Modified; }
    void SetModified(bool Value) { core_->Modified = Value; }
    // Dragging selected text out (and dropping text in from another edit).
    bool AllowDrag = true;

    // ---- Colours
    TColor FocusedSelectColor() const { return focusedSelectColor_; }
    virtual void SetFocusedSelectColor(TColor Value) { SetSelectionLook(focusedSelectColor_, Value); }
    TColor FocusedSelectTextColor() const { return focusedSelectTextColor_; }
    virtual void SetFocusedSelectTextColor(TColor Value) { SetSelectionLook(focusedSelectTextColor_, Value); }
    TColor HideSelectColor() const { return hideSelectColor_; }
    virtual void SetHideSelectColor(TColor Value) { SetSelectionLook(hideSelectColor_, Value); }
    TColor HideSelectTextColor() const { return hideSelectTextColor_; }
    virtual void SetHideSelectTextColor(TColor Value) { SetSelectionLook(hideSelectTextColor_, Value); }
    // 255: an opaque selection; below, the selection colour is blended over the text.
    int32_t HighlightAlphaLevel() const { return highlightAlphaLevel_; }
    virtual void SetHighlightAlphaLevel(int32_t Value);
    bool UseDisabledColors() const { return useDisabledColors_; }
    void SetUseDisabledColors(bool Value) { SetLook(useDisabledColors_, Value); }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor Value) { SetLook(disabledColor_, Value); }
    TColor DisabledFontColor() const { return disabledFontColor_; }
    void SetDisabledFontColor(TColor Value) { SetLook(disabledFontColor_, Value); }
    // The look while read-only (used when its Enabled flag is set).
    TElDisplayOptions* DisplayReadOnlyOptions() { return &readOnlyOptions_; }
    // The parent shows through the background; or the Background bitmap is tiled over it.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value) { SetLook(transparent_, Value); }
    bool UseBackground() const { return useBackground_; }
    void SetUseBackground(bool Value) { SetLook(useBackground_, Value); }
    TBitmap* Background() { return &background_; }
    // Copies the bitmap (nil clears it).
    void SetBackground(const TBitmap* Value);
    // The image form whose picture lies behind the text (unless it only fills a colour); its
    // changes repaint the control.
    TCustomElImageForm* ImageForm() const { return imageFormLink_.Sender(); }
    virtual void SetImageForm(TCustomElImageForm* Value);

    // ---- Border
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    TElBorderSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TElBorderSides Value) { SetFrameLook(borderSides_, Value); }
    // The flat border (drawn when no theme is in use).
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool Value) { SetFrameLook(flat_, Value); }
    TElFlatBorderType ActiveBorderType() const { return activeBorderType_; }
    virtual void SetActiveBorderType(TElFlatBorderType Value) { SetFrameLook(activeBorderType_, Value); }
    TElFlatBorderType InactiveBorderType() const { return inactiveBorderType_; }
    virtual void SetInactiveBorderType(TElFlatBorderType Value) { SetFrameLook(inactiveBorderType_, Value); }
    TColor LineBorderActiveColor() const { return lineBorderActiveColor_; }
    virtual void SetLineBorderActiveColor(TColor Value) { SetFrameLook(lineBorderActiveColor_, Value); }
    TColor LineBorderInactiveColor() const { return lineBorderInactiveColor_; }
    virtual void SetLineBorderInactiveColor(TColor Value) { SetFrameLook(lineBorderInactiveColor_, Value); }
    TColor BorderColorFace() const { return frameColors_.Frame; }
    void SetBorderColorFace(TColor Value) { SetFrameLook(frameColors_.Frame, Value); }
    TColor BorderColorWindow() const { return frameColors_.Window; }
    void SetBorderColorWindow(TColor Value) { SetFrameLook(frameColors_.Window, Value); }
    TColor BorderColorShadow() const { return frameColors_.Line; }
    void SetBorderColorShadow(TColor Value) { SetFrameLook(frameColors_.Line, Value); }
    TColor BorderColorDkShadow() const { return frameColors_.DkShadow; }
    void SetBorderColorDkShadow(TColor Value) { SetFrameLook(frameColors_.DkShadow, Value); }
    TColor BorderColorHighlight() const { return frameColors_.Highlight; }
    void SetBorderColorHighlight(TColor Value) { SetFrameLook(frameColors_.Highlight, Value); }
    // The mouse is over the control (the flat border shows its active look).
    bool MouseOver() const { return mouseOver_; }

    // ---- Scroll bars
    // The owned scroll-bar controller draws the bars; off when it cannot attach.
    bool UseCustomScrollBars() const { return useCustomScrollBars_; }
    void SetUseCustomScrollBars(bool Value);
    TElCtrlScrollBarStyles* HorzScrollBarStyles() const;
    TElCtrlScrollBarStyles* VertScrollBarStyles() const;
    TElSBController* ScrollBarController() const { return sb_.get(); }
    // With the system's bars (no custom ones) under a flat border: the bars are drawn flat while
    // the control is idle, and in their own look while it has the focus or the mouse - unless
    // this asks for the flat look in every state.
    bool FlatFocusedScrollBars() const { return flatFocusedScrollBars_; }
    void SetFlatFocusedScrollBars(bool Value) { SetFrameLook(flatFocusedScrollBars_, Value); }

    // ---- Linked control
    // A control on the same parent kept beside the edit: at LinkedControlPosition, with
    // LinkedControlSpacing pixels between them, placed again whenever the edit moves.
    TControl* LinkedControl() const { return linkedControl_.Get(); }
    void SetLinkedControl(TControl* Value);
    TElLinkCtlPos LinkedControlPosition() const { return linkedControlPosition_; }
    void SetLinkedControlPosition(TElLinkCtlPos Value);
    int32_t LinkedControlSpacing() const { return linkedControlSpacing_; }
    void SetLinkedControlSpacing(int32_t Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- Context menu
    // A right click (or the menu key) shows the edit menu: Undo, Cut, Copy, Paste, Delete,
    // Select All.
    bool UseSystemMenu = true;
    // The menu is always built from the widget set's own texts, never loaded from the system,
    // so there is no system menu to localise: both values show the same menu.
    bool LocalizedSystemMenu = false;

    // ---- Caret, selection and view (character indices count a break as CR LF)
    int64_t SelStart() const { return core_->SelStartIndex(); }
    void SetSelStart(int64_t Value) { core_->SetSelStartIndex(Value); }
    int64_t SelLength() const { return core_->SelLength(); }
    void SetSelLength(int64_t Value) { core_->SetSelLength(Value); }
    std::u16string SelText() const { return core_->SelectedText(); }
    void SetSelText(const std::u16string& Value) { core_->SetSelText(Value); }
    void SelectAll() { ExecuteCommandEx(ElEditCommand::SelectAll); }
    int32_t TopLine() const { return core_->TopLine(); }
    void SetTopLine(int32_t Value) { core_->SetTopLine(Value); }
    int32_t LeftChar() const { return core_->LeftChar(); }
    int32_t LineHeight() const { return core_->LineHeight(); }
    int32_t VisibleLines() const { return core_->VisibleLines(); }
    TRect EditRect() const { return core_->EditRect(); }
    // The edit rectangle as EM_SETRECT sets it (until the next resize).
    void SetEditRect(const TRect& R) { core_->SetEditRect(R); }
    // The character index under a client point, and the client point of an index (false beyond
    // the text).
    int64_t IndexAtPoint(TPoint P) const;
    bool PointOfIndex(int64_t Index, TPoint& P) const { return core_->PosFromChar(Index, P); }

    // ---- Commands
    TElKeyCommandList& KeyCommands() { return core_->KeyCommands(); }
    virtual void ExecuteCommandEx(int32_t Command, uint32_t Flag = 0, const std::u16string& Data = {});
    virtual void CutToClipboard() { ExecuteCommandEx(ElEditCommand::Cut); }
    virtual void CopyToClipboard() { ExecuteCommandEx(ElEditCommand::Copy); }
    virtual void PasteFromClipboard() { ExecuteCommandEx(ElEditCommand::Paste); }
    void Undo() { ExecuteCommandEx(ElEditCommand::Undo); }
    bool CanUndo() const { return core_->CanUndo(); }
    void SetPositionMark(int32_t Index) { core_->SetPositionMark(Index); }
    void GotoPositionMark(int32_t Index) { core_->GotoPositionMark(Index); }
    void InsertStressMark() { core_->InsertStressMark(); }

    // ---- Keyboard
    // Key-downs the key map leaves are translated by the keyboard input processor, which
    // composes dead keys from its own table; the characters it makes reach the control as
    // character messages. A key the key map or the processor used makes no character of the
    // system's. Test seam: another window side for the processor (nil: the system's).
    bool TakesKeysBeforeTranslation() const override { return true; }
    TElKeyboardInputProcessor& KeyboardInput() { return *input_; }
    void SetKeyboardPlatform(IElKeyboardPlatform* Platform);

    // ---- Events
    // A whole character about to be typed (a surrogate pair together, a composed dead key);
    // the handler may change it, or empty it to type nothing.
    TElKeyPressExEvent OnKeyPressEx;
    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    // The text about to be pasted; the handler may change it.
    TElPasteClipboardTextEvent OnPasteClipboardText;
    // Around every command (keys, menu, messages); the handlers may change its arguments.
    TElEditCommandEvent OnBeforeCommand;
    TElEditCommandEvent OnAfterCommand;

    void WndProc(TMessage& Message) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DragDrop(TObject* Source, int X, int Y) override;
    void DoStartDrag(TDragObject*& DragObject) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;

protected:
    std::u16string GetThemedClassName() const override { return u"EDIT"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintWindow(HDC Dc) override;
    void Resize() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    // The edit's own handling of a key that the key events left (the key map); sets Key to 0
    // when the key was used. Descendants take their keys here first.
    virtual void EditKeyDown(uint16_t& Key, TShiftState Shift);
    // Fire OnChange and OnSelectionChange.
    virtual void Change();
    virtual void SelectionChange();
    // Fires OnKeyPressEx.
    virtual void DoKeyPressEx(std::u16string& Text);
    virtual void BeforeCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data);
    virtual void AfterCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data);

    // The text area inside the client area; a descendant that puts something beside the text
    // (buttons) narrows it.
    virtual TRect ComputeEditRect() const;
    // Computes the edit rectangle again (after a resize or a change of what sits beside it).
    void UpdateEditRect();
    // Height of a single-line AutoSize control: one line plus the border.
    int32_t AutoSizeHeight() const;
    // Whether the focused control shows the system caret (a selection-only control does not).
    virtual bool WantsCaret() const { return true; }
    // Makes the system caret for the focused control anew (after its size or WantsCaret changed).
    void CreateCaret();

private:
    class THost;
    friend class THost;
    // The drag object of a text drag: the copy cursor while Ctrl is held.
    class TEditDragObject : public TDragControlObject {
    public:
        using TDragControlObject::TDragControlObject;
        TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    };

    // Painting (ElEditPaint.cpp).
    void PaintClient(HDC Dc, const TRect& Client);
    void PaintBackground(HDC Dc, const TRect& Client);
    void PaintLines(HDC Dc);
    void PaintFrame();
    TColor BackgroundColor() const;
    TColor TextColor() const;
    // The frame's theme state: disabled, read-only, focused or normal.
    int ThemeState() const;
    void UpdateScrollBars();
    void ApplyScrollStyle();
    bool ShowsBar(bool Vertical) const;
    void AdjustHeight();

    // Messages and mouse (ElEditMessages.cpp).
    bool HandleEditMessage(TMessage& Message);
    bool HandleTextMessage(TMessage& Message);
    void HandleScroll(TMessage& Message, bool Vertical);
    void HandleFocus(bool Gained);
    void ShowContextMenu(TMessage& Message);
    void RunMenuCommand(uint32_t Id);
    void StartComposition();
    bool FinishComposition(TMessage& Message);
    void TypeCodePoint(uint32_t CodePoint);
    // A key-down the loop has not translated and the key map left: the processor's turn.
    void TranslateOwnKey(const TMessage& Message);
    void BindKeyboard();
    void MoveDragCaret(TPoint P);

    // The system caret follows the core's caret (ElEdit.cpp).
    void UpdateCaret();
    void Repaint(bool Frame = false);

    template <class T>
    void SetLook(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    template <class T>
    void SetFrameLook(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint(true);
    }
    void SetSelectionLook(TColor& Field, TColor Value);
    void PlaceLinkedControl();

    GdiTextMeasurer measurer_;  // measures in the control's font before and apart from its window
    std::unique_ptr<THost> host_;
    std::unique_ptr<TElEditCore> core_;
    std::unique_ptr<TElSBController> sb_;
    std::unique_ptr<TCaret> caret_;
    std::unique_ptr<TEditDragObject> dragObject_;
    std::unique_ptr<TElKeyboardPlatformWin> keyboard_;
    IElKeyboardPlatform* keyboardOverride_ = nullptr;
    std::unique_ptr<TElKeyboardInputProcessor> input_;

    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool useCustomScrollBars_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TElBorderSides borderSides_ = AllBorderSides;
    bool flat_ = false;
    TElFlatBorderType activeBorderType_ = fbtSunken;
    TElFlatBorderType inactiveBorderType_ = fbtSunkenOuter;
    TColor lineBorderActiveColor_ = clBtnFace;
    TColor lineBorderInactiveColor_ = clBtnFace;
    TElFrameColors frameColors_{clBtnFace, clWindow, clBtnShadow, cl3DDkShadow, clBtnHighlight};
    bool flatFocusedScrollBars_ = false;
    TWeakRef<TControl> linkedControl_;
    TElLinkCtlPos linkedControlPosition_ = lcpTopLeft;
    int32_t linkedControlSpacing_ = 0;
    TImgFormChangeLink imageFormLink_;
    TColor focusedSelectColor_ = clHighlight;
    TColor focusedSelectTextColor_ = clHighlightText;
    TColor hideSelectColor_ = clBtnFace;
    TColor hideSelectTextColor_ = clBtnShadow;
    int32_t highlightAlphaLevel_ = 255;
    bool useDisabledColors_ = false;
    TColor disabledColor_ = clBtnFace;
    TColor disabledFontColor_ = clGrayText;
    TElDisplayOptions readOnlyOptions_;
    bool transparent_ = false;
    bool useBackground_ = false;
    TBitmap background_;

    bool mouseOver_ = false;
    bool focusingClick_ = false;   // the press that is giving the control the focus
    bool dragCaretShown_ = false;  // the caret marks a drop point during a drag
};

// A single-line edit: AlignBottom on, no scroll bars.
class TElEdit : public TCustomElEdit {
public:
    explicit TElEdit(TComponent* AOwner);
    const char* ClassName() const override { return "TElEdit"; }
};

// The multiline edit: paragraphs, Return typed, AlignBottom off.
class TCustomElMemo : public TCustomElEdit {
public:
    explicit TCustomElMemo(TComponent* AOwner);
    const char* ClassName() const override { return "TCustomElMemo"; }
};

class TElMemo : public TCustomElMemo {
public:
    using TCustomElMemo::TCustomElMemo;
    const char* ClassName() const override { return "TElMemo"; }
};
