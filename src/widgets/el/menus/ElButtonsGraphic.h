// The graphic buttons: tool, navigator and edit buttons that never take the focus.
//
// TCustomElGraphicButton paints a face (themed, classic, flat or the "money" flat look with its
// three frame colours), a picture (glyph, icon, or what a descendant supplies) and a caption.
// Down state: a button in a group (GroupIndex not 0) stays down when clicked and raises the
// others of its group on the same parent; AllowAllUp lets a group (or a lone button) be all up;
// a switch (IsSwitch) toggles on each click. Code follows the same rules through SetDown.
//
// Mouse: OnMouseDown and OnMouseUp come in pairs for every press, also when the press is cut
// short (the button disabled, the capture taken away), so that an auto-repeat started on the
// down stops on the up. A button with a pull-down menu shows an arrow strip at its side; a
// press there opens the menu at PopupPlace and fires neither mouse event nor click.
#pragma once

#include "widgets/el/menus/ElButtonsCore.h"
#include "widgets/el/menus/ElButtonsGlyph.h"

#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Icon.h"
#include "framework/Menus.h"

#include <memory>
#include <string>

// The width of the arrow strip a button with a pull-down menu shows at its right.
constexpr int ElPullDownArrowWidth = 12;

// Where a button's pull-down menu opens: below it, at its right, above it.
enum TPopupPlace : uint8_t { ppDown = 0, ppRight = 1, ppTop = 2 };

// The sounds a button names for its events; kept as data, never played by the button.
struct TElButtonSoundMap {
    std::u16string DownSound;
    std::u16string UpSound;
    std::u16string ClickSound;
};

class TCustomElGraphicButton : public TElXPThemedControl {
public:
    explicit TCustomElGraphicButton(TComponent* AOwner);
    ~TCustomElGraphicButton() override;
    const char* ClassName() const override { return "TCustomElGraphicButton"; }

    // ---- Down state
    bool Down() const { return down_; }
    // Refused (nothing changes) where the rules of ElCanSetDown forbid the change.
    void SetDown(bool Value);
    int32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int32_t Value);
    // Shared by a group: setting it on one button sets it on the others of the group.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    bool IsSwitch() const { return isSwitch_; }
    void SetIsSwitch(bool Value);

    // ---- Texts (Caption and SetCaption are the control's own)
    // The wide hint; the packed 8-bit form is kept beside it and handed to the hint window.
    void SetHint(const std::u16string& Value);
    const std::string& PackedHint() const { return packedHint_; }

    // ---- Pull-down menu (not owned)
    TPopupMenu* PullDownMenu() const { return pullDownMenu_.Get(); }
    void SetPullDownMenu(TPopupMenu* Value);
    TPopupPlace PopupPlace() const { return popupPlace_; }
    void SetPopupPlace(TPopupPlace Value);
    // The screen point where the menu's corner goes for the current PopupPlace.
    TPoint PullDownPoint() const;

    // ---- Pictures
    const TBitmap* Glyph() const { return glyph_.Bitmap(); }
    // Assigned by copy; nil clears it.
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int Value);
    const TIcon* Icon() const { return icon_.get(); }
    // Assigned by copy.
    void SetIcon(const TIcon* Value);
    // The icon stands in for the glyph while UseIcon is on and an icon is set.
    bool UseIcon() const { return useIcon_; }
    void SetUseIcon(bool Value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    bool AdjustSpaceForGlyph() const { return adjustSpaceForGlyph_; }
    void SetAdjustSpaceForGlyph(bool Value);

    // ---- Look
    // Flat: no frame until the mouse is over the button (or it is down).
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    // A frame of one ring instead of two.
    bool ThinFrame() const { return thinFrame_; }
    void SetThinFrame(bool Value);
    // A flat button that shows its thin frame also while the mouse is elsewhere.
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool Value);
    // The classic look even where visual styles are available.
    bool OldStyled() const { return oldStyled_; }
    void SetOldStyled(bool Value);
    // The parent shows through the face.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // The flat look with a one-pixel frame in MoneyFlatActiveColor (mouse over the button),
    // MoneyFlatInactiveColor (normal) or MoneyFlatDownColor (pressed or down).
    bool MoneyFlat() const { return moneyFlat_; }
    void SetMoneyFlat(bool Value);
    TColor MoneyFlatActiveColor() const { return moneyColors_.Active; }
    void SetMoneyFlatActiveColor(TColor Value);
    TColor MoneyFlatInactiveColor() const { return moneyColors_.Inactive; }
    void SetMoneyFlatInactiveColor(TColor Value);
    TColor MoneyFlatDownColor() const { return moneyColors_.Down; }
    void SetMoneyFlatDownColor(TColor Value);

    TElButtonSoundMap SoundMap;

    // ---- State
    // The mouse is over the button.
    bool MouseInControl() const { return hot_; }
    // The left button is held on the button with the mouse inside it.
    bool Pressed() const { return pressed_; }
    // Enabled here and on every parent.
    bool EffectivelyEnabled() const;

    // Runs the Down change of a user's click, then OnClick.
    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    std::u16string GetThemedClassName() const override { return u"BUTTON"; }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;

    // The picture: its size, and drawing it. The base draws the icon or the glyph; a tool
    // button draws its image from its tool bar's list.
    virtual TSize PictureSize() const;
    virtual void DrawPicture(const TRect& Where, TElGlyphState State);
    // Repaints when a look property changed (only with a window, not while loading).
    void LookChanged();
    // Stores a look property and repaints when it changed.
    template <class T>
    void SetLook(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        LookChanged();
    }
    // The pull-down menu was set or taken away (the arrow strip came or went).
    virtual void PullDownMenuChanged() { LookChanged(); }

    TElGlyphState GlyphState() const;

private:
    void ShowPullDown();
    TRect ArrowStrip() const;
    TRect FaceRect() const;
    void PaintBackground(const TRect& R);
    void PaintFrame(const TRect& R);
    void PaintContent(const TRect& Face);
    void PaintArrow(const TRect& Strip);
    // Ends a press the system cut short: the look goes up and OnMouseUp reports it.
    void CancelPress();
    void SetHot(bool Value);
    // The other buttons on the same parent in the same group.
    template <class F>
    void ForEachGroupSibling(F&& Action);

    bool down_ = false;
    int32_t groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool isSwitch_ = false;
    std::string packedHint_;
    TWeakRef<TPopupMenu> pullDownMenu_;
    TPopupPlace popupPlace_ = ppDown;
    TElButtonGlyph glyph_;
    std::unique_ptr<TIcon> icon_;
    bool useIcon_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    bool adjustSpaceForGlyph_ = true;
    bool flat_ = false;
    bool thinFrame_ = false;
    bool showBorder_ = false;
    bool oldStyled_ = false;
    bool transparent_ = false;
    bool moneyFlat_ = false;
    TElMoneyFlatColors moneyColors_;
    bool hot_ = false;
    bool pressed_ = false;
    bool held_ = false;  // OnMouseDown reported for the left button, OnMouseUp not yet
    TPoint lastMouse_;
    bool inPullDown_ = false;
};

// The navigator's and dialogs' graphic button.
class TElGraphicButton : public TCustomElGraphicButton {
public:
    using TCustomElGraphicButton::TCustomElGraphicButton;
    const char* ClassName() const override { return "TElGraphicButton"; }
};

// The push button a button edit embeds at its side.
class TElEditBtn : public TCustomElGraphicButton {
public:
    using TCustomElGraphicButton::TCustomElGraphicButton;
    const char* ClassName() const override { return "TElEditBtn"; }
};
