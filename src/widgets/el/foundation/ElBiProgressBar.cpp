#include "widgets/el/foundation/ElBiProgressBar.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"
#include "framework/StrConv.h"

#include <vssym32.h>

#include <algorithm>

namespace {

void RegisterProgressBarProperties(TElPropertyTable& Table)
{
    using B = TElBiProgressBar;
    Table.AddInteger<B>("MinValue", [](B& b, int32_t v) { b.SetMinValue(v); });
    Table.AddInteger<B>("Scale", [](B& b, int32_t v) { b.SetScale(v); });
    Table.AddInteger<B>("LightValue", [](B& b, int32_t v) { b.SetLightValue(v); });
    Table.AddInteger<B>("DarkValue", [](B& b, int32_t v) { b.SetDarkValue(v); });
    Table.AddColor<B>("LightColor", [](B& b, TColor v) { b.SetLightColor(v); });
    Table.AddColor<B>("DarkColor", [](B& b, TColor v) { b.SetDarkColor(v); });
    Table.AddBoolean<B>("LightGradient", [](B& b, bool v) { b.SetLightGradient(v); });
    Table.AddBoolean<B>("DarkGradient", [](B& b, bool v) { b.SetDarkGradient(v); });
    Table.AddInteger<B>("LightGradientSteps", [](B& b, int32_t v) { b.SetLightGradientSteps(v); });
    Table.AddInteger<B>("DarkGradientSteps", [](B& b, int32_t v) { b.SetDarkGradientSteps(v); });
    Table.AddBoolean<B>("LightButtonStyle", [](B& b, bool v) { b.SetLightButtonStyle(v); });
    Table.AddBoolean<B>("DarkButtonStyle", [](B& b, bool v) { b.SetDarkButtonStyle(v); });
    Table.AddString<B>("LightText", [](B& b, const std::string& v) { b.SetLightText(AnsiToWide(v)); });
    Table.AddString<B>("DarkText", [](B& b, const std::string& v) { b.SetDarkText(AnsiToWide(v)); });
    Table.AddColor<B>("LightTextColor", [](B& b, TColor v) { b.SetLightTextColor(v); });
    Table.AddColor<B>("DarkTextColor", [](B& b, TColor v) { b.SetDarkTextColor(v); });
    Table.AddBoolean<B>("LightTextFullLine", [](B& b, bool v) { b.SetLightTextFullLine(v); });
    Table.AddBoolean<B>("DarkTextFullLine", [](B& b, bool v) { b.SetDarkTextFullLine(v); });
    Table.AddString<B>("Caption", [](B& b, const std::string& v) { b.SetCaption(AnsiToWide(v)); });
    Table.AddEnumeration<B>("ProgressShowMode", [](B& b, int v) { b.SetProgressShowMode(static_cast<TProgrShowMode>(v)); });
    Table.AddEnumeration<B>("Orientation", [](B& b, int v) { b.SetOrientation(static_cast<TElProgrOrientation>(v)); });
    Table.AddBoolean<B>("Smooth", [](B& b, bool v) { b.SetSmooth(v); });
    Table.AddEnumeration<B>("BevelStyle", [](B& b, int v) { b.SetBevelStyle(static_cast<TElBevelStyle>(v)); });
    Table.AddBoolean<B>("InfiniteMode", [](B& b, bool v) { b.SetInfiniteMode(v); });
    Table.AddBoolean<B>("Additive", [](B& b, bool v) { b.SetAdditive(v); });
    Table.AddBoolean<B>("Marquee", [](B& b, bool v) { b.SetMarquee(v); });
    Table.AddInteger<B>("MarqueeSize", [](B& b, int32_t v) { b.SetMarqueeSize(v); });
    Table.AddInteger<B>("MarqueeUpdateInterval", [](B& b, int32_t v) { b.SetMarqueeUpdateInterval(v); });
    Table.AddColor<B>("MarqueeColor", [](B& b, TColor v) { b.SetMarqueeColor(v); });
    Table.AddBoolean<B>("Transparent", [](B& b, bool v) { b.SetTransparent(v); });
}

RECT ToRECT(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

TRect FromRECT(const RECT& R)
{
    return {R.left, R.top, R.right, R.bottom};
}

}  // namespace

TElBiProgressBar::TElBiProgressBar(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    BeginCreate();
    ElPropertyTable().RegisterOnce<TElBiProgressBar>(RegisterProgressBarProperties);
    ControlStyle |= csOpaque;
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 100, 21);
    light_.Color = clRed;
    dark_.Color = clMaroon;
    imageFormLink_.OnChange = [this](TObject*) { Changed(); };
    EndCreate();
}

