#include "device/dlg_init.h"

#include "shell/FormParts.h"

#include <algorithm>

namespace {

constexpr int Margin = 16, BarHeight = 16, ButtonWidth = 75, ButtonHeight = 25;

}  // namespace

TDialog_Init* Dialog_Init = nullptr;

TDialog_Init::TDialog_Init(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Dialog_Init");
    SetCaption(u"Initializing GPS ...");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetFormStyle(TFormStyle::fsStayOnTop);
    Position = TPosition::poMainFormCenter;

    ElLabel1 = MakeControl<TElLabel>(this, this, "ElLabel1", Bounds(Margin, Margin, 0, 0),
                                     u"Initializing GPS ... Please wait!", TLoading::WithForm);
    // The form takes the size of its text (the label sizes itself).
    const int width = std::max(ElLabel1->Width(), 200);
    const int barTop = ElLabel1->Top() + ElLabel1->Height() + 8;
    ElBiProgressBar1 = MakeControl<TElBiProgressBar>(this, this, "ElBiProgressBar1",
                                                     Bounds(Margin, barTop, width, BarHeight), TLoading::WithForm);
    ElBiProgressBar1->SetMarqueeColor(clBlue);
    ElBiProgressBar1->SetColor(clNavy);
    ButtonYes = MakeControl<TElPopupButton>(this, this, "ButtonYes",
                                            Bounds(Margin, barTop + BarHeight + 8, ButtonWidth, ButtonHeight), u"Yes",
                                            TLoading::WithForm);
    ButtonYes->ModalResult = mrYes;
    ButtonYes->Hide();
    ButtonNo = MakeControl<TElPopupButton>(
        this, this, "ButtonNo", Bounds(Margin + ButtonWidth + 8, barTop + BarHeight + 8, ButtonWidth, ButtonHeight),
        u"No", TLoading::WithForm);
    ButtonNo->ModalResult = mrNo;
    ButtonNo->Hide();
    SetClientSize(width + 2 * Margin, barTop + BarHeight + Margin);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnHide = [this](TObject* Sender) { FormHide(Sender); };
    OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
}

TDialog_Init::~TDialog_Init()
{
    if (Dialog_Init == this)
        Dialog_Init = nullptr;
}

void TDialog_Init::FormShow(TObject*)
{
    SetModalResult(mrNone);
    ElBiProgressBar1->Show();
    // The bar slides only while the window shows.
    ElBiProgressBar1->SetMarquee(true);
    for (TElPopupButton* button : {ButtonYes, ButtonNo}) {
        button->SetEnabled(false);
        button->Hide();
    }
}

void TDialog_Init::FormHide(TObject*)
{
    ElBiProgressBar1->SetMarquee(false);
}

void TDialog_Init::FormCloseQuery(TObject*, bool& CanClose)
{
    CanClose = ModalResult() == mrYes || ModalResult() == mrNo;
}
