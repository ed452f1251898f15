// TFaultSignals: which fault signals the signal correction removes - only the one under the
// cross hairs, or all of them (automatic mode) by the two thresholds the group box holds, each
// on a track bar from 0 to 20 with its value beside it. The group box and everything in it are
// enabled exactly while the automatic mode is chosen.
//
//   TOwned<TFaultSignals> dialog(CreateComponent<TFaultSignals>(MainForm));
//   dialog->Prepare(GlobalSettings.SurfaceThreshold, GlobalSettings.SurroundThreshold);
//   if (dialog->ShowModal() == mrOk) ... the track bars' positions, RadioButtonCrosshairs
#pragma once

#include "widgets/el/editing/ElGroupBox.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <cstdint>

class TFaultSignals : public TForm {
public:
    explicit TFaultSignals(TComponent* AOwner);
    const char* ClassName() const override { return "TFaultSignals"; }

    TElRadioButton* RadioButtonCrosshairs;
    TElRadioButton* RadioButtonAll;
    TElGroupBox* GroupBox;
    TElLabel* LabelSurface;
    TElLabel* LabelSurround;
    TElLabel* LabelSurfaceValue;
    TElLabel* LabelSurroundValue;
    TTrackBar* TrackBarSurface;
    TTrackBar* TrackBarSurround;
    TBevel* Bevel1;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonCancel;
    TElFormCaption* ElFormCaption;

    // The texts of the active language, its reading direction, and the stored thresholds.
    void Prepare(int32_t SurfaceThreshold, int32_t SurroundThreshold);

    void TrackBarSurfaceChange(TObject* Sender);
    void TrackBarSurroundChange(TObject* Sender);
    // Also the handler of RadioButtonCrosshairs.
    void RadioButtonAllClick(TObject* Sender);
    void FormShow(TObject* Sender);
};