TElBiProgressBar::~TElBiProgressBar()
{
    SetImageForm(nullptr);
    marqueeTimer_.reset();
    buttonTheme_.Reset();
}

void TElBiProgressBar::Changed()
{
    if (HandleAllocated() && !IsLoading())
        Invalidate();
}

void TElBiProgressBar::TextChanged()
{
    TElXPThemedControl::TextChanged();
    Changed();
}

void TElBiProgressBar::SetGradient(TBar& Bar, bool Value)
{
    if (Bar.Gradient == Value)
        return;
    Bar.Gradient = Value;
    if (Bar.Value > 0)
        Changed();
}

void TElBiProgressBar::SetOrientation(TElProgrOrientation Value)
{
    if (Value == orientation_)
        return;
    orientation_ = Value;
    if (!IsLoading())
        SetBounds(Left(), Top(), Height(), Width());
    Changed();
}

void TElBiProgressBar::SetMarquee(bool Value)
{
    if (Value == Marquee())
        return;
    if (Value) {
        marquee_.Start(marqueeSize_, scale_);
        marqueeTimer_.reset(new TTimer(nullptr));
        marqueeTimer_->SetInterval(static_cast<uint32_t>(std::max(1, marqueeInterval_)));
        marqueeTimer_->OnTimer = [this](TObject*) { MarqueeTick(); };
        marqueeTimer_->SetEnabled(true);
    } else {
        marqueeTimer_.reset();
    }
    Changed();
}

void TElBiProgressBar::SetMarqueeUpdateInterval(int32_t Value)
{
    if (Value == marqueeInterval_)
        return;
    marqueeInterval_ = Value;
    // A running marquee takes the new pace at once.
    if (marqueeTimer_)
        marqueeTimer_->SetInterval(static_cast<uint32_t>(std::max(1, Value)));
}

void TElBiProgressBar::MarqueeTick()
{
    marquee_.Tick(marqueeSize_, scale_);
    if (HandleAllocated())
        Invalidate();
}

void TElBiProgressBar::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    if (Value)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    if (HandleAllocated())
        RecreateWnd();
}

void TElBiProgressBar::SetImageForm(TCustomElImageForm* Value)
{
    if (Value == ImageForm())
        return;
    imageFormLink_.SetSender(Value);
    Changed();
}

void TElBiProgressBar::CreateParams(TCreateParams& Params)
{
    TElXPThemedControl::CreateParams(Params);
    if (transparent_)
        Params.ExStyle |= WS_EX_TRANSPARENT;
}

void TElBiProgressBar::CreateThemeHandle()
{
    TElXPThemedControl::CreateThemeHandle();
    if (Theme())
        buttonTheme_.Open(nullptr, u"BUTTON");
}

void TElBiProgressBar::FreeThemeHandle()
{
    buttonTheme_.Reset();
    TElXPThemedControl::FreeThemeHandle();
}

void TElBiProgressBar::WndProc(TMessage& Message)
{
    TElXPThemedControl::WndProc(Message);
    if (Message.Msg == EL_REPAINTNOTIFY && transparent_ && Message.LParam != reinterpret_cast<intptr_t>(this) &&
        !IsDestroying())
        Invalidate();
}

