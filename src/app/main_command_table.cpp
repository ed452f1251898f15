// The main window's commands, one row each (the columns are CommandTable.h's): the tool bars,
// the menus in the order the menu bar shows them, then the commands of the tool bars, the
// navigator and the status panel that no menu has, then the keys the window takes itself. A
// row stands after the rows of its menu and its tool bar. ARCHITECTURE.md says how a new
// command is added.
#include "app/main.h"

#include "app/ViewNavigation.h"

#include "scan/files/TextIds.h"

#include <windows.h>

// Each row names only the columns it uses; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using enum TMenuCondition;
using enum TCaptionJoin;
using G = TToolGlyph;
using N = TNavigatorGlyph;
using M = TMainForm;

// Menu short-cuts.
TShortCut Plain(uint16_t VirtualKey)
{
    return ShortCut(VirtualKey, 0);
}

TShortCut Ctrl(uint16_t VirtualKey)
{
    return ShortCut(VirtualKey, ssCtrl);
}

// The keys the window takes itself, whatever modifiers are held besides those named.
std::array<TKey, 2> Press(uint16_t Key, uint16_t OrKey = 0)
{
    return {TKey{Key}, TKey{OrKey}};
}

std::array<TKey, 2> PressWith(TShiftState Needs, uint16_t Key)
{
    return {TKey{Key, Needs}};
}

constexpr TRect AxisSwitch{0, 0, 24, StatusPanelHeight};

// A field of the form, with its name as the element's name.
#define FIELD(Field) {#Field, [](TMainForm& F) -> auto& { return F.Field; }}

// Element Index of the form's array field Field, named Name.
template <class T, size_t Count>
TSlot<T> FieldAt(std::string Name, std::array<T*, Count> TMainForm::*Field, size_t Index)
{
    return {std::move(Name), [Field, Index](TMainForm& F) -> T*& { return (F.*Field)[Index]; }};
}

// A button on a tool bar, at Place from its left end; buttons of one Group other than 0 are down
// one at a time.
TToolFace OnBar(TSlot<TElToolButton> Button, std::string Bar, int Place, uint8_t Group = 0)
{
    return {.Button = std::move(Button), .Bar = std::move(Bar), .Place = Place, .Group = Group};
}

// A drop-down list of Width pixels on a tool bar.
TToolFace Box(TSlot<TElComboBox> List, int Width, std::string Bar, int Place)
{
    return {.Box = std::move(List), .BoxWidth = Width, .Bar = std::move(Bar), .Place = Place};
}

// A separator line of a menu.
TCommand Separator(const char* Under, const char* Name)
{
    return {.Menu = {{Name}, Under}, .Caption = Fixed(u"-")};
}

// A resolution level: its item of View > Resolution, its button and its digit on the top row or
// the numeric pad. The hint is the menu's, followed by the level's caption.
TCommand Level(int Index, const char16_t* Caption, void (TMainForm::*OnClick)(TObject*))
{
    const size_t i = static_cast<size_t>(Index);
    return {.Menu = {FieldAt("MenuEditRes" + std::to_string(i), &M::MenuEditRes, i), "MenuViewResolution", 2},
            .Tool = OnBar(FieldAt("ToolButtonRes" + std::to_string(i), &M::ToolButtonRes, i), "ToolBar3", 6 + Index, 1),
            .Caption = {TTextId(Texts::Level1 + Index), Caption}, .Hint = MenuLabelled,
            .Keys = Press(uint16_t('1' + Index), uint16_t(VK_NUMPAD1 + Index)),
            .Glyph = TToolGlyph(ToolGlyphIndex(G::Resolution1) + Index), .Enabled = PlainScan,
            .Look = uint8_t(Index == 0 ? Looks::Down : 0), .OnClick = OnClick};
}

// A zoom step of View > Zoom, which the zoom box also offers.
TCommand ZoomStep(int Step, void (TMainForm::*OnClick)(TObject*))
{
    const size_t i = static_cast<size_t>(Step);
    return {.Menu = {FieldAt("ImageZoom" + std::to_string(ZoomPercents[i]), &M::ImageZoom, i), "MenuViewZoom", 1},
            .Caption = Fixed(ZoomStepCaption(ZoomPercents[i])), .Hint = MenuLabelled, .Enabled = PlainScan,
            .Look = uint8_t(Step == DefaultZoomItem ? Looks::Checked : 0), .OnClick = OnClick};
}

