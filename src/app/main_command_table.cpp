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

TShortCut Key(uint16_t VirtualKey)
{
    return ShortCut(VirtualKey, 0);
}

TShortCut Ctrl(uint16_t VirtualKey)
{
    return ShortCut(VirtualKey, ssCtrl);
}

constexpr TPadPlace AxisSwitch{0, 0, 24, StatusPanelHeight};

// A field of the form F, with its name as the element's name.
#define FIELD(Field) {#Field, &F.Field}

// A separator line of a menu.
TMenuFace Separator(TElMenuItem** Under, const char* Name)
{
    return {{Name}, Under};
}

TSlot<TElMenuItem> ResolutionItem(TMainForm& F, int Level)
{
    return {"MenuEditRes" + std::to_string(Level), &F.MenuEditRes[static_cast<size_t>(Level)]};
}

TSlot<TElToolButton> ResolutionButton(TMainForm& F, int Level)
{
    return {"ToolButtonRes" + std::to_string(Level), &F.ToolButtonRes[static_cast<size_t>(Level)]};
}

TSlot<TElMenuItem> ZoomItem(TMainForm& F, int Step)
{
    const size_t i = static_cast<size_t>(Step);
    return {"ImageZoom" + std::to_string(ZoomPercents[i]), &F.ImageZoom[i]};
}

TSlot<TElGraphicButton> NavigatorButton(TMainForm& F, int Number)
{
    return {"SpeedButton" + std::to_string(Number), &F.SpeedButton[static_cast<size_t>(Number - 1)]};
}

std::vector<TCommand> FileCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuFile)}, .Caption = {1, u"File"}},
        {.Menu = {FIELD(MenuFileNew), &F.MenuFile}, .Tool = {.Button = FIELD(ToolButtonNew), .Bar = &F.ToolBarFile, .Place = 0},
         .Caption = {2, u"New", Dots}, .Hint = {3, u"Start a new project and open data transfer"},
         .ShortCut = Ctrl('N'), .Glyph = G::New, .Enabled = Always, .OnClick = &M::MenuFileNewClick},
        {.Menu = {FIELD(MenuFileOpen), &F.MenuFile}, .Tool = {.Button = FIELD(ToolButtonOpen), .Bar = &F.ToolBarFile, .Place = 1},
         .Caption = {6, u"Open", SpacedDots}, .Hint = {7, u"Open previously saved project"},
         .ShortCut = Ctrl('O'), .Glyph = G::Open, .OnClick = &M::MenuFileOpenClick},
        {.Menu = {FIELD(MenuFile_LastUsed), &F.MenuFile}, .Caption = {192, u"Recent files"}, .Hint = {210}},
        {.Menu = {FIELD(MenuFileExamples), &F.MenuFile}, .Caption = {227, u"Examples"}},
        {.Menu = Separator(&F.MenuFile, "MenuFileSeparator1"), .Caption = Fixed(u"-")},
        // Saving scan files is not part of the program: Save has no handler.
        {.Menu = {FIELD(MenuFileSave), &F.MenuFile}, .Tool = {.Button = FIELD(ToolButtonSave), .Bar = &F.ToolBarFile, .Place = 2},
         .Caption = {8, u"Save"}, .Hint = {9, u"Save current project"},
         .ShortCut = Ctrl('S'), .Glyph = G::Save, .Enabled = HasScan},
        {.Menu = {FIELD(MenuFileSaveAs), &F.MenuFile}, .Caption = {10, u"Save as", SpacedDots},
         .Hint = {11, u"Save project as a new file"}, .Enabled = HasScan},
        {.Menu = Separator(&F.MenuFile, "MenuFileSeparator2"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuFileImport), &F.MenuFile}, .Caption = {142, u"Import"},
         .Hint = {143, u"Import measurements from device"}, .Glyph = G::Import},
        {.Menu = {FIELD(FileImportOsprin), &F.MenuFileImport}, .Caption = Fixed(u"Osprin 12 ..."), .Enabled = Always,
         .OnClick = &M::FileImportOsprinClick},
        {.Menu = Separator(&F.MenuFileImport, "MenuFileImportSeparator1"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(FileImportHalvor), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 21 ..."), .Enabled = Always,
         .OnClick = &M::FileImportHalvorClick},
        {.Menu = {FIELD(Qorr311), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 31 ..."), .OnClick = &M::Qorr311Click},
        {.Menu = {FIELD(Qorr411), &F.MenuFileImport}, .Caption = Fixed(u"Qorr 41 ..."), .OnClick = &M::Qorr411Click},
        {.Menu = Separator(&F.MenuFileImport, "MenuFileImportSeparator2"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(FileImportPellam), &F.MenuFileImport}, .Caption = Fixed(u"Pellam ..."), .Enabled = Never,
         .OnClick = &M::FileImportPellamClick},
        {.Menu = {FIELD(Tarnwell1), &F.MenuFileImport}, .Caption = Fixed(u"Tarnwell ..."), .OnClick = &M::Tarnwell1Click},
        {.Menu = Separator(&F.MenuFileImport, "MenuFileImportSeparator3"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuFileImport_Stavro), &F.MenuFileImport}, .Caption = Fixed(u"Stavro KX90 ..."),
         .OnClick = &M::KXStavro1Click},
        {.Menu = {FIELD(MenuFileExport), &F.MenuFile}, .Caption = {140, u"Export", SpacedDots},
         .Hint = {141, u"Convert current view to an image file."}, .Glyph = G::Export, .Enabled = HasScan,
         .OnClick = &M::MenuFileExportClick},
        {.Menu = {FIELD(MenuFilePrint), &F.MenuFile}, .Tool = {.Button = FIELD(ToolButtonPrint), .Bar = &F.ToolBarFile, .Place = 3},
         .Caption = {14, u"Print", SpacedDots}, .Hint = {15, u"Print project onto paper"},
         .ShortCut = Ctrl('P'), .Glyph = G::Print, .Enabled = HasScan, .OnClick = &M::MenuFilePrintClick},
        {.Menu = Separator(&F.MenuFile, "MenuFileSeparator3"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuFileExit), &F.MenuFile}, .Caption = {16, u"Exit"}, .Hint = {17, u"Exit program"},
         .Glyph = G::Exit, .OnClick = &M::MenuFileExitClick},
    };
}

