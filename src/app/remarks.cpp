#include "app/remarks.h"

#include "app/LengthUnits.h"

#include "shell/DialogTexts.h"
#include "shell/FormParts.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/FormatSettings.h"

namespace {

// The design of the form (client coordinates); the status bar lies along the bottom.
constexpr int FormWidth = 420, FormHeight = 352;
constexpr int Margin = 12, FieldWidth = FormWidth - 2 * Margin, HalfWidth = FieldWidth / 2 - 6;
constexpr int RightColumn = Margin + FieldWidth / 2 + 6;
constexpr int StatusHeight = 20;

TElLabel* FieldLabel(TFormRemarks* Form, const char* Name, int Left, int Top, int Width, const char16_t* Caption)
{
    TElLabel* label = MakeControl<TElLabel>(Form, Form, Name, Left, Top, Width, 15);
    label->SetAutoSize(false);
    label->SetCaption(Caption);
    return label;
}

TElFloatSpinEdit* SizeEdit(TFormRemarks* Form, const char* Name, int Left, double Increment, double LargeIncrement)
{
    auto* edit = MakeControl<TElFloatSpinEdit>(Form, Form, Name, Left, 224, HalfWidth, 21);
    edit->SetIncrement(Increment);
    edit->SetLargeIncrement(LargeIncrement);
    edit->SetMaxValue(FieldSizeMaxValue);
    edit->SetDigits(2);
    return edit;
}

}  // namespace

TFormRemarks::TFormRemarks(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FormRemarks");
    SetCaption(u"Characteristics");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poMainFormCenter;
    SetClientSize(FormWidth, FormHeight);

    LabelCaption = FieldLabel(this, "LabelCaption", Margin, 12, FieldWidth, u"Project");
    EditProject = MakeControl<TElEdit>(this, this, "EditProject", Margin, 30, FieldWidth, 21);
    LabelNotes = FieldLabel(this, "LabelNotes", Margin, 62, FieldWidth, u"Notes");
    MemoNotes = MakeControl<TElMemo>(this, this, "MemoNotes", Margin, 80, FieldWidth, 110);
    MemoNotes->SetWordWrap(true);
    MemoNotes->SetScrollBars(TScrollStyle::ssVertical);

    LabelLength = FieldLabel(this, "LabelLength", Margin, 206, HalfWidth, u"Field length");
    EditLength = SizeEdit(this, "EditLength", Margin, 0.1, 1.0);
    EditLength->SetValue(4.6);
    LabelWidth = FieldLabel(this, "LabelWidth", RightColumn, 206, HalfWidth, u"Field width");
    EditWidth = SizeEdit(this, "EditWidth", RightColumn, 1.0, 10.0);

    LabelSoilType = FieldLabel(this, "LabelSoilType", Margin, 256, HalfWidth, u"Soil type");
    ComboBoxSoilType = MakeControl<TElComboBox>(this, this, "ComboBoxSoilType", RightColumn, 253, HalfWidth, 21);
    ComboBoxSoilType->SetStyle(TComboBoxStyle::csDropDownList);

    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", 8, 286, FormWidth - 16, 2);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, FormWidth - 220, 294, "ButtonOk", ButtonOk, ButtonCancel, TLoading::WithForm);

    Statusbar = MakeControl<TElStatusBar>(this, this, "Statusbar", 0, FormHeight - StatusHeight, FormWidth, StatusHeight);
    Statusbar->SetAlign(TAlign::alBottom);
    for (int width : {90, 70, 150, FormWidth - 310}) {
        TElStatusPanel* panel = Statusbar->Panels().Add();
        panel->SetWidth(width);
        panel->SetAlignment(TAlignment::taCenter);
    }

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");

    const TKeyPressEvent stepOverSeparator = [this](TObject* Sender, char16_t& Key) { EditLengthKeyPress(Sender, Key); };
    EditLength->OnKeyPress = stepOverSeparator;
    EditWidth->OnKeyPress = stepOverSeparator;
    OnCloseQuery = [this](TObject*, bool& CanClose) {
        if (ModalResult() == mrOk)
            CanClose = FieldSizesAccepted();
    };
}

