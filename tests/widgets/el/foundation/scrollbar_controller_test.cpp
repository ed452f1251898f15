// Replacement scroll bars on real windows: a control of our own that sets its scroll state
// through the scroll functions, wrapped system LISTBOX and EDIT windows that change their bars
// by themselves, and a sizeable form. Pixels, hit tests, the scroll messages that clicks, drags
// and wheel turns produce, range changes, drawing around scrolls, and the standard bars once the
// replacement is off.
#include "widgets/el/foundation/ElSBController.h"

#include "widgets/el/foundation/ElScrollHook.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "support/gui_test.h"
#include "support/pump.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Bitmap.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadWindowPixels;

struct ScrollMsg {
    UINT Msg;
    int Code;
    int Pos;
    friend bool operator==(const ScrollMsg&, const ScrollMsg&) = default;
};
using Scrolls = std::vector<ScrollMsg>;

std::string Describe(const Scrolls& s)
{
    std::string out;
    for (const ScrollMsg& m : s)
        out += (m.Msg == WM_VSCROLL ? "V" : "H") + std::to_string(m.Code) + ":" + std::to_string(m.Pos) + " ";
    return out;
}

// A control of our own with both bars: it records its scroll messages and moves its position as
// scrolling controls do, through SetScrollInfo.
class TScrollTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    Scrolls Received;
    int RedrawOffWhileScrolling = 0;
    bool ThrowOnScroll = false;
    // Set: a line down is handled by sending itself the position it leads to.
    bool LineDownAsPosition = false;
    int Paints = 0;

    void SetRange(int Bar, int Max, int Page, int Pos = 0)
    {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, Max, static_cast<UINT>(Page), Pos, 0};
        SetScrollInfo(Handle(), Bar, &si, TRUE);
    }
    void WndProc(TMessage& M) override
    {
        if (M.Msg != WM_VSCROLL && M.Msg != WM_HSCROLL) {
            TCustomControl::WndProc(M);
            return;
        }
        const int code = LOWORD(M.WParam), bar = M.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        Received.push_back({static_cast<UINT>(M.Msg), code, static_cast<int>(HIWORD(M.WParam))});
        RedrawOffWhileScrolling += IsWindowVisible(Handle()) ? 0 : 1;
        if (ThrowOnScroll)
            throw std::runtime_error("scroll handler failed");
        if (LineDownAsPosition && code == SB_LINEDOWN) {
            SendMessageW(Handle(), M.Msg, MAKEWPARAM(SB_THUMBPOSITION, GetScrollPos(Handle(), bar) + 1), 0);
            return;
        }
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), bar, &si);
        const int moves[] = {-1, 1, -static_cast<int>(si.nPage), static_cast<int>(si.nPage)};
        if (code <= SB_PAGEDOWN)
            si.nPos += moves[code];
        else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
            si.nPos = HIWORD(M.WParam);
        else
            return;
        si.fMask = SIF_POS;
        SetScrollInfo(Handle(), bar, &si, TRUE);
    }

protected:
    void CreateParams(TCreateParams& P) override
    {
        TCustomControl::CreateParams(P);
        P.Style |= WS_HSCROLL | WS_VSCROLL | WS_BORDER;
    }
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
    }
};

// A system window (LISTBOX, EDIT) wrapped by the framework; it records its WM_VSCROLL.
class TWrappedSystem : public TWinControl {
public:
    TWrappedSystem(TComponent* AOwner, std::u16string Class, DWORD Style)
        : TWinControl(AOwner), class_(std::move(Class)), style_(Style)
    {
    }
    Scrolls Received;
    int TopIndex() { return static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)); }
    void Add(int Count)
    {
        for (int i = 0; i < Count; ++i)
            SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    }
    void WndProc(TMessage& M) override
    {
        if (M.Msg == WM_VSCROLL)
            Received.push_back({WM_VSCROLL, LOWORD(M.WParam), HIWORD(M.WParam)});
        TWinControl::WndProc(M);
    }

protected:
    void CreateParams(TCreateParams& P) override
    {
        TWinControl::CreateParams(P);
        P.SystemClassName = class_;
        P.Style |= WS_VSCROLL | WS_BORDER | style_;
    }

private:
    std::u16string class_;
    DWORD style_;
};

// A sizeable form with both scroll styles of its own.
class TScrollingForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& P) override
    {
        TForm::CreateParams(P);
        P.Style |= WS_HSCROLL | WS_VSCROLL;
    }
};

