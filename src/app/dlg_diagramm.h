// The frequency-energy chart window of a sample block: made once at start-up, hidden until the
// chart command shows it. The chart itself (its OpenGL view, the smoothing track bar and the
// value labels) is added by the chart's own unit.
#pragma once

#include "widgets/el/menus/ElFormCaption.h"

#include "framework/Forms.h"

class TDialog_Diagramm : public TForm {
public:
    explicit TDialog_Diagramm(TComponent* AOwner);
    ~TDialog_Diagramm() override;
    const char* ClassName() const override { return "TDialog_Diagramm"; }

    TElFormCaption* ElFormCaption;
};

extern TDialog_Diagramm* Dialog_Diagramm;
