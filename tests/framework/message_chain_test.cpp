// The replaceable WindowProc chain, notifications reflected to the child they concern (also
// while the child's window is still being created), hover hints, and the screen.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/Screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An owner-drawn system list box: the system asks its parent to measure the items before
// CreateWindowExW has returned.
class OwnerDrawnList : public TWinControl {
public:
    using TWinControl::TWinControl;
    int measured = 0;
    int drawn = 0;

    void WndProc(TMessage& m) override
    {
        if (m.Msg == CN_BASE + WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = 17;
            ++measured;
            m.Result = 1;
            return;
        }
        if (m.Msg == CN_BASE + WM_DRAWITEM) {
            ++drawn;
            m.Result = 1;
            return;
        }
        TWinControl::WndProc(m);
    }

protected:
    void CreateParams(TCreateParams& p) override
    {
        TWinControl::CreateParams(p);
        p.SystemClassName = u"LISTBOX";
        p.Style |= LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_VSCROLL;
    }
};

TEST(MessageChain, ReflectedNotificationsReachTheChildEvenDuringItsCreation)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* list = new OwnerDrawnList(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 120, 100);
    list->HandleNeeded();
    EXPECT_GE(list->measured, 1);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 17);
    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    form->Show();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([&] { return list->drawn >= 1; }));
}

TEST(MessageChain, AReplacedWindowProcSeesEveryMessageFirstAndCanSwallowIt)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* box = new TCustomControl(form.get());
    box->SetParent(form.get());
    box->SetBounds(0, 0, 50, 50);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    std::vector<uint32_t> seen;
    bool swallow = false;
    TWndMethod old = box->WindowProc;
    box->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (swallow && m.Msg == WM_LBUTTONUP)
            return;
        old(m);
    };
    form->Show();
    PostMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<uint32_t>(WM_LBUTTONDOWN)), seen.end());
    EXPECT_EQ(box->Perform(WM_USER + 5, 1, 2), 0);
    EXPECT_EQ(seen.back(), static_cast<uint32_t>(WM_USER + 5));

    swallow = true;
    PostMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_EQ(clicks, 1);
    // Restoring the saved procedure ends the subclassing.
    box->WindowProc = old;
    const size_t before = seen.size();
    box->Perform(WM_USER + 6);
    EXPECT_EQ(seen.size(), before);
    ReleaseCapture();
}

TEST(Hints, HoverFeedsTheApplicationHint)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetClientSize(200, 100);
    auto* left = new TCustomControl(form.get());
    left->SetParent(form.get());
    left->SetBounds(0, 0, 100, 100);
    left->Hint = u"Open|Opens a scan";
    auto* right = new TCustomControl(form.get());
    right->SetParent(form.get());
    right->SetBounds(100, 0, 100, 100);
    right->Hint = u"Zoom";
    int entered = 0, left_ = 0;
    left->OnMouseEnter = [&](TObject*) { ++entered; };
    left->OnMouseLeave = [&](TObject*) { ++left_; };
    std::vector<std::u16string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    form->Show();
    PostMessageW(left->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageW(left->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 10));
    PostMessageW(right->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    Application->OnHint = nullptr;
    ASSERT_GE(hints.size(), 2u);
    EXPECT_EQ(hints[hints.size() - 2], u"Opens a scan");
    EXPECT_EQ(hints.back(), u"Zoom");
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left_, 1);
    EXPECT_EQ(GetShortHint(u"Open|Opens a scan"), u"Open");
}

TEST(Screen, MetricsFormsAndTheBusyCursor)
{
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(Screen->Height(), 0);
    const TRect work = Screen->WorkAreaRect();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.Width(), Screen->DesktopWidth());
    EXPECT_GT(Screen->PixelsPerInch(), 0);
    EXPECT_FALSE(Screen->MessageFont()->Name().empty());
    const int before = Screen->FormCount();
    {
        TOwned<TForm> form(CreateComponent<TForm>(nullptr));
        EXPECT_EQ(Screen->FormCount(), before + 1);
        EXPECT_EQ(Screen->Forms(before), form.get());
    }
    EXPECT_EQ(Screen->FormCount(), before);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
}

}  // namespace
