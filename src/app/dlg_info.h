// The floating info window: the values of the selected point (impulse, scan line, reading,
// depth) and the GPS position with its quality, each as a name label and a value label in a
// row panel of its own, and the quality bars. A tool window that stays on top; the main window
// places it, fills it and shows or hides it, and owns its window (its popup parent). Showing it
// leaves the main window active; once the user clicks into it, every key it does not use itself
// still goes to the main window, whose keys it exists to follow.
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElMenus.h"
#include "widgets/el/menus/ElPanel.h"
#include "widgets/el/menus/ElToolBar.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <array>

class TDialog_Info : public TForm {
public:
    explicit TDialog_Info(TComponent* AOwner);
    ~TDialog_Info() override;
    const char* ClassName() const override { return "TDialog_Info"; }

    // The rows in the order they stand: impulse, scan line, reading, depth, longitude,
    // quality, latitude. Each holds its name label, a gap and its value label.
    std::array<TFlowPanel*, 7> RowPanels{};
    // The row beside which the GPS panel stands.
    static constexpr size_t QualityRow = 5;
    TElLabel* ElLabel_Impulse;
    TElLabel* ElLabel_ImpulseValue;
    TElLabel* ElLabel_ScanLine;
    TElLabel* ElLabel_ScanLineValue;
    TElLabel* ElLabel_ScanValue;
    TElLabel* ElLabel_ScanValueValue;
    TElLabel* ElLabel_Depth;
    TElLabel* ElLabel_DepthValue;
    TElLabel* ElLabel_Longitude;
    TElLabel* ElLabel_LongitudeValue;
    TElLabel* ElLabel_GPSQuality;
    TElLabel* ElLabel_GPSQualityValue;
    TElLabel* ElLabel_Latitude;
    TElLabel* ElLabel_LatitudeValue;
    TElPanel* ElPanel_GPS;
    TElLabel* ElLabel15;  // "GPS"
    TShape* Shape_GPS_01;
    TShape* Shape_GPS_02;
    TShape* Shape_GPS_03;
    TShape* Shape_GPS_04;
    TBevel* Bevel1;
    TElFormCaption* ElFormCaption;

    // The main window's Extras > "Info window" item and info tool button, which follow the
    // window's visibility; either may be null.
    TWeakRef<TElMenuItem> MenuItem;
    TWeakRef<TElToolButton> ToolButton;

    // The name label is enabled exactly when Text, trimmed, is not empty; the value label takes
    // its enabled state and shows Text.
    void SetValueLabel(TElLabel* Name, TElLabel* Value, const std::u16string& Text);
    // The GPS position when Quality is a finite number of 0 or more and neither coordinate is
    // NaN (degrees), else empty rows; then the quality bars.
    void ShowValues(float Quality, float Longitude, float Latitude);
    void ShowGPSQuality(float Quality);

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);

    // Its own keys first, then the popup parent's key handling (the form previews the keys of
    // its panels, so this sees every key the window is given).
    void KeyDown(uint16_t& Key, TShiftState Shift) override;

private:
    TElLabel* RowLabel(TFlowPanel* Row, const char* Name, const char16_t* Caption);
    // The name label, a gap and the value label of a row.
    void RowLabels(TFlowPanel* Row, const char* Name, const char16_t* Caption, TElLabel*& NameLabel,
                   TElLabel*& ValueLabel);
};

extern TDialog_Info* Dialog_Info;