std::vector<TCommand> ImageCommands(TMainForm& F)
{
    return {
        {.Menu = {FIELD(MenuEdit)}, .Caption = {18, u"Image"}},
        // Undo can be chosen from the menu as soon as a scan is open; its button waits for an edit.
        {.Menu = {FIELD(MenuEditReset), &F.MenuEdit}, .Tool = {.Button = FIELD(ToolButtonUndo), .Bar = &F.ToolBar3, .Place = 0},
         .Caption = {19, u"Undo"}, .Hint = {20}, .Glyph = G::Undo, .Enabled = Restorable, .ButtonEnabled = Edited,
         .OnClick = &M::MenuEditResetClick},
        {.Menu = Separator(&F.MenuEdit, "MenuEditSeparator1"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuEditInterpolate), &F.MenuEdit}, .Tool = {.Button = FIELD(ToolButton5), .Bar = &F.ToolBar3, .Place = 1},
         .Caption = {21, u"Interpolation", SpacedDots}, .Hint = {22}, .ShortCut = Ctrl('I'), .Glyph = G::Interpolate,
         .Enabled = HasScan, .OnClick = &M::MenuEditInterpolateClick},
        {.Menu = {FIELD(MenuEditCorrectFaultSignal), &F.MenuEdit},
         .Tool = {.Button = FIELD(ToolButton8), .Bar = &F.ToolBar3, .Place = 2},
         .Caption = {23, u"Signal correction", SpacedDots}, .Hint = {24}, .ShortCut = Ctrl('C'), .Glyph = G::FaultSignal,
         .Enabled = HasScan, .OnClick = &M::MenuEditCorrectFaultSignalClick},
        {.Menu = {FIELD(MenuEdit_RemoveDummy), &F.MenuEdit},
         .Tool = {.Button = FIELD(ToolButton_RemoveDummies), .Bar = &F.ToolBar3, .Place = 3},
         .Caption = {196, u"Remove dummy values"}, .Hint = {208}, .Glyph = G::RemoveDummies, .Enabled = PlainScan,
         .OnClick = &M::ToolButton2XClick},
        {.Menu = {FIELD(MenuEdit_FEChart), &F.MenuEdit}, .Tool = {.Button = FIELD(ToolButton_FEChart), .Bar = &F.ToolBar3, .Place = 4},
         .Caption = {195, u"Frequency-Energy-Chart", SpacedDots}, .Hint = {209}, .Keys = {{{VK_RETURN}}},
         .Glyph = G::Chart, .Enabled = ChartFile, .OnClick = &M::ToolButton17XClick},
        {.Menu = Separator(&F.MenuEdit, "MenuEditSeparator2"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuFileRemarks), &F.MenuEdit}, .Tool = {.Button = FIELD(ToolButtonRemarks), .Bar = &F.ToolBarFile, .Place = 4},
         .Caption = {25, u"Characteristics", SpacedDots}, .Hint = {26}, .ShortCut = Key(VK_F9), .Glyph = G::Remarks,
         .Enabled = HasScan, .OnClick = &M::MenuFileRemarksClick},
    };
}

