// TCustomElButtonEdit: the edit with two push buttons inside its border at the right, the main
// button and the alternative one (TElEditBtn, child windows that never take the focus). The
// text area ends before them (ElButtonEditLayout). A click on a button fires OnButtonClick or
// OnAltButtonClick and leaves the focus and the caret in the edit; a button's short-cut typed in
// the edit clicks it while it is visible and enabled. The base of the combo box, the
// folder-name edit and the spin edit.
//
// The buttons' own properties (glyph, icon, sounds, look) are reached through Button() and
// AltButton(); the ones that change the edit's layout or its keys are the edit's.
#pragma once

#include "widgets/el/editing/ElButtonEditLayout.h"
#include "widgets/el/editing/ElEdit.h"

#include "widgets/el/menus/ElButtonsGraphic.h"

#include <functional>
#include <string>
#include <vector>

// An edit button that shows arrows stacked in equal parts, top to bottom (a down arrow for a
// drop-down list; up and down for a spin button). Directions as DrawArrow takes them: 0 left,
// 1 up, 2 right, 3 down.
class TElEditArrowButton : public TElEditBtn {
public:
    TElEditArrowButton(TComponent* AOwner, std::vector<int> Arrows);
    const char* ClassName() const override { return "TElEditArrowButton"; }
    // The part the last press went to (0 the top one).
    int PressedPart() const { return pressedPart_; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    TRect PartRect(int Part) const;

    std::vector<int> arrows_;
    int pressedPart_ = 0;
};

class TCustomElButtonEdit : public TCustomElEdit {
public:
    // Makes both buttons with ButtonClass (TElEditBtn when empty).
    using TButtonFactory = std::function<TElEditBtn*(TComponent* Owner)>;
    explicit TCustomElButtonEdit(TComponent* AOwner, const TButtonFactory& ButtonClass = {});
    const char* ClassName() const override { return "TCustomElButtonEdit"; }

    TElEditBtn* Button() const { return button_; }
    TElEditBtn* AltButton() const { return altButton_; }

    // ---- Main button
    // The button's own Visible flag; a change lays the edit out again.
    bool ButtonVisible() const { return button_->Visible(); }
    void SetButtonVisible(bool Value);
    // -1: the system's vertical scroll-bar width.
    int32_t ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int32_t Value);
    bool ButtonEnabled() const { return button_->Enabled(); }
    void SetButtonEnabled(bool Value) { button_->SetEnabled(Value); }
    std::u16string ButtonCaption() const { return button_->Caption(); }
    void SetButtonCaption(const std::u16string& Value) { button_->SetCaption(Value); }
    const TBitmap* ButtonGlyph() const { return button_->Glyph(); }
    virtual void SetButtonGlyph(const TBitmap* Value) { button_->SetGlyph(Value); }
    void SetButtonHint(const std::u16string& Value) { button_->SetHint(Value); }
    // 0: none. Typed in the edit, it clicks the button.
    TShortCut ButtonShortcut = 0;

    // ---- Alternative button (hidden at first)
    bool AltButtonVisible() const { return altButton_->Visible(); }
    void SetAltButtonVisible(bool Value);
    int32_t AltButtonWidth() const { return altButtonWidth_; }
    void SetAltButtonWidth(int32_t Value);
    bool AltButtonEnabled() const { return altButton_->Enabled(); }
    void SetAltButtonEnabled(bool Value) { altButton_->SetEnabled(Value); }
    std::u16string AltButtonCaption() const { return altButton_->Caption(); }
    void SetAltButtonCaption(const std::u16string& Value) { altButton_->SetCaption(Value); }
    void SetAltButtonHint(const std::u16string& Value) { altButton_->SetHint(Value); }
    TShortCut AltButtonShortcut = 0;
    // taRightJustify (the default): left of the main button; taLeftJustify: right of it.
    TAlignment AltButtonPosition() const { return altButtonPosition_; }
    void SetAltButtonPosition(TAlignment Value);

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnAltButtonClick;

    // The buttons' look follows the edit's flat border and themes.
    void SetFlat(bool Value) override;
    void SetActiveBorderType(TElFlatBorderType Value) override;
    void SetInactiveBorderType(TElFlatBorderType Value) override;
    void SetLineBorderActiveColor(TColor Value) override;
    void SetLineBorderInactiveColor(TColor Value) override;
    void SetUseXPThemes(bool Value) override;

    void WndProc(TMessage& Message) override;

protected:
    TRect ComputeEditRect() const override;
    void CreateWnd() override;
    void Resize() override;
    // The buttons draw their arrows and captions from the edit's state: they are painted again.
    void EnabledChanged() override;
    // The buttons' widths (the system's for -1) scale with the control.
    void ChangeScale(int M, int D) override;
    void EditKeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    // A button was clicked (by the mouse or its short-cut): OnButtonClick, OnAltButtonClick.
    virtual void ButtonClick();
    virtual void AltButtonClick();

    // The layout of the client area as it stands.
    TElButtonEditParts Parts() const;
    // Places the buttons and narrows the text area.
    void LayoutButtons();

private:
    TElEditBtn* MakeButton(const TButtonFactory& ButtonClass, bool Alt);
    void UpdateButtonLook();
    // Clicks Button when Key with Shift is its short-cut and it is visible and enabled.
    static bool ClickByShortcut(TElEditBtn* Button, TShortCut ShortCut, uint16_t Key, TShiftState Shift);

    TElEditBtn* button_ = nullptr;     // owned by this control (component ownership)
    TElEditBtn* altButton_ = nullptr;
    int32_t buttonWidth_ = -1;
    int32_t altButtonWidth_ = -1;
    TAlignment altButtonPosition_ = TAlignment::taRightJustify;
};
