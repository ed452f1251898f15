// The main window's commands, one row each (the columns are CommandTable.h's): the menus in the
// order the menu bar shows them, then the commands of the tool bars, the navigator and the
// status panel that no menu has, then the keys the window takes itself. A new command is a new
// row here and its handler.
#include "app/main.h"

#include "app/ViewNavigation.h"

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

// A field of the form F, with its name as the element's name.
#define FIELD(Field) {#Field, &F.Field}

// A button on a tool bar, at Place from its left end; buttons of one Group other than 0 are down
// one at a time.
TToolFace OnBar(TSlot<TElToolButton> Button, TElToolBar** Bar, int Place, uint8_t Group = 0)
{
    return {.Button = std::move(Button), .Bar = Bar, .Place = Place, .Group = Group};
}

// A drop-down list of Width pixels on a tool bar.
TToolFace Box(TSlot<TElComboBox> List, int Width, TElToolBar** Bar, int Place)
{
    return {.Box = std::move(List), .BoxWidth = Width, .Bar = Bar, .Place = Place};
}

// A separator line of a menu.
TCommand Separator(TElMenuItem** Under, const char* Name)
{
    return {.Menu = {{Name}, Under}, .Caption = Fixed(u"-")};
}

// A resolution level: its item of View > Resolution, its button and its digit on the top row or
// the numeric pad. The hint is the menu's, followed by the level's caption.
TCommand Level(TMainForm& F, int Index, const char16_t* Caption, void (TMainForm::*OnClick)(TObject*))
{
    const size_t i = static_cast<size_t>(Index);
    return {.Menu = {{"MenuEditRes" + std::to_string(i), &F.MenuEditRes[i]}, &F.MenuViewResolution, 2},
            .Tool = OnBar({"ToolButtonRes" + std::to_string(i), &F.ToolButtonRes[i]}, &F.ToolBar3, 6 + Index, 1),
            .Caption = {40 + Index, Caption}, .Hint = MenuLabelled,
            .Keys = Press(uint16_t('1' + Index), uint16_t(VK_NUMPAD1 + Index)),
            .Glyph = TToolGlyph(ToolGlyphIndex(G::Resolution1) + Index), .Enabled = PlainScan,
            .Look = uint8_t(Index == 0 ? Looks::Down : 0), .OnClick = OnClick};
}

// A zoom step of View > Zoom, which the zoom box also offers.
TCommand ZoomStep(TMainForm& F, int Step, void (TMainForm::*OnClick)(TObject*))
{
    const size_t i = static_cast<size_t>(Step);
    return {.Menu = {{"ImageZoom" + std::to_string(ZoomPercents[i]), &F.ImageZoom[i]}, &F.MenuViewZoom, 1},
            .Caption = Fixed(ZoomStepCaption(ZoomPercents[i])), .Hint = MenuLabelled, .Enabled = PlainScan,
            .Look = uint8_t(Step == DefaultZoomItem ? Looks::Checked : 0), .OnClick = OnClick};
}

// Navigator button SpeedButton<Number>, in the navigator's two columns.
TPadFace OnNavigator(TMainForm& F, int Number, int Row, int Column)
{
    return {{"SpeedButton" + std::to_string(Number), &F.SpeedButton[static_cast<size_t>(Number - 1)]}, &F.Navigator,
            NavigatorCell(Row, Column)};
}

