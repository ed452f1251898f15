#include "app/dlg_splashscreen.h"

#include "shell/FormParts.h"
#include "app/ProgramLook.h"

#include "framework/Delays.h"

TSplashScreen* SplashScreen = nullptr;

namespace {

constexpr int SplashWidth = 510;
constexpr int SplashHeight = 272;

TElLabel* TextLabel(TSplashScreen* Form, const char* Name, int Left, int Top, int Width, const char16_t* Caption)
{
    TElLabel* l = MakeControl<TElLabel>(Form, Form, Name, Left, Top, Width, 18);
    l->SetTransparent(true);
    l->SetCaption(Caption);
    return l;
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
    ShowProgramPicture(ImageBackground, DrawSplashBackground(SplashWidth, SplashHeight));
    ImageLogo = MakeControl<TImage>(this, this, "ImageLogo", 20, 20, SplashWidth - 40, 120);
    ShowProgramPicture(ImageLogo, DrawSplashLogo(SplashWidth - 40, 120));

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
    const TVersionTexts texts = VersionTexts(Info, {u"2.0.0", u"88"});
    Label5->SetCaption(texts.Version);
    Label4->SetCaption(texts.Build);
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
