// The main window's views: the view a press makes active and whose camera the commands then
// move, through a relayout, and the repaint request the paint timer takes.
#include "app/ScanViews.h"

#include "view_layout_support.h"

#include <gtest/gtest.h>

// The panes of Window1024, from the top: the right column x 785..1020 with front 57..281, top
// 285..511 and perspective 515..739; the main view x 64..781.
TEST(ScanViews, APressActivatesTheViewUnderItAndTheCommandsMoveThatViewsCamera)
{
    TScanViews views;
    // Before the first layout there is no pane to press in.
    views.ActivateViewAt(400, 400);
    EXPECT_EQ(views.ActiveView(), 0);

    views.SetLayout(ComputeLayout(Window1024(true)));
    EXPECT_EQ(views.Viewports()[MainViewport].Width, 717);
    struct TPress {
        int32_t X, Y;
        uint8_t View;
        size_t Slot;  // the view state its camera is
    };
    for (const TPress& p : {TPress{900, 100, 3, 2}, TPress{900, 400, 1, 1}, TPress{900, 600, 2, 3},
                            TPress{400, 400, 0, 0}}) {
        views.ActivateViewAt(p.X, p.Y);
        EXPECT_EQ(views.ActiveView(), p.View) << p.X << ", " << p.Y;
        EXPECT_EQ(&views.ActiveState(), &views.States()[p.Slot]) << int(p.View);
    }

    // A press on the margin between the panes keeps the active view.
    views.ActivateViewAt(900, 600);
    views.ActivateViewAt(783, 600);
    views.ActivateViewAt(900, 513);
    EXPECT_EQ(views.ActiveView(), 2);

    // Without the split screen the right column is gone; the perspective view stays active, its
    // camera the one the commands move, until a press in the main view.
    views.SetLayout(ComputeLayout(Window1024(false)));
    EXPECT_EQ(views.Viewports()[TopRightViewport].Width, 0);
    views.ActivateViewAt(1022, 600);
    EXPECT_EQ(&views.ActiveState(), &views.States()[3]);
    views.ActivateViewAt(1000, 600);
    EXPECT_EQ(views.ActiveView(), 0);
}

TEST(ScanViews, ThePaintTimerTakesEachRequestOnceAndDropsThoseMadeWhileItDraws)
{
    TScanViews views;
    EXPECT_FALSE(views.TakeRepaintRequest());
    views.RequestRepaint();
    views.RequestRepaint();
    EXPECT_TRUE(views.TakeRepaintRequest());
    EXPECT_FALSE(views.TakeRepaintRequest()) << "two requests, one frame";

    // A paint answered while a frame is drawn asks for what that frame gives.
    {
        const TValueKept<uint8_t> dropped = views.DropRepaintRequests();
        views.RequestRepaint();
    }
    EXPECT_FALSE(views.RepaintPending());
    // A request made before stays.
    views.RequestRepaint();
    {
        const TValueKept<uint8_t> dropped = views.DropRepaintRequests();
        EXPECT_FALSE(views.RepaintPending());
    }
    EXPECT_TRUE(views.TakeRepaintRequest());
}
