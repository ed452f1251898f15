// A shown form for the edit controls' tests under Wine, with the ways a user reaches them:
// focus, typed characters, keys with modifiers held, mouse presses at client points, and the
// standard messages' text read back.
#pragma once

#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/foundation/ElScrollHook.h"

#include "support/pump.h"

#include "framework/Forms.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

struct EditForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};

    EditForm()
    {
        EXPECT_TRUE(InstallScrollHook());
        form->SetBounds(40, 40, 560, 360);
        form->Show();
    }
    ~EditForm()
    {
        const BYTE none[256] = {};
        SetKeyboardState(const_cast<BYTE*>(none));
    }

    template <class T>
    T* Add(int Left, int Top, int Width, int Height)
    {
        T* control = new T(form.get());
        control->SetParent(form.get());
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }
    // Everything posted so far handled, and every window painted.
    static void Settle()
    {
        EXPECT_TRUE(Settled());
    }
    static void Focus(TWinControl* Control)
    {
        Control->SetFocus();
        Settle();
        EXPECT_EQ(GetFocus(), Control->Handle());
    }
    static void Type(TWinControl* Control, const std::u16string& Chars)
    {
        for (char16_t c : Chars)
            PostMessageW(Control->Handle(), WM_CHAR, c, 1);
        Settle();
    }
    // A key pressed and released with the modifiers held (VK_SHIFT, VK_CONTROL, VK_MENU).
    static void Press(TWinControl* Control, UINT Key, std::initializer_list<int> Modifiers = {})
    {
        BYTE state[256] = {};
        for (int vk : Modifiers)
            state[vk] = 0x80;
        SetKeyboardState(state);
        PostMessageW(Control->Handle(), WM_KEYDOWN, Key, 1);
        PostMessageW(Control->Handle(), WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001u));
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
        const BYTE none[256] = {};
        SetKeyboardState(const_cast<BYTE*>(none));
        Settle();
    }
    static void PostMouse(TWinControl* Control, UINT Msg, TPoint P, WPARAM Keys = 0)
    {
        PostMessageW(Control->Handle(), Msg, Keys, MAKELPARAM(P.X, P.Y));
    }
    // A left click (press and release) at P.
    static void Click(TWinControl* Control, TPoint P, WPARAM Keys = 0)
    {
        PostMouse(Control, WM_LBUTTONDOWN, P, Keys | MK_LBUTTON);
        PostMouse(Control, WM_LBUTTONUP, P, Keys);
        Settle();
    }
    static std::u16string WindowText(HWND Window)
    {
        const auto n = static_cast<int>(SendMessageW(Window, WM_GETTEXTLENGTH, 0, 0));
        std::u16string s(static_cast<size_t>(n) + 1, u'\0');
        const auto got = static_cast<int>(SendMessageW(Window, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data())));
        s.resize(static_cast<size_t>(got));
        return s;
    }
    // The client point EM_POSFROMCHAR gives for a character index.
    static TPoint PosOf(HWND Window, int Index)
    {
        const auto r = static_cast<LRESULT>(SendMessageW(Window, EM_POSFROMCHAR, Index, 0));
        EXPECT_NE(r, -1) << "index " << Index;
        return {static_cast<int16_t>(LOWORD(r)), static_cast<int16_t>(HIWORD(r))};
    }
    static std::pair<int, int> Sel(HWND Window)
    {
        DWORD start = 0, end = 0;
        SendMessageW(Window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
};