std::vector<TCommand> ViewCommands(TMainForm& F)
{
    std::vector<TCommand> rows = {
        {.Menu = {FIELD(MenuView)}, .Caption = {27, u"View"}},
        {.Menu = {FIELD(MenuViewReset), &F.MenuView}, .Tool = {.Button = FIELD(ToolButtonReset), .Bar = &F.ElToolBar2, .Place = 0},
         .Caption = {28, u"Undo"}, .Hint = {29}, .ShortCut = Ctrl('R'), .Glyph = G::ViewReset, .Enabled = PlainScan,
         .OnClick = &M::MenuViewResetClick},
        {.Menu = {FIELD(MenuViewPerspective), &F.MenuView},
         .Tool = {.Button = FIELD(ToolButtonPerspective), .Bar = &F.ElToolBar2, .Place = 1},
         .Caption = {30, u"Perspective view"}, .Hint = {31}, .ShortCut = Ctrl(VK_F1), .Glyph = G::Perspective,
         .Enabled = PlainScan, .OnClick = &M::MenuViewPerspectiveClick},
        {.Menu = {FIELD(MenuViewFront), &F.MenuView}, .Tool = {.Button = FIELD(ToolButtonFront), .Bar = &F.ElToolBar2, .Place = 2},
         .Caption = {32, u"Front view"}, .Hint = {33}, .ShortCut = Ctrl(VK_F2), .Glyph = G::Front, .Enabled = PlainScan,
         .OnClick = &M::MenuViewFrontClick},
        {.Menu = {FIELD(MenuViewTop), &F.MenuView}, .Tool = {.Button = FIELD(ToolButtonTop), .Bar = &F.ElToolBar2, .Place = 3},
         .Caption = {34, u"Top view"}, .Hint = {35}, .ShortCut = Ctrl(VK_F3), .Glyph = G::Top, .Enabled = PlainScan,
         .OnClick = &M::MenuViewTopClick},
        {.Menu = Separator(&F.MenuView, "MenuViewSeparator1"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuViewCrossHairs), &F.MenuView}, .Caption = {160, u"Crosshairs"}, .Hint = {161},
         .ShortCut = Key(VK_F2), .Glyph = G::CrossHairs, .Enabled = PlainScan, .Look = Looks::Checked,
         .OnClick = &M::MenuViewCrossHairsClick},
        {.Menu = {FIELD(MenuViewWireframe), &F.MenuView},
         .Tool = {.Button = FIELD(ToolButtonWireframe), .Bar = &F.ToolBar3, .Place = 11},
         .Caption = {36, u"Wireframe"}, .Hint = {37}, .ShortCut = Key(VK_F3), .Glyph = G::Wireframe,
         .Enabled = PlainScan, .Look = Looks::Switch, .OnClick = &M::MenuViewWireframeClick},
        {.Menu = Separator(&F.MenuView, "MenuViewSeparator2"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuViewResolution), &F.MenuView}, .Caption = {38, u"Resolution"}, .Hint = {39}},
    };
    // Each level also by its digit, on the top row or the numeric pad.
    const std::pair<const char16_t*, void (TMainForm::*)(TObject*)> levels[] = {
        {u"Level 1 ( fast )", &M::MenuEditRes0Click}, {u"Level 2", &M::MenuEditRes1Click},
        {u"Level 3", &M::MenuEditRes2Click},          {u"Level 4", &M::MenuEditRes3Click},
        {u"Level 5 ( slow )", &M::MenuEditRes4Click}};
    for (int i = 0; i < 5; ++i)
        rows.push_back({.Menu = {ResolutionItem(F, i), &F.MenuViewResolution, 2},
                        .Tool = {.Button = ResolutionButton(F, i), .Bar = &F.ToolBar3, .Place = 6 + i, .Group = 1},
                        .Caption = {40 + i, levels[i].first}, .Hint = MenuLabelled,
                        .Keys = {{{uint16_t('1' + i)}, {uint16_t(VK_NUMPAD1 + i)}}},
                        .Glyph = TToolGlyph(ToolGlyphIndex(G::Resolution1) + i), .Enabled = PlainScan,
                        .Look = uint8_t(i == 0 ? Looks::Down : 0), .OnClick = levels[i].second});
    rows.push_back({.Menu = {FIELD(MenuViewZoom), &F.MenuView}, .Caption = {45, u"Zoom"}, .Hint = {46}});
    void (TMainForm::*const zoom[])(TObject*) = {&M::ImageZoom50Click,  &M::ImageZoom80Click,  &M::ImageZoom100Click,
                                                  &M::ImageZoom150Click, &M::ImageZoom200Click, &M::ImageZoom400Click,
                                                  &M::ImageZoom800Click, &M::ImageZoom1000Click};
    for (int i = 0; i < 8; ++i)
        rows.push_back({.Menu = {ZoomItem(F, i), &F.MenuViewZoom, 1}, .Caption = Fixed(ZoomStepCaption(ZoomPercents[i])),
                        .Hint = MenuLabelled, .Enabled = PlainScan,
                        .Look = uint8_t(i == DefaultZoomItem ? Looks::Checked : 0), .OnClick = zoom[i]});
    return rows;
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
        {.Menu = {FIELD(MenuExtrasInfo), &F.MenuExtras},
         .Tool = {.Button = FIELD(ToolButton_InfoWindow), .Bar = &F.ToolBar3, .Place = 5},
         .Caption = {202, u"Info-Window"}, .Hint = {206}, .ShortCut = Ctrl('W'), .Glyph = G::InfoWindow,
         .Look = Looks::Switch, .OnClick = &M::MenuExtrasInfoClick},
        {.Menu = Separator(&F.MenuExtras, "MenuExtrasSeparator1"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuExtras_Language), &F.MenuExtras}, .Caption = {105, u"Language"}, .Hint = {207}},
        {.Menu = {FIELD(MenuFileConfiguration), &F.MenuExtras},
         .Tool = {.Button = FIELD(ToolButtonPreferences), .Bar = &F.ToolBarFile, .Place = 5},
         .Caption = {12, u"Preferences", SpacedDots}, .Hint = {13}, .ShortCut = Key(VK_F10), .Glyph = G::Preferences,
         .OnClick = &M::MenuFileConfigurationClick},
        {.Menu = Separator(&F.MenuExtras, "MenuExtrasSeparator2"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuExtrasFullscreen), &F.MenuExtras}, .Caption = {147, u"Fullscreen"},
         .Hint = {148, u"Switch fullscreen mode on/off"}, .ShortCut = Key(VK_F11), .Glyph = G::Fullscreen,
         .Enabled = Always, .OnClick = &M::MenuExtrasFullscreenClick},

        {.Menu = {FIELD(MenuHelp)}, .Caption = {52, u"?"}},
        {.Menu = {FIELD(MenuHelpContents), &F.MenuHelp}, .Tool = {.Button = FIELD(ToolButtonHelp), .Bar = &F.ToolBarFile, .Place = 6},
         .Caption = {53, u"Contents", SpacedDots}, .Hint = {54}, .ShortCut = Key(VK_F1), .Keys = {{{VK_F1}}},
         .Glyph = G::Help, .OnClick = &M::MenuHelpContentsClick},
        {.Menu = {FIELD(MenuHelpWebsite), &F.MenuHelp}, .Caption = {55, u"Brenholt Homepage"}, .Hint = {56},
         .OnClick = &M::MenuHelpWebsiteClick},
        {.Menu = {FIELD(MenuHelp_Update), &F.MenuHelp}, .Caption = {200, u"Check for updates", Dots},
         .Hint = {201, u"Check for updates"}, .OnClick = &M::MenuHelp_UpdateClick},
        {.Menu = Separator(&F.MenuHelp, "MenuHelpSeparator1"), .Caption = Fixed(u"-")},
        {.Menu = {FIELD(MenuHelpAbout), &F.MenuHelp}, .Caption = {57, u"About Lorvane 3D", DotsInDirection}, .Hint = {58},
         .OnClick = &M::MenuHelpAboutClick},
    };
}