struct ClassicPainting {
    explicit ClassicPainting(bool On) { ElUxTheme().SetForceClassic(On); }
    ~ClassicPainting() { ElUxTheme().SetForceClassic(false); }
};

constexpr TColor kBarColor = 0x0000C8;    // RGB(200, 0, 0)
constexpr TColor kArrowColor = 0xFF0000;  // RGB(0, 0, 255)
constexpr uint32_t kBarPixel = 0xC80000, kArrowPixel = 0x0000FF;

class SBControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallScrollHook());
        form.reset(CreateComponent<TForm>(nullptr));
        form->SetBounds(30, 30, 420, 320);
        form->Show();
    }
    void TearDown() override
    {
        form.reset();
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    }
    // Everything posted so far handled and every window painted.
    static void Settle()
    {
        EXPECT_TRUE(Settled());
    }

    TElSBController* Attach(TWinControl* Control, TRect Bounds)
    {
        Control->SetParent(form.get());
        Control->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        auto* c = new TElSBController(form.get());
        c->SetControl(Control);
        Settle();
        return c;
    }
    // 200 x 150 with a vertical range 0..99 (page 10) and a horizontal 0..49 (page 20), both at 5.
    TScrollTarget* AddTarget(TElSBController*& Controller)
    {
        auto* t = new TScrollTarget(form.get());
        t->SetParent(form.get());
        t->SetRange(SB_VERT, 99, 10, 5);
        t->SetRange(SB_HORZ, 49, 20, 5);
        Controller = Attach(t, Bounds(10, 10, 200, 150));
        wnd = t->Handle();
        return t;
    }
    TWrappedSystem* AddList(TElSBController*& Controller)
    {
        auto* l = new TWrappedSystem(form.get(), u"LISTBOX", LBS_NOINTEGRALHEIGHT | LBS_NOTIFY);
        Controller = Attach(l, Bounds(220, 10, 150, 120));
        wnd = l->Handle();
        return l;
    }

    // A point given in a bar's own coordinates, on the screen and in the client area.
    LPARAM ScreenAt(const TElSBHandlerCustom& Bar, int X, int Y) const
    {
        RECT w{};
        GetWindowRect(wnd, &w);
        return MAKELPARAM(w.left + Bar.BarRect().Left + X, w.top + Bar.BarRect().Top + Y);
    }
    LPARAM ClientAt(const TElSBHandlerCustom& Bar, int X, int Y) const
    {
        POINT p{GET_X_LPARAM(ScreenAt(Bar, X, Y)), GET_Y_LPARAM(ScreenAt(Bar, X, Y))};
        ScreenToClient(wnd, &p);
        return MAKELPARAM(p.x, p.y);
    }
    // The mouse as the system delivers it: the press in the frame, then (the control holding the
    // mouse) moves and the release in client coordinates.
    void Post(UINT Msg, const TElSBHandlerCustom& Bar, int Along)
    {
        const int x = Bar.Vertical() ? 8 : Along, y = Bar.Vertical() ? Along : 8;
        if (Msg == WM_NCLBUTTONDOWN)
            PostMessageW(wnd, Msg, Bar.Vertical() ? HTVSCROLL : HTHSCROLL, ScreenAt(Bar, x, y));
        else
            PostMessageW(wnd, Msg, Msg == WM_MOUSEMOVE ? MK_LBUTTON : 0, ClientAt(Bar, x, y));
        Settle();
    }
    void Click(const TElSBHandlerCustom& Bar, int Along)
    {
        Post(WM_NCLBUTTONDOWN, Bar, Along);
        Post(WM_LBUTTONUP, Bar, Along);
    }
    Pixels BarPixels(const TElSBHandlerCustom& Bar) const
    {
        const TRect& r = Bar.BarRect();
        return ReadWindowPixels(wnd, RECT{r.Left, r.Top, r.Right, r.Bottom});
    }
    static void Colour(TElCtrlScrollBarStyles& Bar)
    {
        Bar.SetColor(kBarColor);
        Bar.SetArrowColor(kArrowColor);
    }
    // The first arrow button shows the bar's own colours (an arrow that can act).
    bool ShowsOwnArrow(const TElSBHandlerCustom& Bar) const
    {
        const Pixels px = BarPixels(Bar);
        int fill = 0, arrow = 0;
        for (int y = 0; y < 17 && y < px.height; ++y)
            for (int x = 0; x < 17 && x < px.width; ++x) {
                fill += ColorNear(px.At(x, y), kBarPixel) ? 1 : 0;
                arrow += px.At(x, y) == kArrowPixel ? 1 : 0;
            }
        return fill > 100 && arrow > 0;
    }

    TOwned<TForm> form;
    HWND wnd = nullptr;
};

