#include "app/dlg_info.h"

#include "shell/FormParts.h"
#include "app/InfoWindowModel.h"
#include "device/GpsCoordinates.h"
#include "framework/KeyCodes.h"
#include "framework/StrConv.h"

#include <cmath>
#include <limits>
#include <string>

TDialog_Info* Dialog_Info = nullptr;

namespace {

constexpr int RowHeight = 18;
constexpr int WindowWidth = 230;
constexpr int GpsPanelWidth = 52;
// Between a row's name and its value.
constexpr int NameValueGap = 6;

}  // namespace

TDialog_Info::TDialog_Info(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Dialog_Info");
    SetBorderStyle(TFormBorderStyle::bsToolWindow);
    SetFormStyle(TFormStyle::fsStayOnTop);
    ActivateOnShow = false;
    KeyPreview = true;
    SetCaption(u"Info");
    SetClientSize(WindowWidth, 7 * RowHeight + 12);

    static constexpr const char* RowNames[7] = {"FlowPanelImpulse", "FlowPanelScanLine", "FlowPanelReading",
                                                "FlowPanelDepth",   "FlowPanelLongitude", "FlowPanelQuality",
                                                "FlowPanelLatitude"};
    for (size_t i = 0; i < RowPanels.size(); ++i) {
        TFlowPanel* row = MakeControl<TFlowPanel>(this, this, RowNames[i], 0, 6 + static_cast<int>(i) * RowHeight,
                                                  WindowWidth, RowHeight);
        row->SetBevelOuter(TBevelCut::bvNone);
        row->ShowCaption = false;
        RowPanels[i] = row;
    }
    RowLabels(RowPanels[0], "ElLabel_Impulse", u"Impulse:", ElLabel_Impulse, ElLabel_ImpulseValue);
    RowLabels(RowPanels[1], "ElLabel_ScanLine", u"Scan line:", ElLabel_ScanLine, ElLabel_ScanLineValue);
    RowLabels(RowPanels[2], "ElLabel_ScanValue", u"Reading:", ElLabel_ScanValue, ElLabel_ScanValueValue);
    RowLabels(RowPanels[3], "ElLabel_Depth", u"Depth:", ElLabel_Depth, ElLabel_DepthValue);
    RowLabels(RowPanels[4], "ElLabel_Longitude", u"Longitude", ElLabel_Longitude, ElLabel_LongitudeValue);
    RowLabels(RowPanels[5], "ElLabel_GPSQuality", u"Quality", ElLabel_GPSQuality, ElLabel_GPSQualityValue);
    RowLabels(RowPanels[6], "ElLabel_Latitude", u"Latitude", ElLabel_Latitude, ElLabel_LatitudeValue);

    // The GPS panel stands at the right end of the quality row, which leaves it the room.
    RowPanels[QualityRow]->SetWidth(WindowWidth - GpsPanelWidth);
    ElPanel_GPS = MakeControl<TElPanel>(this, this, "ElPanel_GPS", WindowWidth - GpsPanelWidth,
                                        6 + static_cast<int>(QualityRow) * RowHeight, GpsPanelWidth, RowHeight);
    ElPanel_GPS->SetBevelOuter(TBevelCut::bvNone);
    ElPanel_GPS->ShowCaption = false;
    ElLabel15 = MakeControl<TElLabel>(this, ElPanel_GPS, "ElLabel15", 0, 2, 25, RowHeight - 4);
    ElLabel15->SetCaption(u"GPS");
    TShape** bars[4] = {&Shape_GPS_01, &Shape_GPS_02, &Shape_GPS_03, &Shape_GPS_04};
    static constexpr const char* BarNames[4] = {"Shape_GPS_01", "Shape_GPS_02", "Shape_GPS_03", "Shape_GPS_04"};
    for (int i = 0; i < 4; ++i) {
        // Taller bars for better fixes, as a signal meter shows them.
        const int h = 4 + i * 3;
        TShape* s = MakeControl<TShape>(this, ElPanel_GPS, BarNames[i], 27 + 6 * i, RowHeight - 2 - h, 5, h);
        s->Brush()->SetColor(GpsBarDark);
        *bars[i] = s;
    }
    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", 0, 0, WindowWidth, 2);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnHide = [this](TObject* Sender) { FormHide(Sender); };
}