// Navigator button SpeedButton<Number>, in the navigator's two columns.
TPadFace OnNavigator(int Number, int Row, int Column)
{
    return {FieldAt("SpeedButton" + std::to_string(Number), &M::SpeedButton, static_cast<size_t>(Number - 1)),
            "Navigator", NavigatorCell(Row, Column)};
}

// The tool bars on the control bar, from its left end.
std::vector<TCommand> ToolBars()
{
    return {
        {.ToolBar = FIELD(ToolBarFile)},
        {.ToolBar = FIELD(ToolBar3)},
        {.ToolBar = FIELD(ToolBarDepth)},
        {.ToolBar = FIELD(ElToolBar1)},
        {.ToolBar = FIELD(ElToolBar2)},
    };
}

std::vector<TCommand> FileCommands()
{
    return {
        {.Menu = {FIELD(MenuFile)}, .Caption = {Texts::File, u"File"}},
        {.Menu = {FIELD(MenuFileNew), "MenuFile"}, .Tool = OnBar(FIELD(ToolButtonNew), "ToolBarFile", 0),
         .Caption = {Texts::FileNew, u"New", Dots},
         .Hint = {Texts::FileNewHint, u"Start a new project and open data transfer"}, .ShortCut = Ctrl('N'),
         .Glyph = G::New, .Enabled = Always, .OnClick = &M::MenuFileNewClick},
        {.Menu = {FIELD(MenuFileOpen), "MenuFile"}, .Tool = OnBar(FIELD(ToolButtonOpen), "ToolBarFile", 1),
         .Caption = {Texts::FileOpen, u"Open", SpacedDots},
         .Hint = {Texts::FileOpenHint, u"Open previously saved project"}, .ShortCut = Ctrl('O'), .Glyph = G::Open,
         .OnClick = &M::MenuFileOpenClick},
        {.Menu = {FIELD(MenuFile_LastUsed), "MenuFile"}, .Caption = {Texts::RecentFiles, u"Recent files"},
         .Hint = {Texts::RecentFilesHint}},
        {.Menu = {FIELD(MenuFileExamples), "MenuFile"}, .Caption = {Texts::Examples, u"Examples"}},
        Separator("MenuFile", "MenuFileSeparator1"),
        // Saving scan files is not part of the program: Save has no handler.
        {.Menu = {FIELD(MenuFileSave), "MenuFile"}, .Tool = OnBar(FIELD(ToolButtonSave), "ToolBarFile", 2),
         .Caption = {Texts::FileSave, u"Save"}, .Hint = {Texts::FileSaveHint, u"Save current project"},
         .ShortCut = Ctrl('S'), .Glyph = G::Save, .Enabled = HasScan},
        {.Menu = {FIELD(MenuFileSaveAs), "MenuFile"}, .Caption = {Texts::FileSaveAs, u"Save as", SpacedDots},
         .Hint = {Texts::FileSaveAsHint, u"Save project as a new file"}, .Enabled = HasScan},
        Separator("MenuFile", "MenuFileSeparator2"),
        {.Menu = {FIELD(MenuFileImport), "MenuFile"}, .Caption = {Texts::Import, u"Import"},
         .Hint = {Texts::ImportHint, u"Import measurements from device"}, .Glyph = G::Import},
        {.Menu = {FIELD(FileImportOsprin), "MenuFileImport"}, .Caption = Fixed(u"Osprin 12 ..."), .Enabled = Always,
         .OnClick = &M::FileImportOsprinClick},
        Separator("MenuFileImport", "MenuFileImportSeparator1"),
        {.Menu = {FIELD(FileImportHalvor), "MenuFileImport"}, .Caption = Fixed(u"Qorr 21 ..."), .Enabled = Always,
         .OnClick = &M::FileImportHalvorClick},
        {.Menu = {FIELD(Qorr311), "MenuFileImport"}, .Caption = Fixed(u"Qorr 31 ..."), .OnClick = &M::Qorr311Click},
        {.Menu = {FIELD(Qorr411), "MenuFileImport"}, .Caption = Fixed(u"Qorr 41 ..."), .OnClick = &M::Qorr411Click},
        Separator("MenuFileImport", "MenuFileImportSeparator2"),
        {.Menu = {FIELD(FileImportPellam), "MenuFileImport"}, .Caption = Fixed(u"Pellam ..."), .Enabled = Never,
         .OnClick = &M::FileImportPellamClick},
        {.Menu = {FIELD(Tarnwell1), "MenuFileImport"}, .Caption = Fixed(u"Tarnwell ..."),
         .OnClick = &M::Tarnwell1Click},
        Separator("MenuFileImport", "MenuFileImportSeparator3"),
        {.Menu = {FIELD(MenuFileImport_Stavro), "MenuFileImport"}, .Caption = Fixed(u"Stavro KX90 ..."),
         .OnClick = &M::KXStavro1Click},
        {.Menu = {FIELD(MenuFileExport), "MenuFile"}, .Caption = {Texts::Export, u"Export", SpacedDots},
         .Hint = {Texts::ExportHint, u"Convert current view to an image file."}, .Glyph = G::Export, .Enabled = HasScan,
         .OnClick = &M::MenuFileExportClick},
        {.Menu = {FIELD(MenuFilePrint), "MenuFile"}, .Tool = OnBar(FIELD(ToolButtonPrint), "ToolBarFile", 3),
         .Caption = {Texts::Print, u"Print", SpacedDots}, .Hint = {Texts::PrintHint, u"Print project onto paper"},
         .ShortCut = Ctrl('P'), .Glyph = G::Print, .Enabled = HasScan, .OnClick = &M::MenuFilePrintClick},
        Separator("MenuFile", "MenuFileSeparator3"),
        {.Menu = {FIELD(MenuFileExit), "MenuFile"}, .Caption = {Texts::FileExit, u"Exit"},
         .Hint = {Texts::FileExitHint, u"Exit program"}, .Glyph = G::Exit, .OnClick = &M::MenuFileExitClick},
    };
}

