// TElBiProgressBar: two progress values in one bar, a "dark" and a "light" bar, each with its own
// colour, gradient, button look and text, plus a caption over the whole control; or a marquee
// (a block sliding back and forth on a timer). Themed as "PROGRESS" (its button look as
// "BUTTON"); painted into an off-screen buffer and copied to the window in one piece.
//
// Every property setter stores the value and repaints only when it changed (and only when the
// control has a window and is not being loaded).
#pragma once

#include "widgets/el/foundation/ElImageForm.h"
#include "widgets/el/foundation/ElProgressGeometry.h"
#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Timer.h"

#include <string>

enum TElBevelStyle : uint8_t { ebsNone, ebsLowered, ebsRaised };

class TElBiProgressBar : public TElXPThemedControl {
public:
    explicit TElBiProgressBar(TComponent* AOwner);
    ~TElBiProgressBar() override;
    const char* ClassName() const override { return "TElBiProgressBar"; }
    void WndProc(TMessage& Message) override;

    int32_t MinValue() const { return minValue_; }
    void SetMinValue(int32_t Value) { Change(minValue_, Value); }
    int32_t Scale() const { return scale_; }
    void SetScale(int32_t Value) { Change(scale_, Value); }
    int32_t LightValue() const { return light_.Value; }
    void SetLightValue(int32_t Value) { Change(light_.Value, Value); }
    int32_t DarkValue() const { return dark_.Value; }
    void SetDarkValue(int32_t Value) { Change(dark_.Value, Value); }

    TColor LightColor() const { return light_.Color; }
    void SetLightColor(TColor Value) { Change(light_.Color, Value); }
    TColor DarkColor() const { return dark_.Color; }
    void SetDarkColor(TColor Value) { Change(dark_.Color, Value); }
    bool LightGradient() const { return light_.Gradient; }
    void SetLightGradient(bool Value) { SetGradient(light_, Value); }
    bool DarkGradient() const { return dark_.Gradient; }
    void SetDarkGradient(bool Value) { SetGradient(dark_, Value); }
    int32_t LightGradientSteps() const { return light_.GradientSteps; }
    void SetLightGradientSteps(int32_t Value) { Change(light_.GradientSteps, Value); }
    int32_t DarkGradientSteps() const { return dark_.GradientSteps; }
    void SetDarkGradientSteps(int32_t Value) { Change(dark_.GradientSteps, Value); }
    bool LightButtonStyle() const { return light_.ButtonStyle; }
    void SetLightButtonStyle(bool Value) { Change(light_.ButtonStyle, Value); }
    bool DarkButtonStyle() const { return dark_.ButtonStyle; }
    void SetDarkButtonStyle(bool Value) { Change(dark_.ButtonStyle, Value); }
    const std::u16string& LightText() const { return light_.Text; }
    void SetLightText(const std::u16string& Value) { Change(light_.Text, Value); }
    const std::u16string& DarkText() const { return dark_.Text; }
    void SetDarkText(const std::u16string& Value) { Change(dark_.Text, Value); }
    TColor LightTextColor() const { return light_.TextColor; }
    void SetLightTextColor(TColor Value) { Change(light_.TextColor, Value); }
    TColor DarkTextColor() const { return dark_.TextColor; }
    void SetDarkTextColor(TColor Value) { Change(dark_.TextColor, Value); }
    bool LightTextFullLine() const { return light_.TextFullLine; }
    void SetLightTextFullLine(bool Value) { Change(light_.TextFullLine, Value); }
    bool DarkTextFullLine() const { return dark_.TextFullLine; }
    void SetDarkTextFullLine(bool Value) { Change(dark_.TextFullLine, Value); }

    TProgrShowMode ProgressShowMode() const { return showMode_; }
    void SetProgressShowMode(TProgrShowMode Value) { Change(showMode_, Value); }
    TElProgrOrientation Orientation() const { return orientation_; }
    // Turning the bar (not while loading) swaps its width and height.
    void SetOrientation(TElProgrOrientation Value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool Value) { Change(smooth_, Value); }
    TElBevelStyle BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TElBevelStyle Value) { Change(bevelStyle_, Value); }
    bool InfiniteMode() const { return infinite_; }
    void SetInfiniteMode(bool Value) { Change(infinite_, Value); }
    // Kept and repainted on change; the drawing does not depend on it.
    bool Additive() const { return additive_; }
    void SetAdditive(bool Value) { Change(additive_, Value); }

    bool Marquee() const { return marqueeTimer_ != nullptr; }
    void SetMarquee(bool Value);
    int32_t MarqueeSize() const { return marqueeSize_; }
    void SetMarqueeSize(int32_t Value) { Change(marqueeSize_, Value); }
    int32_t MarqueeUpdateInterval() const { return marqueeInterval_; }
    void SetMarqueeUpdateInterval(int32_t Value);
    TColor MarqueeColor() const { return marqueeColor_; }
    void SetMarqueeColor(TColor Value) { Change(marqueeColor_, Value); }
    // The marquee block's position in value units.
    int32_t MarqueePosition() const { return marquee_.Position; }

    // Shows the parent's painting as the background.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Paints the image form's background behind the (classic, opaque) bar.
    TCustomElImageForm* ImageForm() const { return imageFormLink_.Sender(); }
    virtual void SetImageForm(TCustomElImageForm* Value);

protected:
    std::u16string GetThemedClassName() const override { return u"PROGRESS"; }
    void CreateThemeHandle() override;
    void FreeThemeHandle() override;
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // The caption (Text) is drawn centred over the control.
    void TextChanged() override;

private:
    struct TBar {
        int32_t Value = 0;
        TColor Color = clRed;
        bool Gradient = false;
        int32_t GradientSteps = 64;
        bool ButtonStyle = false;
        std::u16string Text;
        TColor TextColor = clBtnText;
        bool TextFullLine = false;
    };

    template <class T>
    void Change(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
    void Changed();
    void SetGradient(TBar& Bar, bool Value);
    void MarqueeTick();

    // Painting into the buffer's DC.
    TRect PaintBackground(HDC Dc, const TRect& Client);
    // Draws one bar and returns its rectangle (empty when nothing is drawn).
    TRect PaintBar(HDC Dc, const TRect& Area, const TBar& Bar, TElProgressBarKind Kind);
    void PaintMarquee(HDC Dc, const TRect& Area, const TRect& Client);
    void PaintSpan(HDC Dc, const TRect& Area, const TElProgressFill& Fill, TElProgressBarKind Kind, bool Half,
                   TColor Color, bool Gradient, int32_t GradientSteps, bool ButtonStyle);
    void PaintTexts(HDC Dc, const TRect& Client, const TRect& DarkRect, const TRect& LightRect);
    // The theme's chunk step, or the classic one.
    int32_t Step() const;

    int32_t minValue_ = 0;
    int32_t scale_ = 100;
    TBar light_, dark_;
    TProgrShowMode showMode_ = psmAllFull;
    TElProgrOrientation orientation_ = poHorizontal;
    bool smooth_ = false;
    TElBevelStyle bevelStyle_ = ebsNone;
    bool infinite_ = false;
    bool additive_ = false;
    int32_t marqueeSize_ = 20;
    int32_t marqueeInterval_ = 25;
    TColor marqueeColor_ = clMaroon;
    TElMarqueeMotion marquee_;
    TOwned<TTimer> marqueeTimer_;
    bool transparent_ = false;
    TElThemeHandle buttonTheme_;
    TImgFormChangeLink imageFormLink_;
};
