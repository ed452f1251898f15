// The mouse and the hints: the system's mouse-leave report ends the hover, and the hint
// manager shows a control's short hint after a pause, for a while, through a replaceable
// hint-window class.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/StrConv.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Spot : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> log;
    std::function<void(THintInfo&)> onHintShow;
    int refuse = 0;

    void WndProc(TMessage& Message) override
    {
        switch (Message.Msg) {
        case CM_MOUSEENTER: log.push_back("enter"); break;
        case CM_MOUSELEAVE: log.push_back("leave"); break;
        case CM_HINTSHOW:
            log.push_back("hintshow");
            if (onHintShow)
                onHintShow(*reinterpret_cast<THintInfo*>(Message.LParam));
            Message.Result = refuse;
            return;
        default: break;
        }
        TCustomControl::WndProc(Message);
    }
};

struct HintForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    Spot* a = new Spot(form.get());
    Spot* b = new Spot(form.get());

    HintForm()
    {
        form->SetBounds(100, 100, 300, 200);
        a->SetParent(form.get());
        a->SetBounds(10, 10, 100, 60);
        a->Hint = u"Open|Opens a scan file";
        a->ShowHint = true;
        b->SetParent(form.get());
        b->SetBounds(150, 10, 100, 60);
        b->Hint = u"Zoom";
        b->ShowHint = true;
        Application->HintPause = 40;
        Application->HintShortPause = 10;
        Application->HintHidePause = 5000;
        Application->SetShowHint(true);
        form->Show();
        EXPECT_TRUE(Settled());
    }
    ~HintForm()
    {
        Application->CancelHint();
        Application->SetHintWindowClass(nullptr);
    }

    void Move(Spot* spot, int x = 20, int y = 20) { PostMessageW(spot->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    static bool HintShowing() { return Application->HintWindow() && Application->HintWindow()->Visible(); }
    // Whether a hint shows once the pauses have run out for the mouse move just posted: the
    // move is handled, then a witness as slow as the longer pause ticks twice.
    static bool HintShowsAfterThePauses()
    {
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
        TimerWitness witness(std::max(Application->HintPause, Application->HintShortPause));
        EXPECT_TRUE(PumpUntil(witness.Ticked(2)));
        return HintShowing();
    }
};

TEST(MouseLeave, TheSystemsLeaveReportEndsTheHoverOnce)
{
    HintForm f;
    POINT inside{30, 30};
    ClientToScreen(f.a->Handle(), &inside);
    SetCursorPos(inside.x, inside.y);
    f.Move(f.a, 20, 20);
    ASSERT_TRUE(PumpUntil([&] { return !f.a->log.empty() && f.a->log[0] == "enter"; }));
    // The mouse goes where no window of the program is; the system reports it, and the
    // control hears of it once.
    SetCursorPos(1270, 1010);
    EXPECT_TRUE(PumpUntil([&] { return f.a->log.back() == "leave"; }));
    // No second report can come: what was posted is handled, and the system no longer
    // tracks the mouse for any window.
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    TRACKMOUSEEVENT tracking{sizeof tracking, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&tracking));
    EXPECT_EQ(tracking.dwFlags & TME_LEAVE, 0u);
    EXPECT_EQ(std::count(f.a->log.begin(), f.a->log.end(), "leave"), 1);
}

TEST(Hints, TheShortHintShowsAfterThePauseAndGoesAfterTheHidePause)
{
    HintForm f;
    Application->HintHidePause = 300;
    f.Move(f.a);
    ASSERT_TRUE(PumpUntil(HintForm::HintShowing));
    THintWindow* hint = Application->HintWindow();
    EXPECT_EQ(hint->Caption(), u"Open");
    EXPECT_EQ(std::count(f.a->log.begin(), f.a->log.end(), "hintshow"), 1);
    HWND h = hint->Handle();
    EXPECT_NE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetFocus(), h);
    RECT r{};
    GetWindowRect(h, &r);
    POINT mouse{20, 20};
    ClientToScreen(f.a->Handle(), &mouse);
    EXPECT_GT(r.top, mouse.y);  // below the mouse
    EXPECT_GT(r.right - r.left, 10);

    EXPECT_TRUE(PumpUntil([] { return !HintForm::HintShowing(); }));
    // Resting on the same control shows it no more.
    f.Move(f.a, 25, 25);
    EXPECT_FALSE(HintForm::HintShowsAfterThePauses());
}

TEST(Hints, AClickHidesTheHintAndAnotherControlFollowsAfterTheShortPause)
{
    HintForm f;
    f.Move(f.a);
    ASSERT_TRUE(PumpUntil(HintForm::HintShowing));
    Application->HintPause = 60000;  // only the short pause can show the next one in time
    f.Move(f.b);
    ASSERT_TRUE(PumpUntil([] { return HintForm::HintShowing() && Application->HintWindow()->Caption() == u"Zoom"; }));
    PostMessageW(f.b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageW(f.b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(PumpUntil([] { return !HintForm::HintShowing(); }));

    // Hints off: none at all.
    Application->HintPause = 10;
    Application->SetShowHint(false);
    f.Move(f.a);
    EXPECT_FALSE(HintForm::HintShowsAfterThePauses());
}

TEST(Hints, TheControlMayChangeOrRefuseItsHintAndHandOverAPackedOne)
{
    HintForm f;
    f.a->refuse = 1;
    f.Move(f.a);
    ASSERT_TRUE(PumpUntil([&] { return !f.a->log.empty() && f.a->log.back() == "hintshow"; }));
    EXPECT_FALSE(HintForm::HintShowsAfterThePauses());

    const std::u16string wide = u"Gr\u00FC\u00DFe \u2713 \u05E9\u05DC\u05D5\u05DD|long";
    f.b->onHintShow = [&](THintInfo& info) {
        EXPECT_EQ(info.HintControl, f.b);
        EXPECT_EQ(info.HintStr, u"Zoom");
        EXPECT_EQ(info.CursorPos.X, 30);
        info.PackedHintStr = PackWideHint(wide);
    };
    f.Move(f.b, 30, 20);
    ASSERT_TRUE(PumpUntil(HintForm::HintShowing));
    EXPECT_EQ(Application->HintWindow()->Caption(), GetShortHint(wide));
    EXPECT_EQ(Application->HintWindow()->BiDiMode(), TBiDiMode::bdLeftToRight);
}

class FramedHint : public THintWindow {
public:
    using THintWindow::THintWindow;
    static inline std::vector<std::u16string> shown;
    void ActivateHint(TRect Rect, const std::u16string& AHint) override
    {
        shown.push_back(AHint);
        THintWindow::ActivateHint(Rect, AHint);
    }
};

TEST(Hints, TheHintWindowClassIsReplaceable)
{
    HintForm f;
    Application->SetHintWindowClass([] { return new FramedHint(nullptr); });
    f.Move(f.b);
    ASSERT_TRUE(PumpUntil(HintForm::HintShowing));
    EXPECT_NE(dynamic_cast<FramedHint*>(Application->HintWindow()), nullptr);
    EXPECT_EQ(FramedHint::shown, std::vector<std::u16string>{u"Zoom"});

    // Leaving the control hides the hint: the system's report reaches the tracked window.
    PostMessageW(f.b->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(PumpUntil([] { return !HintForm::HintShowing(); }));
    EXPECT_EQ(f.b->log.back(), "leave");
}

}  // namespace
