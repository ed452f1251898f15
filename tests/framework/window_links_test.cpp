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

namespace {

// Wrappers of system classes that keep the class name of a plain control.
template <const char16_t* System>
class Wrapper : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        Params.SystemClassName = System;
    }
};
constexpr char16_t kListBox[] = u"LISTBOX";
constexpr char16_t kEdit[] = u"EDIT";

class Named : public TWinControl {
public:
    Named(TComponent* owner, std::u16string name, std::u16string system)
        : TWinControl(owner), name_(std::move(name)), system_(std::move(system))
    {
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        Params.WinClassName = name_;
        Params.SystemClassName = system_;
    }

private:
    std::u16string name_, system_;
};

template <class T, class... Args>
T* Place(TForm* form, Args&&... args)
{
    T* c = new T(form, std::forward<Args>(args)...);
    c->SetParent(form);
    c->SetBounds(5, 5, 80, 60);
    return c;
}

TEST(WindowClasses, AWrapperKeepingAPlainControlsNameIsItsSystemClassWhoeverCameFirst)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    TWinControl* plain = Place<TWinControl>(form.get());
    plain->HandleNeeded();  // registers the plain class under the shared name first
    auto* list = Place<Wrapper<kListBox>>(form.get());
    auto* edit = Place<Wrapper<kEdit>>(form.get());
    ASSERT_STREQ(list->ClassName(), plain->ClassName());

    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    SendMessageW(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_GT(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(plain->Handle(), LB_GETCOUNT, 0, 0), 0);

    // A second wrapper of the same pair shares the class.
    auto* list2 = Place<Wrapper<kListBox>>(form.get());
    SendMessageW(list2->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(SendMessageW(list2->Handle(), LB_GETCOUNT, 0, 0), 1);
}

TEST(WindowClasses, AWindowClassNameWantedForTwoMeaningsIsAnError)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* wrapper = Place<Named>(form.get(), u"Probe", u"EDIT");
    wrapper->HandleNeeded();
    // A plain class whose own name spells the wrapper's window class name; the form has its
    // window, so placing the control makes its window.
    EXPECT_THROW(Place<Named>(form.get(), u"probe:edit", u""), EInvalidOperation);
    auto* plain = static_cast<TWinControl*>(form->Controls(form->ControlCount() - 1));
    EXPECT_FALSE(plain->HandleAllocated());

    // A window class registered by other code under the name a control would use.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"L3D.Foreign";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    EXPECT_THROW(Place<Named>(form.get(), u"Foreign", u""), EInvalidOperation);
    // The form itself is unharmed.
    EXPECT_TRUE(IsWindow(form->Handle()));
}

}  // namespace
