// TControl and TWinControl: bounds, alignment, visibility, input, painting and the message
// chain of every visible element.
//
// Messages: each control has a replaceable WindowProc (initially its virtual WndProc). WndProc
// handles what the class knows and passes the rest to DefaultHandler, which for a windowed
// control is the window class's own procedure (DefWindowProc, or the system class a control
// wraps). Perform sends a message through WindowProc directly. Messages a child's window sends
// its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_H/VSCROLL)
// come back to the child as CN_BASE + message.
//
// Visible is the control's own flag (it stays true while redrawing is switched off);
// IsShowing also asks the parents.
#pragma once

#include "framework/Canvas.h"
#include "framework/Components.h"
#include "framework/KeyCodes.h"
#include "framework/Messages.h"
#include "framework/ScopedGdi.h"
#include "framework/ShortCuts.h"
#include "framework/Types.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

// Bevels and borders of windowed controls, drawn in the non-client area.
// A control's own border: none, or the single (sunken client edge) one.
enum class TBorderStyle { bsNone, bsSingle };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
using TBevelEdges = uint8_t;  // the sides a bevel is drawn on (the values of BF_LEFT ... BF_BOTTOM)
constexpr TBevelEdges beLeft = 1, beTop = 2, beRight = 4, beBottom = 8, beAllEdges = 15;

using TCursor = int16_t;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNS = -7, crSizeWE = -9,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crMultiDrag = -16, crNo = -18, crHandPoint = -21;
HCURSOR CursorHandle(TCursor Cursor);

// The shift state of the keyboard now (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();
// Shift state of a mouse message's WParam.
TShiftState MouseShiftState(uintptr_t WParam);

// Control style and state bits.
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 0x1, csCaptureMouse = 0x2, csClickEvents = 0x4, csOpaque = 0x8,
                        csDoubleClicks = 0x10, csReplicatable = 0x20,
                        // A windowed control that shows its parent's painting as its background.
                        csParentBackground = 0x40;
using TControlState = uint32_t;
constexpr TControlState csLButtonDown = 0x1, csClicked = 0x2, csFocusing = 0x4, csCreating = 0x8,
                        csAligning = 0x10;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// Drag and drop between the program's controls (framework/DragDrop.h). Source is the dragged
// control (or the drag object a control's OnStartDrag supplied); X and Y are the target's
// client coordinates.
class TDragObject;
enum class TDragMode { dmManual, dmAutomatic };
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }
    void BeforeDestruction() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Scales the control by M / D (a form shown at another screen density): its position and
    // size, a windowed control's children, and whatever else a control sizes in pixels.
    void ScaleBy(int M, int D) { ChangeScale(M, D); }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientSize(int AWidth, int AHeight);
    void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
    void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);

    // The control's own visibility flag.
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent showing.
    virtual bool IsShowing() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* Font() { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);

    // The caption or text.
    virtual std::u16string Text() const;
    void SetText(const std::u16string& Value);
    std::u16string Caption() const { return Text(); }
    void SetCaption(const std::u16string& Value) { SetText(Value); }

    std::u16string Hint;
    bool ShowHint = false;
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    // Right to left is alignment and reading order (WS_EX_RIGHT, WS_EX_RTLREADING and
    // WS_EX_LEFTSCROLLBAR on windows), never a mirrored layout. A control whose ParentBiDiMode is
    // set follows its parent; setting BiDiMode clears it.
    TBiDiMode BiDiMode() const { return biDiMode_; }
    virtual void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool Value);

    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    TControlState ControlState = 0;

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();

    TPoint ClientToScreen(TPoint P) const;
    TPoint ScreenToClient(TPoint P) const;
    // The form this control sits on (itself for a form); nil when none.
    TCustomForm* ParentForm() const;

    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // Sends a message through WindowProc and returns its result.
    intptr_t Perform(uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TNotifyEvent OnClick, OnDblClick, OnResize;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter, OnMouseLeave;

    virtual void Click();

    // Drag and drop (framework/DragDrop.cpp). With dmAutomatic a left button press starts a drag.
    TDragMode DragMode = TDragMode::dmManual;
    TCursor DragCursor = crDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    // Drags this control, starting at once or once the mouse has moved Threshold pixels from
    // where it is now (-1: the system's drag distance); returns when the drag has ended.
    void BeginDrag(bool Immediate, int Threshold = -1);
    bool Dragging() const;
    // Ends this control's drag: dropped where the mouse is, or cancelled.
    void EndDrag(bool Drop);
    // Asked of the control under the mouse: may Source be dropped here? Accept comes in true
    // when OnDragOver is assigned (which may change it), false otherwise.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // Source was dropped here (OnDragDrop).
    virtual void DragDrop(TObject* Source, int X, int Y);
    // Told to the source: the drag starts (OnStartDrag, which may supply its own drag object,
    // kept by the supplier) and has ended (OnEndDrag; Target is nil when nothing took the drop).
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);