// ---- painting

int32_t TElBiProgressBar::Step() const
{
    if (IsThemeApplied()) {
        // The theme's chunk and gap; where the theme does not tell (or tells nonsense), the
        // classic step, so that rounding to steps always advances.
        int chunk = 0, space = 0;
        if (ElUxTheme().GetThemeInt(Theme(), PP_CHUNK, 0, TMT_PROGRESSCHUNKSIZE, chunk) && chunk > 0) {
            ElUxTheme().GetThemeInt(Theme(), PP_CHUNK, 0, TMT_PROGRESSSPACESIZE, space);
            return chunk + std::max(0, space);
        }
        return ElProgressStep;
    }
    return smooth_ ? 1 : ElProgressStep;
}

TRect TElBiProgressBar::PaintBackground(HDC Dc, const TRect& Client)
{
    const RECT client = ToRECT(Client);
    if (IsThemeApplied()) {
        if (ElUxTheme().IsThemeBackgroundPartiallyTransparent(Theme(), PP_BAR, 0))
            PaintParentBackground(Dc);
        ElUxTheme().DrawThemeBackground(Theme(), Dc, PP_BAR, 0, client);
        RECT content = client;
        ElUxTheme().GetThemeBackgroundContentRect(Theme(), Dc, PP_BAR, 0, client, content);
        return FromRECT(content);
    }
    TCustomElImageForm* imageForm = ImageForm();
    if (transparent_)
        PaintParentBackground(Dc);
    else if (imageForm && !IsDesigning() && imageForm->GetRealControl() != this)
        imageForm->PaintBkgnd(Dc, this, Client, {Client.Left, Client.Top});
    else
        FillSolidRect(Dc, Client, Color());
    TRect area = Client;
    if (bevelStyle_ != ebsNone) {
        const bool lowered = bevelStyle_ == ebsLowered;
        Draw3DRect(Dc, Client.Left, Client.Top, Client.Width(), Client.Height(), emAll,
                   lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow);
        area = {Client.Left + 1, Client.Top + 1, Client.Right - 1, Client.Bottom - 1};
    }
    return area;
}

