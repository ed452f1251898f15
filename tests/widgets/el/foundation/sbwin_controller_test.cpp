// Replacement scroll bars on real windows: a control of our own that sets its scroll state
// through the scroll functions, a wrapped system LISTBOX that changes its bars by itself, and a
// sizeable form. The bars' pixels, hit tests, the scroll messages that clicks, drags and wheel
// turns produce, following range changes, drawing switched off and on around scrolls, and the
// standard bars once the replacement is off.
#include "widgets/el/foundation/ElSBController.h"

#include "widgets/el/foundation/ElScrollHook.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "support/gui_test.h"
#include "support/pump.h"

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
using l3d::testing::PumpUntilIdle;
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

// A control of our own with both bars: it records the scroll messages it gets and moves its
// position as a scrolling control does, through SetScrollInfo.
class TScrollTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    Scrolls Received;
    int RedrawOffWhileScrolling = 0;

    void SetRange(int Bar, int Max, int Page, int Pos = 0)
    {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, Max, static_cast<UINT>(Page), Pos, 0};
        SetScrollInfo(Handle(), Bar, &si, TRUE);
    }
    int Pos(int Bar) { return GetScrollPos(Handle(), Bar); }

    void WndProc(TMessage& M) override
    {
        if (M.Msg != WM_VSCROLL && M.Msg != WM_HSCROLL) {
            TCustomControl::WndProc(M);
            return;
        }
        const int code = LOWORD(M.WParam);
        Received.push_back({static_cast<UINT>(M.Msg), code, static_cast<int>(HIWORD(M.WParam))});
        if (!IsWindowVisible(Handle()))
            ++RedrawOffWhileScrolling;
        const int bar = M.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO si{sizeof si, SIF_ALL};
        GetScrollInfo(Handle(), bar, &si);
        int pos = si.nPos;
        switch (code) {
        case SB_LINEUP: --pos; break;
        case SB_LINEDOWN: ++pos; break;
        case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = HIWORD(M.WParam); break;
        case SB_TOP: pos = si.nMin; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return;
        }
        SCROLLINFO set{sizeof set, SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(Handle(), bar, &set, TRUE);
    }

protected:
    void CreateParams(TCreateParams& P) override
    {
        TCustomControl::CreateParams(P);
        P.Style |= WS_HSCROLL | WS_VSCROLL | WS_BORDER;
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
    }
};

// A system LISTBOX wrapped by the framework; it records the scroll messages that reach it.
class TWrappedList : public TWinControl {
public:
    using TWinControl::TWinControl;
    Scrolls Received;
    void Add(int Count)
    {
        for (int i = 0; i < Count; ++i)
            SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    }
    int TopIndex() { return static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)); }
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
        P.SystemClassName = u"LISTBOX";
        P.Style |= WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
    }
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

