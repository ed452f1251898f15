#include "app/dlg_init.h"

#include "app/FormParts.h"

TDialog_Init* Dialog_Init = nullptr;

TDialog_Init::TDialog_Init(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Dialog_Init");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetFormStyle(TFormStyle::fsStayOnTop);
    Position = TPosition::poMainFormCenter;
    SetCaption(u"Initializing GPS ...");
    SetClientSize(300, 78);

    ElLabel1 = MakeControl<TElLabel>(this, this, "ElLabel1", 12, 10, 276, 18);
    ElLabel1->SetCaption(u"Initializing GPS ... Please wait!");
    ElBiProgressBar1 = MakeControl<TElBiProgressBar>(this, this, "ElBiProgressBar1", 12, 36, 276, 18);
    ElBiProgressBar1->SetLightColor(clBlue);
    ElBiProgressBar1->SetDarkColor(clNavy);
    ButtonYes = MakeControl<TElPopupButton>(this, this, "ButtonYes", 60, 60, 80, 25);
    ButtonYes->ModalResult = mrYes;
    ButtonYes->SetVisible(false);
    ButtonNo = MakeControl<TElPopupButton>(this, this, "ButtonNo", 160, 60, 80, 25);
    ButtonNo->ModalResult = mrNo;
    ButtonNo->SetVisible(false);
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TDialog_Init::FormShow(TObject*)
{
    SetModalResult(mrNone);
    ElBiProgressBar1->SetVisible(true);
    ElBiProgressBar1->SetMarquee(true);
    for (TElPopupButton* b : {ButtonYes, ButtonNo}) {
        b->SetEnabled(false);
        b->SetVisible(false);
    }
}

TDialog_Init::~TDialog_Init()
{
    if (Dialog_Init == this)
        Dialog_Init = nullptr;
}