TEST_F(SBControllerTest, ACustomControlShowsOwnBarsWhereTheStandardOnesWereAndTheStandardOnesWhenOff)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    ASSERT_TRUE(c->IsHooked());
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    Colour(v);
    Colour(h);
    // The client keeps the room the standard bars had; the bars lie right of and below it.
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - 17);
    EXPECT_EQ(client.bottom, 150 - 2 - 17);
    EXPECT_EQ(c->NonClientInsets().Left, 1);
    EXPECT_EQ(v.BarRect(), (TRect{1 + client.right, 1, 1 + client.right + 17, 1 + client.bottom}));
    EXPECT_EQ(h.BarRect(), (TRect{1, 1 + client.bottom, 1 + client.right, 1 + client.bottom + 17}));
    EXPECT_TRUE(ShowsOwnArrow(v));
    EXPECT_TRUE(ShowsOwnArrow(h));
    // The thumb: page 10 of 100 over the track between the arrows, at position 5 of 90.
    const TRect thumb = v.PartRect(sbpThumb);
    const int track = v.BarRect().Height() - 34;
    EXPECT_EQ(thumb.Height(), std::max(12, MulDiv(track, 10, 100)));
    EXPECT_EQ(thumb.Top, 17 + MulDiv(track - thumb.Height(), 5, 90));
    EXPECT_TRUE(ColorNear(BarPixels(v).At(8, thumb.Top + thumb.Height() / 2), kBarPixel));

    // Replacement off: the default procedure measures and draws the standard bars again.
    c->SetControl(nullptr);
    Settle();
    EXPECT_FALSE(ShowsOwnArrow(v));
    EXPECT_FALSE(ShowsOwnArrow(h));
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - GetSystemMetrics(SM_CXVSCROLL));
    // Without the scroll-function hook the controller does not take the control at all.
    UninstallScrollHook();
    c->SetControl(t);
    EXPECT_FALSE(c->IsHooked());
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(ShowsOwnArrow(v));
    ASSERT_TRUE(InstallScrollHook());
    c->SetControl(nullptr);
    c->SetControl(t);
    Settle();
    EXPECT_TRUE(ShowsOwnArrow(v));
}

