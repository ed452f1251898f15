// Forms, ownership, modal loops, timers and the exception barrier, with real windows.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include "support/gui_test.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gFreed;

template <class Base>
class Tracked : public Base {
public:
    Tracked(TComponent* owner, std::string tag) : Base(owner), tag_(std::move(tag)) {}
    ~Tracked() override { gFreed.push_back(tag_); }

private:
    std::string tag_;
};

class Box : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor Fill = clLime;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

class Spot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }
};

struct MessageBoxRecorder {
    struct Call {
        std::u16string Text, Caption;
        uint32_t Flags;
    };
    std::vector<Call> calls;
    MessageBoxRecorder()
    {
        MessageBoxSeam() = [this](const std::u16string& t, const std::u16string& c, uint32_t f) {
            calls.push_back({t, c, f});
            return IDOK;
        };
    }
    ~MessageBoxRecorder() { ResetDialogSeams(); }
};

TEST(Forms, FreeingAFormFreesEveryOwnedComponentAndWindow)
{
    gFreed.clear();
    auto* form = CreateComponent<Tracked<TForm>>(nullptr, "form");
    form->SetClientSize(300, 200);
    auto* outer = new Tracked<Box>(form, "outer");
    outer->SetParent(form);
    outer->SetBounds(10, 10, 200, 150);
    auto* inner = new Tracked<Box>(form, "inner");
    inner->SetParent(outer);
    inner->SetBounds(5, 5, 100, 100);
    auto* spot = new Tracked<Spot>(form, "spot");
    spot->SetParent(inner);
    spot->SetBounds(2, 2, 10, 10);
    auto* button = new Tracked<TButton>(form, "button");
    button->SetParent(inner);
    new Tracked<TTimer>(form, "timer");
    // A child control that the form does not own goes with its parent.
    auto* unowned = new Tracked<Box>(nullptr, "unowned");
    unowned->SetParent(outer);

    form->Show();
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const std::vector<HWND> windows{form->Handle(), outer->Handle(), inner->Handle(), button->Handle(),
                                    unowned->Handle()};
    for (HWND w : windows)
        EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(inner->Parent(), outer);
    EXPECT_EQ(GetParent(inner->Handle()), outer->Handle());

    Free(form);
    std::sort(gFreed.begin(), gFreed.end());
    EXPECT_EQ(gFreed, (std::vector<std::string>{"button", "form", "inner", "outer", "spot", "timer", "unowned"}));
    for (HWND w : windows)
        EXPECT_FALSE(IsWindow(w));
}

TEST(Forms, OnCreateRunsAfterTheConstructorAndOnDestroyWhileTheFormIsWhole)
{
    std::vector<std::string> log;
    struct Dialog : TForm {
        std::vector<std::string>* log;
        Box* box;
        explicit Dialog(std::vector<std::string>* l) : TForm(nullptr), log(l)
        {
            box = new Box(this);
            box->SetParent(this);
            OnCreate = [this](TObject*) { log->push_back(box->IsLoading() ? "create:loading" : "create:loaded"); };
            OnDestroy = [this](TObject*) { log->push_back(box->Parent() == this ? "destroy:whole" : "destroy:torn"); };
        }
    };
    auto* d = CreateComponent<Dialog>(&log);
    Free(d);
    EXPECT_EQ(log, (std::vector<std::string>{"create:loaded", "destroy:whole"}));
}

TEST(Forms, ShowModalEndedThroughTheSeamReturnsEachResultAndEnablesTheOwnerAgain)
{
    TOwned<TForm> owner(CreateComponent<TForm>(nullptr));
    owner->Show();
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    for (TModalResult wanted : {mrOk, mrCancel, mrYes, mrNo, mrAbort}) {
        TOwned<TForm> dialog(CreateComponent<TForm>(owner.get()));
        dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
        dialog->Position = TPosition::poOwnerFormCenter;
        bool ownerDisabledDuringLoop = false;
        bool dialogShown = false;
        ModalDialogHook() = [&](TCustomForm* f) {
            ownerDisabledDuringLoop = !IsWindowEnabled(owner->Handle());
            dialogShown = f == dialog.get() && IsWindowVisible(f->Handle()) && f->Visible();
            f->SetModalResult(wanted);
        };
        EXPECT_EQ(dialog->ShowModal(), wanted);
        ModalDialogHook() = nullptr;
        EXPECT_TRUE(ownerDisabledDuringLoop);
        EXPECT_TRUE(dialogShown);
        EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
        EXPECT_FALSE(dialog->Visible());
        EXPECT_FALSE(dialog->IsModal());
    }
}