std::vector<TCommand> FileCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuFile)}, .Caption = {1, u"File"}},
        {.Menu = {FIELD(MenuFileNew), &F.MenuFile}, .Tool = OnBar(FIELD(ToolButtonNew), &F.ToolBarFile, 0),
         .Caption = {2, u"New", Dots}, .Hint = {3, u"Start a new project and open data transfer"},
         .ShortCut = Ctrl('N'), .Glyph = G::New, .Enabled = Always, .OnClick = &M::MenuFileNewClick},
        {.Menu = {FIELD(MenuFileOpen), &F.MenuFile}, .Tool = OnBar(FIELD(ToolButtonOpen), &F.ToolBarFile, 1),
         .Caption = {6, u"Open", SpacedDots}, .Hint = {7, u"Open previously saved project"}, .ShortCut = Ctrl('O'),
         .Glyph = G::Open, .OnClick = &M::MenuFileOpenClick},
        {.Menu = {FIELD(MenuFile_LastUsed), &F.MenuFile}, .Caption = {192, u"Recent files"}, .Hint = {210}},
        {.Menu = {FIELD(MenuFileExamples), &F.MenuFile}, .Caption = {227, u"Examples"}},
        Separator(&F.MenuFile, "MenuFileSeparator1"),
        // Saving scan files is not part of the program: Save has no handler.
        {.Menu = {FIELD(MenuFileSave), &F.MenuFile}, .Tool = OnBar(FIELD(ToolButtonSave), &F.ToolBarFile, 2),
         .Caption = {8, u"Save"}, .Hint = {9, u"Save current project"}, .ShortCut = Ctrl('S'), .Glyph = G::Save,
         .Enabled = HasScan},
        {.Menu = {FIELD(MenuFileSaveAs), &F.MenuFile}, .Caption = {10, u"Save as", SpacedDots},
         .Hint = {11, u"Save project as a new file"}, .Enabled = HasScan},
        Separator(&F.MenuFile, "MenuFileSeparator2"),
        {.Menu = {FIELD(MenuFileImport), &F.MenuFile}, .Caption = {142, u"Import"},
         .Hint = {143, u"Import measurements from device"}, .Glyph = G::Import},
        {.Menu = {FIELD(FileImportOsprin), &F.MenuFileImport}, .Caption = Fixed(u"Osprin 12 ..."), .Enabled = Always,
         .OnClick = &M::FileImportOsprinClick},
        Separator(&F.MenuFileImport, "MenuFileImportSeparator1"),
        {.Menu = {FIELD(FileImportHalvor), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 21 ..."), .Enabled = Always,
         .OnClick = &M::FileImportHalvorClick},
        {.Menu = {FIELD(Qorr311), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 31 ..."), .OnClick = &M::Qorr311Click},
        {.Menu = {FIELD(Qorr411), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 41 ..."), .OnClick = &M::Qorr411Click},
        Separator(&F.MenuFileImport, "MenuFileImportSeparator2"),
        {.Menu = {FIELD(FileImportPellam), &F.MenuFileImport}, .Caption = Fixed(u"Pellam ..."), .Enabled = Never,
         .OnClick = &M::FileImportPellamClick},
        {.Menu = {FIELD(Tarnwell1), &F.MenuFileImport}, .Caption = Fixed(u"Tarnwell ..."),
         .OnClick = &M::Tarnwell1Click},
        Separator(&F.MenuFileImport, "MenuFileImportSeparator3"),
        {.Menu = {FIELD(MenuFileImport_Stavro), &F.MenuFileImport}, .Caption = Fixed(u"Stavro KX90 ..."),
         .OnClick = &M::KXStavro1Click},
        {.Menu = {FIELD(MenuFileExport), &F.MenuFile}, .Caption = {140, u"Export", SpacedDots},
         .Hint = {141, u"Convert current view to an image file."}, .Glyph = G::Export, .Enabled = HasScan,
         .OnClick = &M::MenuFileExportClick},
        {.Menu = {FIELD(MenuFilePrint), &F.MenuFile}, .Tool = OnBar(FIELD(ToolButtonPrint), &F.ToolBarFile, 3),
         .Caption = {14, u"Print", SpacedDots}, .Hint = {15, u"Print project onto paper"}, .ShortCut = Ctrl('P'),
         .Glyph = G::Print, .Enabled = HasScan, .OnClick = &M::MenuFilePrintClick},
        Separator(&F.MenuFile, "MenuFileSeparator3"),
        {.Menu = {FIELD(MenuFileExit), &F.MenuFile}, .Caption = {16, u"Exit"}, .Hint = {17, u"Exit program"},
         .Glyph = G::Exit, .OnClick = &M::MenuFileExitClick},
    };
}

std::vector<TCommand> ImageCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuEdit)}, .Caption = {18, u"Image"}},
        // Undo's menu item follows the scan's snapshot, its button the edits; an open greys both
        // until the first edit.
        {.Menu = {FIELD(MenuEditReset), &F.MenuEdit}, .Tool = OnBar(FIELD(ToolButtonUndo), &F.ToolBar3, 0),
         .Caption = {19, u"Undo"}, .Hint = {20}, .Glyph = G::Undo, .Enabled = Restorable, .ButtonEnabled = Edited,
         .OnClick = &M::MenuEditResetClick},
        Separator(&F.MenuEdit, "MenuEditSeparator1"),
        {.Menu = {FIELD(MenuEditInterpolate), &F.MenuEdit}, .Tool = OnBar(FIELD(ToolButton5), &F.ToolBar3, 1),
         .Caption = {21, u"Interpolation", SpacedDots}, .Hint = {22}, .ShortCut = Ctrl('I'), .Glyph = G::Interpolate,
         .Enabled = HasScan, .OnClick = &M::MenuEditInterpolateClick},
        {.Menu = {FIELD(MenuEditCorrectFaultSignal), &F.MenuEdit}, .Tool = OnBar(FIELD(ToolButton8), &F.ToolBar3, 2),
         .Caption = {23, u"Signal correction", SpacedDots}, .Hint = {24}, .ShortCut = Ctrl('C'),
         .Glyph = G::FaultSignal, .Enabled = HasScan, .OnClick = &M::MenuEditCorrectFaultSignalClick},
        {.Menu = {FIELD(MenuEdit_RemoveDummy), &F.MenuEdit},
         .Tool = OnBar(FIELD(ToolButton_RemoveDummies), &F.ToolBar3, 3), .Caption = {196, u"Remove dummy values"},
         .Hint = {208}, .Glyph = G::RemoveDummies, .Enabled = PlainScan, .OnClick = &M::ToolButton2XClick},
        {.Menu = {FIELD(MenuEdit_FEChart), &F.MenuEdit}, .Tool = OnBar(FIELD(ToolButton_FEChart), &F.ToolBar3, 4),
         .Caption = {195, u"Frequency-Energy-Chart", SpacedDots}, .Hint = {209}, .Keys = Press(VK_RETURN),
         .Glyph = G::Chart, .Enabled = ChartFile, .OnClick = &M::ToolButton17XClick},
        Separator(&F.MenuEdit, "MenuEditSeparator2"),
        {.Menu = {FIELD(MenuFileRemarks), &F.MenuEdit}, .Tool = OnBar(FIELD(ToolButtonRemarks), &F.ToolBarFile, 4),
         .Caption = {25, u"Characteristics", SpacedDots}, .Hint = {26}, .ShortCut = Plain(VK_F9), .Glyph = G::Remarks,
         .Enabled = HasScan, .OnClick = &M::MenuFileRemarksClick},
    };
}

