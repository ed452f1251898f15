// The components of the main window: menus, tool bars, navigator, status panel, the non-visual
// components and the timers. The tool bars and the commands' menu items and buttons are made
// from their rows (main_command_table.cpp) in row order, with their short-cuts, pictures and
// handlers; their texts are the English defaults until a language is applied.
// The serial-port header names the comm bits itself, so it comes before the system headers.
#include "device/CPort.h"

#include "app/main.h"

#include "app/AppGlyphs.h"
#include "app/BusyWork.h"
#include "shell/FormParts.h"
#include "app/LanguageTexts.h"
#include "app/ProgramLook.h"
#include "app/_TUpdate.h"

#include "framework/Exceptions.h"
#include "framework/ScopedGdi.h"
#include "framework/StrConv.h"

#include <windows.h>

#include <algorithm>

namespace {

// The navigator's buttons are drawn on this key colour, which stays transparent.
constexpr uint32_t GlyphKey = 0xFF00FF;

void AddPicture(TImageList* List, const TGlyphPicture& Picture)
{
    TBitmap b;
    SetBitmapPixels(b, Picture.Width, Picture.Height, Picture.Pixels);
    List->Add(&b);
}

std::unique_ptr<TBitmap> KeyedGlyph(TGlyph Glyph)
{
    const TGlyphPicture picture = GlyphPicture(Glyph);
    auto b = std::make_unique<TBitmap>();
    SetBitmapPixels(*b, picture.Width, picture.Height, OnKeyColour(picture, GlyphKey));
    return b;
}

// Made into the slot (and into Form's field, when the slot has one).
template <class T>
T* Kept(TMainForm& Form, TSlot<T>& Slot, T* Made)
{
    Slot.Made = Made;
    if (Slot.Field)
        Slot.Field(Form) = Made;
    return Made;
}

TElToolBar* ToolBar(TMainForm* Form, TWinControl* Parent, const char* Name, TImageList* Images)
{
    TElToolBar* bar = MakeControl<TElToolBar>(Form, Parent, Name, 0, 0, 100, 26);
    bar->SetImages(Images);
    return bar;
}

// The look of a tool-bar or panel button, and its repeat while held down.
void GiveLook(TMainForm& Form, TCustomElGraphicButton* Button, uint8_t Look)
{
    if (Look & Looks::Switch) {
        Button->SetIsSwitch(true);
        Button->SetAllowAllUp(true);
    }
    if (Look & Looks::Down)
        Button->SetDown(true);
    if (Look & Looks::Flat)
        Button->SetFlat(true);
    Button->ShowHint = true;
    if (!(Look & Looks::Repeats))
        return;
    Button->OnMouseDown = [&Form](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        Form.SpeedButtonMouseDown(S, B, Sh, X, Y);
    };
    Button->OnMouseUp = [&Form](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
        Form.SpeedButton17MouseUp(S, B, Sh, X, Y);
    };
}

// The rows of Commands whose element stands on the component named Parent (the name Face(row)
// gives), ordered by Place(row).
template <class TFace, class TPlace>
std::vector<TCommand*> RowsOn(std::vector<TCommand>& Commands, const std::string& Parent, TFace Face, TPlace Place)
{
    std::vector<TCommand*> rows;
    for (TCommand& c : Commands)
        if (Face(c) == Parent)
            rows.push_back(&c);
    std::stable_sort(rows.begin(), rows.end(), [&](TCommand* a, TCommand* b) { return Place(*a) < Place(*b); });
    return rows;
}

// A top-down 32-bit bitmap whose fourth byte is the alpha of each pixel.
BITMAPV5HEADER AlphaBitmapHeader(int Size)
{
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
    return header;
}

void MakeToolBox(TMainForm& Form, TToolFace& Tool, TElToolBar* Bar)
{
    TElComboBox* box = Kept(Form, Tool.Box, MakeNamed<TElComboBox>(&Form, Tool.Box.Name.c_str()));
    box->SetStyle(TComboBoxStyle::csDropDownList);
    box->SetParent(Bar);
    box->SetWidth(Tool.BoxWidth);
    box->ShowHint = true;
    // Chosen from with the mouse; the keys belong to the window itself, which therefore keeps
    // the focus when it opens. (A window shown with the focus in one of its controls is put
    // above every other on the screen once it appears there, over the info window too, by
    // Wine's X11 driver without a window manager.)
    box->TabStop = false;
}

TElToolButton* MakeToolButton(TMainForm& Form, TCommand& Command, TElToolBar* Bar)
{
    TToolFace& tool = Command.Tool;
    TElToolButton* b = Kept(Form, tool.Button, MakeNamed<TElToolButton>(&Form, tool.Button.Name.c_str()));
    b->SetParent(Bar);
    b->SetImageIndex(ImageListIndex(Command.Glyph));
    // The palette buttons draw from pictures of their own, not from the bar's list.
    if (Command.Glyph.Set == TGlyph::TSet::Palette)
        b->SetGlyph(KeyedGlyph(Command.Glyph).get());
    if (tool.Group != 0)
        b->SetGroupIndex(tool.Group);
    GiveLook(Form, b, Command.Look);
    return b;
}

// The program's icon in one size, made from its picture.
TOwnedIcon MakeProgramIcon(int Size)
{
    const TGlyphPicture picture = DrawProgramIcon(Size);
    BITMAPV5HEADER header = AlphaBitmapHeader(Size);
    void* bits = nullptr;
    const TWindowDC screen(nullptr);
    TGdiObject<HBITMAP> colour(CreateDIBSection(screen.Handle(), reinterpret_cast<BITMAPINFO*>(&header),
                                                DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits)
        return nullptr;
    std::copy(picture.Pixels.begin(), picture.Pixels.end(), static_cast<uint32_t*>(bits));
    TGdiObject<HBITMAP> mask(CreateBitmap(Size, Size, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return TOwnedIcon(CreateIconIndirect(&info));
}

}  // namespace

TNotifyEvent TMainForm::On(void (TMainForm::*Handler)(TObject*))
{
    if (!Handler)
        return {};
    return [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
}

TNotifyEvent TMainForm::OnCommand(void (TMainForm::*Handler)(TObject*))
{
    if (!Handler)
        return {};
    return [this, Handler](TObject* Sender) {
        if (!BusyWorkRunning())
            (this->*Handler)(Sender);
    };
}

void TMainForm::CreateHandleDone()
{
    TForm::CreateHandleDone();
    // Made once; the system keeps showing them for as long as the program runs.
    static const TOwnedIcon big = MakeProgramIcon(GetSystemMetrics(SM_CXICON));
    static const TOwnedIcon small = MakeProgramIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
}

void TMainForm::CreateComponents()
{
    commands_ = MainCommandTable();
    CreateNonVisual();
    CreateMenus();
    CreateToolBars();
    CreateNavigator();
    CreateStatusPanel();
    // The captions and hints a window without a language file shows.
    for (const TCommand& command : commands_)
        ShowTexts(command, nullptr);
    WireEvents();
}

void TMainForm::CreateNonVisual()
{
    ImageList = MakeNamed<TImageList>(this, "ImageList");
    ImageList->SetSize(ToolGlyphSize, ToolGlyphSize);
    for (int i = 0; i < static_cast<int>(TToolGlyph::Count); ++i)
        AddPicture(ImageList, GlyphPicture(static_cast<TToolGlyph>(i)));
    ImageListCP = MakeNamed<TImageList>(this, "ImageListCP");
    ImageListCP->SetSize(ToolGlyphSize, ToolGlyphSize);
    for (int i = 0; i < static_cast<int>(TPaletteGlyph::Count); ++i)
        AddPicture(ImageListCP, GlyphPicture(static_cast<TPaletteGlyph>(i)));

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
    for (TCommand& command : commands_)
        if (!command.Menu.Item.Name.empty())
            MakeMenuItem(command);
    MenuBar = MakeNamed<TElMenuBar>(this, "MenuBar");
    MenuBar->SetParent(this);
    MenuBar->SetAlign(TAlign::alTop);
    MenuBar->SetMenu(ElMainMenu1);
}

void TMainForm::MakeMenuItem(TCommand& Command)
{
    // Its menu's row stands before it, so that menu is made already.
    TMenuItem* menu = ElMainMenu1->Items();
    if (!Command.Menu.Under.empty()) {
        const TCommand* row = MenuRow(commands_, Command.Menu.Under);
        menu = row ? row->Menu.Item.Get() : nullptr;
        if (!menu)
            throw EInvalidOperation(u"The menu of " + Utf8ToWide(Command.Menu.Item.Name) + u" is not made before it");
    }
    TElMenuItem* item =
        Kept(*this, Command.Menu.Item, MakeNamed<TElMenuItem>(this, Command.Menu.Item.Name.c_str()));
    item->SetShortCut(Command.ShortCut);
    item->SetImageIndex(ImageListIndex(Command.Glyph));
    item->OnClick = OnCommand(Command.OnClick);
    menu->Add(item);
    if (Command.Menu.RadioGroup != 0) {
        item->SetRadioItem(true);
        item->SetGroupIndex(Command.Menu.RadioGroup);
    }
    if (Command.Look & Looks::Checked)
        item->SetChecked(true);
}

void TMainForm::CreateToolBars()
{
    ControlBar = MakeControl<TControlBar>(this, this, "ControlBar", 0, 0, 800, 30);
    ControlBar->SetAlign(TAlign::alTop);
    for (TCommand& command : commands_)
        if (!command.ToolBar.Name.empty())
            MakeToolBarControls(Kept(*this, command.ToolBar,
                                     ToolBar(this, ControlBar, command.ToolBar.Name.c_str(), ImageList)));
    for (int32_t percent : ZoomPercents)
        ComboBoxZoom->Items()->Add(ZoomStepCaption(percent));
}

void TMainForm::MakeToolBarControls(TElToolBar* Bar)
{
    const auto face = [](const TCommand& c) { return c.Tool.Bar; };
    const auto place = [](const TCommand& c) { return c.Tool.Place; };
    for (TCommand* c : RowsOn(commands_, Bar->Name(), face, place)) {
        if (!c->Tool.Box.Name.empty())
            MakeToolBox(*this, c->Tool, Bar);
        else
            MakeToolButton(*this, *c, Bar)->OnClick = OnCommand(c->OnClick);
    }
}

void TMainForm::CreateNavigator()
{
    Navigator = MakeControl<TElPanel>(this, this, "Navigator", 0, 0, NavigatorWidth, 400);
    Navigator->SetAlign(TAlign::alLeft);
    Navigator->ShowCaption = false;
    Navigator->SetBevelOuter(TBevelCut::bvNone);
    MakePanelButtons(Navigator);
}

void TMainForm::MakePanelButtons(TElPanel* Panel)
{
    const auto face = [](const TCommand& c) { return c.Pad.Panel; };
    const auto place = [](const TCommand& c) { return std::pair{c.Pad.Place.Top, c.Pad.Place.Left}; };
    for (TCommand* c : RowsOn(commands_, Panel->Name(), face, place)) {
        const TRect& at = c->Pad.Place;
        const char* name = c->Pad.Button.Name.c_str();
        auto* b = Kept(*this, c->Pad.Button,
                       MakeControl<TElGraphicButton>(this, Panel, name, at.Left, at.Top, at.Width(), at.Height()));
        if (c->Glyph.Set != TGlyph::TSet::None)
            b->SetGlyph(KeyedGlyph(c->Glyph).get());
        b->OnClick = OnCommand(c->OnClick);
        GiveLook(*this, b, c->Look);
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
    MakePanelButtons(StatusPanel);

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
    StatusBar->OnDrawPanel = [this](TElStatusBar* Bar, TElStatusPanel* Panel, const TRect& Rect) {
        StatusBarPanelDraw(Bar, Panel, Rect);
    };
}