// The tool bars' commands without a menu item; those the navigator repeats have a button there too.
std::vector<TCommand> ToolBarCommands(TMainForm& F)
{
    return {
        {.Tool = {.Button = FIELD(ToolButtonLineUp), .Bar = &F.ToolBarDepth, .Place = 0},
         .Pad = {NavigatorButton(F, 9), &F.Navigator, NavigatorCell(7, 0)}, .Hint = {117}, .Keys = {{{VK_PRIOR}}},
         .Glyph = G::LineUp, .Enabled = PlainScan, .ButtonEnabled = DepthControls, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonLineUpClick},
        {.Tool = {.Button = FIELD(ToolButtonLineDown), .Bar = &F.ToolBarDepth, .Place = 1},
         .Pad = {NavigatorButton(F, 10), &F.Navigator, NavigatorCell(7, 1)}, .Hint = {116}, .Keys = {{{VK_NEXT}}},
         .Glyph = G::LineDown, .Enabled = PlainScan, .ButtonEnabled = DepthControls, .Look = Looks::Repeats | Looks::Flat,
         .OnClick = &M::ToolButtonLineDownClick},
        {.Tool = {.Box = FIELD(ComboBoxSoil), .BoxWidth = 170, .Bar = &F.ToolBarDepth, .Place = 2}, .Hint = {118},
         .Enabled = DepthControls},
        {.Tool = {.Button = FIELD(ToolButtonZoomIn), .Bar = &F.ElToolBar1, .Place = 0},
         .Pad = {NavigatorButton(F, 13), &F.Navigator, NavigatorCell(5, 0)}, .Hint = {119}, .Glyph = G::ZoomIn,
         .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonZoomInClick},
        {.Tool = {.Button = FIELD(ToolButtonZoomOut), .Bar = &F.ElToolBar1, .Place = 1},
         .Pad = {NavigatorButton(F, 14), &F.Navigator, NavigatorCell(5, 1)}, .Hint = {120}, .Glyph = G::ZoomOut,
         .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonZoomOutClick},
        {.Tool = {.Box = FIELD(ComboBoxZoom), .BoxWidth = 72, .Bar = &F.ElToolBar1, .Place = 2}, .Hint = {46},
         .Enabled = PlainScan},
        {.Tool = {.Button = FIELD(ToolButtonStretchIn), .Bar = &F.ElToolBar1, .Place = 3},
         .Pad = {NavigatorButton(F, 17), &F.Navigator, NavigatorCell(6, 0)}, .Hint = {121}, .Glyph = G::StretchIn,
         .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonStretchInClick},
        {.Tool = {.Button = FIELD(ToolButtonStretchOut), .Bar = &F.ElToolBar1, .Place = 4},
         .Pad = {NavigatorButton(F, 18), &F.Navigator, NavigatorCell(6, 1)}, .Hint = {122}, .Glyph = G::StretchOut,
         .Enabled = PlainScan, .Look = Looks::Repeats | Looks::Flat, .OnClick = &M::ToolButtonStretchOutClick},
        // The palette buttons show or hide the blue, green or red bands of the colour scale.
        {.Tool = {.Button = FIELD(ToolButtonCPBlue), .Bar = &F.ElToolBar2, .Place = 4}, .Hint = {113},
         .Glyph = TPaletteGlyph::Blue, .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPBlueClick},
        {.Tool = {.Button = FIELD(ToolButtonCPGreen), .Bar = &F.ElToolBar2, .Place = 5}, .Hint = {114},
         .Glyph = TPaletteGlyph::Green, .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPGreenClick},
        {.Tool = {.Button = FIELD(ToolButtonCPRed), .Bar = &F.ElToolBar2, .Place = 6}, .Hint = {115},
         .Glyph = TPaletteGlyph::Red, .Enabled = HasScan, .Look = Looks::Switch, .OnClick = &M::ToolButtonCPRedClick},
    };
}

