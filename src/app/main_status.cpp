// What the main window shows of the loaded scan: the status bar's panels and the info
// window's values, the depth controls, which commands are enabled (by their rows' rules), which
// view a point of the client area belongs to, the info window's layout and the hint in the
// status bar.
#include "app/main.h"

#include "app/InfoWindowModel.h"
#include "app/LanguageTexts.h"
#include "app/LengthUnits.h"
#include "app/MenuStates.h"
#include "app/ScanPainting.h"
#include "app/StatusTexts.h"
#include "app/ViewLayout.h"
#include "app/dlg_info.h"

#include "device/GpsCoordinates.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"

namespace {

void ShowValueRow(TElLabel* Name, TElLabel* Value, const TValueLabel& Row)
{
    Name->SetEnabled(Row.Enabled);
    Value->SetEnabled(Row.Enabled);
    Value->SetCaption(Row.Text);
}

// A command's elements enabled by its rule (a command without one is left alone).
void ShowEnabledState(const TCommand& Command, const TMenuStateInput& Input)
{
    if (Command.Enabled) {
        const bool enabled = MenuConditionHolds(*Command.Enabled, Input);
        if (TElMenuItem* item = Command.Menu.Item.Get())
            item->SetEnabled(enabled);
        if (TElComboBox* box = Command.Tool.Box.Get())
            box->SetEnabled(enabled);
        if (TElGraphicButton* button = Command.Pad.Button.Get())
            button->SetEnabled(enabled);
    }
    const std::optional<TMenuCondition> rule = Command.ButtonEnabled ? Command.ButtonEnabled : Command.Enabled;
    if (TElToolButton* button = Command.Tool.Button.Get(); button && rule)
        button->SetEnabled(MenuConditionHolds(*rule, Input));
}

}  // namespace

void TMainForm::UpdateScanInfo()
{
    const TScanImage* image = session_.Image();
    if (!image || !image->ScanData)
        return;
    const TFileManager* files = session_.Files();
    const TScanInfoSource source{image->FieldLength(), image->FieldWidth(),
                                 files ? files->FileContent() : uint16_t{0}, ActiveLanguageIsRightToLeft()};
    const std::optional<TScanInfo> info = BuildScanInfo(*image->ScanData, source, ChosenMeasureUnit());
    if (!info)
        return;
    if (info->Panel1)
        StatusBar->Panels(1)->SetText(*info->Panel1);
    if (info->Panel2)
        StatusBar->Panels(2)->SetText(*info->Panel2);
    if (info->Panel4)
        SetValuePanelText(*info->Panel4);
    StatusBar->Panels(3)->SetText(info->Panel3);
    if (!Dialog_Info)
        return;
    TDialog_Info& w = *Dialog_Info;
    if (info->Impulse)
        ShowValueRow(w.ElLabel_Impulse, w.ElLabel_ImpulseValue, *info->Impulse);
    if (info->ScanLine)
        ShowValueRow(w.ElLabel_ScanLine, w.ElLabel_ScanLineValue, *info->ScanLine);
    if (info->Reading)
        w.SetValueLabel(w.ElLabel_ScanValue, w.ElLabel_ScanValueValue, *info->Reading);
    if (info->Gps)
        w.ShowValues(static_cast<float>(info->Gps->Quality), NMEAToDegrees(static_cast<float>(info->Gps->Longitude)),
                     NMEAToDegrees(static_cast<float>(info->Gps->Latitude)));
    ShowValueRow(w.ElLabel_Depth, w.ElLabel_DepthValue, info->Depth);
}

void TMainForm::SetDepthControlsEnabled(bool Value)
{
    if (Value == (DepthControlsEnabled != 0))
        return;
    DepthControlsEnabled = Value ? 1 : 0;
    for (TControl* c : std::initializer_list<TControl*>{ComboBoxSoil, ToolBarDepth, ToolButtonLineUp,
                                                        ToolButtonLineDown, SpeedButton[8], SpeedButton[9]})
        c->SetEnabled(Value);
}

void TMainForm::UpdateMenuStates(bool HasScan)
{
    scanShown_ = HasScan;
    TMenuStateInput input;
    input.HasScan = HasScan;
    const TScanData* scan = session_.Scan();
    const TFileManager* files = session_.Files();
    input.HasRenderer = session_.Image() != nullptr;
    input.ScanMode = scan ? scan->ScanMode : 0;
    input.FileContent = files ? files->FileContent() : 0;
    input.DepthControlsEnabled = DepthControlsEnabled != 0;
    input.Edited = session_.Edited();
    input.HasSnapshot = files && files->HasSnapshot();
    for (const TCommand& command : commands_)
        ShowEnabledState(command, input);
}

uint8_t TMainForm::ViewportAtPoint(int32_t X, int32_t Y, uint8_t Current) const
{
    return views_.ViewAt(X, Y, Current);
}

void TMainForm::LayoutInfoWindow()
{
    if (!Dialog_Info || !LanguageManager || !LanguageManager->ActiveLanguage())
        return;
    TDialog_Info& w = *Dialog_Info;
    for (const TInfoCaption& caption : InfoWindowCaptions) {
        const std::u16string text = GetText(caption.ID, caption.Default) + (caption.Colon ? u":" : u"");
        if (caption.Element[0] == '\0')
            w.SetCaption(text);
        else if (auto* label = dynamic_cast<TElLabel*>(w.FindComponent(caption.Element)))
            label->SetCaption(text);
    }
    const bool rtl = ActiveLanguageIsRightToLeft();
    const TInfoWindowLayout layout =
        LayoutInfoWindowPositions(rtl, w.ClientWidth(), w.ElPanel_GPS->Width(), w.ElLabel15->Width());
    w.SetBiDiMode(rtl ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    for (TFlowPanel* row : w.RowPanels)
        row->SetFlowStyle(layout.RowsRightToLeft ? TFlowStyle::fsRightLeftTopBottom : TFlowStyle::fsLeftRightTopBottom);
    TFlowPanel* qualityRow = w.RowPanels[TDialog_Info::QualityRow];
    qualityRow->SetBounds(layout.QualityRowLeft, qualityRow->Top(), layout.QualityRowWidth, qualityRow->Height());
    w.ElPanel_GPS->SetLeft(layout.GpsPanelLeft);
    w.ElLabel15->SetLeft(layout.GpsLabelLeft);
    TShape* bars[4] = {w.Shape_GPS_01, w.Shape_GPS_02, w.Shape_GPS_03, w.Shape_GPS_04};
    for (size_t i = 0; i < 4; ++i)
        bars[i]->SetLeft(layout.BarLefts[i]);
}

void TMainForm::ApplicationHint(TObject*)
{
    SetValuePanelText(HintPanelText(Application->Hint()));
}

void TMainForm::SetValuePanelText(const std::u16string& Text)
{
    valuePanelOwn_ = Text;
    StatusBar->Panels(4)->SetText(ValuePanelText(Text, surfaceNotice_, ActiveLanguageIsRightToLeft()));
}

int32_t TMainForm::QuerySaveChanges()
{
    // Nothing asks about unsaved changes: saving scan files is not part of the program.
    return 1;
}