constexpr TColor kBarColor = 0x0000C8;     // RGB(200, 0, 0)
constexpr TColor kArrowColor = 0xFF0000;   // RGB(0, 0, 255)
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
        PumpUntilIdle(10, 300);
    }

    // A target of 200 x 150 with a vertical range 0..99 (page 10) and a horizontal 0..49 (page
    // 20), both at 5.
    TScrollTarget* AddTarget(TElSBController*& Controller)
    {
        auto* t = new TScrollTarget(form.get());
        t->SetParent(form.get());
        t->SetBounds(10, 10, 200, 150);
        t->SetRange(SB_VERT, 99, 10, 5);
        t->SetRange(SB_HORZ, 49, 20, 5);
        Controller = new TElSBController(form.get());
        Controller->SetControl(t);
        PumpUntilIdle();
        return t;
    }
    TWrappedList* AddList(TElSBController*& Controller)
    {
        auto* l = new TWrappedList(form.get());
        l->SetParent(form.get());
        l->SetBounds(220, 10, 150, 120);
        Controller = new TElSBController(form.get());
        Controller->SetControl(l);
        PumpUntilIdle();
        return l;
    }

    // Screen point of a point given in a bar's own coordinates.
    static LPARAM ScreenAt(HWND Wnd, const TElSBHandlerCustom& Bar, int X, int Y)
    {
        RECT w{};
        GetWindowRect(Wnd, &w);
        return MAKELPARAM(w.left + Bar.BarRect().Left + X, w.top + Bar.BarRect().Top + Y);
    }
    // The same point in the control's client coordinates.
    static LPARAM ClientAt(HWND Wnd, const TElSBHandlerCustom& Bar, int X, int Y)
    {
        POINT p{GET_X_LPARAM(ScreenAt(Wnd, Bar, X, Y)), GET_Y_LPARAM(ScreenAt(Wnd, Bar, X, Y))};
        ScreenToClient(Wnd, &p);
        return MAKELPARAM(p.x, p.y);
    }
    static void Click(HWND Wnd, const TElSBHandlerCustom& Bar, int X, int Y)
    {
        PostMessageW(Wnd, WM_NCLBUTTONDOWN, Bar.Vertical() ? HTVSCROLL : HTHSCROLL, ScreenAt(Wnd, Bar, X, Y));
        PumpUntilIdle();
        PostMessageW(Wnd, WM_LBUTTONUP, 0, ClientAt(Wnd, Bar, X, Y));
        PumpUntilIdle();
    }
    static Pixels BarPixels(HWND Wnd, const TElSBHandlerCustom& Bar)
    {
        const TRect& r = Bar.BarRect();
        return ReadWindowPixels(Wnd, RECT{r.Left, r.Top, r.Right, r.Bottom});
    }
    static void Colour(TElCtrlScrollBarStyles& Bar)
    {
        Bar.SetColor(kBarColor);
        Bar.SetArrowColor(kArrowColor);
    }
    // Whether the first arrow button of Bar shows the distinctive colours (an arrow that can act).
    static bool ShowsOwnArrow(HWND Wnd, const TElSBHandlerCustom& Bar)
    {
        const Pixels px = BarPixels(Wnd, Bar);
        int fill = 0, arrow = 0;
        for (int y = 0; y < 17 && y < px.height; ++y)
            for (int x = 0; x < 17 && x < px.width; ++x) {
                fill += ColorNear(px.At(x, y), kBarPixel) ? 1 : 0;
                arrow += px.At(x, y) == kArrowPixel ? 1 : 0;
            }
        return fill > 100 && arrow > 0;
    }

    TOwned<TForm> form;
};

TEST_F(SBControllerTest, ACustomControlShowsItsOwnBarsWhereTheStandardOnesWereAndGetsThemBackWhenOff)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    ASSERT_TRUE(c->IsHooked());
    Colour(*c->HorzScrollBarStyles());
    Colour(*c->VertScrollBarStyles());
    PumpUntilIdle();

    // The client keeps the room the standard bars had; the bars lie just right of and below it.
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - 17);
    EXPECT_EQ(client.bottom, 150 - 2 - 17);
    EXPECT_EQ(c->NonClientInsets().Left, 1);
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    EXPECT_EQ(v.BarRect().Left, 1 + client.right);
    EXPECT_EQ(v.BarRect().Width(), 17);
    EXPECT_EQ(v.BarRect().Height(), client.bottom);
    EXPECT_EQ(h.BarRect().Top, 1 + client.bottom);
    EXPECT_EQ(h.BarRect().Width(), client.right);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
    EXPECT_TRUE(ShowsOwnArrow(wnd, h));
    // The thumb: page 10 of 100 over the track between the arrows, at position 5 of 90.
    const TRect thumb = v.PartRect(sbpThumb);
    const int track = v.BarRect().Height() - 34;
    EXPECT_EQ(thumb.Height(), std::max(12, MulDiv(track, 10, 100)));
    EXPECT_EQ(thumb.Top, 17 + MulDiv(track - thumb.Height(), 5, 90));

    // Replacement off: the default procedure draws the standard bars again.
    c->SetControl(nullptr);
    PumpUntilIdle();
    EXPECT_FALSE(ShowsOwnArrow(wnd, v));
    EXPECT_FALSE(ShowsOwnArrow(wnd, h));
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - GetSystemMetrics(SM_CXVSCROLL));
    // And on again.
    c->SetControl(t);
    PumpUntilIdle();
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
}

