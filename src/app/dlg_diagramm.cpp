#include "app/dlg_diagramm.h"

#include "app/FormParts.h"

TDialog_Diagramm* Dialog_Diagramm = nullptr;

TDialog_Diagramm::TDialog_Diagramm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Dialog_Diagramm");
    SetCaption(u"Frequency-Energy-Chart");
    SetClientSize(800, 426);
    Position = TPosition::poMainFormCenter;
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");
}

TDialog_Diagramm::~TDialog_Diagramm()
{
    if (Dialog_Diagramm == this)
        Dialog_Diagramm = nullptr;
}
