// Drawing the scan: the layout of the drawing area, the paint timer that draws once per tick
// while a repaint is pending (or the data grid of a live GPS scan at every tick), and the
// window commands that change what is laid out: split screen, navigator, full screen and the
// info window. Nothing else draws; everything else only asks for a repaint (RequestRepaint).
#include "app/main.h"

#include "app/BusyWork.h"
#include "app/ScanPainting.h"
#include "app/ViewLayout.h"
#include "app/dlg_info.h"

#include "scan/files/TextIds.h"
#include "scan/files/globals.h"
#include "scan/render/DataGridView.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "shell/dlg_infodialog.h"

#include "framework/Application.h"
#include "framework/Colors.h"
#include "framework/Screen.h"
#include "framework/ValueKept.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int32_t DataGridInset = 2;

// Set while a paint tick draws (there is one main window, on the GUI thread); a tick that
// arrives meanwhile, from a message loop run inside the paint, does nothing.
bool paintInProgress = false;

int32_t HeightIfVisible(const TControl* Control)
{
    return Control && Control->Visible() ? Control->Height() : 0;
}

// Clears the drawing window to the settings' background colour (0x00BBGGRR).
void ClearToBackground(TScanImage& Image)
{
    const TColor background = GlobalSettings.BackgroundColor;
    Image.ClearView(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF, 0);
}

}  // namespace

void TMainForm::FormResize(TObject*)
{
    TLayoutInput in;
    in.ClientWidth = ClientWidth();
    in.ClientHeight = ClientHeight();
    in.NavigatorVisible = Navigator->Visible();
    in.NavigatorLeft = Navigator->Left();
    in.NavigatorWidth = Navigator->Width();
    in.MenuBarHeight = HeightIfVisible(MenuBar);
    in.ControlBarHeight = HeightIfVisible(ControlBar);
    in.StatusPanelHeight = HeightIfVisible(StatusPanel);
    in.SplitScreen = GlobalSettings.SplitScreen != 0;
    in.AxisXWidth = AxisX->Width();
    in.AxisYWidth = AxisY->Width();
    in.AxisZWidth = AxisZ->Width();
    const TViewLayout layout = ComputeLayout(in);
    AxisZ->SetLeft(layout.AxisZLeft);
    AxisY->SetLeft(layout.AxisYLeft);
    AxisX->SetLeft(layout.AxisXLeft);
    StatusBar->SetWidth(std::max(0, layout.StatusBarWidth));
    RequestRepaint();
    if (!session_.Image())
        return;
    views_.SetLayout(layout);
    // The drawing window covers exactly the area the scan may use: right of the navigator,
    // between the bars and the status panel.
    const TViewportRect& area = views_.ExportViewport();
    session_.Image()->SetDrawingArea(area.X, ClientHeight() - area.Y - area.Height, area.Width, area.Height);
}

void TMainForm::FormPaint(TObject*)
{
    RequestRepaint();
}

void TMainForm::FormShow(TObject*)
{
    if (Dialog_Info) {
        LayoutInfoWindow();
        Dialog_Info->MenuItem = MenuExtrasInfo;
        Dialog_Info->ToolButton = ToolButton_InfoWindow;
        Dialog_Info->SetLeft(GlobalSettings.InfoWindowLeft);
        Dialog_Info->SetTop(GlobalSettings.InfoWindowTop);
        Dialog_Info->SetVisible(GlobalSettings.InfoWindowVisible != 0);
        // A scan opened at the start (from the command line) was opened before the window
        // existed: it shows the scan's values from the start.
        UpdateScanInfo();
    }
    RequestRepaint();
}

namespace {

// Thrown from the answers of a build when the window closed meanwhile: the build ends, and the
// paint with it.
struct TPaintStopped {};

// A frame of a large list takes a while to draw even once it is built: between its views and
// the parts of its list the windows are answered (paints and what is sent to them; input waits
// for the frame's end) once this long has passed since the last answer.
constexpr auto FrameAnswerInterval = std::chrono::milliseconds(200);

}  // namespace

