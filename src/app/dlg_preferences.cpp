#include "app/dlg_preferences.h"

#include "shell/FormParts.h"
#include "shell/DialogTexts.h"
#include "shell/dlg_infodialog.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/DateTime.h"
#include "framework/Dialogs.h"
#include "framework/NumberText.h"
#include "framework/StrConv.h"

namespace {

constexpr int FormClientWidth = 440, FormClientHeight = 428;
constexpr int LabelLeft = 16, FieldLeft = 170, FieldWidth = 254, RowHeight = 28;
constexpr uint8_t DateFormatCount = 3, TimeFormatCount = 2;

TRect LabelRow(int Top)
{
    return Bounds(LabelLeft, Top + 3, FieldLeft - LabelLeft - 8, 15);
}

TElComboBox* ListBox(TComponent* Owner, const char* Name, int Top)
{
    TElComboBox* box = MakeControl<TElComboBox>(Owner, static_cast<TWinControl*>(Owner), Name,
                                                Bounds(FieldLeft, Top, FieldWidth, 21), TLoading::WithForm);
    box->SetStyle(TComboBoxStyle::csDropDownList);
    return box;
}

TElFloatSpinEdit* StepEdit(TComponent* Owner, TWinControl* Parent, const char* Name, int Top)
{
    TElFloatSpinEdit* edit = MakeControl<TElFloatSpinEdit>(Owner, Parent, Name, Bounds(FieldLeft - 8, Top, 110, 21),
                                                           TLoading::WithForm);
    edit->SetIncrement(1.0);
    edit->SetLargeIncrement(10.0);
    edit->SetMaxValue(StepMaxValue);
    edit->SetDigits(2);
    edit->SetAlignment(TAlignment::taRightJustify);
    return edit;
}

}  // namespace

TPreferences::TPreferences(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Preferences");
    SetCaption(u"Preferences");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    // In the order the form lists them.
    ComboBoxLanguage = ListBox(this, "ComboBoxLanguage", 12);
    ComboBoxDateFormat = ListBox(this, "ComboBoxDateFormat", 12 + 2 * RowHeight);
    ComboBoxTimeFormat = ListBox(this, "ComboBoxTimeFormat", 12 + 3 * RowHeight);
    ComboBoxUnit = ListBox(this, "ComboBoxUnit", 12 + RowHeight);

    GroupBoxTransformation = MakeControl<TElGroupBox>(this, this, "GroupBoxTransformation", Bounds(8, 128, 424, 112),
                                                      u"  Transformation parameters  ", TLoading::WithForm);
    Edit1 = StepEdit(this, GroupBoxTransformation, "Edit1", 22);
    Edit2 = StepEdit(this, GroupBoxTransformation, "Edit2", 22 + RowHeight);
    Edit3 = StepEdit(this, GroupBoxTransformation, "Edit3", 22 + 2 * RowHeight);

    GroupBoxImage = MakeControl<TElGroupBox>(this, this, "GroupBoxImage", Bounds(8, 248, 424, 64),
                                             u"  Color adjustment  ", TLoading::WithForm);
    TrackBarFilter = MakeControl<TTrackBar>(this, GroupBoxImage, "TrackBarFilter", Bounds(FieldLeft - 8, 20, 250, 32),
                                            TLoading::WithForm);
    TrackBarFilter->SetRange(1, 10);
    TrackBarFilter->SetPosition(1);
    LabelFilterName = MakeControl<TElLabel>(this, GroupBoxImage, "LabelFilterName", Bounds(12, 28, 90, 15),
                                            u"Color steps", TLoading::WithForm);
    LabelFilterValue = MakeControl<TElLabel>(this, GroupBoxImage, "LabelFilterValue", Bounds(108, 28, 30, 15), u"1",
                                             TLoading::WithForm);
    LabelFilterValue->SetAlignment(TAlignment::taRightJustify);

    MakeDialogButtons(this, 224, 390, "ButtonOK", ButtonOK, ButtonCancel, TLoading::WithForm);
    ButtonReset = MakeControl<TElPopupButton>(this, this, "ButtonReset", Bounds(8, 390, 100, 28), u"Reset",
                                              TLoading::WithForm);

    LabelLanguage = MakeControl<TElLabel>(this, this, "LabelLanguage", LabelRow(12), u"Language", TLoading::WithForm);
    LabelMeasurement = MakeControl<TElLabel>(this, this, "LabelMeasurement", LabelRow(12 + RowHeight),
                                             u"Dimension unit", TLoading::WithForm);
    LabelDateFormat = MakeControl<TElLabel>(this, this, "LabelDateFormat", LabelRow(12 + 2 * RowHeight), u"Date format",
                                            TLoading::WithForm);
    LabelTimeFormat = MakeControl<TElLabel>(this, this, "LabelTimeFormat", LabelRow(12 + 3 * RowHeight), u"Time format",
                                            TLoading::WithForm);
    LabelScale = MakeControl<TElLabel>(this, GroupBoxTransformation, "LabelScale", Bounds(12, 25, 140, 15), u"Zoom by",
                                       TLoading::WithForm);
    LabelMove = MakeControl<TElLabel>(this, GroupBoxTransformation, "LabelMove", Bounds(12, 25 + RowHeight, 140, 15),
                                      u"Move by", TLoading::WithForm);
    LabelRotate = MakeControl<TElLabel>(this, GroupBoxTransformation, "LabelRotate",
                                        Bounds(12, 25 + 2 * RowHeight, 140, 15), u"Rotate by", TLoading::WithForm);
    ElLabel_BgColor = MakeControl<TElLabel>(this, this, "ElLabel_BgColor", LabelRow(322), u"Background color",
                                            TLoading::WithForm);
    ElPanel_BgColor = MakeControl<TElPanel>(this, this, "ElPanel_BgColor", Bounds(FieldLeft, 322, 60, 21),
                                            TLoading::WithForm);
    ElPanel_BgColor->SetCursor(crHandPoint);
    ElCheckBox1 = MakeControl<TElCheckBox>(this, this, "ElCheckBox1", Bounds(LabelLeft, 352, 408, 18),
                                           u"Always check for assigned characteristics", TLoading::WithForm);
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);
    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 380, 424, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    TrackBarFilter->OnChange = [this](TObject* Sender) { TrackBarFilterChange(Sender); };
    ButtonReset->OnClick = [this](TObject* Sender) { ButtonResetClick(Sender); };
    ButtonOK->OnClick = [this](TObject* Sender) { ButtonOKClick(Sender); };
    ElPanel_BgColor->OnClick = [this](TObject* Sender) { ElPanel_BgColorClick(Sender); };
    const TNotifyEvent changed = [this](TObject* Sender) { ComboBoxUnitChange(Sender); };
    for (TElComboBox* box : {ComboBoxUnit, ComboBoxDateFormat, ComboBoxTimeFormat})
        box->OnChange = changed;
    for (TElFloatSpinEdit* edit : {Edit1, Edit2, Edit3})
        edit->OnChange = changed;
}

