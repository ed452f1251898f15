#include "app/dlg_about.h"

#include "shell/FormParts.h"
#include "app/ExportChoice.h"
#include "app/ProgramLook.h"

#include "shell/dlg_infodialog.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/Dialogs.h"

#include <windows.h>

namespace {

constexpr int FormWidth = 400, FormHeight = 280;

TElLabel* AboutLabel(TAbout* Form, const char* Name, int Left, int Top, int Width, const char16_t* Caption)
{
    TElLabel* label = MakeControl<TElLabel>(Form, Form, Name, Left, Top, Width, 16);
    label->SetCaption(Caption);
    return label;
}

TElLabel* LinkLabel(TAbout* Form, const char* Name, int Top, const char16_t* Address)
{
    TElLabel* label = AboutLabel(Form, Name, 20, Top, FormWidth - 40, Address);
    label->SetParentFont(false);
    label->Font()->SetColor(clBlue);
    label->Font()->SetStyle(fsUnderline);
    label->SetCursor(crHandPoint);
    return label;
}

void OpenWebPage(const char16_t* Address)
{
    OpenWithSystem(u"open", Address);
}

}  // namespace

bool OpenWithSystem(const std::u16string& Operation, const std::u16string& Target, const std::u16string& Directory)
{
    // The system's answer above 32 means it started what opens the target.
    if (ShellExecuteFile(Operation, Target, {}, Directory, SW_SHOWNORMAL) > 32)
        return true;
    ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"), OpenFailedText(Target), idbOK);
    return false;
}

TAbout::TAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetName("About");
    SetCaption(u"About Lorvane 3D");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poMainFormCenter;
    SetClientSize(FormWidth, FormHeight);

    ImageLogo = MakeControl<TImage>(this, this, "ImageLogo", 20, 16, FormWidth - 40, 90);
    ShowProgramPicture(ImageLogo, DrawSplashLogo(FormWidth - 40, 90));
    LabelMakerLine1 = AboutLabel(this, "LabelMakerLine1", 20, 116, 220, u"Lorvane 3D");
    LabelMakerLine1->SetParentFont(false);
    LabelMakerLine1->Font()->SetStyle(fsBold);
    LabelMakerLine2 = AboutLabel(this, "LabelMakerLine2", 20, 136, 220, u"Ground-scan viewer by Brenholt");

    LabelVersion = AboutLabel(this, "LabelVersion", 260, 116, 60, u"Version:");
    Label5 = AboutLabel(this, "Label5", 320, 116, 60, u"2.0.0");
    Label7 = AboutLabel(this, "Label7", 260, 136, 60, u"Build:");
    Label8 = AboutLabel(this, "Label8", 320, 136, 60, u"107");

    Label2 = LinkLabel(this, "Label2", 168, MakerWebAddress);
    Label6 = LinkLabel(this, "Label6", 190, ProductWebAddress);

    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", 8, FormHeight - 46, FormWidth - 16, 2);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    ButtonOK = MakeControl<TElPopupButton>(this, this, "ButtonOK", FormWidth - 112, FormHeight - 38, 100, 28);
    ButtonOK->SetCaption(u"OK");
    ButtonOK->SetDefault(true);
    ButtonOK->Cancel = true;
    ButtonOK->ModalResult = mrOk;

    ElVersionInfo = MakeNamed<TElVersionInfo>(this, "ElVersionInfo");
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    Label2->OnClick = [this](TObject* Sender) { Label2Click(Sender); };
    Label6->OnClick = [this](TObject* Sender) { Label6Click(Sender); };
}

void TAbout::FormCreate(TObject*)
{
    ShowVersion(*ElVersionInfo);
}

void TAbout::ShowVersion(const TElVersionInfo& Info)
{
    const TVersionTexts texts = VersionTexts(Info, FallbackVersionTexts);
    Label5->SetCaption(texts.Version);
    Label8->SetCaption(texts.Build);
}

void TAbout::Label2Click(TObject*)
{
    OpenWebPage(MakerWebAddress);
}

void TAbout::Label6Click(TObject*)
{
    OpenWebPage(ProductWebAddress);
}
