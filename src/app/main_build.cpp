// The components of the main window: menus, tool bars, navigator, status panel, the non-visual
// components and the timers, with their short-cuts, pictures and handlers. The texts are the
// English defaults until a language is applied.
// The serial-port header names the comm bits itself, so it comes before the system headers.
#include "device/CPort.h"

#include "app/main.h"

#include "app/AppGlyphs.h"
#include "shell/FormParts.h"
#include "app/LanguageTexts.h"
#include "app/ProgramLook.h"
#include "app/_TUpdate.h"

#include "framework/ScopedGdi.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int NavigatorButtonWidth = 30;
constexpr int NavigatorButtonHeight = 26;
constexpr int NavigatorWidth = 2 * NavigatorButtonWidth + 8;
constexpr int StatusPanelHeight = 24;
// The navigator's buttons are drawn on this key colour, which stays transparent.
constexpr uint32_t GlyphKey = 0xFF00FF;

void AddPicture(TImageList* List, const TGlyphPicture& Picture)
{
    TBitmap b;
    SetBitmapPixels(b, Picture.Width, Picture.Height, Picture.Pixels);
    List->Add(&b);
}

std::unique_ptr<TBitmap> KeyedGlyph(const TGlyphPicture& Picture)
{
    auto b = std::make_unique<TBitmap>();
    SetBitmapPixels(*b, Picture.Width, Picture.Height, OnKeyColour(Picture, GlyphKey));
    return b;
}

TShortCut Key(uint16_t VirtualKey, TShiftState Shift = 0)
{
    return ShortCut(VirtualKey, Shift);
}

// A menu item under Parent (nil: a top item of Menu).
TElMenuItem* MenuItem(TMainForm* Form, TElMainMenu* Menu, TElMenuItem* Parent, const char* Name,
                      TNotifyEvent OnClick = {}, TShortCut ShortCut = scNone, int Image = -1)
{
    TElMenuItem* item = MakeNamed<TElMenuItem>(Form, Name);
    item->SetShortCut(ShortCut);
    item->SetImageIndex(Image);
    item->OnClick = std::move(OnClick);
    if (Parent)
        Parent->Add(item);
    else
        Menu->Items()->Add(item);
    return item;
}

void Separator(TMainForm* Form, TElMenuItem* Parent, const char* Name)
{
    TElMenuItem* item = MakeNamed<TElMenuItem>(Form, Name);
    item->SetCaption(u"-");
    Parent->Add(item);
}

TElToolBar* ToolBar(TMainForm* Form, TWinControl* Parent, const char* Name, TImageList* Images)
{
    TElToolBar* bar = MakeControl<TElToolBar>(Form, Parent, Name, 0, 0, 100, 26);
    bar->SetImages(Images);
    return bar;
}

TElToolButton* ToolButton(TMainForm* Form, TElToolBar* Bar, const char* Name, TToolGlyph Glyph, TNotifyEvent OnClick)
{
    TElToolButton* b = MakeNamed<TElToolButton>(Form, Name);
    b->SetParent(Bar);
    b->SetImageIndex(ToolGlyphIndex(Glyph));
    b->ShowHint = true;
    b->OnClick = std::move(OnClick);
    return b;
}

