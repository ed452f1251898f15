// The application's own loop: Run shows the main form, closing it ends the loop; wheel and
// double click reach the form's events. (Its own binary: once Run has ended, the application
// counts as terminated.)
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

class MainWindow : public TForm {
public:
    explicit MainWindow(TComponent* owner) : TForm(owner)
    {
        SetWindowState(TWindowState::wsMaximized);
        OnShow = [this](TObject*) { shownMaximized = IsZoomed(Handle()) != 0; };
        OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
            wheel += delta;
            handled = true;
        };
        OnDblClick = [this](TObject*) { ++doubleClicks; };
        auto* closer = new TTimer(this);
        closer->SetInterval(20);
        closer->OnTimer = [this, closer](TObject*) {
            ++ticks;
            if (ticks == 1) {
                PostMessageW(Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(10, 10));
                PostMessageW(Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
            } else if (ticks == 3) {
                closer->SetEnabled(false);
                PostMessageW(Handle(), WM_CLOSE, 0, 0);
            }
        };
    }
    bool shownMaximized = false;
    int wheel = 0, doubleClicks = 0, ticks = 0;
};

TEST(Application, RunShowsTheMainFormAndClosingItEndsTheLoop)
{
    Application->Initialize();
    Application->Title = u"Lorvane 3D";
    MainWindow* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(Application->MainForm, main);
    EXPECT_FALSE(main->Visible());
    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm, main);

    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(main->shownMaximized);
    EXPECT_EQ(main->wheel, 240);
    EXPECT_EQ(main->doubleClicks, 1);
    EXPECT_EQ(main->ticks, 3);
    Free(main);
    EXPECT_EQ(Application->MainForm, nullptr);
    Free(second);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

}  // namespace