std::vector<TCommand> ImageCommands()
{
    return {
        {.Menu = {FIELD(MenuEdit)}, .Caption = {Texts::Image, u"Image"}},
        // Undo's menu item follows the scan's snapshot, its button the edits; an open greys both
        // until the first edit.
        {.Menu = {FIELD(MenuEditReset), "MenuEdit"}, .Tool = OnBar(FIELD(ToolButtonUndo), "ToolBar3", 0),
         .Caption = {Texts::ImageUndo, u"Undo"}, .Hint = {Texts::ImageUndoHint}, .Glyph = G::Undo,
         .Enabled = Restorable, .ButtonEnabled = Edited, .OnClick = &M::MenuEditResetClick},
        Separator("MenuEdit", "MenuEditSeparator1"),
        {.Menu = {FIELD(MenuEditInterpolate), "MenuEdit"}, .Tool = OnBar(FIELD(ToolButton5), "ToolBar3", 1),
         .Caption = {Texts::Interpolation, u"Interpolation", SpacedDots}, .Hint = {Texts::InterpolationHint},
         .ShortCut = Ctrl('I'), .Glyph = G::Interpolate, .Enabled = HasScan, .OnClick = &M::MenuEditInterpolateClick},
        {.Menu = {FIELD(MenuEditCorrectFaultSignal), "MenuEdit"}, .Tool = OnBar(FIELD(ToolButton8), "ToolBar3", 2),
         .Caption = {Texts::SignalCorrection, u"Signal correction", SpacedDots}, .Hint = {Texts::SignalCorrectionHint},
         .ShortCut = Ctrl('C'), .Glyph = G::FaultSignal, .Enabled = HasScan,
         .OnClick = &M::MenuEditCorrectFaultSignalClick},
        {.Menu = {FIELD(MenuEdit_RemoveDummy), "MenuEdit"},
         .Tool = OnBar(FIELD(ToolButton_RemoveDummies), "ToolBar3", 3),
         .Caption = {Texts::RemoveDummyValues, u"Remove dummy values"}, .Hint = {Texts::RemoveDummyValuesHint},
         .Glyph = G::RemoveDummies, .Enabled = PlainScan, .OnClick = &M::ToolButton2XClick},
        {.Menu = {FIELD(MenuEdit_FEChart), "MenuEdit"}, .Tool = OnBar(FIELD(ToolButton_FEChart), "ToolBar3", 4),
         .Caption = {Texts::FrequencyEnergyChart, u"Frequency-Energy-Chart", SpacedDots},
         .Hint = {Texts::FrequencyEnergyChartHint}, .Keys = Press(VK_RETURN), .Glyph = G::Chart, .Enabled = ChartFile,
         .OnClick = &M::ToolButton17XClick},
        Separator("MenuEdit", "MenuEditSeparator2"),
        {.Menu = {FIELD(MenuFileRemarks), "MenuEdit"}, .Tool = OnBar(FIELD(ToolButtonRemarks), "ToolBarFile", 4),
         .Caption = {Texts::Characteristics, u"Characteristics", SpacedDots}, .Hint = {Texts::CharacteristicsHint},
         .ShortCut = Plain(VK_F9), .Glyph = G::Remarks, .Enabled = HasScan, .OnClick = &M::MenuFileRemarksClick},
    };
}