// The program's icon in one size, made from its picture; owned by the caller.
HICON MakeProgramIcon(int Size)
{
    const TGlyphPicture picture = DrawProgramIcon(Size);
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = Size;
    header.bV5Height = -Size;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    TGdiObject<HBITMAP> colour(CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                                &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (!colour || !bits)
        return nullptr;
    std::copy(picture.Pixels.begin(), picture.Pixels.end(), static_cast<uint32_t*>(bits));
    TGdiObject<HBITMAP> mask(CreateBitmap(Size, Size, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return CreateIconIndirect(&info);
}

std::string Numbered(const char* Stem, int Number)
{
    return Stem + std::to_string(Number);
}

// The zoom levels of the View menu and the zoom box, in their order.
constexpr int ZoomPercent[8] = {50, 80, 100, 150, 200, 400, 800, 1000};

std::u16string PercentText(int Percent)
{
    const std::string text = std::to_string(Percent) + " %";
    return std::u16string(text.begin(), text.end());
}

// The resolution levels' commands, level 1 first, shared by the menu items and the buttons.
void (TMainForm::*const ResolutionClick[5])(TObject*) = {&TMainForm::MenuEditRes0Click, &TMainForm::MenuEditRes1Click,
                                                         &TMainForm::MenuEditRes2Click, &TMainForm::MenuEditRes3Click,
                                                         &TMainForm::MenuEditRes4Click};

}  // namespace

TNotifyEvent TMainForm::On(void (TMainForm::*Handler)(TObject*))
{
    return [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
}

void TMainForm::CreateHandleDone()
{
    TForm::CreateHandleDone();
    // Made once; the system keeps showing them for as long as the program runs.
    static const TOwnedIcon big(MakeProgramIcon(GetSystemMetrics(SM_CXICON)));
    static const TOwnedIcon small(MakeProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
}

void TMainForm::CreateComponents()
{
    CreateNonVisual();
    CreateMenus();
    CreateToolBars();
    CreateNavigator();
    CreateStatusPanel();
    // The captions and hints a window without a language file shows.
    ApplyTexts(DefaultLanguageTexts());
    WireEvents();
}

void TMainForm::CreateNonVisual()
{
    ImageList = MakeNamed<TImageList>(this, "ImageList");
    ImageList->SetSize(ToolGlyphSize, ToolGlyphSize);
    for (int i = 0; i < static_cast<int>(TToolGlyph::Count); ++i)
        AddPicture(ImageList, DrawToolGlyph(static_cast<TToolGlyph>(i)));
    ImageListCP = MakeNamed<TImageList>(this, "ImageListCP");
    ImageListCP->SetSize(ToolGlyphSize, ToolGlyphSize);
    for (int i = 0; i < static_cast<int>(TPaletteGlyph::Count); ++i)
        AddPicture(ImageListCP, DrawPaletteGlyph(static_cast<TPaletteGlyph>(i)));

    // The device's serial line; opened only while a live scan is received.
    ComPort = MakeNamed<CPort::TComPort>(this, "ComPort");
    ComPort->SetPortNum("COM1");
    ComPort->SetBaudRate(CPort::TBaudRate::br2400);
    ComPort->SetDataBits(CPort::TDataBits::dbEight);
    ComPort->Parity().SetBits(CPort::TParityBits::prNone);
    ComPort->SetStopBits(CPort::TStopBits::sbOneStopBit);
    ComPort->FlowControl().SetControlDTR(CPort::TDTRFlowControl::dtrEnable);
    ComPort->FlowControl().SetControlRTS(CPort::TRTSFlowControl::rtsDisable);
    ComPort->Buffer().SetInputSize(4096);
    ComPort->Buffer().SetOutputSize(4096);
    ComPort->Events = CPort::TEvents{CPort::TEvent::evRxChar};
    ComPort->SetSyncMethod(CPort::TSyncMethod::smThreadSync);
    USBDevice1 = MakeNamed<TUSBDevice>(this, "USBDevice1");
    USBDevice1->Baudrate = TBaudRate::br19200;
    USBDevice1->SetBlockSize(1024);
    USBDevice1->ReadTimeout = 1000;
    USBDevice1->WriteTimeout = 1000;
    USBDevice1->AutoConnect = false;
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption");
    Kit_OpenDialog = MakeNamed<TKitOpenDialog>(this, "Kit_OpenDialog");
    Kit_SaveDialog = MakeNamed<TKitSaveDialog>(this, "Kit_SaveDialog");
    Update1 = MakeNamed<TUpdate>(this, "Update1");
    Update1->Port = 80;
    ElVersionInfo = MakeNamed<TElVersionInfo>(this, "ElVersionInfo");

    auto timer = [this](const char* Name, uint32_t Interval, bool Enabled) {
        TTimer* t = MakeNamed<TTimer>(this, Name);
        t->SetEnabled(false);
        t->SetInterval(Interval);
        t->SetEnabled(Enabled);
        return t;
    };
    TimerPaint = timer("TimerPaint", 50, true);
    TimerCancel = timer("TimerCancel", 100, false);
    TimerUpdate = timer("TimerUpdate", 2500, false);
    TimerButtonDown = timer("TimerButtonDown", 1000, false);
}

void TMainForm::CreateMenus()
{
    ElMainMenu1 = MakeNamed<TElMainMenu>(this, "ElMainMenu1");
    ElMainMenu1->SetImages(ImageList);
    auto* m = ElMainMenu1;
    using G = TToolGlyph;

    MenuFile = MenuItem(this, m, nullptr, "MenuFile");
    MenuFileNew = MenuItem(this, m, MenuFile, "MenuFileNew", On(&TMainForm::MenuFileNewClick), Key('N', ssCtrl),
                           ToolGlyphIndex(G::New));
    MenuFileOpen = MenuItem(this, m, MenuFile, "MenuFileOpen", On(&TMainForm::MenuFileOpenClick), Key('O', ssCtrl),
                            ToolGlyphIndex(G::Open));
    MenuFile_LastUsed = MenuItem(this, m, MenuFile, "MenuFile_LastUsed");
    MenuFileExamples = MenuItem(this, m, MenuFile, "MenuFileExamples");
    Separator(this, MenuFile, "MenuFileSeparator1");
    MenuFileSave = MenuItem(this, m, MenuFile, "MenuFileSave", {}, Key('S', ssCtrl), ToolGlyphIndex(G::Save));
    MenuFileSaveAs = MenuItem(this, m, MenuFile, "MenuFileSaveAs");
    Separator(this, MenuFile, "MenuFileSeparator2");
    MenuFileImport = MenuItem(this, m, MenuFile, "MenuFileImport", {}, scNone, ToolGlyphIndex(G::Import));
    FileImportOsprin = MenuItem(this, m, MenuFileImport, "FileImportOsprin", On(&TMainForm::FileImportOsprinClick));
    Separator(this, MenuFileImport, "MenuFileImportSeparator1");
    FileImportHalvor = MenuItem(this, m, MenuFileImport, "FileImportHalvor", On(&TMainForm::FileImportHalvorClick));
    Qorr311 = MenuItem(this, m, MenuFileImport, "Qorr311", On(&TMainForm::Qorr311Click));
    Qorr411 = MenuItem(this, m, MenuFileImport, "Qorr411", On(&TMainForm::Qorr411Click));
    Separator(this, MenuFileImport, "MenuFileImportSeparator2");
    FileImportPellam = MenuItem(this, m, MenuFileImport, "FileImportPellam", On(&TMainForm::FileImportPellamClick));
    Tarnwell1 = MenuItem(this, m, MenuFileImport, "Tarnwell1", On(&TMainForm::Tarnwell1Click));
    Separator(this, MenuFileImport, "MenuFileImportSeparator3");
    MenuFileImport_Stavro = MenuItem(this, m, MenuFileImport, "MenuFileImport_Stavro", On(&TMainForm::KXStavro1Click));
    FileImportOsprin->SetCaption(u"Osprin 12 ...");
    FileImportHalvor->SetCaption(u"Qorr 21 ...");
    Qorr311->SetCaption(u"Qorr 31 ...");
    Qorr411->SetCaption(u"Qorr 41 ...");
    FileImportPellam->SetCaption(u"Pellam ...");
    Tarnwell1->SetCaption(u"Tarnwell ...");
    MenuFileImport_Stavro->SetCaption(u"Stavro KX90 ...");
    MenuFileExport = MenuItem(this, m, MenuFile, "MenuFileExport", On(&TMainForm::MenuFileExportClick), scNone,
                              ToolGlyphIndex(G::Export));
    MenuFilePrint = MenuItem(this, m, MenuFile, "MenuFilePrint", On(&TMainForm::MenuFilePrintClick), Key('P', ssCtrl),
                             ToolGlyphIndex(G::Print));
    Separator(this, MenuFile, "MenuFileSeparator3");
    MenuFileExit = MenuItem(this, m, MenuFile, "MenuFileExit", On(&TMainForm::MenuFileExitClick), scNone,
                            ToolGlyphIndex(G::Exit));

    MenuEdit = MenuItem(this, m, nullptr, "MenuEdit");
    MenuEditReset = MenuItem(this, m, MenuEdit, "MenuEditReset", On(&TMainForm::MenuEditResetClick), scNone,
                             ToolGlyphIndex(G::Undo));
    Separator(this, MenuEdit, "MenuEditSeparator1");
    MenuEditInterpolate = MenuItem(this, m, MenuEdit, "MenuEditInterpolate", On(&TMainForm::MenuEditInterpolateClick),
                                   Key('I', ssCtrl), ToolGlyphIndex(G::Interpolate));
    MenuEditCorrectFaultSignal =
        MenuItem(this, m, MenuEdit, "MenuEditCorrectFaultSignal", On(&TMainForm::MenuEditCorrectFaultSignalClick),
                 Key('C', ssCtrl), ToolGlyphIndex(G::FaultSignal));
    MenuEdit_RemoveDummy = MenuItem(this, m, MenuEdit, "MenuEdit_RemoveDummy", On(&TMainForm::ToolButton2XClick),
                                    scNone, ToolGlyphIndex(G::RemoveDummies));
    MenuEdit_FEChart = MenuItem(this, m, MenuEdit, "MenuEdit_FEChart", On(&TMainForm::ToolButton17XClick), scNone,
                                ToolGlyphIndex(G::Chart));
    Separator(this, MenuEdit, "MenuEditSeparator2");
    MenuFileRemarks = MenuItem(this, m, MenuEdit, "MenuFileRemarks", On(&TMainForm::MenuFileRemarksClick),
                               Key(VK_F9), ToolGlyphIndex(G::Remarks));

    MenuView = MenuItem(this, m, nullptr, "MenuView");
    MenuViewReset = MenuItem(this, m, MenuView, "MenuViewReset", On(&TMainForm::MenuViewResetClick), Key('R', ssCtrl),
                             ToolGlyphIndex(G::ViewReset));
    MenuViewPerspective = MenuItem(this, m, MenuView, "MenuViewPerspective", On(&TMainForm::MenuViewPerspectiveClick),
                                   Key(VK_F1, ssCtrl), ToolGlyphIndex(G::Perspective));
    MenuViewFront = MenuItem(this, m, MenuView, "MenuViewFront", On(&TMainForm::MenuViewFrontClick),
                             Key(VK_F2, ssCtrl), ToolGlyphIndex(G::Front));
    MenuViewTop = MenuItem(this, m, MenuView, "MenuViewTop", On(&TMainForm::MenuViewTopClick), Key(VK_F3, ssCtrl),
                           ToolGlyphIndex(G::Top));
    Separator(this, MenuView, "MenuViewSeparator1");
    MenuViewCrossHairs = MenuItem(this, m, MenuView, "MenuViewCrossHairs", On(&TMainForm::MenuViewCrossHairsClick),
                                  Key(VK_F2), ToolGlyphIndex(G::CrossHairs));
    MenuViewCrossHairs->SetChecked(true);
    MenuViewWireframe = MenuItem(this, m, MenuView, "MenuViewWireframe", On(&TMainForm::MenuViewWireframeClick),
                                 Key(VK_F3), ToolGlyphIndex(G::Wireframe));
    Separator(this, MenuView, "MenuViewSeparator2");
    MenuViewResolution = MenuItem(this, m, MenuView, "MenuViewResolution");
    for (int i = 0; i < 5; ++i) {
        TElMenuItem* item = MenuItem(this, m, MenuViewResolution, Numbered("MenuEditRes", i).c_str(),
                                     On(ResolutionClick[i]), scNone, ToolGlyphIndex(G::Resolution1) + i);
        item->SetRadioItem(true);
        item->SetGroupIndex(2);
        MenuEditRes[static_cast<size_t>(i)] = item;
    }
    MenuViewZoom = MenuItem(this, m, MenuView, "MenuViewZoom");
    void (TMainForm::*const zoom[8])(TObject*) = {
        &TMainForm::ImageZoom50Click,  &TMainForm::ImageZoom80Click,  &TMainForm::ImageZoom100Click,
        &TMainForm::ImageZoom150Click, &TMainForm::ImageZoom200Click, &TMainForm::ImageZoom400Click,
        &TMainForm::ImageZoom800Click, &TMainForm::ImageZoom1000Click};
    for (int i = 0; i < 8; ++i) {
        TElMenuItem* item = MenuItem(this, m, MenuViewZoom, Numbered("ImageZoom", ZoomPercent[i]).c_str(), On(zoom[i]));
        item->SetCaption(PercentText(ZoomPercent[i]));
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        ImageZoom[static_cast<size_t>(i)] = item;
    }
    ImageZoom[2]->SetChecked(true);

    MenuExtras = MenuItem(this, m, nullptr, "MenuExtras");
    MenuExtrasSplitScreen = MenuItem(this, m, MenuExtras, "MenuExtrasSplitScreen",
                                     On(&TMainForm::MenuExtrasSplitScreenClick), Key('M', ssCtrl),
                                     ToolGlyphIndex(G::SplitScreen));
    MenuExtrasNavigator = MenuItem(this, m, MenuExtras, "MenuExtrasNavigator", On(&TMainForm::MenuExtrasNavigatorClick));
    MenuExtrasNavigator->SetChecked(true);
    MenuExtrasInfo = MenuItem(this, m, MenuExtras, "MenuExtrasInfo", On(&TMainForm::MenuExtrasInfoClick),
                              Key('W', ssCtrl), ToolGlyphIndex(G::InfoWindow));
    Separator(this, MenuExtras, "MenuExtrasSeparator1");
    MenuExtras_Language = MenuItem(this, m, MenuExtras, "MenuExtras_Language");
    MenuFileConfiguration = MenuItem(this, m, MenuExtras, "MenuFileConfiguration",
                                     On(&TMainForm::MenuFileConfigurationClick), Key(VK_F10),
                                     ToolGlyphIndex(G::Preferences));
    Separator(this, MenuExtras, "MenuExtrasSeparator2");
    MenuExtrasFullscreen = MenuItem(this, m, MenuExtras, "MenuExtrasFullscreen",
                                    On(&TMainForm::MenuExtrasFullscreenClick), Key(VK_F11),
                                    ToolGlyphIndex(G::Fullscreen));

    MenuHelp = MenuItem(this, m, nullptr, "MenuHelp");
    MenuHelpContents = MenuItem(this, m, MenuHelp, "MenuHelpContents", On(&TMainForm::MenuHelpContentsClick),
                                Key(VK_F1), ToolGlyphIndex(G::Help));
    MenuHelpWebsite = MenuItem(this, m, MenuHelp, "MenuHelpWebsite", On(&TMainForm::MenuHelpWebsiteClick));
    MenuHelp_Update = MenuItem(this, m, MenuHelp, "MenuHelp_Update", On(&TMainForm::MenuHelp_UpdateClick));
    Separator(this, MenuHelp, "MenuHelpSeparator1");
    MenuHelpAbout = MenuItem(this, m, MenuHelp, "MenuHelpAbout", On(&TMainForm::MenuHelpAboutClick));

    MenuBar = MakeNamed<TElMenuBar>(this, "MenuBar");
    MenuBar->SetParent(this);
    MenuBar->SetAlign(TAlign::alTop);
    MenuBar->SetMenu(ElMainMenu1);
}

void TMainForm::CreateToolBars()
{
    using G = TToolGlyph;
    ControlBar = MakeControl<TControlBar>(this, this, "ControlBar", 0, 0, 800, 30);
    ControlBar->SetAlign(TAlign::alTop);

    ToolBarFile = ToolBar(this, ControlBar, "ToolBarFile", ImageList);
    ToolButtonNew = ToolButton(this, ToolBarFile, "ToolButtonNew", G::New, On(&TMainForm::MenuFileNewClick));
    ToolButtonOpen = ToolButton(this, ToolBarFile, "ToolButtonOpen", G::Open, On(&TMainForm::MenuFileOpenClick));
    ToolButtonSave = ToolButton(this, ToolBarFile, "ToolButtonSave", G::Save, {});
    ToolButtonPrint = ToolButton(this, ToolBarFile, "ToolButtonPrint", G::Print, On(&TMainForm::MenuFilePrintClick));
    ToolButtonRemarks = ToolButton(this, ToolBarFile, "ToolButtonRemarks", G::Remarks,
                                   On(&TMainForm::MenuFileRemarksClick));
    ToolButtonPreferences = ToolButton(this, ToolBarFile, "ToolButtonPreferences", G::Preferences,
                                       On(&TMainForm::MenuFileConfigurationClick));
    ToolButtonHelp = ToolButton(this, ToolBarFile, "ToolButtonHelp", G::Help, On(&TMainForm::MenuHelpContentsClick));

    ToolBar3 = ToolBar(this, ControlBar, "ToolBar3", ImageList);
    ToolButtonUndo = ToolButton(this, ToolBar3, "ToolButtonUndo", G::Undo, On(&TMainForm::MenuEditResetClick));
    ToolButton5 = ToolButton(this, ToolBar3, "ToolButton5", G::Interpolate, On(&TMainForm::MenuEditInterpolateClick));
    ToolButton8 = ToolButton(this, ToolBar3, "ToolButton8", G::FaultSignal,
                             On(&TMainForm::MenuEditCorrectFaultSignalClick));
    ToolButton_RemoveDummies = ToolButton(this, ToolBar3, "ToolButton_RemoveDummies", G::RemoveDummies,
                                          On(&TMainForm::ToolButton2XClick));
    ToolButton_FEChart = ToolButton(this, ToolBar3, "ToolButton_FEChart", G::Chart, On(&TMainForm::ToolButton17XClick));
    ToolButton_InfoWindow = ToolButton(this, ToolBar3, "ToolButton_InfoWindow", G::InfoWindow,
                                       On(&TMainForm::MenuExtrasInfoClick));
    ToolButton_InfoWindow->SetIsSwitch(true);
    ToolButton_InfoWindow->SetAllowAllUp(true);
    for (int i = 0; i < 5; ++i) {
        TElToolButton* b = ToolButton(this, ToolBar3, Numbered("ToolButtonRes", i).c_str(),
                                      static_cast<G>(ToolGlyphIndex(G::Resolution1) + i), On(ResolutionClick[i]));
        b->SetGroupIndex(1);
        ToolButtonRes[static_cast<size_t>(i)] = b;
    }
    ToolButtonRes[0]->SetDown(true);
    ToolButtonWireframe = ToolButton(this, ToolBar3, "ToolButtonWireframe", G::Wireframe,
                                     On(&TMainForm::MenuViewWireframeClick));
    ToolButtonWireframe->SetIsSwitch(true);
    ToolButtonWireframe->SetAllowAllUp(true);

    ToolBarDepth = ToolBar(this, ControlBar, "ToolBarDepth", ImageList);
    ToolButtonLineUp = ToolButton(this, ToolBarDepth, "ToolButtonLineUp", G::LineUp, On(&TMainForm::ToolButtonLineUpClick));
    ToolButtonLineDown = ToolButton(this, ToolBarDepth, "ToolButtonLineDown", G::LineDown,
                                    On(&TMainForm::ToolButtonLineDownClick));
    ComboBoxSoil = MakeNamed<TElComboBox>(this, "ComboBoxSoil");
    ComboBoxSoil->SetStyle(TComboBoxStyle::csDropDownList);
    ComboBoxSoil->SetParent(ToolBarDepth);
    ComboBoxSoil->SetWidth(170);
    ComboBoxSoil->ShowHint = true;

    ElToolBar1 = ToolBar(this, ControlBar, "ElToolBar1", ImageList);
    ToolButtonZoomIn = ToolButton(this, ElToolBar1, "ToolButtonZoomIn", G::ZoomIn, On(&TMainForm::ToolButtonZoomInClick));
    ToolButtonZoomOut = ToolButton(this, ElToolBar1, "ToolButtonZoomOut", G::ZoomOut,
                                   On(&TMainForm::ToolButtonZoomOutClick));
    ComboBoxZoom = MakeNamed<TElComboBox>(this, "ComboBoxZoom");
    ComboBoxZoom->SetStyle(TComboBoxStyle::csDropDownList);
    ComboBoxZoom->SetParent(ElToolBar1);
    ComboBoxZoom->SetWidth(72);
    ComboBoxZoom->ShowHint = true;
    for (int percent : ZoomPercent)
        ComboBoxZoom->Items()->Add(PercentText(percent));
    ToolButtonStretchIn = ToolButton(this, ElToolBar1, "ToolButtonStretchIn", G::StretchIn,
                                     On(&TMainForm::ToolButtonStretchInClick));
    ToolButtonStretchOut = ToolButton(this, ElToolBar1, "ToolButtonStretchOut", G::StretchOut,
                                      On(&TMainForm::ToolButtonStretchOutClick));

    ElToolBar2 = ToolBar(this, ControlBar, "ElToolBar2", ImageList);
    ToolButtonReset = ToolButton(this, ElToolBar2, "ToolButtonReset", G::ViewReset, On(&TMainForm::MenuViewResetClick));
    ToolButtonPerspective = ToolButton(this, ElToolBar2, "ToolButtonPerspective", G::Perspective,
                                       On(&TMainForm::MenuViewPerspectiveClick));
    ToolButtonFront = ToolButton(this, ElToolBar2, "ToolButtonFront", G::Front, On(&TMainForm::MenuViewFrontClick));
    ToolButtonTop = ToolButton(this, ElToolBar2, "ToolButtonTop", G::Top, On(&TMainForm::MenuViewTopClick));
    // The palette buttons draw from their own list; they are switches, each on its own.
    auto palette = [&](const char* Name, TPaletteGlyph Glyph, void (TMainForm::*Handler)(TObject*)) {
        TElToolButton* b = ToolButton(this, ElToolBar2, Name, G::Count, On(Handler));
        b->SetImageIndex(-1);
        std::unique_ptr<TBitmap> glyph = KeyedGlyph(DrawPaletteGlyph(Glyph));
        b->SetGlyph(glyph.get());
        b->SetIsSwitch(true);
        b->SetAllowAllUp(true);
        return b;
    };
    ToolButtonCPBlue = palette("ToolButtonCPBlue", TPaletteGlyph::Blue, &TMainForm::ToolButtonCPBlueClick);
    ToolButtonCPGreen = palette("ToolButtonCPGreen", TPaletteGlyph::Green, &TMainForm::ToolButtonCPGreenClick);
    ToolButtonCPRed = palette("ToolButtonCPRed", TPaletteGlyph::Red, &TMainForm::ToolButtonCPRedClick);
}

void TMainForm::CreateNavigator()
{
    Navigator = MakeControl<TElPanel>(this, this, "Navigator", 0, 0, NavigatorWidth, 400);
    Navigator->SetAlign(TAlign::alLeft);
    Navigator->ShowCaption = false;
    Navigator->SetBevelOuter(TBevelCut::bvNone);

    using N = TNavigatorGlyph;
    struct TNavigatorButton {
        int Number;
        int Row, Column;
        bool ToolGlyph;
        int Glyph;               // TNavigatorGlyph or TToolGlyph
        const char16_t* Caption; // the axis of a turn
    };
    auto nav = [](N G) { return static_cast<int>(G); };
    auto tool = [](TToolGlyph G) { return ToolGlyphIndex(G); };
    const TNavigatorButton buttons[] = {
        {2, 0, 0, false, nav(N::TurnLeft), u"X"},   {4, 0, 1, false, nav(N::TurnRight), u"X"},
        {1, 1, 0, false, nav(N::TurnLeft), u"Y"},   {3, 1, 1, false, nav(N::TurnRight), u"Y"},
        {11, 2, 0, false, nav(N::TurnLeft), u"Z"},  {12, 2, 1, false, nav(N::TurnRight), u"Z"},
        {6, 3, 0, false, nav(N::MoveLeft), u""},    {5, 3, 1, false, nav(N::MoveRight), u""},
        {8, 4, 0, false, nav(N::MoveUp), u""},      {7, 4, 1, false, nav(N::MoveDown), u""},
        {13, 5, 0, true, tool(TToolGlyph::ZoomIn), u""},    {14, 5, 1, true, tool(TToolGlyph::ZoomOut), u""},
        {17, 6, 0, true, tool(TToolGlyph::StretchIn), u""}, {18, 6, 1, true, tool(TToolGlyph::StretchOut), u""},
        {9, 7, 0, true, tool(TToolGlyph::LineUp), u""},     {10, 7, 1, true, tool(TToolGlyph::LineDown), u""},
        {15, 8, 0, false, nav(N::UpperLimitUp), u""},   {16, 8, 1, false, nav(N::UpperLimitDown), u""},
        {21, 9, 0, false, nav(N::LowerLimitUp), u""},   {22, 9, 1, false, nav(N::LowerLimitDown), u""},
    };
    for (const TNavigatorButton& spec : buttons) {
        TElGraphicButton* b = MakeControl<TElGraphicButton>(
            this, Navigator, Numbered("SpeedButton", spec.Number).c_str(), 4 + spec.Column * NavigatorButtonWidth,
            4 + spec.Row * NavigatorButtonHeight, NavigatorButtonWidth, NavigatorButtonHeight);
        const TGlyphPicture picture = spec.ToolGlyph ? DrawToolGlyph(static_cast<TToolGlyph>(spec.Glyph))
                                                     : DrawNavigatorGlyph(static_cast<N>(spec.Glyph));
        b->SetGlyph(KeyedGlyph(picture).get());
        b->SetCaption(spec.Caption);
        b->SetFlat(true);
        b->ShowHint = true;
        SpeedButton[static_cast<size_t>(spec.Number - 1)] = b;
    }
}

void TMainForm::CreateStatusPanel()
{
    StatusPanel = MakeControl<TElPanel>(this, this, "StatusPanel", 0, 0, 800, StatusPanelHeight);
    StatusPanel->SetAlign(TAlign::alBottom);
    StatusPanel->ShowCaption = false;
    StatusPanel->SetBevelOuter(TBevelCut::bvNone);

    // The axis switches stand at the panel's right end, the status bar takes the rest; both are
    // placed by FormResize.
    auto axis = [this](const char* Name, const char16_t* Caption, bool Down) {
        TElGraphicButton* b = MakeControl<TElGraphicButton>(this, StatusPanel, Name, 0, 0, 24, StatusPanelHeight);
        b->SetCaption(Caption);
        b->SetIsSwitch(true);
        b->SetAllowAllUp(true);
        b->SetDown(Down);
        b->ShowHint = true;
        return b;
    };
    AxisZ = axis("AxisZ", u"Z", true);
    AxisY = axis("AxisY", u"Y", false);
    AxisX = axis("AxisX", u"X", true);

    StatusBar = MakeControl<TElStatusBar>(this, StatusPanel, "StatusBar", 0, 0, 700, StatusPanelHeight);
    for (int width : {25, 190, 190, 190, 50}) {
        TElStatusPanel* panel = StatusBar->Panels().Add();
        panel->SetWidth(width);
    }
    StatusBar->Panels(0)->SetStyle(TElStatusPanelStyle::epsOwnerDraw);

    Panel_Voltage = MakeControl<TElPanel>(this, this, "Panel_Voltage", 0, 0, 24, 200);
    Panel_Voltage->SetAlign(TAlign::alRight);
    Panel_Voltage->ShowCaption = false;
    Panel_Voltage->SetVisible(false);
    ProgressBar_Voltage = MakeControl<TElBiProgressBar>(this, Panel_Voltage, "ProgressBar_Voltage", 2, 2, 20, 196);
    ProgressBar_Voltage->SetOrientation(poVertical);
    ProgressBar_Voltage->SetAlign(TAlign::alClient);
}

void TMainForm::WireEvents()
{
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnPaint = [this](TObject* Sender) { FormPaint(Sender); };
    OnResize = [this](TObject* Sender) { FormResize(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) { FormMouseDown(S, B, Sh, X, Y); };
    OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) { FormMouseMove(S, Sh, X, Y); };
    OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) { FormMouseUp(S, B, Sh, X, Y); };
    OnMouseWheel = [this](TObject* S, TShiftState Sh, int Delta, TPoint Pos, bool& Handled) {
        if (Delta > 0)
            FormMouseWheelUp(S, Sh, Pos, Handled);
        else if (Delta < 0)
            FormMouseWheelDown(S, Sh, Pos, Handled);
    };
    OnDblClick = [this](TObject* Sender) { FormDblClick(Sender); };
    OnKeyDown = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };

    TimerPaint->OnTimer = On(&TMainForm::TimerPaintTimer);
    TimerCancel->OnTimer = On(&TMainForm::TimerCancelTimer);
    TimerUpdate->OnTimer = On(&TMainForm::TimerUpdateTimer);

    ComboBoxZoom->OnChange = On(&TMainForm::ComboBoxZoomChange);
    ComboBoxZoom->OnKeyDown = [this](TObject* S, uint16_t& K, TShiftState Sh) { ComboBoxZoomKeyDown(S, K, Sh); };
    ComboBoxZoom->OnKeyPress = [this](TObject* S, char16_t& K) { ComboBoxZoomKeyPress(S, K); };
    ComboBoxSoil->OnChange = On(&TMainForm::ComboBoxSoilChange);
    ComboBoxSoil->OnKeyDown = [this](TObject* S, uint16_t& K, TShiftState Sh) { ComboBoxSoilKeyDown(S, K, Sh); };
    ComboBoxSoil->OnKeyPress = [this](TObject* S, char16_t& K) { ComboBoxSoilKeyPress(S, K); };
    ComboBoxSoil->OnKeyUp = [this](TObject* S, uint16_t& K, TShiftState Sh) { ComboBoxSoilKeyUp(S, K, Sh); };

    ComPort->OnRxChar = [this](TObject* Sender, int32_t Count) { ComPortRxChar(Sender, Count); };
    AxisX->OnClick = On(&TMainForm::AxisXClick);
    AxisY->OnClick = On(&TMainForm::AxisYClick);
    AxisZ->OnClick = On(&TMainForm::AxisZClick);
    StatusBar->OnDrawPanel = [this](TElStatusBar* Bar, TElStatusPanel* Panel, const TRect& Rect) {
        StatusBarPanelDraw(Bar, Panel, Rect);
    };

    // The navigator: each button steps once per click; held down, the step repeats.
    const std::pair<int, void (TMainForm::*)(TObject*)> steps[] = {
        {1, &TMainForm::SpeedButton1Click},   {2, &TMainForm::SpeedButton2Click},
        {3, &TMainForm::SpeedButton3Click},   {4, &TMainForm::SpeedButton4Click},
        {5, &TMainForm::SpeedButton5Click},   {6, &TMainForm::SpeedButton6Click},
        {7, &TMainForm::SpeedButton7Click},   {8, &TMainForm::SpeedButton8Click},
        {9, &TMainForm::ToolButtonLineUpClick}, {10, &TMainForm::ToolButtonLineDownClick},
        {11, &TMainForm::SpeedButton11Click}, {12, &TMainForm::SpeedButton12Click},
        {13, &TMainForm::ToolButtonZoomInClick}, {14, &TMainForm::ToolButtonZoomOutClick},
        {15, &TMainForm::SpeedButton15Click}, {16, &TMainForm::SpeedButton16Click},
        {17, &TMainForm::ToolButtonStretchInClick}, {18, &TMainForm::ToolButtonStretchOutClick},
        {21, &TMainForm::SpeedButton21Click}, {22, &TMainForm::SpeedButton22Click},
    };
    auto down = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) { SpeedButtonMouseDown(S, B, Sh, X, Y); };
    auto up = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) { SpeedButton17MouseUp(S, B, Sh, X, Y); };
    for (const auto& [number, handler] : steps) {
        TElGraphicButton* b = SpeedButton[static_cast<size_t>(number - 1)];
        b->OnClick = On(handler);
        b->OnMouseDown = down;
        b->OnMouseUp = up;
    }
    for (TElToolButton* b : {ToolButtonZoomIn, ToolButtonZoomOut, ToolButtonStretchIn, ToolButtonStretchOut,
                             ToolButtonLineUp, ToolButtonLineDown}) {
        b->OnMouseDown = down;
        b->OnMouseUp = up;
    }
}