TEST_F(SBControllerTest, AWrappedListBoxShowsOwnBarsThatFollowItsItemsItsKeysAndItsWheel)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TWrappedSystem* l = AddList(c);
    ASSERT_TRUE(c->IsHooked());
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);
    // The list box changes its bars without the scroll functions: the bar reads them again.
    l->Add(50);
    Settle();
    ASSERT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(v.Max(), 49);
    const int firstThumb = v.ThumbLength();
    SendMessageW(wnd, LB_SETTOPINDEX, 3, 0);
    EXPECT_EQ(v.Position(), 3);
    l->Add(150);
    Settle();
    EXPECT_EQ(v.Max(), 199);
    EXPECT_LT(v.ThumbLength(), firstThumb);
    EXPECT_TRUE(ShowsOwnArrow(v)) << "the list box drew its own bar over the replacement";
    const TRect thumb = v.PartRect(sbpThumb);
    EXPECT_TRUE(ColorNear(BarPixels(v).At(8, thumb.Top + thumb.Height() / 2), kBarPixel));
    // A key scrolls back to the caret (near the first item); the wheel scrolls down again.
    l->SetFocus();
    PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
    Settle();
    EXPECT_LT(l->TopIndex(), 3);
    EXPECT_EQ(v.Position(), l->TopIndex());
    SendMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(300, 100));
    EXPECT_GT(l->TopIndex(), 1);
    EXPECT_EQ(v.Position(), l->TopIndex());
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_F(SBControllerTest, TheListBoxScrollsByClicksAndFollowsTheThumbWhileItIsDragged)
{
    TElSBController* c = nullptr;
    TWrappedSystem* l = AddList(c);
    l->Add(100);
    Settle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Click(v, v.BarRect().Height() - 8);
    EXPECT_EQ(l->TopIndex(), 1);
    EXPECT_EQ(v.Position(), 1);
    EXPECT_EQ(l->Received, (Scrolls{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}));
    // The system list box takes a track position from its own bar, not from the message.
    const TRect thumb = v.PartRect(sbpThumb);
    const int grab = thumb.Top + thumb.Height() / 2;
    Post(WM_NCLBUTTONDOWN, v, grab);
    Post(WM_MOUSEMOVE, v, grab + 30);
    const int during = l->TopIndex();
    EXPECT_GT(during, 1);
    EXPECT_EQ(v.Position(), during);
    Post(WM_LBUTTONUP, v, grab + 30);
    EXPECT_EQ(l->TopIndex(), during);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SBControllerTest, AWrappedEditsBarFollowsItsTextAndTyping)
{
    const ClassicPainting classic(true);
    auto* m = new TWrappedSystem(form.get(), u"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
    TElSBController* c = Attach(m, Bounds(220, 140, 150, 100));
    wnd = m->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);
    std::wstring text;
    for (int i = 0; i < 40; ++i)
        text += L"line\r\n";
    SetWindowTextW(wnd, text.c_str());
    Settle();
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(wnd, SB_VERT, &si);
    ASSERT_GT(si.nMax, 30);
    EXPECT_EQ(v.Max(), si.nMax);
    EXPECT_EQ(v.Page(), static_cast<int>(si.nPage));
    // Typing at the end scrolls the edit; the bar follows without any call of ours.
    SetFocus(wnd);
    SendMessageW(wnd, EM_SETSEL, text.size(), text.size());
    PostMessageW(wnd, WM_CHAR, L'x', 0);
    Settle();
    GetScrollInfo(wnd, SB_VERT, &si);
    EXPECT_GT(si.nPos, 0);
    EXPECT_EQ(v.Position(), si.nPos);
    EXPECT_TRUE(ShowsOwnArrow(v));
}

TEST_F(SBControllerTest, ClicksAndWheelTurnsSendScrollMessagesWithDrawingOffMeanwhile)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    Click(v, v.BarRect().Height() - 8);          // down arrow: the control's own line step
    Click(v, v.PartRect(sbpThumb).Bottom + 3);  // below the thumb: a page, as a position
    Click(h, 8);                                // left arrow
    c->HandleWheel = true;
    PostMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    Settle();
    // The wheel: three lines a notch (the system's setting), then the end of the scroll.
    const ScrollMsg line{WM_VSCROLL, SB_LINEDOWN, 0}, end{WM_VSCROLL, SB_ENDSCROLL, 0};
    EXPECT_EQ(t->Received, (Scrolls{line, end, {WM_VSCROLL, SB_THUMBPOSITION, 16}, end, {WM_HSCROLL, SB_LINEUP, 0},
                                    {WM_HSCROLL, SB_ENDSCROLL, 0}, line, line, line, end}))
        << Describe(t->Received);
    EXPECT_EQ(v.Position(), 19);
    EXPECT_EQ(h.Position(), 4);
    // Every moving message ran with drawing off, and drawing is on again.
    EXPECT_EQ(t->RedrawOffWhileScrolling, 6);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
    EXPECT_EQ(GetCapture(), nullptr);
    // A move repaints the control and its windowed children once drawing is on again; a scroll
    // message that moves nothing only switches drawing on.
    auto* child = new TCustomControl(form.get());
    child->SetParent(t);
    child->SetBounds(5, 5, 30, 30);
    Settle();
    auto pending = [](HWND w) { return GetUpdateRect(w, nullptr, FALSE) != FALSE; };
    SendMessageW(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(pending(wnd) && pending(child->Handle()));
    t->SetRange(SB_VERT, 99, 10, 0);
    Settle();
    SendMessageW(wnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_FALSE(pending(wnd) || pending(child->Handle()));
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
}

TEST_F(SBControllerTest, AControlThatScrollsItselfWhileScrollingPaintsAgainAfterwards)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    t->LineDownAsPosition = true;
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Click(v, v.BarRect().Height() - 8);  // the down arrow
    EXPECT_EQ(t->Received, (Scrolls{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_THUMBPOSITION, 6},
                                    {WM_VSCROLL, SB_ENDSCROLL, 0}}))
        << Describe(t->Received);
    EXPECT_EQ(t->RedrawOffWhileScrolling, 2);
    EXPECT_EQ(v.Position(), 6);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
    const int paints = t->Paints;
    InvalidateRect(wnd, nullptr, FALSE);
    Settle();
    EXPECT_GT(t->Paints, paints) << "the control no longer paints";
}

