// Links between windows that do not own each other, and the window classes behind them: a
// freed control is never reached through the application's hover link or a form's active
// control; a wrapper of a system class is that class whoever registered its name first.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

namespace {

// A control whose memory is overwritten when it is freed, so that any later use through a
// stale pointer jumps through garbage and fails at once instead of by chance.
template <class Base>
class Poisoned : public Base {
public:
    using Base::Base;
    static void operator delete(void* p, std::size_t n)
    {
        std::memset(p, 0xCC, n);
        ::operator delete(p);
    }
};

struct FormWithField {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TCustomControl* field = nullptr;
    FormWithField()
    {
        form->SetClientSize(200, 120);
        field = new Poisoned<TCustomControl>(form.get());
        field->SetParent(form.get());
        field->SetBounds(10, 10, 100, 40);
        static_cast<Poisoned<TCustomControl>*>(field)->TabStop = true;
        form->Show();
    }
};

TEST(WindowLinks, AMouseMoveAfterTheHoveredControlWasFreedReachesNoFreedControl)
{
    FormWithField f;
    int entered = 0, left = 0;
    f.field->OnMouseEnter = [&](TObject*) { ++entered; };
    f.field->OnMouseLeave = [&](TObject*) { ++left; };
    PostMessageW(f.field->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return entered == 1; }));

    Free(f.field);
    int formEntered = 0;
    f.form->OnMouseEnter = [&](TObject*) { ++formEntered; };
    PostMessageW(f.form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 100));
    EXPECT_TRUE(PumpUntil([&] { return formEntered == 1; }));
    EXPECT_EQ(left, 0);  // a freed control hears nothing
}

TEST(WindowLinks, ActivatingAFormAfterItsActiveControlWasFreedIsSafe)
{
    FormWithField f;
    static_cast<TWinControl*>(f.field)->SetFocus();
    ASSERT_EQ(f.form->ActiveControl(), f.field);
    Free(f.field);
    EXPECT_EQ(f.form->ActiveControl(), nullptr);
    int activated = 0;
    f.form->OnActivate = [&](TObject*) { ++activated; };
    SendMessageW(f.form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageW(f.form->Handle(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(activated, 1);
}

}  // namespace
