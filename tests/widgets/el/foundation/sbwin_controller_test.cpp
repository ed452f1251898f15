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
    bool ThrowOnScroll = false;

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
        if (ThrowOnScroll)
            throw std::runtime_error("scroll handler failed");
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

// A multi-line system EDIT wrapped by the framework.
class TWrappedMemo : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& P) override
    {
        TWinControl::CreateParams(P);
        P.SystemClassName = u"EDIT";
        P.Style |= WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
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

TEST_F(SBControllerTest, AWrappedEditsBarFollowsItsTextAndTyping)
{
    const ClassicPainting classic(true);
    auto* m = new TWrappedMemo(form.get());
    m->SetParent(form.get());
    m->SetBounds(220, 140, 150, 100);
    auto* c = new TElSBController(form.get());
    c->SetControl(m);
    const HWND wnd = m->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);
    std::wstring text;
    for (int i = 0; i < 40; ++i)
        text += L"line\r\n";
    SetWindowTextW(wnd, text.c_str());
    PumpUntilIdle();
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(wnd, SB_VERT, &si);
    ASSERT_GT(si.nMax, 30);
    EXPECT_EQ(v.Max(), si.nMax);
    EXPECT_EQ(v.Page(), static_cast<int>(si.nPage));
    // Typing at the end scrolls the edit; the bar follows without any call of ours.
    SetFocus(wnd);
    SendMessageW(wnd, EM_SETSEL, text.size(), text.size());
    PostMessageW(wnd, WM_CHAR, L'x', 0);
    PumpUntilIdle();
    GetScrollInfo(wnd, SB_VERT, &si);
    EXPECT_GT(si.nPos, 0);
    EXPECT_EQ(v.Position(), si.nPos);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
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

    // Whatever the control asks for, the bar holds what the system made of it.
    const SCROLLINFO odd[] = {
        {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 500, 0},                       // beyond the end
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 30, 50, 7, 0},  // page beyond the range
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 40, 10, 0, 3, 0},           // reversed range
        {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, -20, 60, 15, -50, 0},
        {sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 70, 0, 0},
    };
    for (const SCROLLINFO& call : odd) {
        SetScrollInfo(wnd, SB_VERT, &call, TRUE);
        SCROLLINFO now{sizeof now, SIF_ALL};
        GetScrollInfo(wnd, SB_VERT, &now);
        EXPECT_EQ(v.Min(), now.nMin);
        EXPECT_EQ(v.Max(), now.nMax);
        EXPECT_EQ(v.Page(), static_cast<int>(now.nPage));
        EXPECT_EQ(v.Position(), now.nPos);
    }
    t->SetRange(SB_VERT, 99, 10, 5);
    PumpUntilIdle();

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

TEST_F(SBControllerTest, WithoutTheScrollHookTheControllerStaysOffAndTheStandardBarsShow)
{
    const ClassicPainting classic(true);
    UninstallScrollHook();
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    Colour(*c->VertScrollBarStyles());
    PumpUntilIdle();
    EXPECT_FALSE(c->IsHooked());
    EXPECT_EQ(c->VertScrollBarStyles()->BarRect().Width(), 0);  // never measured
    RedrawWindow(t->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    // The default procedure's bar, where the replacement would be.
    const TRect standard{200 - 1 - 17, 1, 200 - 1, 17};
    const auto px = ReadWindowPixels(t->Handle(), RECT{standard.Left, standard.Top, standard.Right, standard.Bottom});
    for (uint32_t p : px.data)
        ASSERT_FALSE(ColorNear(p, kBarPixel));
    ASSERT_TRUE(InstallScrollHook());
    c->SetControl(nullptr);
    c->SetControl(t);
    EXPECT_TRUE(c->IsHooked());
}

TEST_F(SBControllerTest, AReleaseGivesTheMouseBackAndCancelModeEndsAPressAtOnce)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const int down = v.BarRect().Height() - 8;

    // A press takes the mouse from the window that had it and gives it back at the release.
    auto other = std::make_unique<l3d::testing::TestWindow>(L"holder", 50, 50);
    SetCapture(other->Handle());
    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(wnd, v, 8, down));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), wnd);
    EXPECT_EQ(c->SavedCapture(), other->Handle());
    PostMessageW(wnd, WM_LBUTTONUP, 0, ClientAt(wnd, v, 8, down));
    PumpUntilIdle();
    EXPECT_EQ(GetCapture(), other->Handle());

    other.reset();

    // A cancelled press: idle at once, no repeats and no end-of-scroll.
    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(wnd, v, 8, down));
    PumpUntilIdle();
    EXPECT_TRUE(v.Tracking());
    const size_t received = t->Received.size();
    SendMessageW(wnd, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(v.Tracking());
    EXPECT_FALSE(v.RepeatTimerRunning());
    EXPECT_EQ(GetCapture(), nullptr);
    PumpFor(700);
    EXPECT_EQ(t->Received.size(), received) << Describe(t->Received);
}