TEST_F(SBControllerTest, DraggingTheThumbTracksTheControlAndSnapsBackFarOffTheBar)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TRect thumb = v.PartRect(sbpThumb);
    const int grab = thumb.Top + thumb.Height() / 2;
    auto positionAt = [&](int moved) {
        return MulDiv(thumb.Top + moved - 17, 90, v.BarRect().Height() - 34 - thumb.Height());
    };
    Post(WM_NCLBUTTONDOWN, v, grab);
    EXPECT_EQ(GetCapture(), wnd);
    Post(WM_MOUSEMOVE, v, grab + 20);
    EXPECT_EQ(v.PartRect(sbpThumb).Top, thumb.Top + 20);
    Post(WM_MOUSEMOVE, v, grab + 40);
    Post(WM_MOUSEMOVE, v, v.BarRect().Height() * 2);  // far off: back to the start
    EXPECT_EQ(v.PartRect(sbpThumb).Top, thumb.Top);
    Post(WM_MOUSEMOVE, v, grab + 30);
    Post(WM_LBUTTONUP, v, grab + 30);
    // The control followed each track; the release finds it where the thumb is.
    EXPECT_EQ(t->Received, (Scrolls{{WM_VSCROLL, SB_THUMBTRACK, positionAt(20)}, {WM_VSCROLL, SB_THUMBTRACK, positionAt(40)},
                                    {WM_VSCROLL, SB_THUMBTRACK, 5}, {WM_VSCROLL, SB_THUMBTRACK, positionAt(30)}}))
        << Describe(t->Received);
    EXPECT_EQ(GetScrollPos(wnd, SB_VERT), positionAt(30));
    EXPECT_FALSE(v.Tracking());
    EXPECT_EQ(v.TrackPosition(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SBControllerTest, HoldingThePageAreaRepeatsUntilTheThumbReachesThePointer)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const int y = v.BarRect().Height() * 2 / 3;
    const LPARAM at = ScreenAt(v, 8, y);
    SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
    Post(WM_NCLBUTTONDOWN, v, y);
    ASSERT_TRUE(PumpUntil([&] { return v.PartRect(sbpThumb).Bottom > y; }));
    const size_t steps = t->Received.size();
    {
        const TimerWitness repeatWouldHaveTicked(1000);  // no repeat waits longer
        ASSERT_TRUE(PumpUntil(repeatWouldHaveTicked.Ticked(2)));
    }
    EXPECT_EQ(t->Received.size(), steps) << Describe(t->Received);
    Post(WM_LBUTTONUP, v, y);
    EXPECT_LE(v.PartRect(sbpThumb).Top, y);
    EXPECT_GT(v.PartRect(sbpThumb).Bottom, y);
    // Page steps as positions, ten apart, none once the thumb is under the pointer.
    ASSERT_GE(t->Received.size(), 3u) << Describe(t->Received);
    for (size_t i = 0; i + 1 < t->Received.size(); ++i)
        EXPECT_EQ(t->Received[i], (ScrollMsg{WM_VSCROLL, SB_THUMBPOSITION, 15 + 10 * static_cast<int>(i)}));
    EXPECT_EQ(t->Received.back(), (ScrollMsg{WM_VSCROLL, SB_ENDSCROLL, 0}));
}