TEST(Forms, ModalButtonsSetTheResultBeforeOnClickAndTimersTickInTheModalLoop)
{
    TOwned<TForm> owner(CreateComponent<TForm>(nullptr));
    owner->Show();
    TOwned<TForm> dialog(CreateComponent<TForm>(owner.get()));
    auto* ok = new TButton(dialog.get());
    ok->SetParent(dialog.get());
    ok->ModalResult = mrOk;
    int clicksTakenBack = 0;
    ok->OnClick = [&](TObject*) {
        // The first click is refused by its handler: the dialog stays open.
        if (clicksTakenBack++ == 0)
            dialog->SetModalResult(mrNone);
    };
    auto* timer = new TTimer(owner.get());
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 3 || ticks == 6)
            PostMessageW(ok->Handle(), BM_CLICK, 0, 0);  // a real click through the system button
        if (ticks == 300)
            dialog->SetModalResult(mrAbort);  // the clicks never arrived: end the test, not hang
    };
    ModalDialogHook() = nullptr;
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(clicksTakenBack, 2);
    EXPECT_GE(ticks, 6);
}

TEST(Forms, CloseQueryAndCloseActionGovernClosing)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
    TCloseAction chosen = TCloseAction::caHide;
    form->OnClose = [&](TObject*, TCloseAction& a) { a = chosen; };
    form->Show();
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_TRUE(form->Visible());
    allow = true;
    chosen = TCloseAction::caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    chosen = TCloseAction::caHide;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));

    // caFree releases the form once the waiting messages are handled.
    gFreed.clear();
    auto* released = CreateComponent<Tracked<TForm>>(nullptr, "released");
    released->OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caFree; };
    released->Show();
    released->Close();
    EXPECT_TRUE(PumpUntil([] { return !gFreed.empty(); }));
    EXPECT_EQ(gFreed, std::vector<std::string>{"released"});
}

TEST(Timers, ATimerTicksIsDisabledAndStops)
{
    TOwned<TTimer> timer(new TTimer(nullptr));
    int ticks = 0;
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer.get());
        ++ticks;
    };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer->SetEnabled(false);
    const int atStop = ticks;
    // A second timer of the same interval shows how long the first has been silent.
    TimerWitness witness(10);
    ASSERT_TRUE(PumpUntil(witness.Ticked(5)));
    EXPECT_EQ(ticks, atStop);
    // Switched on again with a new handler, it ticks into the new one.
    int second = 0;
    timer->OnTimer = [&](TObject*) { ++second; };
    timer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return second >= 2; }));
    EXPECT_EQ(ticks, atStop);
}

TEST(ExceptionBarrier, AnExceptionInAClickHandlerReachesHandleExceptionAndTheLoopGoesOn)
{
    MessageBoxRecorder boxes;
    Application->Title = u"Lorvane 3D";
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        if (++clicks == 1)
            throw EFOpenError::ForFile(u"C:\\missing.dmo");
    };
    form->Show();
    // The click arrives through the system button's own procedure and a WM_COMMAND it sends
    // to the form: system frames lie between the throw and the loop.
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !boxes.calls.empty(); }));
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].Text, u"Datei C:\\missing.dmo kann nicht geöffnet werden.");
    EXPECT_EQ(boxes.calls[0].Caption, u"Lorvane 3D");
    EXPECT_EQ(boxes.calls[0].Flags, static_cast<uint32_t>(MB_OK | MB_ICONERROR));
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
    EXPECT_EQ(boxes.calls.size(), 1u);

    // A timer callback is a system entry too.
    TOwned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(5);
    timer->OnTimer = [&](TObject*) {
        timer->SetEnabled(false);
        throw std::runtime_error("tick failed");
    };
    EXPECT_TRUE(PumpUntil([&] { return boxes.calls.size() == 2; }));
    EXPECT_EQ(boxes.calls[1].Text, u"tick failed.");
}