std::vector<TCommand> ViewCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuView)}, .Caption = {27, u"View"}},
        {.Menu = {FIELD(MenuViewReset), &F.MenuView}, .Tool = OnBar(FIELD(ToolButtonReset), &F.ElToolBar2, 0),
         .Caption = {28, u"Undo"}, .Hint = {29}, .ShortCut = Ctrl('R'), .Glyph = G::ViewReset, .Enabled = PlainScan,
         .OnClick = &M::MenuViewResetClick},
        {.Menu = {FIELD(MenuViewPerspective), &F.MenuView},
         .Tool = OnBar(FIELD(ToolButtonPerspective), &F.ElToolBar2, 1), .Caption = {30, u"Perspective view"},
         .Hint = {31}, .ShortCut = Ctrl(VK_F1), .Glyph = G::Perspective, .Enabled = PlainScan,
         .OnClick = &M::MenuViewPerspectiveClick},
        {.Menu = {FIELD(MenuViewFront), &F.MenuView}, .Tool = OnBar(FIELD(ToolButtonFront), &F.ElToolBar2, 2),
         .Caption = {32, u"Front view"}, .Hint = {33}, .ShortCut = Ctrl(VK_F2), .Glyph = G::Front, .Enabled = PlainScan,
         .OnClick = &M::MenuViewFrontClick},
        {.Menu = {FIELD(MenuViewTop), &F.MenuView}, .Tool = OnBar(FIELD(ToolButtonTop), &F.ElToolBar2, 3),
         .Caption = {34, u"Top view"}, .Hint = {35}, .ShortCut = Ctrl(VK_F3), .Glyph = G::Top, .Enabled = PlainScan,
         .OnClick = &M::MenuViewTopClick},
        Separator(&F.MenuView, "MenuViewSeparator1"),
        {.Menu = {FIELD(MenuViewCrossHairs), &F.MenuView}, .Caption = {160, u"Crosshairs"}, .Hint = {161},
         .ShortCut = Plain(VK_F2), .Glyph = G::CrossHairs, .Enabled = PlainScan, .Look = Looks::Checked,
         .OnClick = &M::MenuViewCrossHairsClick},
        {.Menu = {FIELD(MenuViewWireframe), &F.MenuView}, .Tool = OnBar(FIELD(ToolButtonWireframe), &F.ToolBar3, 11),
         .Caption = {36, u"Wireframe"}, .Hint = {37}, .ShortCut = Plain(VK_F3), .Glyph = G::Wireframe,
         .Enabled = PlainScan, .Look = Looks::Switch, .OnClick = &M::MenuViewWireframeClick},
        Separator(&F.MenuView, "MenuViewSeparator2"),
        {.Menu = {FIELD(MenuViewResolution), &F.MenuView}, .Caption = {38, u"Resolution"}, .Hint = {39}},
        Level(F, 0, u"Level 1 ( fast )", &M::MenuEditRes0Click),
        Level(F, 1, u"Level 2", &M::MenuEditRes1Click),
        Level(F, 2, u"Level 3", &M::MenuEditRes2Click),
        Level(F, 3, u"Level 4", &M::MenuEditRes3Click),
        Level(F, 4, u"Level 5 ( slow )", &M::MenuEditRes4Click),
        {.Menu = {FIELD(MenuViewZoom), &F.MenuView}, .Caption = {45, u"Zoom"}, .Hint = {46}},
        ZoomStep(F, 0, &M::ImageZoom50Click),
        ZoomStep(F, 1, &M::ImageZoom80Click),
        ZoomStep(F, 2, &M::ImageZoom100Click),
        ZoomStep(F, 3, &M::ImageZoom150Click),
        ZoomStep(F, 4, &M::ImageZoom200Click),
        ZoomStep(F, 5, &M::ImageZoom400Click),
        ZoomStep(F, 6, &M::ImageZoom800Click),
        ZoomStep(F, 7, &M::ImageZoom1000Click),
    };
}

