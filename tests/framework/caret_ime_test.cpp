// The caret owned by a scope, and the input method editor's context of a window, under Wine.
#include "framework/Caret.h"
#include "framework/Ime.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <vector>

namespace {

using l3d::testing::TestWindow;

HWND CaretWindow()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) ? info.hwndCaret : nullptr;
}

TEST(Caret, IsPlacedShownAndDestroyedWithItsScope)
{
    TestWindow window(L"caret", 200, 100);
    SetFocus(window.Handle());
    {
        TCaret caret(window.Handle(), 2, 16);
        ASSERT_TRUE(caret.Created());
        EXPECT_EQ(CaretWindow(), window.Handle());
        caret.SetPos({30, 7});
        POINT p{};
        ASSERT_TRUE(GetCaretPos(&p));
        EXPECT_EQ(p.x, 30);
        EXPECT_EQ(p.y, 7);
        EXPECT_EQ(caret.Pos(), (TPoint{30, 7}));
        caret.Show();
        caret.Show();
        caret.Hide();  // one level: hidden again after one Hide however often shown
        EXPECT_FALSE(caret.Visible());
        caret.Show();
        EXPECT_TRUE(caret.Visible());
    }
    EXPECT_EQ(CaretWindow(), nullptr);
}

TEST(Caret, AScopeLeavesACaretAnotherWindowTookOver)
{
    TestWindow first(L"first", 100, 60);
    TestWindow second(L"second", 100, 60);
    auto caret = std::make_unique<TCaret>(first.Handle(), 1, 12);
    ASSERT_TRUE(caret->Owned());
    // The focus moves on and the next control makes its caret before this scope ends.
    SetFocus(second.Handle());
    ASSERT_TRUE(CreateCaret(second.Handle(), nullptr, 1, 12));
    EXPECT_FALSE(caret->Owned());
    caret->SetPos({50, 50});
    caret.reset();
    EXPECT_EQ(CaretWindow(), second.Handle());
    POINT p{};
    GetCaretPos(&p);
    EXPECT_EQ(p.x, 0);
    DestroyCaret();
}

std::vector<std::u16string> imeResults;
int compositionMessages = 0;

LRESULT CALLBACK ImeWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_IME_COMPOSITION) {
        ++compositionMessages;
        if (auto result = ImeResultString(Wnd, TMessage{Msg, WParam, LParam, 0}))
            imeResults.push_back(*result);
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TEST(Ime, TheCompositionWindowIsPlacedAndTheResultStringTakenFromItsMessage)
{
    ASSERT_TRUE(ImeLibraryAvailable());
    TestWindow window(L"ime", 200, 100, ImeWindowProc);
    SetFocus(window.Handle());
    {
        TImeContext context(window.Handle());
        ASSERT_TRUE(context.Available());
        ASSERT_TRUE(context.SetCompositionWindow(TRect{4, 2, 190, 20}, TPoint{37, 3}));
        auto placed = context.CompositionWindow();
        ASSERT_TRUE(placed.has_value());
        EXPECT_EQ(placed->Style, static_cast<DWORD>(CFS_RECT));
        EXPECT_EQ(placed->Pos, (TPoint{37, 3}));
        EXPECT_EQ(placed->Area, (TRect{4, 2, 190, 20}));
        ASSERT_TRUE(context.SetCompositionWindow(TPoint{12, 40}));
        placed = context.CompositionWindow();
        ASSERT_TRUE(placed.has_value());
        EXPECT_EQ(placed->Style, static_cast<DWORD>(CFS_POINT));
        EXPECT_EQ(placed->Pos, (TPoint{12, 40}));

        // A composition that the program completes reports its text as the result string.
        HIMC himc = ImmGetContext(window.Handle());
        const wchar_t text[] = L"\u65e5\u672c";
        ImmSetCompositionStringW(himc, SCS_SETSTR, const_cast<wchar_t*>(text), sizeof text - sizeof(wchar_t), nullptr,
                                 0);
        ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        ImmReleaseContext(window.Handle(), himc);
    }
    ASSERT_TRUE(PumpUntil([] { return !imeResults.empty(); }));
    ASSERT_TRUE(NothingFollows());  // a late composition would be in by then
    EXPECT_GT(compositionMessages, 0);
    EXPECT_EQ(imeResults, std::vector<std::u16string>{u"\u65e5\u672c"});

    // Messages without a result string give nothing.
    EXPECT_EQ(ImeResultString(window.Handle(), TMessage{WM_IME_COMPOSITION, 0, GCS_COMPSTR, 0}), std::nullopt);
    EXPECT_EQ(ImeResultString(window.Handle(), TMessage{WM_KEYDOWN, 'A', GCS_RESULTSTR, 0}), std::nullopt);
}

}  // namespace