TEST_F(SBControllerTest, AWrappedListBoxShowsOwnBarsThatFollowItsItems)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TWrappedList* l = AddList(c);
    const HWND wnd = l->Handle();
    ASSERT_TRUE(c->IsHooked());
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);

    // The list box changes its bars without the scroll functions: the bar reads them again.
    l->Add(50);
    PumpUntilIdle();
    ASSERT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(v.Max(), 49);
    const int firstThumb = v.ThumbLength();
    SendMessageW(wnd, LB_SETTOPINDEX, 3, 0);
    EXPECT_EQ(v.Position(), 3);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
    l->Add(150);
    PumpUntilIdle();
    EXPECT_EQ(v.Max(), 199);
    EXPECT_LT(v.ThumbLength(), firstThumb);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v)) << "the list box drew its own bar over the replacement";
    // The thumb shows where the bar model puts it.
    const TRect thumb = v.PartRect(sbpThumb);
    const Pixels px = BarPixels(wnd, v);
    EXPECT_TRUE(ColorNear(px.At(8, thumb.Top + thumb.Height() / 2), kBarPixel));
}

TEST_F(SBControllerTest, ClicksOnArrowsAndPageAreasSendScrollMessagesWithDrawingOffMeanwhile)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();

    Click(wnd, v, 8, v.BarRect().Height() - 8);  // down arrow: the control's own line step
    Click(wnd, v, 8, v.PartRect(sbpThumb).Bottom + 3);  // below the thumb: a page as a position
    Click(wnd, h, 8, 8);  // left arrow
    EXPECT_EQ(t->Received, (Scrolls{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0},
                                    {WM_VSCROLL, SB_THUMBPOSITION, 16}, {WM_VSCROLL, SB_ENDSCROLL, 0},
                                    {WM_HSCROLL, SB_LINEUP, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0}}))
        << Describe(t->Received);
    EXPECT_EQ(t->Pos(SB_VERT), 16);
    EXPECT_EQ(v.Position(), 16);
    EXPECT_EQ(h.Position(), 4);
    // Every moving message ran with drawing off, and drawing is on again.
    EXPECT_EQ(t->RedrawOffWhileScrolling, 3);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
    EXPECT_EQ(GetCapture(), nullptr);
    // A scroll message that moves nothing also leaves drawing on.
    t->SetRange(SB_VERT, 99, 10, 0);
    SendMessageW(wnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
}

TEST_F(SBControllerTest, DraggingTheThumbTracksTheControlAndSnapsBackFarOffTheBar)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TRect thumb = v.PartRect(sbpThumb);
    const int grab = thumb.Top + thumb.Height() / 2;
    const int travel = v.BarRect().Height() - 34 - thumb.Height();
    auto positionAt = [&](int offset) { return MulDiv(offset - 17, 90, travel); };

    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(wnd, v, 8, grab));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), wnd);
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, grab + 20));
    PumpUntilIdle();
    EXPECT_TRUE(v.ThumbMoved());
    EXPECT_EQ(v.PartRect(sbpThumb).Top, thumb.Top + 20);
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, grab + 40));
    PumpUntilIdle();
    // Far to the side of the bar the thumb goes back to where the drag began.
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, v.BarRect().Height() * 2));
    PumpUntilIdle();
    EXPECT_EQ(v.PartRect(sbpThumb).Top, thumb.Top);
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, grab + 30));
    PumpUntilIdle();
    PostMessageW(wnd, WM_LBUTTONUP, 0, ClientAt(wnd, v, 8, grab + 30));
    PumpUntilIdle();
    const int p20 = positionAt(thumb.Top + 20), p40 = positionAt(thumb.Top + 40), p30 = positionAt(thumb.Top + 30);
    // The control followed each track; the release finds it where the thumb is (nothing to send).
    EXPECT_EQ(t->Received, (Scrolls{{WM_VSCROLL, SB_THUMBTRACK, p20}, {WM_VSCROLL, SB_THUMBTRACK, p40},
                                    {WM_VSCROLL, SB_THUMBTRACK, 5}, {WM_VSCROLL, SB_THUMBTRACK, p30}}))
        << Describe(t->Received);
    EXPECT_EQ(t->Pos(SB_VERT), p30);
    EXPECT_FALSE(v.Tracking());
    EXPECT_EQ(v.TrackPosition(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SBControllerTest, WheelTurnsScrollTheVerticalBarWhenTheControllerTakesThem)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    c->HandleWheel = true;
    PostMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    PumpUntilIdle();
    // Three lines a notch (the system's setting), then the end of the scroll.
    EXPECT_EQ(t->Received, (Scrolls{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_LINEDOWN, 0},
                                    {WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}))
        << Describe(t->Received);
    EXPECT_EQ(t->Pos(SB_VERT), 8);
}

