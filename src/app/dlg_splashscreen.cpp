#include "app/dlg_splashscreen.h"

#include "app/AppGlyphs.h"
#include "app/FormParts.h"

#include "framework/Delays.h"

#include <algorithm>

TSplashScreen* SplashScreen = nullptr;

namespace {

constexpr int SplashWidth = 510;
constexpr int SplashHeight = 272;

void PaintPicture(TImage* Image, const TGlyphPicture& Picture)
{
    TBitmap* b = Image->Picture();
    b->SetSize(Picture.Width, Picture.Height);
    for (int y = 0; y < Picture.Height; ++y)
        std::copy_n(Picture.Pixels.begin() + static_cast<ptrdiff_t>(y) * Picture.Width, Picture.Width,
                    b->ScanLine(y));
    // The pictures are opaque: their alpha must not make them see-through on the form.
    for (int y = 0; y < Picture.Height; ++y)
        for (int x = 0; x < Picture.Width; ++x)
            b->ScanLine(y)[x] &= 0x00FFFFFFu;
    Image->Invalidate();
}

TElLabel* TextLabel(TSplashScreen* Form, const char* Name, int Left, int Top, int Width, const char16_t* Caption)
{
    TElLabel* l = MakeControl<TElLabel>(Form, Form, Name, Left, Top, Width, 18);
    l->SetTransparent(true);
    l->SetCaption(Caption);
    return l;
}

std::u16string Decimal(uint32_t Value)
{
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + Value % 10));
        Value /= 10;
    } while (Value);
    return s;
}

}  // namespace

TSplashScreen::TSplashScreen(TComponent* AOwner) : TForm(AOwner)
{
    SetName("SplashScreen");
    SetBorderStyle(TFormBorderStyle::bsNone);
    Position = TPosition::poScreenCenter;
    SetClientSize(SplashWidth, SplashHeight);
    SetColor(clWhite);
    SetAlphaBlend(true);

    ImageBackground = MakeControl<TImage>(this, this, "ImageBackground", 0, 0, SplashWidth, SplashHeight);
    PaintPicture(ImageBackground, DrawSplashBackground(SplashWidth, SplashHeight));
    ImageLogo = MakeControl<TImage>(this, this, "ImageLogo", 20, 20, SplashWidth - 40, 120);
    PaintPicture(ImageLogo, DrawSplashLogo(SplashWidth - 40, 120));

    LabelProduct = TextLabel(this, "LabelProduct", 20, 150, 300, u"Lorvane 3D");
    LabelProduct->SetParentFont(false);
    LabelProduct->Font()->SetHeight(-26);
    LabelProduct->Font()->SetStyle(fsBold);
    LabelProduct->SetHeight(34);
    LabelNotice = TextLabel(this, "LabelNotice", 20, 186, 300, u"Ground-scan viewer");
    LabelVersion = TextLabel(this, "LabelVersion", 330, 160, 70, u"Version:");
    Label5 = TextLabel(this, "Label5", 400, 160, 90, u"2.0.1");
    Label3 = TextLabel(this, "Label3", 330, 180, 70, u"Build:");
    Label4 = TextLabel(this, "Label4", 400, 180, 90, u"162");

    ProgressBar = MakeControl<TElBiProgressBar>(this, this, "ProgressBar", 20, SplashHeight - 44, SplashWidth - 40, 18);
    ProgressBar->SetUseXPThemes(false);
    ProgressBar->SetScale(100);
    ProgressBar->SetLightColor(clNavy);
    ProgressBar->SetDarkColor(clSilver);
    ProgressBar->SetSmooth(true);
    ProgressBar->SetLightGradient(true);

    ShapeFrame = MakeControl<TShape>(this, this, "ShapeFrame", 0, 0, SplashWidth, SplashHeight);
    ShapeFrame->Brush()->SetStyle(TBrushStyle::bsClear);
    ShapeFrame->Pen()->SetColor(clNavy);

    ElVersionInfo1 = MakeNamed<TElVersionInfo>(this, "ElVersionInfo1");
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TSplashScreen::FormCreate(TObject*)
{
    ShowVersion(*ElVersionInfo1);
}

void TSplashScreen::ShowVersion(const TElVersionInfo& Info)
{
    if (Info.IsVerinfoExists()) {
        Label5->SetCaption(Decimal(Info.MajorVersion()) + u"." + Decimal(Info.MinorVersion()) + u"." +
                           Decimal(Info.Release()));
        Label4->SetCaption(Decimal(Info.Build()));
    } else {
        Label5->SetCaption(u"2.0.0");
        Label4->SetCaption(u"88");
    }
}

void TSplashScreen::SetProgress(TObject*, int32_t Value)
{
    ShowProgress(Value, 300);
}

void TSplashScreen::ShowProgress(int32_t Value, uint32_t WaitMs)
{
    ProgressBar->SetLightValue(Value);
    Repaint();
    Delay(WaitMs);
}

TSplashScreen::~TSplashScreen()
{
    if (SplashScreen == this)
        SplashScreen = nullptr;
}
