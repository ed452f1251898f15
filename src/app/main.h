// TMainForm: the program's main window. Its implementation is split by area:
//   main.cpp                  making the window, FormCreate, FormDestroy, the Examples menu
//   main_command_table.cpp    the tool bars and the commands: one row each, with their menu
//                             items, buttons, keys, texts, glyphs, enable rules and handlers
//                             (CommandTable.h; ARCHITECTURE.md says how to add one)
//   main_build.cpp            the components, the commands' ones made from their rows
//   main_settings.cpp         the defaults and the payload of the settings file
//   main_language.cpp         the texts of the active language on every caption and hint
//   main_status.cpp           status bar, info window values, depth controls, menu states, hints
//   main_new.cpp              the New command and the end of a receive
//   main_open.cpp             opening a scan
//   main_import.cpp           the Import menu
//   main_paint.cpp            the paint timer, split screen, navigator, full screen, info window
//   main_navigation.cpp       the mouse, the keys, the navigator and the zoom of the views
//   main_commands.cpp         the edit and display commands of the Image and View menus
//   main_edit_dialogs.cpp     interpolation and the correction of fault signals
//   main_export.cpp           the export of the drawn view, the help file, the web site
//   main_print.cpp            the print dialog
//   main_preferences.cpp      the preferences dialog
//   main_info_commands.cpp    characteristics, chart, about box, update check
//   main_window_commands.cpp  exit, closing, the serial port's picture and receive event
// Every component is owned by the form and found by its name with FindComponent. The ones the
// design names are also held in fields of those names. The tool bars and the commands' menu
// items and buttons are made from the command table's rows, through which they are reached as
// well (Commands()); a command added later has no field.
#pragma once

#include "app/CommandTable.h"
#include "app/ScanEdits.h"
#include "app/ScanSession.h"
#include "app/ScanViews.h"
#include "app/StartupRules.h"
#include "app/ViewNavigation.h"

#include "device/_TUSBDevice.h"
#include "scan/files/ScanFile.h"
#include "scan/model/DataTypes.h"
#include "scan/render/ScanScene.h"
#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/foundation/ElBiProgressBar.h"
#include "widgets/el/foundation/ElVersionInfo.h"
#include "widgets/el/menus/ElButtonsGraphic.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElMenus.h"
#include "widgets/el/menus/ElMenusNative.h"
#include "widgets/el/menus/ElPanel.h"
#include "widgets/el/menus/ElStatusBar.h"
#include "widgets/el/menus/ElToolBar.h"
#include "widgets/kit/KitDialogs.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace CPort {
class TComPort;
}
class TBitmap;
class TColorManager;
class TDataGrid;
class TFileManager;
class TLanguage;
class TScanImage;
class TSettings;
class TStream;
class TUpdate;
class TMainFormState;

// Receives a live scan from a device. Live reception is not part of the program: the main
// window makes and frees the object and nothing else uses it.
class TDataReceiver {};