void TFormRemarks::Prepare(const TRemarksRec_L3D_3& Remarks, uint8_t ModeByte, uint32_t PointCount,
                           const TMeasureUnit* Unit)
{
    LabelCaption->SetCaption(GetText(Texts::Project, u""));
    LabelNotes->SetCaption(GetText(Texts::Notes, u""));
    LabelLength->SetCaption(FieldLengthLabel(Unit));
    LabelWidth->SetCaption(FieldWidthLabel(Unit));
    LabelSoilType->SetCaption(GetText(Texts::SoilType, u""));

    TElWideStrings* soils = ComboBoxSoilType->Items();
    soils->BeginUpdate();
    soils->Clear();
    for (const TSoil& soil : SoilTypes)
        soils->Add(soil.Name);
    soils->EndUpdate();
    if (Remarks.SoilType >= 0 && static_cast<size_t>(Remarks.SoilType) < SoilTypes.size())
        ComboBoxSoilType->SetItemIndex(Remarks.SoilType);
    EditProject->SetText(Remarks.Project);
    MemoNotes->SetText(Remarks.Notes);
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::Characteristics, u"Characteristics"), ButtonOk,
                       ButtonCancel);

    const TRemarksStatus status = RemarksStatusTexts(Remarks.Date, GlobalSettings.DateFormatIndex,
                                                     GlobalSettings.TimeFormatIndex, ModeByte, PointCount);
    Statusbar->Panels(0)->SetText(status.Date);
    Statusbar->Panels(1)->SetText(status.Time);
    Statusbar->Panels(2)->SetText(status.Kind);
    Statusbar->Panels(3)->SetText(status.Points);

    fieldSizeEdited_ = FieldSizeEditable(ModeByte);
    EditLength->SetEnabled(fieldSizeEdited_);
    EditWidth->SetEnabled(fieldSizeEdited_);
    if (fieldSizeEdited_) {
        EditLength->SetValue(Unit ? ShownLength(Remarks.FieldLength, *Unit) : Remarks.FieldLength);
        EditWidth->SetValue(Unit ? ShownLength(Remarks.FieldWidth, *Unit) : Remarks.FieldWidth);
    } else {
        EditLength->SetText(u"");
        EditWidth->SetText(u"");
    }
    // The edits show two decimals: what they hold now is the size as shown, and a size left
    // as shown keeps its stored value exactly.
    lengthShown_ = EditLength->Value();
    widthShown_ = EditWidth->Value();
    lengthShownText_ = EditLength->Text();
    widthShownText_ = EditWidth->Text();
}

TRemarksEdit TFormRemarks::Edit() const
{
    TRemarksEdit edit;
    edit.Project = EditProject->Text();
    edit.Notes = MemoNotes->Text();
    edit.SoilIndex = ComboBoxSoilType->ItemIndex();
    edit.FieldSizeEdited = fieldSizeEdited_;
    edit.LengthShown = lengthShown_;
    edit.LengthNow = EditLength->Value();
    edit.WidthShown = widthShown_;
    edit.WidthNow = EditWidth->Value();
    return edit;
}

void TFormRemarks::EditLengthKeyPress(TObject* Sender, char16_t& Key)
{
    auto* edit = dynamic_cast<TElFloatSpinEdit*>(Sender);
    if (!edit)
        return;
    const char16_t separator = FormatSettings().DecimalSeparator;
    switch (SeparatorKeyAction(Key, separator, edit->Text(), edit->SelStart(), edit->SelLength())) {
    case TSeparatorKey::StepOver:
        edit->SetSelStart(edit->SelStart() + 1);
        Key = 0;
        break;
    case TSeparatorKey::TypeSeparator:
        Key = separator;
        break;
    case TSeparatorKey::NotASeparator:
        break;
    }
}

bool TFormRemarks::FieldSizesAccepted()
{
    if (!fieldSizeEdited_)
        return true;
    // A size left as it was shown is kept as stored (a scan without a field size shows 0);
    // a typed one must be a number above 0 and not above the edits' maximum.
    for (TElFloatSpinEdit* edit : {EditLength, EditWidth}) {
        const std::u16string text = edit->Text();
        if (text == (edit == EditLength ? lengthShownText_ : widthShownText_) || TypedFieldSize(text))
            continue;
        ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"), FieldSizeRefusedText(text), idbOK);
        if (edit->CanFocus()) {
            edit->SetFocus();
            edit->SelectAll();
        }
        return false;
    }
    return true;
}