std::vector<TCommand> ViewCommands()
{
    return {
        {.Menu = {FIELD(MenuView)}, .Caption = {Texts::View, u"View"}},
        {.Menu = {FIELD(MenuViewReset), "MenuView"}, .Tool = OnBar(FIELD(ToolButtonReset), "ElToolBar2", 0),
         .Caption = {Texts::ViewReset, u"Undo"}, .Hint = {Texts::ViewResetHint}, .ShortCut = Ctrl('R'),
         .Glyph = G::ViewReset, .Enabled = PlainScan, .OnClick = &M::MenuViewResetClick},
        {.Menu = {FIELD(MenuViewPerspective), "MenuView"}, .Tool = OnBar(FIELD(ToolButtonPerspective), "ElToolBar2", 1),
         .Caption = {Texts::PerspectiveView, u"Perspective view"}, .Hint = {Texts::PerspectiveViewHint},
         .ShortCut = Ctrl(VK_F1), .Glyph = G::Perspective, .Enabled = PlainScan,
         .OnClick = &M::MenuViewPerspectiveClick},
        {.Menu = {FIELD(MenuViewFront), "MenuView"}, .Tool = OnBar(FIELD(ToolButtonFront), "ElToolBar2", 2),
         .Caption = {Texts::FrontView, u"Front view"}, .Hint = {Texts::FrontViewHint}, .ShortCut = Ctrl(VK_F2),
         .Glyph = G::Front, .Enabled = PlainScan, .OnClick = &M::MenuViewFrontClick},
        {.Menu = {FIELD(MenuViewTop), "MenuView"}, .Tool = OnBar(FIELD(ToolButtonTop), "ElToolBar2", 3),
         .Caption = {Texts::TopView, u"Top view"}, .Hint = {Texts::TopViewHint}, .ShortCut = Ctrl(VK_F3),
         .Glyph = G::Top, .Enabled = PlainScan, .OnClick = &M::MenuViewTopClick},
        Separator("MenuView", "MenuViewSeparator1"),
        {.Menu = {FIELD(MenuViewCrossHairs), "MenuView"}, .Caption = {Texts::CrossHairs, u"Crosshairs"},
         .Hint = {Texts::CrossHairsHint}, .ShortCut = Plain(VK_F2), .Glyph = G::CrossHairs, .Enabled = PlainScan,
         .Look = Looks::Checked, .OnClick = &M::MenuViewCrossHairsClick},
        {.Menu = {FIELD(MenuViewWireframe), "MenuView"}, .Tool = OnBar(FIELD(ToolButtonWireframe), "ToolBar3", 11),
         .Caption = {Texts::Wireframe, u"Wireframe"}, .Hint = {Texts::WireframeHint}, .ShortCut = Plain(VK_F3),
         .Glyph = G::Wireframe, .Enabled = PlainScan, .Look = Looks::Switch, .OnClick = &M::MenuViewWireframeClick},
        Separator("MenuView", "MenuViewSeparator2"),
        {.Menu = {FIELD(MenuViewResolution), "MenuView"}, .Caption = {Texts::Resolution, u"Resolution"},
         .Hint = {Texts::ResolutionHint}},
        Level(0, u"Level 1 ( fast )", &M::MenuEditRes0Click),
        Level(1, u"Level 2", &M::MenuEditRes1Click),
        Level(2, u"Level 3", &M::MenuEditRes2Click),
        Level(3, u"Level 4", &M::MenuEditRes3Click),
        Level(4, u"Level 5 ( slow )", &M::MenuEditRes4Click),
        {.Menu = {FIELD(MenuViewZoom), "MenuView"}, .Caption = {Texts::Zoom, u"Zoom"}, .Hint = {Texts::ZoomHint}},
        ZoomStep(0, &M::ImageZoom50Click),
        ZoomStep(1, &M::ImageZoom80Click),
        ZoomStep(2, &M::ImageZoom100Click),
        ZoomStep(3, &M::ImageZoom150Click),
        ZoomStep(4, &M::ImageZoom200Click),
        ZoomStep(5, &M::ImageZoom400Click),
        ZoomStep(6, &M::ImageZoom800Click),
        ZoomStep(7, &M::ImageZoom1000Click),
    };
}