using TMainScanSession = TScanSession<TScanImage>;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* AOwner);
    ~TMainForm() override;
    const char* ClassName() const override { return "TMainForm"; }

    // ---- Menus
    TImageList* ImageList;    // glyphs of the menus and the tool bars (TToolGlyph order)
    TImageList* ImageListCP;  // the three palette buttons
    TElMainMenu* ElMainMenu1;
    TElMenuBar* MenuBar;
    TElMenuItem* MenuFile;
    TElMenuItem* MenuFileNew;
    TElMenuItem* MenuFileOpen;
    TElMenuItem* MenuFile_LastUsed;
    TElMenuItem* MenuFileExamples;
    TElMenuItem* MenuFileSave;
    TElMenuItem* MenuFileSaveAs;
    TElMenuItem* MenuFileImport;
    TElMenuItem* FileImportOsprin;
    TElMenuItem* FileImportHalvor;
    TElMenuItem* Qorr311;
    TElMenuItem* Qorr411;
    TElMenuItem* FileImportPellam;
    TElMenuItem* Tarnwell1;
    TElMenuItem* MenuFileImport_Stavro;
    TElMenuItem* MenuFileExport;
    TElMenuItem* MenuFilePrint;
    TElMenuItem* MenuFileExit;
    TElMenuItem* MenuEdit;
    TElMenuItem* MenuEditReset;
    TElMenuItem* MenuEditInterpolate;
    TElMenuItem* MenuEditCorrectFaultSignal;
    TElMenuItem* MenuEdit_RemoveDummy;
    TElMenuItem* MenuEdit_FEChart;
    TElMenuItem* MenuFileRemarks;
    TElMenuItem* MenuView;
    TElMenuItem* MenuViewReset;
    TElMenuItem* MenuViewPerspective;
    TElMenuItem* MenuViewFront;
    TElMenuItem* MenuViewTop;
    TElMenuItem* MenuViewCrossHairs;
    TElMenuItem* MenuViewWireframe;
    TElMenuItem* MenuViewResolution;
    std::array<TElMenuItem*, 5> MenuEditRes{};  // MenuEditRes0 .. MenuEditRes4
    TElMenuItem* MenuViewZoom;
    std::array<TElMenuItem*, 8> ImageZoom{};    // ImageZoom50 .. ImageZoom1000
    TElMenuItem* MenuExtras;
    TElMenuItem* MenuExtrasSplitScreen;
    TElMenuItem* MenuExtrasNavigator;
    TElMenuItem* MenuExtrasInfo;
    TElMenuItem* MenuExtras_Language;
    TElMenuItem* MenuFileConfiguration;
    TElMenuItem* MenuExtrasFullscreen;
    TElMenuItem* MenuHelp;
    TElMenuItem* MenuHelpContents;
    TElMenuItem* MenuHelpWebsite;
    TElMenuItem* MenuHelp_Update;
    TElMenuItem* MenuHelpAbout;

    // ---- Tool bars
    TControlBar* ControlBar;
    TElToolBar* ToolBarFile;
    TElToolButton* ToolButtonNew;
    TElToolButton* ToolButtonOpen;
    TElToolButton* ToolButtonSave;
    TElToolButton* ToolButtonPrint;
    TElToolButton* ToolButtonRemarks;
    TElToolButton* ToolButtonPreferences;
    TElToolButton* ToolButtonHelp;
    TElToolBar* ToolBar3;
    TElToolButton* ToolButtonUndo;
    TElToolButton* ToolButton5;   // interpolation
    TElToolButton* ToolButton8;   // signal correction
    TElToolButton* ToolButton_RemoveDummies;
    TElToolButton* ToolButton_FEChart;
    TElToolButton* ToolButton_InfoWindow;
    std::array<TElToolButton*, 5> ToolButtonRes{};  // ToolButtonRes0 .. ToolButtonRes4
    TElToolButton* ToolButtonWireframe;
    TElToolBar* ToolBarDepth;
    TElToolButton* ToolButtonLineUp;
    TElToolButton* ToolButtonLineDown;
    TElComboBox* ComboBoxSoil;
    TElToolBar* ElToolBar1;
    TElToolButton* ToolButtonZoomIn;
    TElToolButton* ToolButtonZoomOut;
    TElComboBox* ComboBoxZoom;
    TElToolButton* ToolButtonStretchIn;
    TElToolButton* ToolButtonStretchOut;
    TElToolBar* ElToolBar2;
    TElToolButton* ToolButtonReset;
    TElToolButton* ToolButtonPerspective;
    TElToolButton* ToolButtonFront;
    TElToolButton* ToolButtonTop;
    TElToolButton* ToolButtonCPBlue;
    TElToolButton* ToolButtonCPGreen;
    TElToolButton* ToolButtonCPRed;

    // ---- Navigator, status panel, voltage
    TElPanel* Navigator;
    // SpeedButton1 .. SpeedButton22 at index (number - 1); 19 and 20 do not exist (null).
    std::array<TElGraphicButton*, 22> SpeedButton{};
    TElPanel* StatusPanel;
    TElStatusBar* StatusBar;
    TElGraphicButton* AxisX;
    TElGraphicButton* AxisY;
    TElGraphicButton* AxisZ;
    TElPanel* Panel_Voltage;
    TElBiProgressBar* ProgressBar_Voltage;

    // ---- Non-visual
    CPort::TComPort* ComPort;
    TUSBDevice* USBDevice1;
    TElFormCaption* ElFormCaption;
    TKitOpenDialog* Kit_OpenDialog;
    TKitSaveDialog* Kit_SaveDialog;
    TUpdate* Update1;
    TElVersionInfo* ElVersionInfo;
    TTimer* TimerPaint;
    TTimer* TimerCancel;
    TTimer* TimerUpdate;
    TTimer* TimerButtonDown;

    // The rows of the command table (main_command_table.cpp) with the elements made from them.
    const std::vector<TCommand>& Commands() const { return commands_; }
    // Asks the paint timer to draw the views once more (commands, mouse moves and resizes draw
    // nothing themselves).
    void RequestRepaint() { views_.RequestRepaint(); }
    // False when the start-up found no data-tables file: the program ends at once then, and
    // the settings file is neither written nor replaced.
    bool DataFileFound() const { return dataFileFound_; }
    // The form's state, read-only (see TMainFormState below).
    TMainFormState State() const;

    // ---- Start-up and end (main.cpp)
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void OpenExample(TObject* Sender);
    void ResetDataFileName();

    // ---- Settings (main_settings.cpp)
    void SetDefaultSettings();
    void SaveSettingsPayload(TStream& Stream);
    void LoadSettingsPayload(TStream& Stream);
    // The settings file: AppDataFolder + "settings.cfg".
    std::u16string SettingsFileName() const;

    // ---- Language (main_language.cpp)
    void ApplyLanguage(TObject* Sender, TLanguage* Language);
    void MenuExtras_LanguageClick(TObject* Sender);

    // ---- Scan information, status bar and menu states (main_status.cpp)
    void UpdateScanInfo();
    void SetDepthControlsEnabled(bool Value);
    void UpdateMenuStates(bool HasScan);
    uint8_t ViewportAtPoint(int32_t X, int32_t Y, uint8_t Current) const;
    void LayoutInfoWindow();
    void ApplicationHint(TObject* Sender);
    int32_t QuerySaveChanges();

    // ---- Commands, each defined in the unit of its area (see the list above)
    // New scan
    void MenuFileNewClick(TObject* Sender);
    void TimerCancelTimer(TObject* Sender);
    // Opening a scan
    void MenuFileOpenClick(TObject* Sender);
    void OpenFile(const std::u16string& FileName);
    void UpdateWindowCaption();
    // Paint timer, split screen and data grid
    void TimerPaintTimer(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormPaint(TObject* Sender);
    void FormShow(TObject* Sender);
    void PaintDataGrid();
    void MenuExtrasSplitScreenClick(TObject* Sender);
    void MenuExtrasNavigatorClick(TObject* Sender);
    void MenuExtrasFullscreenClick(TObject* Sender);
    void MenuExtrasInfoClick(TObject* Sender);
    // View navigation
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    void FormDblClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ToolButtonZoomInClick(TObject* Sender);
    void ToolButtonZoomOutClick(TObject* Sender);
    void ToolButtonStretchInClick(TObject* Sender);
    void ToolButtonStretchOutClick(TObject* Sender);
    void ToolButtonLineUpClick(TObject* Sender);
    void ToolButtonLineDownClick(TObject* Sender);
    void MenuViewResetClick(TObject* Sender);
    void MenuViewTopClick(TObject* Sender);
    void MenuViewFrontClick(TObject* Sender);
    void MenuViewPerspectiveClick(TObject* Sender);
    void ImageZoom50Click(TObject* Sender);
    void ImageZoom80Click(TObject* Sender);
    void ImageZoom100Click(TObject* Sender);
    void ImageZoom150Click(TObject* Sender);
    void ImageZoom200Click(TObject* Sender);
    void ImageZoom400Click(TObject* Sender);
    void ImageZoom800Click(TObject* Sender);
    void ImageZoom1000Click(TObject* Sender);
    void ComboBoxZoomChange(TObject* Sender);
    void ComboBoxZoomKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ComboBoxZoomKeyPress(TObject* Sender, char16_t& Key);
    void AxisXClick(TObject* Sender);
    void AxisYClick(TObject* Sender);
    void AxisZClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void SpeedButton7Click(TObject* Sender);
    void SpeedButton8Click(TObject* Sender);
    void SpeedButton11Click(TObject* Sender);
    void SpeedButton12Click(TObject* Sender);
    void SpeedButton15Click(TObject* Sender);
    void SpeedButton16Click(TObject* Sender);
    void SpeedButton21Click(TObject* Sender);
    void SpeedButton22Click(TObject* Sender);
    // Mouse-down of every repeating button (navigator and tool bar); the shared mouse-up.
    void SpeedButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SpeedButton17MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The keys without an element: the arrows walk the selected point (Ctrl: 10 steps, Ctrl+Alt:
    // 20), F4 switches the smooth surface, Escape leaves full screen, Ctrl+X halves the values.
    void WalkLineForward(TShiftState Shift);
    void WalkLineBackward(TShiftState Shift);
    void WalkToNextPoint(TShiftState Shift);
    void WalkToPreviousPoint(TShiftState Shift);
    void ToggleSmoothSurface(TObject* Sender);
    void LeaveFullscreen(TObject* Sender);
    void HalveValues(TObject* Sender);
    // Edit and display commands
    void MenuEditInterpolateClick(TObject* Sender);
    void MenuEditCorrectFaultSignalClick(TObject* Sender);
    void MenuEditResetClick(TObject* Sender);
    void ToolButton2XClick(TObject* Sender);
    void MenuEditRes0Click(TObject* Sender);
    void MenuEditRes1Click(TObject* Sender);
    void MenuEditRes2Click(TObject* Sender);
    void MenuEditRes3Click(TObject* Sender);
    void MenuEditRes4Click(TObject* Sender);
    void MenuViewWireframeClick(TObject* Sender);
    void MenuViewCrossHairsClick(TObject* Sender);
    void ComboBoxSoilChange(TObject* Sender);
    void ComboBoxSoilKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ComboBoxSoilKeyPress(TObject* Sender, char16_t& Key);
    void ComboBoxSoilKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ToolButtonCPBlueClick(TObject* Sender);
    void ToolButtonCPGreenClick(TObject* Sender);
    void ToolButtonCPRedClick(TObject* Sender);
    // The resolution level of the views, with its menu item checked and its tool button down.
    void SetResolutionLevel(uint8_t Level);
    // Device import
    void ImportFromDevice(uint8_t ModelIndex, const std::u16string& MenuCaption);
    void FileImportOsprinClick(TObject* Sender);
    void FileImportHalvorClick(TObject* Sender);
    void FileImportPellamClick(TObject* Sender);
    void Qorr411Click(TObject* Sender);
    void Qorr311Click(TObject* Sender);
    void Tarnwell1Click(TObject* Sender);
    void KXStavro1Click(TObject* Sender);
    // Export, print, help, chart and window commands
    void MenuFileExportClick(TObject* Sender);
    void ChangeImageExtension(TObject* Sender);
    void MenuFilePrintClick(TObject* Sender);
    void MenuHelpContentsClick(TObject* Sender);
    void MenuHelpWebsiteClick(TObject* Sender);
    void ToolButton17XClick(TObject* Sender);
    void MenuFileExitClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void StatusBarPanelDraw(TElStatusBar* Sender, TElStatusPanel* Panel, const TRect& Rect);
    void ComPortRxChar(TObject* Sender, int32_t Count);
    // Preferences
    void MenuFileConfigurationClick(TObject* Sender);
    // Characteristics, about box and update check
    void MenuFileRemarksClick(TObject* Sender);
    void MenuHelpAboutClick(TObject* Sender);
    void MenuHelp_UpdateClick(TObject* Sender);
    void TimerUpdateTimer(TObject* Sender);

protected:
    // Gives the window the program's icon.
    void CreateHandleDone() override;

private:
    // main_build.cpp
    void CreateComponents();
    void CreateMenus();
    void CreateToolBars();
    void CreateNavigator();
    void CreateStatusPanel();
    void CreateNonVisual();
    void WireEvents();
    // The elements of the commands' rows: a menu item, the controls of one tool bar, the
    // buttons of one panel.
    void MakeMenuItem(TCommand& Command);
    void MakeToolBarControls(TElToolBar* Bar);
    void MakePanelButtons(TElPanel* Panel);
    // One of this form's handlers as an event (none for none).
    TNotifyEvent On(void (TMainForm::*Handler)(TObject*));
    // A command's handler as the event of its elements: refused while a build runs (see
    // TBusySteps), when it would enter the build.
    TNotifyEvent OnCommand(void (TMainForm::*Handler)(TObject*));
    // main.cpp
    void CreateOwnedObjects();
    void BuildLanguageMenu();
    void BuildExamplesMenu();
    bool LoadDataTables();
    void LoadSettings();
    void ApplyCommandLine();
    // main_open.cpp: steps of an open that loaded a file
    void SetUpForOpenedScan(const std::u16string& FileName);
    // main_paint.cpp: the status text after a build that could not draw what was chosen
    // (a lower resolution level, or every k-th point of a scan too large for memory), and the
    // message when it could draw nothing at all
    void ShowResolutionNotice();
    // main_paint.cpp: disables the commands' elements that are enabled (the menus stay, with
    // their items greyed); the function returned enables them again.
    std::function<void()> ShowCommandsRefused();
    // main_status.cpp: the value panel's own text (hint or value), shown with the notice
    void SetValuePanelText(const std::u16string& Text);
    // main_paint.cpp: the views of the scan drawn into the back buffer, without the swap
    void DrawViews(const std::function<void()>& BetweenViews = {});
    // main_navigation.cpp
    enum class TWalkDirection : uint8_t { LineForward, LineBackward, NextPoint, PreviousPoint };
    void MoveSelectedPoint(TWalkDirection Direction, uint8_t Steps);
    void StepDepthLevel(bool Up);
    // After an edit of the points: Undo becomes possible and the views are drawn again.
    void NoteScanEdited();
    void RunCameraStep(TNavigatorStep Step);
    void ApplyMainViewPreset(TViewPreset Preset);
    void ChooseZoomItem(int Index);
    void StepColorLimits(bool Upper, bool Raise);
    // main_language.cpp: a command's caption and hint in Language (none: the defaults) on its
    // elements
    void ShowTexts(const TCommand& Command, const TLanguage* Language);
    std::u16string HintText(const TCommand& Command, const TLanguage* Language) const;
    void ApplyDirection(bool RightToLeft);
    void RefillSoilBox();
    // main_new.cpp
    void StopReceive();
    void RestoreNewCommand();
    void RunNewScanDialog();
    // main_preferences.cpp: the fault-signal thresholds of the settings into the loaded scan
    void ApplyThresholdsToScan();
    // main_commands.cpp
    void TakeFocusBack();
    void ApplyPaletteButtons();
    // main_export.cpp: the drawn view's pixels in ExportViewport; false when none could be read.
    bool ReadDrawnView(TBitmap& Bitmap);

    // ---- State. The views (cameras, panes, active view, repaint request) and the scan session
    // (renderer, file manager, magic, edited) are objects of their own; the rest in the order
    // the program keeps it, under the program's names.
    friend class TMainFormState;
    TScanViews views_;
    TMainScanSession session_;  // on views_'s view states
    uint32_t PrintState = 0;
    void* LiveReader = nullptr;  // live reading is not part of the program: always null
    std::unique_ptr<TDataReceiver> DataReceiver;
    std::unique_ptr<TDataGrid> DataGrid;
    // The colour scale; the renderer reads it through this field.
    TColorManager* ColorManager = nullptr;
    // The colour bands the palette buttons leave drawn; every rebuild of the colour stops
    // derives their Enabled from it again.
    TPaletteBands PaletteBands;
    TSettings* Settings = nullptr;
    uint8_t MouseDown = 0;
    TPoint MouseStart;
    TPoint MouseLast;
    uint8_t ReceiveActive = 0;
    uint8_t DepthControlsEnabled = 0;
    std::u16string DataFileName;
    TFolders Folders;
    // The examples the Examples menu lists, by the items' Tag.
    std::vector<TExampleItem> Examples;

    std::vector<TCommand> commands_;
    // A scan is shown, as UpdateMenuStates was last told: the keys that act on a scan wait for one.
    bool scanShown_ = false;
    std::unique_ptr<TColorManager> ownedColorManager_;
    bool dataFileFound_ = true;
    // The settings were read at start; only then does the end write them back.
    bool settingsLoaded_ = false;
    // What the last build could not draw, as the status bar says it until the next build
    // (empty when all was drawn), and the value panel's own text beside it.
    std::u16string surfaceNotice_;
    std::u16string valuePanelOwn_;
    // The window is closing (its close was granted): a build running stops, no frame follows.
    bool closing_ = false;
    // The folder of the last export of this run; empty before the first.
    std::u16string exportFolder_;
};

// The main window's state as those outside it may read it (the tests): the scan's views, the
// scan session and the flags its handlers keep. Nothing here changes the form, whose state
// changes only through its commands, keys, clicks and handlers. The renderer, the scan, the
// colour scale and the data grid it leads to are objects of their own, used through their own
// interfaces.
class TMainFormState {
public:
    explicit TMainFormState(const TMainForm& Form) : form_(Form) {}
    const TScanViews& Views() const { return form_.views_; }
    const TMainScanSession& Session() const { return form_.session_; }
    TColorManager* Colors() const { return form_.ColorManager; }
    TDataGrid* DataGrid() const { return form_.DataGrid.get(); }
    bool DepthControlsEnabled() const { return form_.DepthControlsEnabled != 0; }
    bool ReceiveActive() const { return form_.ReceiveActive != 0; }
    // Where the mouse was at its last press or move over the form.
    TPoint MouseLast() const { return form_.MouseLast; }
    const std::vector<TExampleItem>& Examples() const { return form_.Examples; }

private:
    const TMainForm& form_;
};

inline TMainFormState TMainForm::State() const
{
    return TMainFormState(*this);
}

extern TMainForm* MainForm;

// The command-line arguments after the program's name (the program's own command line unless
// a test replaced them).
std::vector<std::u16string>& ProgramArguments();