TEST_F(SBControllerTest, HoldingThePageAreaRepeatsUntilTheThumbReachesThePointer)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const int y = v.BarRect().Height() * 2 / 3;
    const LPARAM at = ScreenAt(wnd, v, 8, y);
    SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, at);
    PumpUntil([&] { return v.PartRect(sbpThumb).Bottom > y; }, 3000);
    PumpFor(300);
    PostMessageW(wnd, WM_LBUTTONUP, 0, ClientAt(wnd, v, 8, y));
    PumpUntilIdle();
    const TRect thumb = v.PartRect(sbpThumb);
    EXPECT_LE(thumb.Top, y);
    EXPECT_GT(thumb.Bottom, y);
    // Page steps as positions, ten apart, and no further once under the pointer.
    ASSERT_GE(t->Received.size(), 3u) << Describe(t->Received);
    for (size_t i = 0; i + 1 < t->Received.size(); ++i)
        EXPECT_EQ(t->Received[i], (ScrollMsg{WM_VSCROLL, SB_THUMBPOSITION, 15 + 10 * static_cast<int>(i)}));
    EXPECT_EQ(t->Received.back(), (ScrollMsg{WM_VSCROLL, SB_ENDSCROLL, 0}));
}

TEST_F(SBControllerTest, TheListBoxScrollsByItsBarsClicksAndFollowsTheThumbWhileDragged)
{
    TElSBController* c = nullptr;
    TWrappedList* l = AddList(c);
    const HWND wnd = l->Handle();
    l->Add(100);
    PumpUntilIdle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Click(wnd, v, 8, v.BarRect().Height() - 8);
    EXPECT_EQ(l->TopIndex(), 1);
    EXPECT_EQ(v.Position(), 1);
    EXPECT_EQ(l->Received, (Scrolls{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}));

    const TRect thumb = v.PartRect(sbpThumb);
    const int grab = thumb.Top + thumb.Height() / 2;
    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(wnd, v, 8, grab));
    PumpUntilIdle();
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, grab + 30));
    PumpUntilIdle();
    // The list follows while the button is still held.
    const int during = l->TopIndex();
    EXPECT_GT(during, 1);
    EXPECT_EQ(v.Position(), during);
    PostMessageW(wnd, WM_LBUTTONUP, 0, ClientAt(wnd, v, 8, grab + 30));
    PumpUntilIdle();
    EXPECT_EQ(l->TopIndex(), during);
    EXPECT_EQ(GetCapture(), nullptr);

    // Its own keyboard and wheel scrolling reach the bar too: a key scrolls back to the caret
    // (near the first item).
    l->SetFocus();
    PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
    PumpUntilIdle();
    EXPECT_LT(l->TopIndex(), during);
    EXPECT_EQ(v.Position(), l->TopIndex());
    SendMessageW(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(300, 100));
    EXPECT_GT(l->TopIndex(), 1);
    EXPECT_EQ(v.Position(), l->TopIndex());
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST_F(SBControllerTest, HitTestsAnswerForTheBarsAndASizeableFormShowsItsSizeGrip)
{
    const ClassicPainting classic(true);
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(wnd, v, 0, 0)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(wnd, v, 16, v.BarRect().Height() - 1)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(wnd, h, h.BarRect().Width() - 1, 16)), HTHSCROLL);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(wnd, h, 5, -5)), HTCLIENT);
    // A control's corner square is a plain sunken face, no grip.
    const auto corner = ReadWindowPixels(wnd, RECT{v.BarRect().Left, h.BarRect().Top, v.BarRect().Right, h.BarRect().Bottom});
    const uint32_t face = ColorToRGB(clBtnFace);
    const uint32_t facePixel = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    for (uint32_t px : corner.data)
        EXPECT_EQ(px, facePixel);

    // A sizeable form with bars of its own: the corner is its size grip.
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
        PumpUntilIdle();
        const TRect& fv = fc.VertScrollBarStyles()->BarRect();
        const TRect& fh = fc.HorzScrollBarStyles()->BarRect();
        RECT client{};
        GetClientRect(fw, &client);
        MapWindowPoints(fw, nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT window{};
        GetWindowRect(fw, &window);
        // The vertical bar lies beside the client area on the side the style asks for.
        EXPECT_EQ(fv.Left, leftBar ? client.left - window.left - 17 : client.right - window.left);
        const TRect square = leftBar ? TRect{fv.Left, fh.Top, fv.Right, fh.Bottom} : TRect{fv.Left, fh.Top, fv.Right, fh.Bottom};
        EXPECT_EQ(SendMessageW(fw, WM_NCHITTEST, 0, MAKELPARAM(window.left + square.Left + 8, window.top + square.Top + 8)),
                  leftBar ? HTBOTTOMLEFT : HTBOTTOMRIGHT);
        EXPECT_EQ(SendMessageW(fw, WM_NCHITTEST, 0, MAKELPARAM(window.left + fv.Left + 8, window.top + fv.Top + 30)),
                  HTVSCROLL);
        const auto grip = ReadWindowPixels(fw, RECT{square.Left, square.Top, square.Right, square.Bottom});
        int notFace = 0;
        for (uint32_t px : grip.data)
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
    const HWND wnd = t->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    Colour(v);
    Colour(h);

    // A longer range gives a shorter thumb, painted where the model puts it.
    t->SetRange(SB_VERT, 19, 10, 5);
    const int before = v.ThumbLength();
    t->SetRange(SB_VERT, 299, 10, 150);
    EXPECT_EQ(v.Max(), 299);
    EXPECT_LT(v.ThumbLength(), before);
    const TRect thumb = v.PartRect(sbpThumb);
    const Pixels px = BarPixels(wnd, v);
    EXPECT_TRUE(ColorNear(px.At(8, thumb.Top + thumb.Height() / 2), kBarPixel));
    EXPECT_FALSE(ColorNear(px.At(8, thumb.Top - 3), kBarPixel));  // the track above it

    // Nothing to scroll: the bar goes and the client takes its room; then it comes back.
    const int horzLength = h.BarRect().Width();
    t->SetRange(SB_VERT, 0, 0);
    PumpUntilIdle();
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_VSCROLL);
    RECT client{};
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2);
    EXPECT_EQ(h.BarRect().Width(), 200 - 2);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenAt(wnd, h, horzLength + 5, 8)), HTHSCROLL);
    t->SetRange(SB_VERT, 99, 10, 5);
    PumpUntilIdle();
    GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 200 - 2 - 17);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));

    // Whatever covers the frame, a frame paint shows both bars again.
    {
        const TWindowDC dc(wnd, true);
        RECT all{0, 0, 200, 150};
        FillRect(dc.Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EXPECT_FALSE(ShowsOwnArrow(wnd, v));
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
    EXPECT_TRUE(ShowsOwnArrow(wnd, h));
}

}  // namespace