TEST_F(SBControllerTest, HitTestsAnswerForTheBarsAndASizeableFormShowsItsSizeGrip)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(v, 0, 0)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(v, 16, v.BarRect().Height() - 1)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(h, h.BarRect().Width() - 1, 16)), HTHSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(h, 5, -5)), HTCLIENT);
    // A control's corner square is a plain face, no grip.
    const COLORREF face = ColorToRGB(clBtnFace);
    const uint32_t facePixel = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const TRect& vr = v.BarRect();
    for (uint32_t px : ReadWindowPixels(wnd, RECT{vr.Left, vr.Bottom, vr.Right, h.BarRect().Bottom}).data)
        EXPECT_EQ(px, facePixel);

    // A sizeable form with bars of its own: the corner is its size grip, on either side.
    for (const bool leftBar : {false, true}) {
        TOwned<TScrollingForm> f(CreateComponent<TScrollingForm>(nullptr));
        f->SetBounds(60, 60, 300, 220);
        f->Show();
        const HWND fw = f->Handle();
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 99, 10, 0, 0};
        SetScrollInfo(fw, SB_VERT, &si, TRUE);
        SetScrollInfo(fw, SB_HORZ, &si, TRUE);
        if (leftBar)
            SetWindowLongW(fw, GWL_EXSTYLE, GetWindowLongW(fw, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
        TElSBController fc(nullptr);
        fc.SetControl(f.get());
        Settle();
        const TRect& fv = fc.VertScrollBarStyles()->BarRect();
        const TRect& fh = fc.HorzScrollBarStyles()->BarRect();
        RECT client{}, window{};
        GetClientRect(fw, &client);
        MapWindowPoints(fw, nullptr, reinterpret_cast<POINT*>(&client), 2);
        GetWindowRect(fw, &window);
        EXPECT_EQ(fv.Left, leftBar ? client.left - window.left - 17 : client.right - window.left);
        EXPECT_EQ(fh.Left, client.left - window.left);
        auto hit = [&](int x, int y) { return SendMessageW(fw, WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y)); };
        EXPECT_EQ(hit(fv.Left + 8, fh.Top + 8), leftBar ? HTBOTTOMLEFT : HTBOTTOMRIGHT);
        EXPECT_EQ(hit(fv.Left + 8, fv.Top + 30), HTVSCROLL);
        int notFace = 0;
        for (uint32_t px : ReadWindowPixels(fw, RECT{fv.Left, fh.Top, fv.Right, fh.Bottom}).data)
            notFace += px != facePixel ? 1 : 0;
        EXPECT_GT(notFace, 10) << "no size grip drawn";
        fc.SetControl(nullptr);
    }
}