void TMainForm::TimerPaintTimer(TObject*)
{
    // The timer keeps running through a paint, so that its countdown goes on: the next tick
    // falls one interval after this one, or at once when the paint took longer (a tick comes
    // due only once however long the paint takes). Switching it off and on again would add
    // the whole interval to every frame. No paint starts inside another, nor once the window
    // is closing.
    if (!session_.Image() || paintInProgress || closing_)
        return;
    TScanImage& image = *session_.Image();
    const TValueKept<bool> painting(paintInProgress, true);
    if (LiveScan.DeviceIndex > -1 && LiveScan.OperatingMode == 4) {
        // The grid of a running GPS scan fills as readings come: drawn at every tick.
        ClearToBackground(image);
        const TViewportRect grid = InsetViewport(views_.Viewports()[MainViewport], DataGridInset);
        image.SetViewport(grid.X, grid.Y, grid.Width, grid.Height);
        PaintDataGrid();
        image.SwapBuffers();
        return;
    }
    if (!views_.TakeRepaintRequest())
        return;
    const bool rebuilds = image.Rebuild == 1 || (image.ScanData && image.ScanData->Changed == 1);
    try {
        // A list of a large scan takes a while to build: meanwhile the hourglass and the share
        // built show and the windows are answered, commands refused (their elements greyed
        // while the hourglass shows), and a close ends the build. What the paint messages
        // answered meanwhile ask of the drawing area the frame shown afterwards gives: they ask
        // for no frame after it.
        const TValueKept<uint8_t> noFrameAfter = views_.DropRepaintRequests();
        // The commands refused come back after the build's busy state has gone.
        struct TCommandsBack {
            std::function<void()> Enable;
            ~TCommandsBack()
            {
                if (Enable)
                    Enable();
            }
        } commandsBack;
        std::optional<TBusySteps> building;
        auto step = [&](int Percent) {
            // A paint answered may have drawn another OpenGL control (the chart's) and left its
            // context current; the list goes on in this one.
            if (building->Step(Percent)) {
                image.MakeCurrent();
                if (closing_)
                    throw TPaintStopped{};
            }
        };
        const TValueKept<std::function<void(int)>> progress(image.OnBuildProgress, [&](int Percent) {
            if (!building)
                building.emplace(StatusBar->Panels(4), GetText(Texts::BuildingSurface, u"Building the surface"),
                                 [&] { commandsBack.Enable = ShowCommandsRefused(); });
            step(Percent);
        });
        // Between the parts of a list and between the views the windows are answered: fully
        // while the build's busy state lasts (to the end of its frame), else their paints and
        // what is sent to them, five times a second.
        auto answered = std::chrono::steady_clock::now();
        auto answer = [&] {
            if (building) {
                step(-1);
            } else if (std::chrono::steady_clock::now() - answered >= FrameAnswerInterval) {
                Application->ProcessPaintMessages();
                image.MakeCurrent();
                answered = std::chrono::steady_clock::now();
            }
        };
        const TValueKept<std::function<void()>> betweenParts(image.BetweenListParts, answer);
        DrawViews([&] {
            // A surface in parts is large enough for its views' drawing to hold much memory at
            // once (see FinishDrawing); a small one draws faster with its views overlapping.
            if (image.ListParts() > 1)
                image.FinishDrawing();
            answer();
        });
    } catch (const TPaintStopped&) {
        return;  // the window is closing: no frame
    }
    image.SwapBuffers();
    if (rebuilds)
        ShowResolutionNotice();
}

void TMainForm::DrawViews(const std::function<void()>& BetweenViews)
{
    TScanImage& image = *session_.Image();
    ClearToBackground(image);
    TScanPaintInput input;
    input.Viewports = views_.Viewports();
    input.Scene = SceneViewport(ClientWidth(), ClientHeight(), HeightIfVisible(ControlBar));
    input.SplitScreen = GlobalSettings.SplitScreen != 0;
    input.ActiveView = views_.ActiveView();
    input.BetweenViews = BetweenViews;
    PaintScanViews(image, input, views_.States());
}