std::vector<TCommand> ExtrasAndHelpCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuExtras)}, .Caption = {47, u"Extras"}},
        {.Menu = {FIELD(MenuExtrasSplitScreen), &F.MenuExtras}, .Caption = {48, u"Split screen"}, .Hint = {49},
         .ShortCut = Ctrl('M'), .Glyph = G::SplitScreen, .Enabled = Always, .OnClick = &M::MenuExtrasSplitScreenClick},
        {.Menu = {FIELD(MenuExtrasNavigator), &F.MenuExtras}, .Caption = {50, u"Navigation bar"},
         .Hint = {51, u"Switch navigation bar on/off"}, .Enabled = Always, .Look = Looks::Checked,
         .OnClick = &M::MenuExtrasNavigatorClick},
        {.Menu = {FIELD(MenuExtrasInfo), &F.MenuExtras}, .Tool = OnBar(FIELD(ToolButton_InfoWindow), &F.ToolBar3, 5),
         .Caption = {202, u"Info-Window"}, .Hint = {206}, .ShortCut = Ctrl('W'), .Glyph = G::InfoWindow,
         .Look = Looks::Switch, .OnClick = &M::MenuExtrasInfoClick},
        Separator(&F.MenuExtras, "MenuExtrasSeparator1"),
        {.Menu = {FIELD(MenuExtras_Language), &F.MenuExtras}, .Caption = {105, u"Language"}, .Hint = {207}},
        {.Menu = {FIELD(MenuFileConfiguration), &F.MenuExtras},
         .Tool = OnBar(FIELD(ToolButtonPreferences), &F.ToolBarFile, 5), .Caption = {12, u"Preferences", SpacedDots},
         .Hint = {13}, .ShortCut = Plain(VK_F10), .Glyph = G::Preferences, .OnClick = &M::MenuFileConfigurationClick},
        Separator(&F.MenuExtras, "MenuExtrasSeparator2"),
        {.Menu = {FIELD(MenuExtrasFullscreen), &F.MenuExtras}, .Caption = {147, u"Fullscreen"},
         .Hint = {148, u"Switch fullscreen mode on/off"}, .ShortCut = Plain(VK_F11), .Glyph = G::Fullscreen,
         .Enabled = Always, .OnClick = &M::MenuExtrasFullscreenClick},

        {.Menu = {FIELD(MenuHelp)}, .Caption = {52, u"?"}},
        {.Menu = {FIELD(MenuHelpContents), &F.MenuHelp}, .Tool = OnBar(FIELD(ToolButtonHelp), &F.ToolBarFile, 6),
         .Caption = {53, u"Contents", SpacedDots}, .Hint = {54}, .ShortCut = Plain(VK_F1), .Keys = Press(VK_F1),
         .Glyph = G::Help, .OnClick = &M::MenuHelpContentsClick, .KeysWithoutScan = true},
        {.Menu = {FIELD(MenuHelpWebsite), &F.MenuHelp}, .Caption = {55, u"Brenholt Homepage"}, .Hint = {56},
         .OnClick = &M::MenuHelpWebsiteClick},
        {.Menu = {FIELD(MenuHelp_Update), &F.MenuHelp}, .Caption = {200, u"Check for updates", Dots},
         .Hint = {201, u"Check for updates"}, .OnClick = &M::MenuHelp_UpdateClick},
        Separator(&F.MenuHelp, "MenuHelpSeparator1"),
        {.Menu = {FIELD(MenuHelpAbout), &F.MenuHelp}, .Caption = {57, u"About Lorvane 3D", DotsInDirection},
         .Hint = {58}, .OnClick = &M::MenuHelpAboutClick},
    };
}

