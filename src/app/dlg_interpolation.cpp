#include "app/dlg_interpolation.h"

#include "shell/FormParts.h"
#include "shell/DialogTexts.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/NumberText.h"

namespace {
constexpr int FormClientWidth = 320, FormClientHeight = 132;
}

TInterpolation::TInterpolation(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Interpolation");
    SetCaption(u"Interpolation");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    LabelSteps = MakeControl<TElLabel>(this, this, "LabelSteps", Bounds(16, 16, 240, 15),
                                       u"Number of interpolation passes", TLoading::WithForm);
    LabelStepsValue = MakeControl<TElLabel>(this, this, "LabelStepsValue", Bounds(264, 16, 40, 15), u"1",
                                            TLoading::WithForm);
    LabelStepsValue->SetAlignment(TAlignment::taRightJustify);
    TrackBar1 = MakeControl<TTrackBar>(this, this, "TrackBar1", Bounds(10, 40, 300, 32), TLoading::WithForm);
    TrackBar1->SetRange(1, 10);
    TrackBar1->SetPosition(1);
    TrackBar1->SetLineSize(2);
    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 84, 304, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, 104, 94, "ButtonOK", ButtonOK, ButtonCancel, TLoading::WithForm);

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    TrackBar1->OnChange = [this](TObject* Sender) { TrackBar1Change(Sender); };
}

void TInterpolation::Prepare(uint8_t Passes)
{
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::Interpolation, u"Interpolation"), ButtonOK, ButtonCancel);
    LabelSteps->SetCaption(GetText(Texts::InterpolationPasses, u"Number of interpolation passes") + u":");
    TrackBar1->SetPosition(Passes);
    TrackBar1Change(TrackBar1);
}

void TInterpolation::TrackBar1Change(TObject*)
{
    LabelStepsValue->SetCaption(IntToStr(TrackBar1->Position()));
}