// The navigator's own buttons: turns about an axis, moves, and steps of the colour limits.
std::vector<TCommand> NavigatorCommands(TMainForm& F)
{
    constexpr uint8_t look = Looks::Repeats | Looks::Flat;
    auto at = [&F](int Number, int Row, int Column) {
        return TPadFace{NavigatorButton(F, Number), &F.Navigator, NavigatorCell(Row, Column)};
    };
    return {
        {.Pad = at(2, 0, 0), .Caption = Fixed(u"X"), .Hint = {127}, .Glyph = N::TurnLeft, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton2Click},
        {.Pad = at(4, 0, 1), .Caption = Fixed(u"X"), .Hint = {128}, .Glyph = N::TurnRight, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton4Click},
        {.Pad = at(1, 1, 0), .Caption = Fixed(u"Y"), .Hint = {129}, .Glyph = N::TurnLeft, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton1Click},
        {.Pad = at(3, 1, 1), .Caption = Fixed(u"Y"), .Hint = {130}, .Glyph = N::TurnRight, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton3Click},
        {.Pad = at(11, 2, 0), .Caption = Fixed(u"Z"), .Hint = {132}, .Glyph = N::TurnLeft, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton11Click},
        {.Pad = at(12, 2, 1), .Caption = Fixed(u"Z"), .Hint = {131}, .Glyph = N::TurnRight, .Enabled = PlainScan,
         .Look = look, .OnClick = &M::SpeedButton12Click},
        {.Pad = at(6, 3, 0), .Hint = {123}, .Glyph = N::MoveLeft, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton6Click},
        {.Pad = at(5, 3, 1), .Hint = {124}, .Glyph = N::MoveRight, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton5Click},
        {.Pad = at(8, 4, 0), .Hint = {126}, .Glyph = N::MoveUp, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton8Click},
        {.Pad = at(7, 4, 1), .Hint = {125}, .Glyph = N::MoveDown, .Enabled = PlainScan, .Look = look,
         .OnClick = &M::SpeedButton7Click},
        {.Pad = at(15, 8, 0), .Hint = {214}, .Keys = {{{VK_F8}}}, .Glyph = N::UpperLimitUp, .Enabled = HasScan,
         .Look = look, .OnClick = &M::SpeedButton15Click},
        {.Pad = at(16, 8, 1), .Hint = {215}, .Keys = {{{VK_F7}}}, .Glyph = N::UpperLimitDown, .Enabled = HasScan,
         .Look = look, .OnClick = &M::SpeedButton16Click},
        {.Pad = at(21, 9, 0), .Hint = {217}, .Keys = {{{VK_F6}}}, .Glyph = N::LowerLimitUp, .Enabled = HasScan,
         .Look = look, .OnClick = &M::SpeedButton21Click},
        {.Pad = at(22, 9, 1), .Hint = {216}, .Keys = {{{VK_F5}}}, .Glyph = N::LowerLimitDown, .Enabled = HasScan,
         .Look = look, .OnClick = &M::SpeedButton22Click},
    };
}