std::vector<TCommand> ExtrasAndHelpCommands()
{
    return {
        {.Menu = {FIELD(MenuExtras)}, .Caption = {Texts::Extras, u"Extras"}},
        {.Menu = {FIELD(MenuExtrasSplitScreen), "MenuExtras"}, .Caption = {Texts::SplitScreen, u"Split screen"},
         .Hint = {Texts::SplitScreenHint}, .ShortCut = Ctrl('M'), .Glyph = G::SplitScreen, .Enabled = Always,
         .OnClick = &M::MenuExtrasSplitScreenClick},
        {.Menu = {FIELD(MenuExtrasNavigator), "MenuExtras"}, .Caption = {Texts::NavigationBar, u"Navigation bar"},
         .Hint = {Texts::NavigationBarHint, u"Switch navigation bar on/off"}, .Enabled = Always, .Look = Looks::Checked,
         .OnClick = &M::MenuExtrasNavigatorClick},
        {.Menu = {FIELD(MenuExtrasInfo), "MenuExtras"}, .Tool = OnBar(FIELD(ToolButton_InfoWindow), "ToolBar3", 5),
         .Caption = {Texts::InfoWindow, u"Info-Window"}, .Hint = {Texts::InfoWindowHint}, .ShortCut = Ctrl('W'),
         .Glyph = G::InfoWindow, .Look = Looks::Switch, .OnClick = &M::MenuExtrasInfoClick},
        Separator("MenuExtras", "MenuExtrasSeparator1"),
        {.Menu = {FIELD(MenuExtras_Language), "MenuExtras"}, .Caption = {Texts::Language, u"Language"},
         .Hint = {Texts::LanguageHint}},
        {.Menu = {FIELD(MenuFileConfiguration), "MenuExtras"},
         .Tool = OnBar(FIELD(ToolButtonPreferences), "ToolBarFile", 5),
         .Caption = {Texts::Preferences, u"Preferences", SpacedDots}, .Hint = {Texts::PreferencesHint},
         .ShortCut = Plain(VK_F10), .Glyph = G::Preferences, .OnClick = &M::MenuFileConfigurationClick},
        Separator("MenuExtras", "MenuExtrasSeparator2"),
        {.Menu = {FIELD(MenuExtrasFullscreen), "MenuExtras"}, .Caption = {Texts::Fullscreen, u"Fullscreen"},
         .Hint = {Texts::FullscreenHint, u"Switch fullscreen mode on/off"}, .ShortCut = Plain(VK_F11),
         .Glyph = G::Fullscreen, .Enabled = Always, .OnClick = &M::MenuExtrasFullscreenClick},

        {.Menu = {FIELD(MenuHelp)}, .Caption = {Texts::Help, u"?"}},
        {.Menu = {FIELD(MenuHelpContents), "MenuHelp"}, .Tool = OnBar(FIELD(ToolButtonHelp), "ToolBarFile", 6),
         .Caption = {Texts::HelpContents, u"Contents", SpacedDots}, .Hint = {Texts::HelpContentsHint},
         .ShortCut = Plain(VK_F1), .Keys = Press(VK_F1), .Glyph = G::Help, .OnClick = &M::MenuHelpContentsClick,
         .KeysWithoutScan = true},
        {.Menu = {FIELD(MenuHelpWebsite), "MenuHelp"}, .Caption = {Texts::Homepage, u"Brenholt Homepage"},
         .Hint = {Texts::HomepageHint}, .OnClick = &M::MenuHelpWebsiteClick},
        {.Menu = {FIELD(MenuHelp_Update), "MenuHelp"}, .Caption = {Texts::CheckForUpdates, u"Check for updates", Dots},
         .Hint = {Texts::CheckForUpdatesHint, u"Check for updates"}, .OnClick = &M::MenuHelp_UpdateClick},
        Separator("MenuHelp", "MenuHelpSeparator1"),
        {.Menu = {FIELD(MenuHelpAbout), "MenuHelp"}, .Caption = {Texts::About, u"About Lorvane 3D", DotsInDirection},
         .Hint = {Texts::AboutHint}, .OnClick = &M::MenuHelpAboutClick},
    };
}

