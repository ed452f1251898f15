// The system's windows inside the selection controls (the edit and list of a combo box, the
// edit of a spin edit or folder-name edit) and how the control that holds them takes part in
// their messages.
//
// These windows are not framework controls: the system makes some of them itself. A control
// subclasses them and sees their messages first; key messages go through the holder's own key
// handling (the form's key preview, then the holder's OnKeyDown, OnKeyPress and OnKeyUp with the
// holder as sender), so that a handler may change the key or swallow it by setting it to 0.
#pragma once

#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Controls.h"

#include <windows.h>

#include <functional>

class TElWindowSubclass {
public:
    // Sees a message before the window's own procedure. True when it answered the message
    // (Result is then the answer); otherwise the window gets it, with WParam and LParam as the
    // handler left them. Runs behind the exception barrier: an exception counts as answered
    // with 0.
    using THandler = std::function<bool(UINT Msg, WPARAM& WParam, LPARAM& LParam, LRESULT& Result)>;

    TElWindowSubclass() = default;
    ~TElWindowSubclass() { Detach(); }
    TElWindowSubclass(const TElWindowSubclass&) = delete;
    TElWindowSubclass& operator=(const TElWindowSubclass&) = delete;

    void Attach(HWND Window, THandler Handler);
    // Gives the window its own procedure back (also done when the window is destroyed).
    void Detach();
    HWND Handle() const { return window_; }
    // The window's own procedure, for handlers that answer after it.
    LRESULT CallOriginal(UINT Msg, WPARAM WParam, LPARAM LParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    THandler handler_;
};

// Runs Holder's key handling for a key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_KEYUP,
// WM_SYSKEYUP) that a window inside it received. True when the key was swallowed; otherwise
// WParam holds the key as the handlers left it. Other messages: false, nothing done.
bool ForwardKeyToHolder(TWinControl& Holder, UINT Msg, WPARAM& WParam, LPARAM LParam);

// A single-line system edit that a control makes inside its own window and whose keys go
// through the control (ForwardKeyToHolder). Its changes reach the control's window as
// WM_COMMAND EN_CHANGE.
class TElEditPart {
public:
    explicit TElEditPart(TWinControl& Holder) : holder_(Holder) {}

    // Makes the edit inside the holder's window with Text, right-aligned or not.
    void Create(const RECT& Bounds, bool RightAligned, const std::u16string& Text);
    HWND Handle() const { return subclass_.Handle(); }
    bool Exists() const { return Handle() != nullptr; }

    std::u16string Text() const;
    // Replaces the text; the edit reports EN_CHANGE as for a user's change.
    void SetText(const std::u16string& Value);
    // Caret position in characters, and setting it (an empty selection there).
    int SelStart() const;
    void SetSelStart(int Value);
    // Font and enabled state follow the holder.
    void FollowHolder();
    // The system edit takes its alignment only when made: a change makes it again, with its
    // text and caret.
    void SetRightAligned(bool Value);

    // After the edit got (WM_SETFOCUS) or lost (WM_KILLFOCUS) the focus; Other is the window
    // that had it or takes it.
    std::function<void(UINT Msg, HWND Other)> OnFocus;

private:
    TWinControl& holder_;
    TElWindowSubclass subclass_;
    bool rightAligned_ = false;
};

// The base of the first-form edits with a part beside the edit (spin buttons, a browse button):
// a themed frame holding a system edit (TElEditPart) and the side part at its right. The
// control's Text is the edit's; OnChange fires on every change of it, by the user or by code.
// The focus given to the control goes on to the edit.
class TElEditPartControl : public TElXPThemedControl {
public:
    const char* ClassName() const override { return "TElEditPartControl"; }

    std::u16string Text() const override;
    void SetText(const std::u16string& Value);
    // The caret's position in the text, in characters.
    int SelStart() const;
    void SetSelStart(int Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);

    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    explicit TElEditPartControl(TComponent* AOwner);

    std::u16string GetThemedClassName() const override { return u"EDIT"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Resize() override;
    void FontChanged() override;
    void EnabledChanged() override;

    // The side part: its width, and making and placing its window (client coordinates).
    virtual int SidePartWidth() const = 0;
    virtual void CreateSidePart(const RECT& Bounds) = 0;
    virtual void PlaceSidePart(const RECT& Bounds) = 0;
    // A WM_COMMAND or WM_NOTIFY that did not come from the edit; true when it was handled.
    virtual bool SidePartMessage(TMessage&) { return false; }
    virtual void Change();

    TElEditPart& EditPart() { return edit_; }

private:
    void Layout();
    void EditFocus(UINT Msg, HWND Other);
    RECT EditBounds() const;
    RECT SideBounds() const;

    TElEditPart edit_{*this};
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int selStart_ = 0;  // kept while there is no window
};