void TPreferences::FormCreate(TObject*)
{
    // Each format shown by what it makes of the current moment.
    const TDateTime now = Now();
    std::vector<std::u16string> dates, times;
    for (uint8_t i = 0; i < DateFormatCount; ++i)
        dates.push_back(AnsiToWide(DateToText(i, now)));
    for (uint8_t i = 0; i < TimeFormatCount; ++i)
        times.push_back(AnsiToWide(TimeToText(i, now)));
    ComboBoxDateFormat->Items()->SetStrings(dates);
    ComboBoxTimeFormat->Items()->SetStrings(times);
    UpdateResetButton();
}

void TPreferences::Prepare(const std::vector<std::u16string>& LanguageNames, int32_t ActiveLanguageIndex,
                           const std::vector<std::u16string>& UnitTexts)
{
    LabelLanguage->SetCaption(GetText(Texts::Language, u"Language"));
    LabelMeasurement->SetCaption(GetText(Texts::DimensionUnit, u"Dimension unit"));
    LabelDateFormat->SetCaption(GetText(Texts::DateFormat, u"Date format"));
    LabelTimeFormat->SetCaption(GetText(Texts::TimeFormat, u"Time format"));
    GroupBoxTransformation->SetCaption(u"  " + GetText(Texts::TransformationParameters, u"Transformation parameters") +
                                       u"  ");
    LabelScale->SetCaption(GetText(Texts::ZoomBy, u"Zoom by"));
    LabelMove->SetCaption(GetText(Texts::MoveBy, u"Move by"));
    LabelRotate->SetCaption(GetText(Texts::RotateBy, u"Rotate by"));
    GroupBoxImage->SetCaption(u"  " + GetText(Texts::ColourAdjustment, u"Color adjustment") + u"  ");
    LabelFilterName->SetCaption(GetText(Texts::ColourSteps, u"Color steps") + u": ");
    ElLabel_BgColor->SetCaption(GetText(Texts::BackgroundColour, u"Background color"));
    ElCheckBox1->SetCaption(GetText(Texts::AlwaysCheckCharacteristics, u"Always check user-defined characteristics"));
    ButtonReset->SetCaption(GetText(Texts::RestoreDefaults, u"Restore"));
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::Preferences, u"Preferences"), ButtonOK, ButtonCancel);

    languageCount_ = LanguageNames.size();
    unitCount_ = UnitTexts.size();
    ComboBoxLanguage->Items()->SetStrings(LanguageNames);
    ComboBoxUnit->Items()->SetStrings(UnitTexts);
    ShowChoices(ChoicesOfSettings(GlobalSettings, ActiveLanguageIndex, languageCount_));
}