TEST_F(SBControllerTest, BarsFollowTheControlsRangesAndComeBackOnEveryFramePaint)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    Colour(v);
    Colour(h);
    // A longer range gives a shorter thumb, painted where the model puts it.
    t->SetRange(SB_VERT, 19, 10, 5);
    const int before = v.ThumbLength();
    t->SetRange(SB_VERT, 299, 10, 150);
    EXPECT_LT(v.ThumbLength(), before);
    const TRect thumb = v.PartRect(sbpThumb);
    EXPECT_TRUE(ColorNear(BarPixels(v).At(8, thumb.Top + thumb.Height() / 2), kBarPixel));
    EXPECT_FALSE(ColorNear(BarPixels(v).At(8, thumb.Top - 3), kBarPixel));

    // Nothing to scroll: the bar goes and the client takes its room; then it comes back.
    const int horzLength = h.BarRect().Width();
    t->SetRange(SB_VERT, 0, 0);
    Settle();
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_VSCROLL);
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(h, horzLength + 5, 8)), HTHSCROLL);
    t->SetRange(SB_VERT, 99, 10, 5);
    Settle();
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - 17);
    EXPECT_TRUE(ShowsOwnArrow(v));

    // Whatever the control asks for, the bar holds what the system made of it.
    const SCROLLINFO odd[] = {
        {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 500, 0},
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 30, 50, 7, 0},
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 40, 10, 0, 3, 0},
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, -20, 60, 15, -50, 0},
        {sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 70, 0, 0},
    };
    for (const SCROLLINFO& call : odd) {
        SetScrollInfo(wnd, SB_VERT, &call, TRUE);
        SCROLLINFO now{sizeof now, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(wnd, SB_VERT, &now);
        EXPECT_EQ(v.Range().Min, now.nMin);
        EXPECT_EQ(v.Range().Max, now.nMax);
        EXPECT_EQ(v.Range().Page, static_cast<int>(now.nPage));
        EXPECT_EQ(v.Range().Position, now.nPos);
    }
    t->SetRange(SB_VERT, 99, 10, 5);
    Settle();

    // Whatever covers the frame, a frame paint shows both bars again.
    {
        const TWindowDC dc(wnd, true);
        RECT all{0, 0, 200, 150};
        FillRect(dc.Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(ShowsOwnArrow(v));
    EXPECT_TRUE(ShowsOwnArrow(h));
}

TEST_F(SBControllerTest, AReleaseGivesTheMouseBackAndCancelModeEndsAPressAtOnce)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const int down = v.BarRect().Height() - 8;
    {
        const l3d::testing::TestWindow other(L"holder", 50, 50);
        SetCapture(other.Handle());
        Post(WM_NCLBUTTONDOWN, v, down);
        EXPECT_EQ(GetCapture(), wnd);
        EXPECT_EQ(c->SavedCapture(), other.Handle());
        Post(WM_LBUTTONUP, v, down);
        EXPECT_EQ(GetCapture(), other.Handle());
    }
    // A cancelled press: idle at once, no repeats and no end of scroll.
    Post(WM_NCLBUTTONDOWN, v, down);
    EXPECT_TRUE(v.Tracking());
    const size_t received = t->Received.size();
    SendMessageW(wnd, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(v.Tracking());
    EXPECT_FALSE(v.RepeatTimerRunning());
    EXPECT_EQ(GetCapture(), nullptr);
    {
        const TimerWitness repeatWouldHaveTicked(1000);  // no repeat waits longer
        ASSERT_TRUE(PumpUntil(repeatWouldHaveTicked.Ticked(2)));
    }
    EXPECT_EQ(t->Received.size(), received) << Describe(t->Received);
}

TEST_F(SBControllerTest, FailuresInsideTheControlOrThePaintingNeverLeaveDrawingOffOrTheStylesCleared)
{
    int reported = 0;
    SetExceptionHandler([&](std::exception_ptr) { ++reported; });
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    // The control's own handler fails: drawing is on again after the message all the same.
    t->ThrowOnScroll = true;
    SendMessageW(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(reported, 1);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
    // Painting fails while the frame is painted: dropped there, the styles are back and the
    // message's result stands.
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    v.SetOwnerDraw(true);
    v.OnDrawPart = [](TObject*, IDrawSurface&, const TRect&, uint8_t, bool, bool, bool, bool&) {
        throw std::runtime_error("owner drawing failed");
    };
    EXPECT_EQ(SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0), DefWindowProcW(wnd, WM_NCACTIVATE, TRUE, 0));
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    v.OnDrawPart = nullptr;
    SetExceptionHandler(nullptr);
}

TEST_F(SBControllerTest, TheTrackHintFollowsTheThumbBesideTheBarAndGoesAtTheRelease)
{
    TElSBController* c = nullptr;
    AddTarget(c);
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    v.SetShowTrackHint(true);
    std::vector<int> asked;
    v.OnScrollHintNeeded = [&](TObject*, int32_t Position, std::u16string& Hint) {
        asked.push_back(Position);
        Hint = u"Line";
    };
    const int grab = v.PartRect(sbpThumb).Top + 5;
    Post(WM_NCLBUTTONDOWN, v, grab);
    Post(WM_MOUSEMOVE, v, grab + 25);
    THintWindow* hint = c->TrackHintWindow(ElBarVert);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    RECT r{}, w{};
    GetWindowRect(hint->Handle(), &r);
    GetWindowRect(wnd, &w);
    // Left of the bar, its right edge two pixels before it, level with the moved thumb.
    EXPECT_EQ(r.right, w.left + v.BarRect().Left - 2);
    EXPECT_EQ(r.top, w.top + v.BarRect().Top + v.PartRect(sbpThumb).Top - 2);
    EXPECT_EQ(asked.front(), 5);
    Post(WM_LBUTTONUP, v, grab + 25);
    EXPECT_EQ(c->TrackHintWindow(ElBarVert), nullptr);
}

TEST_F(SBControllerTest, ABarIsHotWhileThePointerIsOverItAndCoolsWhenItLeavesTheWindow)
{
    TElSBController* c = nullptr;
    AddTarget(c);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const LPARAM arrow = ScreenAt(v, 8, v.BarRect().Height() - 8);
    SetCursorPos(GET_X_LPARAM(arrow), GET_Y_LPARAM(arrow));
    PostMessageW(wnd, WM_NCMOUSEMOVE, HTVSCROLL, arrow);
    Settle();
    EXPECT_TRUE(v.MouseInside());
    EXPECT_EQ(v.HotPart(), sbpLastArrow);
    // The system reports the leave only to a window that asked for it.
    SetCursorPos(5, 400);
    EXPECT_TRUE(PumpUntil([&] { return !v.MouseInside(); }));
    EXPECT_EQ(v.HotPart(), sbpNowhere);
}

TEST_F(SBControllerTest, ThemedBarsPaintThroughTheThemeAndTheClassicSwitchesForceTheOwnLook)
{
    if (!ElUxTheme().Loaded() || !ElUxTheme().IsThemeActive())
        GTEST_SKIP() << "no visual styles";
    TElSBController* c = nullptr;
    AddTarget(c);
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);
    Settle();
    ASSERT_TRUE(c->Themed(v));
    // Themed: the theme's parts, not the bar's own colours.
    const Pixels themed = BarPixels(v);
    EXPECT_FALSE(ShowsOwnArrow(v));
    {
        const ClassicPainting classic(true);
        EXPECT_FALSE(c->Themed(v));
        c->PaintBars(ElBarsBoth);
        EXPECT_TRUE(ShowsOwnArrow(v));
        SendMessageW(wnd, WM_THEMECHANGED, 0, 0);
        EXPECT_EQ(c->ThemeHandle(), nullptr);
    }
    SendMessageW(wnd, WM_THEMECHANGED, 0, 0);
    EXPECT_NE(c->ThemeHandle(), nullptr);
    // The bar's own switch and the controller's do the same.
    v.SetUseXPThemes(false);
    EXPECT_TRUE(ShowsOwnArrow(v));
    v.SetUseXPThemes(true);
    EXPECT_EQ(BarPixels(v).data, themed.data);
    c->SetUseXPThemes(false);
    EXPECT_TRUE(ShowsOwnArrow(v));
    c->SetUseXPThemes(true);
    EXPECT_EQ(BarPixels(v).data, themed.data);

    // A classic bar on a themed control whose theme has no track colour (as here) uses its own.
    TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    h.SetUseXPThemes(false);
    h.SetBlendBackground(false);
    h.SetSystemBkColor(false);
    h.SetColor(kBarColor);
    const TRect track = h.PartRect(sbpPageAfter);
    EXPECT_TRUE(ColorNear(BarPixels(h).At(track.Left + track.Width() / 2, 8), kBarPixel));

    // A disabled control shows one disabled track without a thumb, and disabled arrows.
    const TRect thumb = v.PartRect(sbpThumb), before = v.PartRect(sbpPageBefore);
    const int mid = thumb.Top + thumb.Height() / 2;
    EnableWindow(wnd, FALSE);
    Settle();
    const Pixels disabled = BarPixels(v);
    EXPECT_NE(themed.At(8, mid), themed.At(8, before.Top + before.Height() / 2));
    EXPECT_EQ(disabled.At(8, mid), disabled.At(8, v.BarRect().Height() - 17 - 3));
    bool arrowsDiffer = false;
    for (int i = 0; i < 17 * 17; ++i)
        arrowsDiffer |= themed.At(i % 17, i / 17) != disabled.At(i % 17, i / 17);
    EXPECT_TRUE(arrowsDiffer);
    EnableWindow(wnd, TRUE);
}

// The test form with both kinds of bar, saved for a person to look at: themed on the control of
// our own, classic with blue arrows on the list box.
TEST_F(SBControllerTest, ScreenshotOfTheTestForm)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    t->SetRange(SB_VERT, 99, 10, 40);
    TElSBController* lc = nullptr;
    TWrappedSystem* l = AddList(lc);
    l->Add(60);
    lc->VertScrollBarStyles()->SetUseXPThemes(false);
    lc->VertScrollBarStyles()->SetArrowColor(kArrowColor);
    SendMessageW(l->Handle(), LB_SETTOPINDEX, 20, 0);
    Settle();
    l3d::testing::SaveScreenshot(form->Handle(), u"sbwin_test_form.png");
    // What the picture shows: the list box's blue arrow at the top of its bar, the control's
    // themed bar with its thumb a quarter of the way down (position 40 of 90).
    const TRect& bar = lc->VertScrollBarStyles()->BarRect();
    int blue = 0;
    for (uint32_t px : ReadWindowPixels(l->Handle(), RECT{bar.Left, bar.Top, bar.Right, bar.Top + 17}).data)
        blue += px == kArrowPixel ? 1 : 0;
    EXPECT_GT(blue, 0);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TRect thumb = v.PartRect(sbpThumb);
    EXPECT_EQ(thumb.Top, 17 + MulDiv(v.BarRect().Height() - 34 - thumb.Height(), 40, 90));
    const TRect& vr = v.BarRect();
    const Pixels px = ReadWindowPixels(t->Handle(), RECT{vr.Left, vr.Top, vr.Right, vr.Bottom});
    EXPECT_NE(px.At(8, thumb.Top + thumb.Height() / 2), px.At(8, thumb.Top - 3));
}

}  // namespace