// The tool bars' commands without a menu item; those the navigator repeats have a button there too.
std::vector<TCommand> ToolBarCommands()
{
    return {
        {.Tool = OnBar(FIELD(ToolButtonLineUp), "ToolBarDepth", 0), .Pad = OnNavigator(9, 7, 0),
         .Hint = {Texts::LineUpHint}, .Keys = Press(VK_PRIOR), .Glyph = G::LineUp, .Enabled = PlainScan,
         .ButtonEnabled = DepthControls, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonLineUpClick},
        {.Tool = OnBar(FIELD(ToolButtonLineDown), "ToolBarDepth", 1), .Pad = OnNavigator(10, 7, 1),
         .Hint = {Texts::LineDownHint}, .Keys = Press(VK_NEXT), .Glyph = G::LineDown, .Enabled = PlainScan,
         .ButtonEnabled = DepthControls, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonLineDownClick},
        {.Tool = Box(FIELD(ComboBoxSoil), 170, "ToolBarDepth", 2), .Hint = {Texts::SoilTypeHint},
         .Enabled = DepthControls},
        {.Tool = OnBar(FIELD(ToolButtonZoomIn), "ElToolBar1", 0), .Pad = OnNavigator(13, 5, 0),
         .Hint = {Texts::ZoomInHint}, .Glyph = G::ZoomIn, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonZoomInClick},
        {.Tool = OnBar(FIELD(ToolButtonZoomOut), "ElToolBar1", 1), .Pad = OnNavigator(14, 5, 1),
         .Hint = {Texts::ZoomOutHint}, .Glyph = G::ZoomOut, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonZoomOutClick},
        {.Tool = Box(FIELD(ComboBoxZoom), 72, "ElToolBar1", 2), .Hint = {Texts::ZoomHint}, .Enabled = PlainScan},
        {.Tool = OnBar(FIELD(ToolButtonStretchIn), "ElToolBar1", 3), .Pad = OnNavigator(17, 6, 0),
         .Hint = {Texts::StretchInHint}, .Glyph = G::StretchIn, .Enabled = PlainScan,
         .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonStretchInClick},
        {.Tool = OnBar(FIELD(ToolButtonStretchOut), "ElToolBar1", 4), .Pad = OnNavigator(18, 6, 1),
         .Hint = {Texts::StretchOutHint}, .Glyph = G::StretchOut, .Enabled = PlainScan,
         .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonStretchOutClick},
        // The palette buttons show or hide the blue, green or red bands of the colour scale.
        {.Tool = OnBar(FIELD(ToolButtonCPBlue), "ElToolBar2", 4), .Hint = {Texts::BlueBandHint},
         .Glyph = TPaletteGlyph::Blue, .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPBlueClick},
        {.Tool = OnBar(FIELD(ToolButtonCPGreen), "ElToolBar2", 5), .Hint = {Texts::GreenBandHint},
         .Glyph = TPaletteGlyph::Green, .Enabled = HasScan, .Look = Looks::Switch,
         .OnClick = &M::ToolButtonCPGreenClick},
        {.Tool = OnBar(FIELD(ToolButtonCPRed), "ElToolBar2", 6), .Hint = {Texts::RedBandHint},
         .Glyph = TPaletteGlyph::Red, .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPRedClick},
    };
}

