// Drag and drop between controls of one form, driven by posted mouse and key messages: the drag
// loop reads them while the mouse is captured, finds the control under each point and asks it.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/DragDrop.h"
#include "framework/ExtCtrls.h"
#include "framework/UtilityWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A form with a source panel, an accepting target panel and a windowless shape that refuses.
struct DragHost {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TPanel* source = new TPanel(form.get());
    TPanel* target = new TPanel(form.get());
    TShape* refuser = new TShape(form.get());
    std::vector<std::string> log;
    TObject* droppedSource = nullptr;
    TObject* endTarget = reinterpret_cast<TObject*>(1);
    TPoint dropPoint;
    HCURSOR cursorWhenEntering = nullptr, cursorWhenDropped = nullptr;
    bool ended = false;

    DragHost()
    {
        form->SetBounds(40, 40, 360, 220);
        source->SetParent(form.get());
        source->SetBounds(10, 10, 100, 80);
        target->SetParent(form.get());
        target->SetBounds(200, 10, 100, 80);
        refuser->SetParent(form.get());
        refuser->SetBounds(10, 110, 100, 60);
        source->OnStartDrag = [this](TObject*, TDragObject*&) { log.push_back("start"); };
        target->OnDragOver = [this](TObject* sender, TObject* src, int, int, TDragState state, bool& accept) {
            if (state == TDragState::dsDragEnter) {
                log.push_back("enter");
                cursorWhenEntering = GetCursor();
            } else if (state == TDragState::dsDragLeave) {
                log.push_back("leave");
            }
            accept = sender == target && src == source;
        };
        target->OnDragDrop = [this](TObject*, TObject* src, int x, int y) {
            log.push_back("drop");
            droppedSource = src;
            dropPoint = {x, y};
            cursorWhenDropped = GetCursor();
        };
        source->OnEndDrag = [this](TObject*, TObject* tgt, int, int) {
            log.push_back("end");
            endTarget = tgt;
            ended = true;
        };
        form->Show();
        EXPECT_TRUE(Settled());
    }
    ~DragHost() { MouseOffForm(); }

    // The mouse leaves the form, as far as the application's loop knows, before a control of
    // it is freed: the loop keeps pointing at the control under the mouse.
    void MouseOffForm()
    {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
        // The move the system makes of it comes first.
        PumpUntil([] { return HIWORD(GetQueueStatus(QS_MOUSE)) == 0; });
        bool moved = false;
        HWND elsewhere = AllocateHWnd([&](TMessage& m) {
            moved = moved || m.Msg == WM_MOUSEMOVE;
            return false;
        });
        PostMessageW(elsewhere, WM_MOUSEMOVE, 0, 0);
        PumpUntil([&] { return moved; });
        DeallocateHWnd(elsewhere);
    }

    // Posts a mouse message to the source's window at a point of Control's client area.
    void PostMouse(UINT Msg, TControl* Control, TPoint P, WPARAM Keys = 0)
    {
        const TPoint s = source->ScreenToClient(Control->ClientToScreen(P));
        PostMessageW(source->Handle(), Msg, Keys, MAKELPARAM(s.X, s.Y));
    }
    void MoveCursorTo(TControl* Control, TPoint P)
    {
        const TPoint s = Control->ClientToScreen(P);
        SetCursorPos(s.X, s.Y);
    }
};

TEST(DragDrop, AnAutomaticDragFromOneControlToAnotherDeliversTheDropWithTheSource)
{
    DragHost host;
    host.source->DragMode = TDragMode::dmAutomatic;
    host.MoveCursorTo(host.source, {50, 40});
    host.PostMouse(WM_LBUTTONDOWN, host.source, {50, 40}, MK_LBUTTON);
    host.PostMouse(WM_MOUSEMOVE, host.refuser, {50, 30}, MK_LBUTTON);
    host.PostMouse(WM_MOUSEMOVE, host.target, {30, 20}, MK_LBUTTON);
    host.PostMouse(WM_MOUSEMOVE, host.target, {40, 25}, MK_LBUTTON);
    host.PostMouse(WM_LBUTTONUP, host.target, {40, 25});
    ASSERT_TRUE(PumpUntil([&] { return host.ended; }));

    EXPECT_EQ(host.log, (std::vector<std::string>{"start", "enter", "drop", "end"}));
    EXPECT_EQ(host.droppedSource, host.source);
    EXPECT_EQ(host.dropPoint, (TPoint{40, 25}));
    EXPECT_EQ(host.endTarget, host.target);
    // Over the refusing shape the cursor said "no drop"; over the target, the source's drag cursor.
    EXPECT_EQ(host.cursorWhenEntering, DragCursorHandle(crNoDrop));
    EXPECT_EQ(host.cursorWhenDropped, DragCursorHandle(crDrag));
    EXPECT_NE(DragCursorHandle(crDrag), DragCursorHandle(crMultiDrag));
    EXPECT_EQ(CursorHandle(crMultiDrag), DragCursorHandle(crMultiDrag));
    EXPECT_FALSE(host.source->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(DragDrop, EscapeCancelsWithoutADropAndTheTargetIsLeft)
{
    DragHost host;
    host.MoveCursorTo(host.source, {50, 40});
    host.PostMouse(WM_MOUSEMOVE, host.target, {30, 20}, MK_LBUTTON);
    PostMessageW(host.source->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    bool clicked = false;
    host.source->OnClick = [&](TObject*) { clicked = true; };
    host.source->BeginDrag(true);

    EXPECT_EQ(host.log, (std::vector<std::string>{"start", "enter", "leave", "end"}));
    EXPECT_EQ(host.endTarget, nullptr);
    EXPECT_EQ(host.droppedSource, nullptr);
    EXPECT_FALSE(clicked);
}

TEST(DragDrop, ReleasingBeforeTheDragDistanceIsAClick)
{
    DragHost host;
    host.source->DragMode = TDragMode::dmAutomatic;
    bool clicked = false;
    host.source->OnClick = [&](TObject*) { clicked = true; };
    host.MoveCursorTo(host.source, {50, 40});
    host.PostMouse(WM_LBUTTONDOWN, host.source, {50, 40}, MK_LBUTTON);
    host.PostMouse(WM_MOUSEMOVE, host.source, {51, 41}, MK_LBUTTON);
    host.PostMouse(WM_LBUTTONUP, host.source, {51, 41});
    ASSERT_TRUE(PumpUntil([&] { return clicked; }));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(DragDrop, FreeingTheSourceDuringTheDragCancelsIt)
{
    DragHost host;
    host.target->OnDragOver = [&](TObject*, TObject*, int, int, TDragState state, bool& accept) {
        accept = true;
        if (state == TDragState::dsDragEnter)
            Free(host.source);  // also ends the drag: nothing may reach the freed source
    };
    host.MouseOffForm();
    host.MoveCursorTo(host.target, {5, 5});
    host.PostMouse(WM_MOUSEMOVE, host.target, {30, 20}, MK_LBUTTON);
    host.PostMouse(WM_LBUTTONUP, host.target, {30, 20});
    TPanel* source = host.source;
    source->BeginDrag(true);
    EXPECT_EQ(host.droppedSource, nullptr);
    EXPECT_FALSE(host.ended);
}

}  // namespace