void TMainForm::ShowResolutionNotice()
{
    const TScanImage& image = *session_.Image();
    if (!image.SurfaceDrawn()) {
        // Nothing of the surface could be built: the scan stays open over an empty drawing
        // area, and the user is told once, for this build.
        surfaceNotice_.clear();
        SetValuePanelText(valuePanelOwn_);
        ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"),
                       GetText(Texts::SurfaceCannotBeDrawn,
                               u"The surface cannot be drawn: the memory left does not hold even a single cell of it."),
                       idbOK);
        return;
    }
    const std::optional<std::u16string> notice =
        SurfaceNoticeText(image.Resolution(), image.BuiltResolution(), image.BuiltStep());
    const std::u16string text = notice.value_or(u"");
    if (text == surfaceNotice_)
        return;
    surfaceNotice_ = text;
    SetValuePanelText(valuePanelOwn_);
}

std::function<void()> TMainForm::ShowCommandsRefused()
{
    std::vector<std::function<void()>> enableAgain;
    auto refuse = [&enableAgain](auto* Element) {
        if (Element && Element->Enabled()) {
            Element->SetEnabled(false);
            enableAgain.push_back([Element] { Element->SetEnabled(true); });
        }
    };
    for (const TCommand& command : commands_) {
        if (!command.Menu.Under.empty())  // the menus on the bar stay: they open, their items greyed
            refuse(command.Menu.Item.Get());
        refuse(command.Tool.Button.Get());
        refuse(command.Tool.Box.Get());
        refuse(command.Pad.Button.Get());
    }
    return [enableAgain = std::move(enableAgain)] {
        for (const std::function<void()>& enable : enableAgain)
            enable();
    };
}

void TMainForm::PaintDataGrid()
{
    if (TScanImage* image = session_.Image())
        PaintDataGridCells(DataGrid.get(), ColorManager, image->Sink());
}

void TMainForm::MenuExtrasSplitScreenClick(TObject*)
{
    MenuExtrasSplitScreen->SetChecked(!MenuExtrasSplitScreen->Checked());
    GlobalSettings.SplitScreen = MenuExtrasSplitScreen->Checked() ? 1 : 0;
    FormResize(nullptr);
    RequestRepaint();
}

void TMainForm::MenuExtrasNavigatorClick(TObject*)
{
    MenuExtrasNavigator->SetChecked(!MenuExtrasNavigator->Checked());
    Navigator->SetVisible(MenuExtrasNavigator->Checked());
    FormResize(nullptr);
}

void TMainForm::MenuExtrasFullscreenClick(TObject*)
{
    const bool full = !MenuExtrasFullscreen->Checked();
    MenuExtrasFullscreen->SetChecked(full);
    Navigator->SetVisible(!full);
    ControlBar->SetVisible(!full);
    StatusPanel->SetVisible(!full);
    if (full) {
        SetWindowState(TWindowState::wsMinimized);
        SetBorderStyle(TFormBorderStyle::bsNone);
        MenuBar->SetVisible(false);
    } else {
        SetBorderStyle(TFormBorderStyle::bsSizeable);
        MenuBar->SetVisible(true);
    }
    // Through minimised to maximised, so that the window comes back without a frame.
    SetWindowState(TWindowState::wsMaximized);
    if (TScanImage* image = session_.Image()) {
        image->Rebuild = 1;
        image->RecreateContext(Handle());
    }
    FormResize(nullptr);
}

void TMainForm::MenuExtrasInfoClick(TObject*)
{
    const bool show = !MenuExtrasInfo->Checked();
    MenuExtrasInfo->SetChecked(show);
    if (Dialog_Info) {
        if (show) {
            LayoutInfoWindow();
            Dialog_Info->Show();
        } else {
            Dialog_Info->Hide();
        }
        GlobalSettings.InfoWindowLeft = Dialog_Info->Left();
        GlobalSettings.InfoWindowTop = Dialog_Info->Top();
    }
    GlobalSettings.InfoWindowVisible = show ? 1 : 0;
    ToolButton_InfoWindow->SetDown(show);
}