void TElBiProgressBar::PaintSpan(HDC Dc, const TRect& Area, const TElProgressFill& Fill, TElProgressBarKind Kind,
                                 bool Half, TColor BarColor, bool Gradient, int32_t GradientSteps, bool ButtonStyle)
{
    const TRect r = ProgressSpanRect(Area, orientation_, Fill.Span, Kind, Half);
    if (r.IsEmpty())
        return;
    RECT rc = ToRECT(r);
    if (ButtonStyle) {
        if (!IsThemeApplied() || !ElUxTheme().DrawThemeBackground(buttonTheme_.Get(), Dc, BP_PUSHBUTTON, PBS_NORMAL, rc))
            DrawFrameControl(Dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
        return;
    }
    if (IsThemeApplied()) {
        if (orientation_ == poHorizontal) {
            ElUxTheme().DrawThemeBackground(Theme(), Dc, PP_CHUNK, 0, rc);
            return;
        }
        // The vertical chunk drawn upside down, so that its pattern grows from the bottom.
        TMemoryDC chunk(Dc, r.Width(), r.Height());
        if (!chunk.Valid())
            return;
        const RECT local{0, 0, r.Width(), r.Height()};
        ElUxTheme().DrawThemeBackground(Theme(), chunk.Handle(), PP_CHUNKVERT, 0, local);
        StretchBlt(Dc, r.Left, r.Bottom - 1, r.Width(), -r.Height(), chunk.Handle(), 0, 0, r.Width(), r.Height(),
                   SRCCOPY);
        return;
    }
    if (smooth_) {
        if (Gradient) {
            // From the bar's colour where it starts to the control's colour where it ends.
            if (orientation_ == poHorizontal)
                GradientFillRect(Dc, r, BarColor, Color(), GradientSteps, false);
            else
                GradientFillRect(Dc, r, Color(), BarColor, GradientSteps, true);
        } else {
            FillSolidRect(Dc, r, BarColor);
        }
        return;
    }
    for (const TElProgressSpan& block : ProgressBlocks(Fill))
        FillSolidRect(Dc, ProgressSpanRect(Area, orientation_, block, Kind, Half), BarColor);
}

TRect TElBiProgressBar::PaintBar(HDC Dc, const TRect& Area, const TBar& Bar, TElProgressBarKind Kind)
{
    const TElProgressFill fill = ProgressFill(minValue_, scale_, Bar.Value, ProgressBarLength(Area, orientation_),
                                              infinite_, Step(), infinite_ && !Bar.ButtonStyle);
    if (fill.Span.Empty())
        return {};
    const bool half = ProgressBarIsHalf(showMode_, Kind);
    PaintSpan(Dc, Area, fill, Kind, half, Bar.Color, Bar.Gradient, Bar.GradientSteps, Bar.ButtonStyle);
    return ProgressSpanRect(Area, orientation_, fill.Span, Kind, half);
}

void TElBiProgressBar::PaintMarquee(HDC Dc, const TRect& Area, const TRect& Client)
{
    TElProgressFill fill;
    fill.Span = MarqueeSpan(marquee_.Position, scale_, marqueeSize_, ProgressBarLength(Client, orientation_),
                            ProgressBarLength(Area, orientation_));
    PaintSpan(Dc, Area, fill, TElProgressBarKind::Light, false, marqueeColor_, false, 0, false);
}

void TElBiProgressBar::PaintTexts(HDC Dc, const TRect& Client, const TRect& DarkRect, const TRect& LightRect)
{
    const TSelectedObject font(Dc, Font()->Handle());
    SetBkMode(Dc, TRANSPARENT);
    const UINT line = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;
    auto barText = [&](const TBar& Bar, const TRect& BarRect) {
        if (Bar.Text.empty())
            return;
        TRect r = Bar.TextFullLine ? Client : BarRect;
        if (r.IsEmpty())
            return;
        SetTextColor(Dc, ColorToRGB(Bar.TextColor));
        DrawWideText(Dc, Bar.Text.c_str(), static_cast<int>(Bar.Text.size()), r, line);
    };
    barText(dark_, DarkRect);
    barText(light_, LightRect);
    const std::u16string caption = Caption();
    if (caption.empty())
        return;
    SetTextColor(Dc, ColorToRGB(Font()->Color()));
    TRect size = Client;
    DrawWideText(Dc, caption.c_str(), static_cast<int>(caption.size()), size, DT_CALCRECT | DT_NOPREFIX);
    const int w = size.Width(), h = size.Height();
    TRect r = Bounds(Client.Left + (Client.Width() - w) / 2, Client.Top + (Client.Height() - h) / 2, w, h);
    DrawWideText(Dc, caption.c_str(), static_cast<int>(caption.size()), r, DT_CENTER | DT_NOPREFIX);
}

void TElBiProgressBar::Paint()
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    const HDC target = Canvas()->Handle();
    TMemoryDC buffer(target, client.Width(), client.Height());
    // Without a buffer the bar paints straight onto the window.
    const HDC dc = buffer.Valid() ? buffer.Handle() : target;
    TRect darkRect, lightRect;
    {
        const TSavedDC saved(dc);
        const TRect area = PaintBackground(dc, client);
        if (scale_ > minValue_ || Marquee()) {
            const TSavedDC clip(dc);
            IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
            if (Marquee()) {
                PaintMarquee(dc, area, client);
            } else {
                darkRect = PaintBar(dc, area, dark_, TElProgressBarKind::Dark);
                lightRect = PaintBar(dc, area, light_, TElProgressBarKind::Light);
            }
        }
        PaintTexts(dc, client, darkRect, lightRect);
    }
    if (dc != target)
        BitBlt(target, 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
}
