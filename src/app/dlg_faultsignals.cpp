#include "app/dlg_faultsignals.h"

#include "shell/FormParts.h"
#include "shell/DialogTexts.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/NumberText.h"

namespace {

constexpr int FormClientWidth = 420, FormClientHeight = 250;
constexpr int ThresholdMin = 0, ThresholdMax = 20;

TTrackBar* ThresholdBar(TComponent* Owner, TWinControl* Parent, const char* Name, int Top)
{
    TTrackBar* bar = MakeControl<TTrackBar>(Owner, Parent, Name, Bounds(8, Top, 388, 30), TLoading::WithForm);
    bar->SetRange(ThresholdMin, ThresholdMax);
    bar->SetPageSize(1);
    return bar;
}

}  // namespace

TFaultSignals::TFaultSignals(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FaultSignals");
    SetCaption(u"Signal correction");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    RadioButtonCrosshairs = MakeControl<TElRadioButton>(this, this, "RadioButtonCrosshairs", Bounds(16, 12, 390, 18),
                                                        u"Remove only the fault signal under the cross-hairs",
                                                        TLoading::WithForm);
    RadioButtonCrosshairs->SetChecked(true);
    RadioButtonAll = MakeControl<TElRadioButton>(this, this, "RadioButtonAll", Bounds(16, 34, 390, 18),
                                                 u"Remove all fault signals (automatic mode)", TLoading::WithForm);

    GroupBox = MakeControl<TElGroupBox>(this, this, "GroupBox", Bounds(8, 58, 404, 136), TLoading::WithForm);
    LabelSurface = MakeControl<TElLabel>(this, GroupBox, "LabelSurface", Bounds(12, 20, 330, 15),
                                         u"Average deviation from normal surface value", TLoading::WithForm);
    LabelSurfaceValue = MakeControl<TElLabel>(this, GroupBox, "LabelSurfaceValue", Bounds(350, 20, 40, 15), u"0",
                                              TLoading::WithForm);
    LabelSurfaceValue->SetAlignment(TAlignment::taRightJustify);
    TrackBarSurface = ThresholdBar(this, GroupBox, "TrackBarSurface", 38);
    LabelSurround = MakeControl<TElLabel>(this, GroupBox, "LabelSurround", Bounds(12, 74, 330, 15),
                                          u"Average deviation from surrounding values", TLoading::WithForm);
    LabelSurroundValue = MakeControl<TElLabel>(this, GroupBox, "LabelSurroundValue", Bounds(350, 74, 40, 15), u"0",
                                               TLoading::WithForm);
    LabelSurroundValue->SetAlignment(TAlignment::taRightJustify);
    TrackBarSurround = ThresholdBar(this, GroupBox, "TrackBarSurround", 92);

    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 202, 404, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, 204, 212, "ButtonOK", ButtonOK, ButtonCancel, TLoading::WithForm);

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    RadioButtonCrosshairs->OnClick = [this](TObject* Sender) { RadioButtonAllClick(Sender); };
    RadioButtonAll->OnClick = [this](TObject* Sender) { RadioButtonAllClick(Sender); };
    TrackBarSurface->OnChange = [this](TObject* Sender) { TrackBarSurfaceChange(Sender); };
    TrackBarSurround->OnChange = [this](TObject* Sender) { TrackBarSurroundChange(Sender); };
}

void TFaultSignals::Prepare(int32_t SurfaceThreshold, int32_t SurroundThreshold)
{
    // The four texts of the choices come from the language file alone; without one the form's
    // own English captions stay.
    auto languageText = [](TTextId Id, TControl* Control) { Control->SetCaption(GetText(Id, Control->Caption())); };
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::SignalCorrectionTitle, u"Signal correction"), ButtonOK,
                       ButtonCancel);
    languageText(Texts::RemoveSignalUnderCrossHairs, RadioButtonCrosshairs);
    languageText(Texts::RemoveAllSignals, RadioButtonAll);
    languageText(Texts::SurfaceDeviation, LabelSurface);
    languageText(Texts::SurroundDeviation, LabelSurround);
    TrackBarSurface->SetPosition(SurfaceThreshold);
    TrackBarSurround->SetPosition(SurroundThreshold);
    TrackBarSurfaceChange(TrackBarSurface);
    TrackBarSurroundChange(TrackBarSurround);
}

void TFaultSignals::TrackBarSurfaceChange(TObject*)
{
    LabelSurfaceValue->SetCaption(IntToStr(TrackBarSurface->Position()));
}

void TFaultSignals::TrackBarSurroundChange(TObject*)
{
    LabelSurroundValue->SetCaption(IntToStr(TrackBarSurround->Position()));
}

void TFaultSignals::RadioButtonAllClick(TObject*)
{
    const bool automatic = RadioButtonAll->Checked();
    GroupBox->SetEnabled(automatic);
    for (TControl* control : {static_cast<TControl*>(LabelSurface), static_cast<TControl*>(LabelSurround),
                              static_cast<TControl*>(LabelSurfaceValue), static_cast<TControl*>(LabelSurroundValue),
                              static_cast<TControl*>(TrackBarSurface), static_cast<TControl*>(TrackBarSurround)})
        control->SetEnabled(automatic);
}

void TFaultSignals::FormShow(TObject* Sender)
{
    RadioButtonAllClick(Sender);
}