TEST(Controls, AlignmentVisibilityAndWindowlessChildren)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetClientSize(300, 200);
    auto* top = new Box(form.get());
    top->SetParent(form.get());
    top->SetHeight(30);
    top->SetAlign(TAlign::alTop);
    auto* left = new Box(form.get());
    left->SetParent(form.get());
    left->SetWidth(50);
    left->SetAlign(TAlign::alLeft);
    auto* client = new Box(form.get());
    client->SetParent(form.get());
    client->SetAlign(TAlign::alClient);
    form->Show();
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 300, 30}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 30, 50, 200}));
    EXPECT_EQ(client->BoundsRect(), (TRect{50, 30, 300, 200}));
    form->SetClientSize(400, 250);
    EXPECT_TRUE(PumpUntil([&] { return client->BoundsRect() == TRect{50, 30, 400, 250}; }))
        << "the client control follows the form";
    // A hidden aligned control gives its strip back.
    top->Hide();
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 0, 50, 250}));
    EXPECT_FALSE(IsWindowVisible(top->Handle()));
    top->Show();

    // Switching redraw off does not make a control invisible.
    SendMessageW(client->Handle(), WM_SETREDRAW, FALSE, 0);
    EXPECT_TRUE(client->Visible());
    EXPECT_TRUE(client->IsShowing());
    SendMessageW(client->Handle(), WM_SETREDRAW, TRUE, 0);

    // A windowless child is painted by its parent and gets its parent's mouse messages.
    auto* spot = new Spot(form.get());
    spot->SetParent(client);
    spot->SetBounds(20, 20, 16, 16);
    int spotClicks = 0, clientClicks = 0;
    spot->OnClick = [&](TObject*) { ++spotClicks; };
    client->OnClick = [&](TObject*) { ++clientClicks; };
    RedrawWindow(client->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const auto pixels = l3d::testing::ReadClientPixels(client->Handle(), RECT{0, 0, 60, 60});
    EXPECT_TRUE(l3d::testing::ColorNear(pixels.At(25, 25), 0x0000FF, 0));  // blue spot (0xRRGGBB)
    EXPECT_TRUE(l3d::testing::ColorNear(pixels.At(5, 5), 0x00FF00, 0));    // lime box
    PostMessageW(client->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
    PostMessageW(client->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 25));
    PostMessageW(client->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(client->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_EQ(spotClicks, 1);
    EXPECT_EQ(clientClicks, 1);
}

TEST(Forms, ClientSizePositionAndWindowStateHoldBeforeAndAfterTheWindowExists)
{
    TOwned<TForm> owner(CreateComponent<TForm>(nullptr));
    owner->SetBounds(100, 100, 400, 300);
    owner->Show();
    TOwned<TForm> dialog(CreateComponent<TForm>(owner.get()));
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    dialog->SetClientSize(200, 100);  // before the window exists
    dialog->Position = TPosition::poOwnerFormCenter;
    dialog->Show();
    RECT client{};
    GetClientRect(dialog->Handle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(dialog->ClientWidth(), 200);
    const TRect o = owner->BoundsRect(), d = dialog->BoundsRect();
    EXPECT_NEAR(d.Left + d.Width() / 2, o.Left + o.Width() / 2, 1);
    EXPECT_NEAR(d.Top + d.Height() / 2, o.Top + o.Height() / 2, 1);
    // Dialogs stay above the form that owns them.
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), owner->Handle());

    owner->SetWindowState(TWindowState::wsMaximized);
    EXPECT_TRUE(PumpUntil([&] { return owner->WindowState() == TWindowState::wsMaximized; }));
    EXPECT_TRUE(IsZoomed(owner->Handle()));
    owner->SetWindowState(TWindowState::wsNormal);
    EXPECT_TRUE(PumpUntil([&] { return owner->WindowState() == TWindowState::wsNormal; }));
    EXPECT_FALSE(IsZoomed(owner->Handle()));
    owner->SetCaption(u"Sc\u00e4n \u05d0");
    wchar_t text[32] = {};
    GetWindowTextW(owner->Handle(), text, 32);
    EXPECT_EQ(std::wstring(text), L"Sc\u00e4n \u05d0");
}

TEST(Forms, BorderStyleAndStayOnTopChangeOnAShownForm)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetClientSize(200, 100);
    form->Show();
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_CAPTION));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form->SetFormStyle(TFormStyle::fsNormal);
    EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(128);
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