// The axis switches of the status panel (which axes a drag turns), and the keys of the window
// that no element shows.
std::vector<TCommand> StatusPanelAndKeyCommands(TMainForm& F)
{
    return {
        {.Pad = {FIELD(AxisZ), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"Z"), .Hint = {213},
         .Look = Looks::Switch | Looks::Down, .OnClick = &M::AxisZClick},
        {.Pad = {FIELD(AxisY), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"Y"), .Hint = {212}, .Look = Looks::Switch,
         .OnClick = &M::AxisYClick},
        {.Pad = {FIELD(AxisX), &F.StatusPanel, AxisSwitch}, .Caption = Fixed(u"X"), .Hint = {211},
         .Look = Looks::Switch | Looks::Down, .OnClick = &M::AxisXClick},

        // The arrows walk the selected point: 1 point, 10 with Ctrl, 20 with Ctrl and Alt.
        {.Keys = {{{VK_UP}}}, .OnKey = &M::WalkLineForward},
        {.Keys = {{{VK_DOWN}}}, .OnKey = &M::WalkLineBackward},
        // The X axis is drawn mirrored: Left walks to the next point of the line.
        {.Keys = {{{VK_LEFT}}}, .OnKey = &M::WalkToNextPoint},
        {.Keys = {{{VK_RIGHT}}}, .OnKey = &M::WalkToPreviousPoint},
        {.Keys = {{{VK_F4}}}, .OnClick = &M::ToggleSmoothSurface},
        {.Keys = {{{VK_ESCAPE}}}, .OnClick = &M::LeaveFullscreen},
        {.Keys = {{{'X', ssCtrl}}}, .OnClick = &M::HalveValues},
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