TPreferenceChoices TPreferences::Choices() const
{
    TPreferenceChoices c;
    c.LanguageIndex = ComboBoxLanguage->ItemIndex();
    c.UnitIndex = ComboBoxUnit->ItemIndex();
    c.TimeFormatIndex = ComboBoxTimeFormat->ItemIndex();
    c.DateFormatIndex = ComboBoxDateFormat->ItemIndex();
    c.ZoomStepText = Edit1->Text();
    c.MoveStepText = Edit2->Text();
    c.RotateStepText = Edit3->Text();
    c.ColorStepPosition = TrackBarFilter->Position();
    c.BackgroundColor = ElPanel_BgColor->Color();
    c.CheckCharacteristics = ElCheckBox1->Checked();
    return c;
}

void TPreferences::ShowChoices(const TPreferenceChoices& C)
{
    auto select = [](TElComboBox* Box, int32_t Index) {
        Box->SetItemIndex(Index >= 0 && Index < Box->Items()->Count() ? Index : -1);
    };
    select(ComboBoxLanguage, C.LanguageIndex);
    select(ComboBoxUnit, C.UnitIndex);
    select(ComboBoxTimeFormat, C.TimeFormatIndex);
    select(ComboBoxDateFormat, C.DateFormatIndex);
    Edit1->SetText(C.ZoomStepText);
    Edit2->SetText(C.MoveStepText);
    Edit3->SetText(C.RotateStepText);
    TrackBarFilter->SetPosition(C.ColorStepPosition);
    TrackBarFilterChange(TrackBarFilter);
    ElPanel_BgColor->SetColor(C.BackgroundColor);
    ElCheckBox1->SetChecked(C.CheckCharacteristics);
    UpdateResetButton();
}

void TPreferences::UpdateResetButton()
{
    ButtonReset->SetEnabled(ResetButtonEnabled(Choices()));
}

void TPreferences::TrackBarFilterChange(TObject*)
{
    TrackBarFilter->SetSelEnd(TrackBarFilter->Position());
    LabelFilterValue->SetCaption(IntToStr(TrackBarFilter->Position()));
    LabelFilterValue->SetLeft(LabelFilterName->Left() + LabelFilterName->Width() + 5);
    UpdateResetButton();
}

void TPreferences::ComboBoxUnitChange(TObject*)
{
    UpdateResetButton();
}

void TPreferences::ButtonResetClick(TObject*)
{
    if (ShowInfoDialog(idkConfirmation, GetText(Texts::RestoreDefaults, u"Restore"),
                       GetText(Texts::RestoreDefaultsQuestion,
                               u"Do you really want to restore all configuration settings to its default values?"),
                       idbYes | idbNo) != mrYes)
        return;
    TPreferenceChoices c = Choices();
    ResetPreferenceChoices(c);
    ShowChoices(c);
}

void TPreferences::ElPanel_BgColorClick(TObject*)
{
    TColor color = ElPanel_BgColor->Color();
    if (ExecuteColorDialog(color))
        ElPanel_BgColor->SetColor(color);
}

TElFloatSpinEdit* TPreferences::StepEditOf(TPreferenceField Field) const
{
    switch (Field) {
    case TPreferenceField::ZoomStep: return Edit1;
    case TPreferenceField::MoveStep: return Edit2;
    case TPreferenceField::RotateStep: return Edit3;
    default: return nullptr;
    }
}

void TPreferences::ButtonOKClick(TObject*)
{
    // The button's modal result is already on the form; a bad field takes it back.
    checked_ = CheckPreferences(Choices(), languageCount_, unitCount_);
    if (checked_.Ok())
        return;
    SetModalResult(mrNone);
    ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"), checked_.Error, idbOK);
    if (TElFloatSpinEdit* edit = StepEditOf(checked_.BadField); edit && edit->CanFocus())
        edit->SetFocus();
}