TElLabel* TDialog_Info::RowLabel(TFlowPanel* Row, const char* Name, const char16_t* Caption)
{
    TElLabel* label = MakeControl<TElLabel>(this, Row, Name, 0, 0, 100, RowHeight - 2);
    label->SetAutoSize(true);
    label->SetCaption(Caption);
    return label;
}

void TDialog_Info::RowLabels(TFlowPanel* Row, const char* Name, const char16_t* Caption, TElLabel*& NameLabel,
                             TElLabel*& ValueLabel)
{
    NameLabel = RowLabel(Row, Name, Caption);
    TBevel* gap = MakeControl<TBevel>(this, Row, (std::string(Name) + "Gap").c_str(), 0, 0, NameValueGap, 2);
    gap->SetShape(TBevelShape::bsSpacer);
    ValueLabel = RowLabel(Row, (std::string(Name) + "Value").c_str(), u"??");
}

void TDialog_Info::SetValueLabel(TElLabel* Name, TElLabel* Value, const std::u16string& Text)
{
    Name->SetEnabled(ValueLabelEnabled(Text));
    Value->SetEnabled(Name->Enabled());
    Value->SetCaption(Text);
}

void TDialog_Info::ShowValues(float Quality, float Longitude, float Latitude)
{
    if (GpsPositionShown(Quality, Longitude, Latitude)) {
        SetValueLabel(ElLabel_Latitude, ElLabel_LatitudeValue, AnsiToWide(LatitudeToStr(Latitude)));
        SetValueLabel(ElLabel_Longitude, ElLabel_LongitudeValue, AnsiToWide(LongitudeToStr(Longitude)));
        SetValueLabel(ElLabel_GPSQuality, ElLabel_GPSQualityValue, GpsQualityText(Quality));
    } else {
        SetValueLabel(ElLabel_Latitude, ElLabel_LatitudeValue, u"");
        SetValueLabel(ElLabel_Longitude, ElLabel_LongitudeValue, u"");
        SetValueLabel(ElLabel_GPSQuality, ElLabel_GPSQualityValue, u"");
    }
    ShowGPSQuality(Quality);
}

void TDialog_Info::ShowGPSQuality(float Quality)
{
    const TGpsQualityBars bars = ::ShowGPSQuality(Quality);
    ElPanel_GPS->SetEnabled(bars.PanelEnabled);
    ElLabel15->SetEnabled(bars.PanelEnabled);
    TShape* shapes[4] = {Shape_GPS_01, Shape_GPS_02, Shape_GPS_03, Shape_GPS_04};
    for (size_t i = 0; i < 4; ++i) {
        shapes[i]->SetEnabled(bars.PanelEnabled);
        shapes[i]->Brush()->SetColor(bars.Colors[i]);
        shapes[i]->Invalidate();
    }
}

void TDialog_Info::FormCreate(TObject*)
{
    ShowValues(0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN());
    SetValueLabel(ElLabel_Impulse, ElLabel_ImpulseValue, u"");
    SetValueLabel(ElLabel_ScanLine, ElLabel_ScanLineValue, u"");
    SetValueLabel(ElLabel_ScanValue, ElLabel_ScanValueValue, u"");
    SetValueLabel(ElLabel_Depth, ElLabel_DepthValue, u"");
}

void TDialog_Info::FormShow(TObject*)
{
    if (TElMenuItem* item = MenuItem.Get())
        item->SetChecked(true);
    if (TElToolButton* button = ToolButton.Get())
        button->SetDown(true);
}

void TDialog_Info::FormHide(TObject*)
{
    if (TElMenuItem* item = MenuItem.Get())
        item->SetChecked(false);
    if (TElToolButton* button = ToolButton.Get())
        button->SetDown(false);
}

void TDialog_Info::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TForm::KeyDown(Key, Shift);
    // Alt+F4 closes the window itself; the menu short-cuts reached the main window already.
    TCustomForm* main = PopupParent();
    if (Key != 0 && main && !VKey::IsCloseWindowKey(Key, Shift))
        main->KeyDown(Key, Shift);
}

TDialog_Info::~TDialog_Info()
{
    if (Dialog_Info == this)
        Dialog_Info = nullptr;
}