// The tool bars' commands without a menu item; those the navigator repeats have a button there too.
std::vector<TCommand> ToolBarCommands(TMainForm& F)
{
    return {
        {.Tool = OnBar(FIELD(ToolButtonLineUp), &F.ToolBarDepth, 0), .Pad = OnNavigator(F, 9, 7, 0), .Hint = {117},
         .Keys = Press(VK_PRIOR), .Glyph = G::LineUp, .Enabled = PlainScan, .ButtonEnabled = DepthControls,
         .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonLineUpClick},
        {.Tool = OnBar(FIELD(ToolButtonLineDown), &F.ToolBarDepth, 1), .Pad = OnNavigator(F, 10, 7, 1), .Hint = {116},
         .Keys = Press(VK_NEXT), .Glyph = G::LineDown, .Enabled = PlainScan, .ButtonEnabled = DepthControls,
         .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonLineDownClick},
        {.Tool = Box(FIELD(ComboBoxSoil), 170, &F.ToolBarDepth, 2), .Hint = {118}, .Enabled = DepthControls},
        {.Tool = OnBar(FIELD(ToolButtonZoomIn), &F.ElToolBar1, 0), .Pad = OnNavigator(F, 13, 5, 0), .Hint = {119},
         .Glyph = G::ZoomIn, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonZoomInClick},
        {.Tool = OnBar(FIELD(ToolButtonZoomOut), &F.ElToolBar1, 1), .Pad = OnNavigator(F, 14, 5, 1), .Hint = {120},
         .Glyph = G::ZoomOut, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonZoomOutClick},
        {.Tool = Box(FIELD(ComboBoxZoom), 72, &F.ElToolBar1, 2), .Hint = {46}, .Enabled = PlainScan},
        {.Tool = OnBar(FIELD(ToolButtonStretchIn), &F.ElToolBar1, 3), .Pad = OnNavigator(F, 17, 6, 0), .Hint = {121},
         .Glyph = G::StretchIn, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonStretchInClick},
        {.Tool = OnBar(FIELD(ToolButtonStretchOut), &F.ElToolBar1, 4), .Pad = OnNavigator(F, 18, 6, 1), .Hint = {122},
         .Glyph = G::StretchOut, .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonStretchOutClick},
        // The palette buttons show or hide the blue, green or red bands of the colour scale.
        {.Tool = OnBar(FIELD(ToolButtonCPBlue), &F.ElToolBar2, 4), .Hint = {113}, .Glyph = TPaletteGlyph::Blue,
         .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPBlueClick},
        {.Tool = OnBar(FIELD(ToolButtonCPGreen), &F.ElToolBar2, 5), .Hint = {114}, .Glyph = TPaletteGlyph::Green,
         .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPGreenClick},
        {.Tool = OnBar(FIELD(ToolButtonCPRed), &F.ElToolBar2, 6), .Hint = {115}, .Glyph = TPaletteGlyph::Red,
         .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPRedClick},
    };
}

