#include "app/dlg_faultsignals.h"

#include "device/DialogParts.h"
#include "scan/files/DialogTexts.h"
#include "scan/files/globals.h"

#include "framework/NumberText.h"

namespace {

constexpr int FormClientWidth = 420, FormClientHeight = 250;
constexpr int ThresholdMin = 0, ThresholdMax = 20;

TTrackBar* ThresholdBar(TComponent* Owner, TWinControl* Parent, const char* Name, int Top)
{
    TTrackBar* bar = AddControl<TTrackBar>(Owner, Parent, Name, Bounds(8, Top, 388, 30));
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

    RadioButtonCrosshairs = AddControl<TElRadioButton>(this, this, "RadioButtonCrosshairs", Bounds(16, 12, 390, 18),
                                                       u"Remove only the fault signal under the cross-hairs");
    RadioButtonCrosshairs->SetChecked(true);
    RadioButtonAll = AddControl<TElRadioButton>(this, this, "RadioButtonAll", Bounds(16, 34, 390, 18),
                                                u"Remove all fault signals (automatic mode)");

    GroupBox = AddControl<TElGroupBox>(this, this, "GroupBox", Bounds(8, 58, 404, 136));
    LabelSurface = AddControl<TElLabel>(this, GroupBox, "LabelSurface", Bounds(12, 20, 330, 15),
                                        u"Average deviation from normal surface value");
    LabelSurfaceValue = AddControl<TElLabel>(this, GroupBox, "LabelSurfaceValue", Bounds(350, 20, 40, 15), u"0");
    LabelSurfaceValue->SetAlignment(TAlignment::taRightJustify);
    TrackBarSurface = ThresholdBar(this, GroupBox, "TrackBarSurface", 38);
    LabelSurround = AddControl<TElLabel>(this, GroupBox, "LabelSurround", Bounds(12, 74, 330, 15),
                                         u"Average deviation from surrounding values");
    LabelSurroundValue = AddControl<TElLabel>(this, GroupBox, "LabelSurroundValue", Bounds(350, 74, 40, 15), u"0");
    LabelSurroundValue->SetAlignment(TAlignment::taRightJustify);
    TrackBarSurround = ThresholdBar(this, GroupBox, "TrackBarSurround", 92);

    Bevel1 = AddControl<TBevel>(this, this, "Bevel1", Bounds(8, 202, 404, 2));
    Bevel1->SetShape(TBevelShape::bsTopLine);
    AddDialogButtons(this, 204, 212, "ButtonOK", ButtonOK, ButtonCancel);

    ElFormCaption = new TElFormCaption(this);
    ElFormCaption->SetName("ElFormCaption");

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
    auto languageText = [](int32_t Id, TControl* Control) { Control->SetCaption(GetText(Id, Control->Caption())); };
    PrepareDialogTexts(this, ElFormCaption, GetText(99, u"Signal correction"), ButtonOK, ButtonCancel);
    languageText(102, RadioButtonCrosshairs);
    languageText(103, RadioButtonAll);
    languageText(100, LabelSurface);
    languageText(101, LabelSurround);
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