// The navigator's own buttons: turns about an axis, moves, and steps of the colour limits.
std::vector<TCommand> NavigatorCommands()
{
    constexpr uint8_t look = Looks::Repeats | Looks::Flat;
    return {
        {.Pad = OnNavigator(2, 0, 0), .Caption = Fixed(u"X"), .Hint = {Texts::TurnXForwardHint}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton2Click},
        {.Pad = OnNavigator(4, 0, 1), .Caption = Fixed(u"X"), .Hint = {Texts::TurnXBackwardHint}, .Glyph = N::TurnRight,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton4Click},
        {.Pad = OnNavigator(1, 1, 0), .Caption = Fixed(u"Y"), .Hint = {Texts::TurnYForwardHint}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton1Click},
        {.Pad = OnNavigator(3, 1, 1), .Caption = Fixed(u"Y"), .Hint = {Texts::TurnYBackwardHint}, .Glyph = N::TurnRight,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton3Click},
        {.Pad = OnNavigator(11, 2, 0), .Caption = Fixed(u"Z"), .Hint = {Texts::TurnZForwardHint}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton11Click},
        {.Pad = OnNavigator(12, 2, 1), .Caption = Fixed(u"Z"), .Hint = {Texts::TurnZBackwardHint},
         .Glyph = N::TurnRight, .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton12Click},
        {.Pad = OnNavigator(6, 3, 0), .Hint = {Texts::MoveLeftHint}, .Glyph = N::MoveLeft, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton6Click},
        {.Pad = OnNavigator(5, 3, 1), .Hint = {Texts::MoveRightHint}, .Glyph = N::MoveRight, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton5Click},
        {.Pad = OnNavigator(8, 4, 0), .Hint = {Texts::MoveUpHint}, .Glyph = N::MoveUp, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton8Click},
        {.Pad = OnNavigator(7, 4, 1), .Hint = {Texts::MoveDownHint}, .Glyph = N::MoveDown, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton7Click},
        {.Pad = OnNavigator(15, 8, 0), .Hint = {Texts::UpperLimitUpHint}, .Keys = Press(VK_F8),
         .Glyph = N::UpperLimitUp, .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton15Click},
        {.Pad = OnNavigator(16, 8, 1), .Hint = {Texts::UpperLimitDownHint}, .Keys = Press(VK_F7),
         .Glyph = N::UpperLimitDown, .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton16Click},
        {.Pad = OnNavigator(21, 9, 0), .Hint = {Texts::LowerLimitUpHint}, .Keys = Press(VK_F6),
         .Glyph = N::LowerLimitUp, .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton21Click},
        {.Pad = OnNavigator(22, 9, 1), .Hint = {Texts::LowerLimitDownHint}, .Keys = Press(VK_F5),
         .Glyph = N::LowerLimitDown, .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton22Click},
    };
}

// The axis switches of the status panel (which axes a drag turns), and the keys of the window
// that no element shows.
std::vector<TCommand> StatusPanelAndKeyCommands()
{
    return {
        {.Pad = {FIELD(AxisZ), "StatusPanel", AxisSwitch}, .Caption = Fixed(u"Z"), .Hint = {Texts::AxisZHint},
         .Look = Looks::Switch | Looks::Down, .OnClick = &M::AxisZClick},
        {.Pad = {FIELD(AxisY), "StatusPanel", AxisSwitch}, .Caption = Fixed(u"Y"), .Hint = {Texts::AxisYHint},
         .Look = Looks::Switch, .OnClick = &M::AxisYClick},
        {.Pad = {FIELD(AxisX), "StatusPanel", AxisSwitch}, .Caption = Fixed(u"X"), .Hint = {Texts::AxisXHint},
         .Look = Looks::Switch | Looks::Down, .OnClick = &M::AxisXClick},

        // The arrows walk the selected point: 1 point, 10 with Ctrl, 20 with Ctrl and Alt.
        {.Keys = Press(VK_UP), .OnKey = &M::WalkLineForward},
        {.Keys = Press(VK_DOWN), .OnKey = &M::WalkLineBackward},
        // The X axis is drawn mirrored: Left walks to the next point of the line.
        {.Keys = Press(VK_LEFT), .OnKey = &M::WalkToNextPoint},
        {.Keys = Press(VK_RIGHT), .OnKey = &M::WalkToPreviousPoint},
        {.Keys = Press(VK_F4), .OnClick = &M::ToggleSmoothSurface},
        {.Keys = Press(VK_ESCAPE), .OnClick = &M::LeaveFullscreen, .KeysWithoutScan = true},
        {.Keys = PressWith(ssCtrl, 'X'), .OnClick = &M::HalveValues},
    };
}

#undef FIELD

}  // namespace

std::vector<TCommand> MainCommandTable()
{
    std::vector<TCommand> table;
    for (auto part : {ToolBars, FileCommands, ImageCommands, ViewCommands, ExtrasAndHelpCommands, ToolBarCommands,
                      NavigatorCommands, StatusPanelAndKeyCommands}) {
        std::vector<TCommand> rows = part();
        std::move(rows.begin(), rows.end(), std::back_inserter(table));
    }
    return table;
}

const TCommand* MenuRow(const std::vector<TCommand>& Rows, const std::string& Name)
{
    for (const TCommand& row : Rows)
        if (!Name.empty() && row.Menu.Item.Name == Name)
            return &row;
    return nullptr;
}
