// The tool bar and its buttons.
//
// TElToolBar holds tool buttons and other controls (a combo box) in one row, in their order,
// each centred vertically; tool buttons take the bar's button size, widened by the arrow strip
// where they have a pull-down menu. With AutoSize the bar fits
// its width and height to them. Disabling the bar disables everything on it: its buttons paint
// greyed and take no clicks while the bar is disabled, whatever their own Enabled says.
//
// TElToolButton draws the image ImageIndex of its tool bar's image list (the glyph when it has
// no image) and is flat unless the bar says otherwise.
#pragma once

#include "widgets/el/menus/ElButtonsGraphic.h"

#include "framework/ImageList.h"

class TElToolBar : public TElXPThemedControl {
public:
    explicit TElToolBar(TComponent* AOwner);
    ~TElToolBar() override;
    const char* ClassName() const override { return "TElToolBar"; }

    // The images of the bar's buttons (not owned).
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* Value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    // The look of the bar's buttons.
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);

protected:
    std::u16string GetThemedClassName() const override { return u"TOOLBAR"; }
    void Paint() override;
    void AlignControls(TRect& Rect) override;
    void EnabledChanged() override;

private:
    void ButtonsChanged();

    TWeakRef<TImageList> images_;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool autoSize_ = true;
    bool flat_ = true;
};

class TElToolButton : public TCustomElGraphicButton {
public:
    explicit TElToolButton(TComponent* AOwner);
    const char* ClassName() const override { return "TElToolButton"; }

    // The image of the tool bar's list; -1 (or an index the list does not have) draws none.
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t Value);
    // The tool bar the button stands on; nil when its parent is something else.
    TElToolBar* ToolBar() const;

    void SetParent(TWinControl* AParent) override;

protected:
    std::u16string GetThemedClassName() const override { return u"TOOLBAR"; }
    TSize PictureSize() const override;
    void PullDownMenuChanged() override;
    void DrawPicture(const TRect& Where, TElGlyphState State) override;

private:
    bool HasListImage() const;
    int32_t imageIndex_ = -1;
};