protected:
    // A left button press on a dmAutomatic control, after its MouseDown: BeginDrag(false).
    // A control that starts its drags itself overrides it.
    virtual void BeginAutoDrag();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Resize();
    virtual void ChangeScale(int M, int D);
    virtual void FontChanged();
    virtual void TextChanged() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void ColorChanged();
    // Whether this control (a windowed one) paints and takes input through its own window.
    virtual bool IsWindowed() const { return false; }
    void InvalidateParentArea();
    // Sets the visibility flag without any effect (a form starts hidden).
    void InitVisible(bool Value) { visible_ = Value; }

    std::u16string text_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    void HandleMouse(TMessage& Message);
    friend class TWinControl;

    TWinControl* parent_ = nullptr;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TCursor cursor_ = crDefault;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
    bool parentBiDiMode_ = true;
};

struct TCreateParams {
    std::u16string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = 0;
    HBRUSH Background = nullptr;
    HICON Icon = nullptr;
    // The registered class's name (by default the framework class name), and the system class
    // it wraps, if any ("BUTTON", "LISTBOX", ...).
    std::u16string WinClassName;
    std::u16string SystemClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }
    void BeforeDestruction() override;

    // The window; made on first use (with the parents' windows first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Destroys and makes the window again; the control's state lives in its fields.
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int Index) const { return controls_.at(static_cast<size_t>(Index)); }
    // The visible, enabled control at a client point (windowless ones included); nil when none.
    TControl* ControlAtPos(TPoint P, bool AllowDisabled = false, bool AllowWinControls = true) const;
    // Sends Message to every child control until one answers non-zero.
    void Broadcast(TMessage& Message);
    // The windowed controls below this one that can take the focus, in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool TabStop = false;
    int TabOrder() const;
    void SetTabOrder(int Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    // The window's text while it exists (system controls change it themselves).
    std::u16string Text() const override;
    void Invalidate() override;
    void Update() override;
    bool IsShowing() const override;
    // Lays the aligned children out again.
    void Realign();

    // Bevel and border in the non-client area, inside the window's own border: BorderWidth
    // pixels of Color all round, and (BevelKind not bkNone) a bevel of BevelWidth pixels per
    // cut (inner and outer) on BevelEdges. The client area shrinks by both.
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind Value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut Value);
    TBevelEdges BevelEdges() const { return bevelEdges_; }
    void SetBevelEdges(TBevelEdges Value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value);
    // The 3D look: off draws the bevel in one flat colour (BF_MONO).
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool Value);

    // The window's shape. The control owns Region (nil: rectangular) and keeps it, so that a
    // window made again gets the same shape; the window gets a copy of its own, which the
    // system owns once set.
    void SetRegion(HRGN Region);
    bool HasRegion() const { return region_ != nullptr; }

    // Paints what the parent shows under this control into Dc (this control's client
    // coordinates): the parent's background, its painting and its windowless children.
    void PaintParentBackground(HDC Dc);

    // The framework object behind a window (or the nearest framework parent of a foreign one).
    static TWinControl* FindControl(HWND Wnd);

    TNotifyEvent OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseWheelEvent OnMouseWheel;

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // Key handling: preview by the form (KeyPreview), then the control's own events. True when
    // someone consumed the key (set it to 0).
    bool DoKeyDown(uint16_t& Key, TShiftState Shift);
    bool DoKeyPress(char16_t& Key);
    bool DoKeyUp(uint16_t& Key, TShiftState Shift);

    // A control that answers true gets its key-downs from the message loop before they are
    // translated into characters, and no character for a key it used (its key events set the
    // key to 0, or it claimed the key with TApplication::ClaimKey).
    virtual bool TakesKeysBeforeTranslation() const { return false; }

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // After the window exists: font, text, visible state, children.
    virtual void CreateHandleDone() {}
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char16_t& Key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // Paints the client area into DC during WM_PAINT (the framework's own classes only).
    virtual void PaintWindow(HDC Dc);
    // Whether WM_PAINT is ours (true for the framework's own classes).
    virtual bool PaintsItself() const;
    void PaintControls(HDC Dc);
    virtual void AlignControls(TRect& Rect);
    bool IsWindowed() const override { return true; }
    void ChangeScale(int M, int D) override;
    void FontChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    // The width of the bevel on one edge (0 without a bevel).
    int BevelEdgeSize() const;

private:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    void UpdateBoundsFromWindow();
    void ReflectToChild(TMessage& Message);
    void PaintHandler(TMessage& Message);
    void HandleKeyMessage(TMessage& Message);
    void HandleChildMouse(TMessage& Message);
    bool HandleSetCursor(TMessage& Message);

    void FrameChanged();
    void ApplyBiDiStyle();
    void ApplyRegion();
    void CalcNonClientSize(TMessage& Message);
    void PaintNonClient();

    HWND handle_ = nullptr;
    TBevelKind bevelKind_ = TBevelKind::bkNone;
    TBevelCut bevelInner_ = TBevelCut::bvRaised;
    TBevelCut bevelOuter_ = TBevelCut::bvLowered;
    TBevelEdges bevelEdges_ = beAllEdges;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool ctl3D_ = true;
    TGdiObject<HRGN> region_;
    WNDPROC defWndProc_ = nullptr;
    int controlId_ = 0;
    std::vector<TControl*> controls_;   // children in z-order (not owned)
    std::vector<TWinControl*> tabList_; // windowed children in tab order
    TWeakRef<TControl> mouseControl_;   // windowless child holding the mouse
};

// Holds the drawing of a window and of everything on it while many of its controls change one
// after another: each change only invalidates, and when the hold ends the window is drawn once,
// whole, frame included. A window that has no handle, is hidden or is held already is left as
// it is (the outer hold draws it). While held the window reads as invisible to the system
// (IsWindowVisible); its own Visible flag stays true. No modal window may run during a hold:
// the held window would take no part in it.
class TDrawingHold {
public:
    explicit TDrawingHold(TWinControl* Control);
    ~TDrawingHold();
    TDrawingHold(const TDrawingHold&) = delete;
    TDrawingHold& operator=(const TDrawingHold&) = delete;

private:
    HWND wnd_ = nullptr;
};

// What CM_HINTSHOW offers a control (LParam points to it) before its hint is shown. The control
// may change any field, or answer non-zero to show no hint this time.
struct THintInfo {
    TControl* HintControl = nullptr;
    // Screen position of the hint window's top-left corner (below the mouse).
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    // Control coordinates: while the mouse stays inside, the hint stays; leaving it hides the
    // hint and asks again (a control with a hint per part narrows it to the part).
    TRect CursorRect;
    TPoint CursorPos;
    // Milliseconds the hint stays; 0 or less: until the mouse moves on.
    int HideTimeout = 0;
    // The text shown: the control's short hint.
    std::u16string HintStr;
    // A control that keeps its hint in the packed 8-bit form may hand that over instead; when
    // set, it is unpacked and its short part replaces HintStr.
    std::string PackedHintStr;
};

// The key event of a WM_KEYDOWN-style message as a short-cut.
TShortCut ShortCutFromMessage(const TMessage& Message);