TEST_F(SBControllerTest, FailuresInsideTheControlOrThePaintingNeverLeaveDrawingOffOrTheStylesCleared)
{
    int reported = 0;
    SetExceptionHandler([&](std::exception_ptr) { ++reported; });
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();

    // The control's own handler fails: drawing is on again after the message all the same.
    t->ThrowOnScroll = true;
    SendMessageW(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(reported, 1);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(c->RedrawState(), 2);
    t->ThrowOnScroll = false;

    // Painting fails while the frame is painted: the failure is dropped there, the styles are
    // back and the message's result stands.
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    v.SetOwnerDraw(true);
    v.OnDrawPart = [](TObject*, IDrawSurface&, const TRect&, uint8_t, bool, bool, bool, bool&) {
        throw std::runtime_error("owner drawing failed");
    };
    const LRESULT result = SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(result, DefWindowProcW(wnd, WM_NCACTIVATE, TRUE, 0));
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    v.OnDrawPart = nullptr;
    SetExceptionHandler(nullptr);
}

TEST_F(SBControllerTest, TheTrackHintFollowsTheThumbBesideTheBarAndGoesAtTheRelease)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    v.SetShowTrackHint(true);
    std::vector<int> asked;
    v.OnScrollHintNeeded = [&](TObject*, int32_t Position, std::u16string& Hint) {
        asked.push_back(Position);
        Hint = u"Line " + std::u16string(1, static_cast<char16_t>(u'0' + Position % 10));
    };
    const TRect thumb = v.PartRect(sbpThumb);
    const int grab = thumb.Top + 5;
    PostMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, ScreenAt(wnd, v, 8, grab));
    PumpUntilIdle();
    PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, ClientAt(wnd, v, 8, grab + 25));
    PumpUntilIdle();
    THintWindow* hint = c->TrackHintWindow(ElBarVert);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    RECT r{};
    GetWindowRect(hint->Handle(), &r);
    RECT w{};
    GetWindowRect(wnd, &w);
    // Left of the bar, its right edge two pixels before it, level with the moved thumb.
    EXPECT_EQ(r.right, w.left + v.BarRect().Left - 2);
    EXPECT_EQ(r.top, w.top + v.BarRect().Top + thumb.Top + 25 - 2);
    EXPECT_EQ(asked.front(), 5);
    PostMessageW(wnd, WM_LBUTTONUP, 0, ClientAt(wnd, v, 8, grab + 25));
    PumpUntilIdle();
    EXPECT_EQ(c->TrackHintWindow(ElBarVert), nullptr);
}