// The navigator's own buttons: turns about an axis, moves, and steps of the colour limits.
std::vector<TCommand> NavigatorCommands(TMainForm& F)
{
    constexpr uint8_t look = Looks::Repeats | Looks::Flat;
    return {
        {.Pad = OnNavigator(F, 2, 0, 0), .Caption = Fixed(u"X"), .Hint = {127}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton2Click},
        {.Pad = OnNavigator(F, 4, 0, 1), .Caption = Fixed(u"X"), .Hint = {128}, .Glyph = N::TurnRight,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton4Click},
        {.Pad = OnNavigator(F, 1, 1, 0), .Caption = Fixed(u"Y"), .Hint = {129}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton1Click},
        {.Pad = OnNavigator(F, 3, 1, 1), .Caption = Fixed(u"Y"), .Hint = {130}, .Glyph = N::TurnRight,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton3Click},
        {.Pad = OnNavigator(F, 11, 2, 0), .Caption = Fixed(u"Z"), .Hint = {132}, .Glyph = N::TurnLeft,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton11Click},
        {.Pad = OnNavigator(F, 12, 2, 1), .Caption = Fixed(u"Z"), .Hint = {131}, .Glyph = N::TurnRight,
         .Enabled = PlainScan, .Look = look, .OnClick = &M::SpeedButton12Click},
        {.Pad = OnNavigator(F, 6, 3, 0), .Hint = {123}, .Glyph = N::MoveLeft, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton6Click},
        {.Pad = OnNavigator(F, 5, 3, 1), .Hint = {124}, .Glyph = N::MoveRight, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton5Click},
        {.Pad = OnNavigator(F, 8, 4, 0), .Hint = {126}, .Glyph = N::MoveUp, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton8Click},
        {.Pad = OnNavigator(F, 7, 4, 1), .Hint = {125}, .Glyph = N::MoveDown, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton7Click},
        {.Pad = OnNavigator(F, 15, 8, 0), .Hint = {214}, .Keys = Press(VK_F8), .Glyph = N::UpperLimitUp,
         .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton15Click},
        {.Pad = OnNavigator(F, 16, 8, 1), .Hint = {215}, .Keys = Press(VK_F7), .Glyph = N::UpperLimitDown,
         .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton16Click},
        {.Pad = OnNavigator(F, 21, 9, 0), .Hint = {217}, .Keys = Press(VK_F6), .Glyph = N::LowerLimitUp,
         .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton21Click},
        {.Pad = OnNavigator(F, 22, 9, 1), .Hint = {216}, .Keys = Press(VK_F5), .Glyph = N::LowerLimitDown,
         .Enabled = HasScan, .Look = look, .OnClick = &M::SpeedButton22Click},
    };
}

// The axis switches of the status panel (which axes a drag turns), and the keys of the window
// that no element shows.
std::vector<TCommand> StatusPanelAndKeyCommands(TMainForm& F)
{
    return {
        {.Pad = {FIELD(AxisZ), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"Z"), .Hint = {213},
         .Look = Looks::Switch | Looks::Down, .OnClick = &M::AxisZClick},
        {.Pad = {FIELD(AxisY), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"Y"), .Hint = {212},
         .Look = Looks::Switch, .OnClick = &M::AxisYClick},
        {.Pad = {FIELD(AxisX), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"X"), .Hint = {211},
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

std::vector<TCommand> MainCommandTable(TMainForm& Form)
{
    std::vector<TCommand> table;
    for (auto part : {FileCommands, ImageCommands, ViewCommands, ExtrasAndHelpCommands, ToolBarCommands,
                      NavigatorCommands, StatusPanelAndKeyCommands}) {
        std::vector<TCommand> rows = part(Form);
        std::move(rows.begin(), rows.end(), std::back_inserter(table));
    }
    return table;
}
