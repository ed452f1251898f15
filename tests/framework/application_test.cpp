// The application's own loop: Run shows the main form, closing it ends the loop; wheel and
// double click reach the form's events; after the loop the forms CreateForm made are freed,
// the last made first. (Its own binary: once Run has ended, the application counts as
// terminated.)
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Screen.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <string>
#include <vector>

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

TEST(Application, RunShowsTheMainFormAndClosingItEndsTheLoopThenFreesTheFormsLastFirst)
{
    Application->Initialize();
    Application->Title = u"Lorvane 3D";
    std::vector<std::string> destroyed;
    MainWindow* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(Application->MainForm, main);
    EXPECT_FALSE(main->Visible());
    bool shownMaximized = false;
    int wheel = 0, doubleClicks = 0, ticks = 0;
    main->OnDestroy = [&, main](TObject*) {
        // The form is whole here: read what the loop left in it.
        shownMaximized = main->shownMaximized;
        wheel = main->wheel;
        doubleClicks = main->doubleClicks;
        ticks = main->ticks;
        destroyed.push_back("main");
    };
    TForm* second = nullptr;
    Application->CreateForm(second);
    second->OnDestroy = [&](TObject*) { destroyed.push_back("second"); };
    TForm* third = nullptr;
    Application->CreateForm(third);
    third->OnDestroy = [&](TObject*) { destroyed.push_back("third"); };
    EXPECT_EQ(Application->MainForm, main);
    Free(third);  // a form the program frees itself is not freed again

    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(shownMaximized);
    EXPECT_EQ(wheel, 240);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(destroyed, (std::vector<std::string>{"third", "second", "main"}));
    EXPECT_EQ(Application->MainForm, nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Screen->FormCount(), 0);
}

}  // namespace
