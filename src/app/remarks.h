// TFormRemarks, the "Characteristics" dialog: shows and edits the remarks of the loaded scan
// file (project, notes, field size in the chosen measuring unit, soil type) and shows the
// scan's date, time, kind and point count in its status bar. The rules (texts, the unit
// conversion, what OK stores) are RemarksModel's; the form shows them and hands back what the
// user left in the controls.
//
// The characteristics command:
//   TOwned<TFormRemarks> dialog(CreateComponent<TFormRemarks>(MainForm));
//   dialog->Prepare(Remarks, ModeByte, PointCount, ChosenMeasureUnit());
//   if (dialog->ShowModal() == mrOk) ... RemarksAfterEdit(Remarks, dialog->Edit(), unit)
#pragma once

#include "app/RemarksModel.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElStatusBar.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <cstdint>

struct TMeasureUnit;

class TFormRemarks : public TForm {
public:
    explicit TFormRemarks(TComponent* AOwner);
    const char* ClassName() const override { return "TFormRemarks"; }

    TElStatusBar* Statusbar;  // date, time, kind of scan, number of points
    TElLabel* LabelCaption;   // "Project"
    TElEdit* EditProject;
    TElLabel* LabelNotes;
    TElMemo* MemoNotes;
    TElLabel* LabelLength;
    TElFloatSpinEdit* EditLength;
    TElLabel* LabelWidth;
    TElFloatSpinEdit* EditWidth;
    TElLabel* LabelSoilType;
    TElComboBox* ComboBoxSoilType;
    TBevel* Bevel1;
    TElPopupButton* ButtonOk;
    TElPopupButton* ButtonCancel;
    TElFormCaption* ElFormCaption;

    // Fills the dialog: the texts of the active language with the unit's suffix in the size
    // labels, the soil names with the remarks' soil selected, project, notes, the status bar,
    // and the field size shown in Unit (null: metres), or disabled and empty when the scan's
    // mode byte does not allow editing it. The reading direction is applied to every control.
    void Prepare(const TRemarksRec_L3D_3& Remarks, uint8_t ModeByte, uint32_t PointCount, const TMeasureUnit* Unit);
    // What the controls hold now, with the field sizes as they were shown after Prepare.
    TRemarksEdit Edit() const;

    // Key presses of both field-size edits: a decimal separator steps over the separator right
    // of the caret, and is typed elsewhere (SeparatorKeyAction).
    void EditLengthKeyPress(TObject* Sender, char16_t& Key);

private:
    // OK closes only when each field size is as it was shown or a typed number within the
    // range; else an error quotes the text and gives the range, the edit takes the focus and
    // nothing is stored.
    bool FieldSizesAccepted();

    bool fieldSizeEdited_ = true;
    double lengthShown_ = 0.0;
    double widthShown_ = 0.0;
    std::u16string lengthShownText_;
    std::u16string widthShownText_;
};
