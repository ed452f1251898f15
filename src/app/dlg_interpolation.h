// TInterpolation: how many passes of neighbour averaging the interpolation command runs, on a
// track bar from 1 to 10 with the chosen number beside it.
//
//   TOwned<TInterpolation> dialog(CreateComponent<TInterpolation>(MainForm));
//   dialog->Prepare(GlobalSettings.InterpolationPasses);
//   if (dialog->ShowModal() == mrOk) ... dialog->TrackBar1->Position() passes
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <cstdint>

class TInterpolation : public TForm {
public:
    explicit TInterpolation(TComponent* AOwner);
    const char* ClassName() const override { return "TInterpolation"; }

    TElLabel* LabelStepsValue;
    TElLabel* LabelSteps;
    TBevel* Bevel1;
    TTrackBar* TrackBar1;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonCancel;
    TElFormCaption* ElFormCaption;

    // The texts of the active language, its reading direction, and the stored passes.
    void Prepare(uint8_t Passes);

    // Keeps LabelStepsValue equal to the track bar's position.
    void TrackBar1Change(TObject* Sender);
};