TEST_F(SBControllerTest, ThemedBarsPaintThroughTheThemeAndTheClassicSwitchesForceTheOwnLook)
{
    if (!ElUxTheme().Loaded() || !ElUxTheme().IsThemeActive())
        GTEST_SKIP() << "no visual styles";
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    Colour(v);
    PumpUntilIdle();
    ASSERT_TRUE(c->Themed(v));
    ASSERT_NE(c->ThemeHandle(), nullptr);
    // Themed: the theme's parts, not the bar's own colours.
    const Pixels themed = BarPixels(wnd, v);
    EXPECT_FALSE(ShowsOwnArrow(wnd, v));
    {
        const ClassicPainting classic(true);
        EXPECT_FALSE(c->Themed(v));
        c->PaintBars(ElBarsBoth);
        EXPECT_TRUE(ShowsOwnArrow(wnd, v));
        // A theme change while classic painting is forced leaves no theme open.
        SendMessageW(wnd, WM_THEMECHANGED, 0, 0);
        EXPECT_EQ(c->ThemeHandle(), nullptr);
    }
    SendMessageW(wnd, WM_THEMECHANGED, 0, 0);
    EXPECT_NE(c->ThemeHandle(), nullptr);
    // A classic bar on a themed control whose theme has no track colour (as here) uses its own.
    TElCtrlScrollBarStyles& h = *c->HorzScrollBarStyles();
    h.SetUseXPThemes(false);
    h.SetBlendBackground(false);
    h.SetSystemBkColor(false);
    h.SetColor(kBarColor);
    const TRect track = h.PartRect(sbpPageAfter);
    EXPECT_TRUE(ColorNear(BarPixels(wnd, h).At(track.Left + track.Width() / 2, 8), kBarPixel));

    // The bar's own switch and the controller's do the same.
    v.SetUseXPThemes(false);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
    v.SetUseXPThemes(true);
    EXPECT_EQ(BarPixels(wnd, v).data, themed.data);
    c->SetUseXPThemes(false);
    EXPECT_TRUE(ShowsOwnArrow(wnd, v));
    c->SetUseXPThemes(true);
    EXPECT_EQ(BarPixels(wnd, v).data, themed.data);

    // A disabled control shows one disabled track without a thumb (the theme's lower track),
    // and disabled arrows.
    const TRect thumb = v.PartRect(sbpThumb);
    const TRect before = v.PartRect(sbpPageBefore);
    const Pixels enabled = BarPixels(wnd, v);
    EnableWindow(wnd, FALSE);
    PumpUntilIdle();
    const Pixels disabled = BarPixels(wnd, v);
    const int mid = thumb.Top + thumb.Height() / 2;
    EXPECT_NE(enabled.At(8, mid), enabled.At(8, before.Top + before.Height() / 2));  // the thumb shows
    EXPECT_EQ(disabled.At(8, mid), disabled.At(8, v.BarRect().Height() - 17 - 3));  // all track
    bool arrowsDiffer = false;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            arrowsDiffer |= enabled.At(x, y) != disabled.At(x, y);
    EXPECT_TRUE(arrowsDiffer);
    EnableWindow(wnd, TRUE);
}

// The test form with both kinds of bar, saved for a person to look at: themed on the left
// control, classic on the list box.
TEST_F(SBControllerTest, ScreenshotOfTheTestForm)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    TElSBController* lc = nullptr;
    TWrappedList* l = AddList(lc);
    l->Add(60);
    lc->VertScrollBarStyles()->SetUseXPThemes(false);
    lc->VertScrollBarStyles()->SetArrowColor(kArrowColor);
    SendMessageW(l->Handle(), LB_SETTOPINDEX, 20, 0);
    t->SetRange(SB_VERT, 99, 10, 40);
    PumpUntilIdle();
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    TBitmap shot(r.right - r.left, r.bottom - r.top);
    {
        const HDC screen = GetDC(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    const std::u16string file = u"sbwin_test_form.png";
    shot.SaveToPngFile(file);
    EXPECT_EQ(GetFileAttributesW(L"sbwin_test_form.png") != INVALID_FILE_ATTRIBUTES, true);
    // The capture holds the bars the controllers painted.
    RECT tw{};
    GetWindowRect(t->Handle(), &tw);
    const TRect& bar = lc->VertScrollBarStyles()->BarRect();
    RECT lw{};
    GetWindowRect(l->Handle(), &lw);
    const Pixels list = BarPixels(l->Handle(), *lc->VertScrollBarStyles());
    EXPECT_EQ(shot.Pixel(lw.left - r.left + bar.Left + 3, lw.top - r.top + bar.Top + 3),
              static_cast<TColor>(((list.At(3, 3) & 0xFF) << 16) | (list.At(3, 3) & 0xFF00) | (list.At(3, 3) >> 16)));
}

TEST_F(SBControllerTest, ABarIsHotWhileThePointerIsOverItAndCoolsWhenItLeavesTheWindow)
{
    TElSBController* c = nullptr;
    TScrollTarget* t = AddTarget(c);
    const HWND wnd = t->Handle();
    const TElCtrlScrollBarStyles& v = *c->VertScrollBarStyles();
    const LPARAM arrow = ScreenAt(wnd, v, 8, v.BarRect().Height() - 8);
    SetCursorPos(GET_X_LPARAM(arrow), GET_Y_LPARAM(arrow));
    PostMessageW(wnd, WM_NCMOUSEMOVE, HTVSCROLL, arrow);
    PumpUntilIdle();
    EXPECT_TRUE(v.MouseInside());
    EXPECT_EQ(v.HotPart(), sbpLastArrow);
    // The system reports the leave only to a window that asked for it.
    SetCursorPos(5, 400);
    EXPECT_TRUE(PumpUntil([&] { return !v.MouseInside(); }, 2000));
    EXPECT_EQ(v.HotPart(), sbpNowhere);
}

}  // namespace
