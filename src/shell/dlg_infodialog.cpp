#include "shell/dlg_infodialog.h"

#include "shell/FormCaptionText.h"
#include "shell/FormParts.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"

namespace {

// ---- the three pictures, drawn here (32 x 32 on the form's colour)

void StartPicture(TImage* Image, TColor Background, TColor Disc)
{
    TCanvas* c = Image->NewPicture(32, 32, Background);
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(Disc);
    c->Ellipse(1, 1, 31, 31);
    c->Brush()->SetColor(clWhite);
}

void DrawErrorPicture(TImage* Image, TColor Background)
{
    StartPicture(Image, Background, RGBColor(200, 30, 30));
    TCanvas* c = Image->Picture()->Canvas();
    c->Pen()->SetWidth(4);
    c->MoveTo(10, 10);
    c->LineTo(21, 21);
    c->MoveTo(21, 10);
    c->LineTo(10, 21);
    c->Pen()->SetWidth(1);
}

void DrawInformationPicture(TImage* Image, TColor Background)
{
    StartPicture(Image, Background, RGBColor(30, 90, 200));
    TCanvas* c = Image->Picture()->Canvas();
    c->Ellipse(13, 6, 19, 12);
    c->FillRect({14, 14, 18, 26});
}

void DrawConfirmationPicture(TImage* Image, TColor Background)
{
    StartPicture(Image, Background, RGBColor(30, 140, 90));
    TCanvas* c = Image->Picture()->Canvas();
    c->Font()->SetName(u"Arial");
    c->Font()->SetHeight(-24);
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(clWhite);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect r{0, 1, 32, 32};
    c->TextRectFormat(r, u"?", DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void Place(TControl* Control, const TRect& R)
{
    Control->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

}  // namespace

// ---- TInfoDialog

TInfoDialog::TInfoDialog(TComponent* AOwner) : TForm(AOwner)
{
    SetName("InfoDialog");
    SetCaption(u"Message");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetFormStyle(TFormStyle::fsStayOnTop);
    Position = TPosition::poDesktopCenter;
    Font()->SetName(u"Arial");
    SetBiDiMode(Application ? Application->BiDiMode : TBiDiMode::bdLeftToRight);
    SetClientSize(Design.ClientWidth, Design.ClientHeight);

    Bevel1 = MakeNamed<TBevel>(this, "Bevel1", TLoading::WithForm);
    Bevel1->SetParent(this);
    Bevel1->SetShape(TBevelShape::bsBottomLine);
    Place(Bevel1, Design.TopArea);

    ImageInformation = MakeControl<TImage>(this, this, "ImageInformation", Design.Picture, TLoading::WithForm);
    ImageConfirmation = MakeControl<TImage>(this, this, "ImageConfirmation", Design.Picture, TLoading::WithForm);
    ImageError = MakeControl<TImage>(this, this, "ImageError", Design.Picture, TLoading::WithForm);
    DrawInformationPicture(ImageInformation, Color());
    DrawConfirmationPicture(ImageConfirmation, Color());
    DrawErrorPicture(ImageError, Color());

    Label1 = MakeNamed<TElLabel>(this, "Label1", TLoading::WithForm);
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetWordWrap(true);
    Place(Label1, Design.Label);

    // The button row comes before the check box in the tab order.
    FlowPanel1 = MakeNamed<TFlowPanel>(this, "FlowPanel1", TLoading::WithForm);
    FlowPanel1->SetParent(this);
    FlowPanel1->SetBevelOuter(TBevelCut::bvNone);
    FlowPanel1->ShowCaption = false;
    FlowPanel1->SetBounds(0, Design.ButtonTop, 4 * Design.ButtonWidth, Design.ButtonHeight);
    FlowPanel1->SetAutoSize(true);
    ButtonOK = MakeButton("ButtonOK", mrOk);
    ButtonYes = MakeButton("ButtonYes", mrYes);
    ButtonNo = MakeButton("ButtonNo", mrNo);
    ButtonCancel = MakeButton("ButtonCancel", mrCancel);
    ButtonCancel->Cancel = true;

    CheckBox = MakeControl<TElCheckBox>(this, this, "CheckBox", Design.CheckBox, TLoading::WithForm);

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
}

TElPopupButton* TInfoDialog::MakeButton(const char* Name, TModalResult Result)
{
    auto* button = MakeControl<TElPopupButton>(this, FlowPanel1, Name,
                                               Bounds(0, 0, Design.ButtonWidth, Design.ButtonHeight), TLoading::WithForm);
    button->ModalResult = Result;
    return button;
}

TElPopupButton* TInfoDialog::ButtonOf(uint16_t Bit) const
{
    switch (Bit) {
    case idbOK: return ButtonOK;
    case idbYes: return ButtonYes;
    case idbNo: return ButtonNo;
    case idbCancel: return ButtonCancel;
    default: return nullptr;
    }
}

void TInfoDialog::SetMessage(uint8_t Kind, uint16_t Buttons, TNotifyEvent OnDontShowAgain)
{
    kind_ = Kind;
    buttons_ = Buttons;
    onDontShowAgain_ = std::move(OnDontShowAgain);
}

void TInfoDialog::SetCaptionText(const std::u16string& Caption)
{
    SetFormCaptionText(ElFormCaption, Caption);
    SetCaption(Caption);
}

void TInfoDialog::FormShow(TObject*)
{
    for (TElPopupButton* b : {ButtonOK, ButtonYes, ButtonNo, ButtonCancel})
        b->Hide();
    visibleButtons_ = 0;

    const bool withCheckBox = static_cast<bool>(onDontShowAgain_);
    const TInfoDialogLayout layout =
        LayoutInfoDialog(Design, ClientWidth(), BiDiMode() == TBiDiMode::bdRightToLeft, withCheckBox);
    for (TImage* picture : {ImageError, ImageInformation, ImageConfirmation})
        Place(picture, layout.Picture);
    Place(CheckBox, layout.CheckBox);
    Place(Label1, layout.Label);

    TImage* shown = kind_ == idkError         ? ImageError
                    : kind_ == idkInformation ? ImageInformation
                    : kind_ == idkConfirmation ? ImageConfirmation
                                               : nullptr;
    if (shown)
        for (TImage* picture : {ImageError, ImageInformation, ImageConfirmation})
            picture->SetVisible(picture == shown);

    for (const TInfoDialogButton& b : InfoDialogButtons(buttons_)) {
        TElPopupButton* button = ButtonOf(b.Bit);
        button->SetCaption(GetText(b.TextID, b.DefaultText));
        button->Show();
        ++visibleButtons_;
    }

    if (withCheckBox) {
        CheckBox->SetCaption(GetText(Texts::DoNotShowAgain, u"Do not show this message again!"));
        CheckBox->Show();
    } else {
        CheckBox->Hide();
    }
    SetClientHeight(layout.ClientHeight);
    CentreButtonRow();
    // The buttons shown decide where the focus starts.
    SetActiveControl(FindNextControl(nullptr, true, true));
}

void TInfoDialog::CentreButtonRow()
{
    // The row is as wide as its visible buttons.
    int width = 0;
    for (int i = 0; i < FlowPanel1->ControlCount(); ++i)
        if (FlowPanel1->Controls(i)->Visible())
            width += FlowPanel1->Controls(i)->Width();
    FlowPanel1->SetBounds(CentredPanelLeft(ClientWidth(), width), FlowPanel1->Top(), width, FlowPanel1->Height());
}

void TInfoDialog::FormResize(TObject*)
{
    CentreButtonRow();
}

void TInfoDialog::FormClose(TObject*, TCloseAction&)
{
    if (onDontShowAgain_ && CheckBox->Checked())
        onDontShowAgain_(this);
}

// ---- ShowInfoDialog

TInfoDialogFunc& InfoDialogSeam()
{
    static TInfoDialogFunc seam;
    return seam;
}

int32_t ShowInfoDialog(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text, uint16_t Buttons,
                       TNotifyEvent OnDontShowAgain)
{
    if (InfoDialogSeam())
        return InfoDialogSeam()(Kind, Caption, Text, Buttons, OnDontShowAgain);
    TOwned<TInfoDialog> dialog(CreateComponent<TInfoDialog>(Application));
    dialog->SetMessage(Kind, Buttons, std::move(OnDontShowAgain));
    dialog->SetCaptionText(Caption);
    dialog->Label1->SetCaption(Text);
    return dialog->ShowModal();
}

// ---- the message sink

void TInfoDialogMessageSink::ShowErrorBox(const std::u16string& Text)
{
    Application->ShowException(std::make_exception_ptr(Exception(Text)));
}

int32_t TInfoDialogMessageSink::ShowInfoDialog(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                                               uint16_t Buttons)
{
    return ::ShowInfoDialog(Kind, Caption, Text, Buttons);
}

TInfoDialogMessageSink& InfoDialogMessageSink()
{
    static TInfoDialogMessageSink sink;
    return sink;
}
