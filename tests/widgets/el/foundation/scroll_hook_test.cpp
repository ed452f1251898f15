// The scroll-function hook on real windows: a window with standard scroll bars records the
// notifications that the program's own calls to the three scroll functions produce.
#include "widgets/el/foundation/ElScrollHook.h"

#include "widgets/el/foundation/ElHook.h"

#include "framework/Forms.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Notification {
    WPARAM kind;
    intptr_t answerCell;  // before: cell 0 as sent
    int bar;
    UINT mask;
    int nMin, nMax, nPos;
    BOOL redraw;
};

// What the test window does with the before-message, and what it saw.
struct Recorder {
    LRESULT answer = 0;        // returned to the before-message
    intptr_t storeInCell = 0;  // stored in cell 0 before returning
    bool nestCall = false;     // calls SetScrollPos on SB_HORZ from the after-message
    std::vector<Notification> seen;
};
Recorder* g_recorder = nullptr;

SCROLLINFO Info(UINT mask, int nMin, int nMax, UINT page, int pos) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.nMin = nMin;
    info.nMax = nMax;
    info.nPage = page;
    info.nPos = pos;
    return info;
}

DWORD WINAPI ScrollFiftyTimes(void* wnd) {
    for (int i = 0; i < 50; ++i) SetScrollPos(static_cast<HWND>(wnd), SB_VERT, i, FALSE);
    return 0;
}

LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == ScrollNotifyMessage() && g_recorder != nullptr) {
        auto cells = reinterpret_cast<intptr_t*>(lParam);
        Notification n{};
        n.kind = wParam;
        if (wParam == snBeforeChange) {
            n.answerCell = cells[0];
            g_recorder->seen.push_back(n);
            cells[0] = g_recorder->storeInCell;
            return g_recorder->answer;
        }
        if (wParam == snAfterChange) {
            // lParam is the address of cell 2: nBar, SCROLLINFO*, Redraw.
            n.bar = static_cast<int>(cells[0]);
            auto info = reinterpret_cast<const SCROLLINFO*>(cells[1]);
            n.mask = info->fMask;
            n.nMin = info->nMin;
            n.nMax = info->nMax;
            n.nPos = info->nPos;
            n.redraw = static_cast<BOOL>(cells[2]);
            g_recorder->seen.push_back(n);
            if (g_recorder->nestCall) {
                g_recorder->nestCall = false;
                SetScrollPos(wnd, SB_HORZ, 7, TRUE);
            }
            return 0;
        }
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

class ScrollHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallScrollHook());
        g_recorder = &recorder;
        window = std::make_unique<l3d::testing::TestWindow>(L"scroll hook", 200, 150, RecordingProc, nullptr,
                                                           nullptr, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL);
        ShowWindow(window->Handle(), SW_SHOW);
        ASSERT_TRUE(PumpUntil(NothingToPaint));
        SCROLLINFO info = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0);
        SetScrollInfo(window->Handle(), SB_VERT, &info, FALSE);
        SetScrollInfo(window->Handle(), SB_HORZ, &info, FALSE);
        recorder.seen.clear();
    }
    void TearDown() override {
        window.reset();
        g_recorder = nullptr;
    }

    int Pos(int bar) {
        SCROLLINFO info = Info(SIF_POS, 0, 0, 0, 0);
        GetScrollInfo(window->Handle(), bar, &info);
        return info.nPos;
    }

    Recorder recorder;
    std::unique_ptr<l3d::testing::TestWindow> window;
};

TEST_F(ScrollHookTest, NamesCarryTheProcessId) {
    std::string expected = "HookApi:{7DDF4ADB-4A01-4F4B-83AA-8D91C21E99D2}:" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(ScrollHookMappingName(), expected);
    EXPECT_EQ(ScrollHookLockName(), expected + ":Lock");
    EXPECT_EQ(ScrollNotifyMessage(), RegisterWindowMessageA("{7DDF4ADB-4A01-4F4B-83AA-8D91C21E99D2}"));
    EXPECT_TRUE(ScrollHookInstalled());
}

TEST_F(ScrollHookTest, WindowThatDoesNotAnswerGetsTheRealCallOnly) {
    SCROLLINFO info = Info(SIF_POS, 0, 0, 0, 40);
    SetScrollInfo(window->Handle(), SB_VERT, &info, TRUE);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].kind, static_cast<WPARAM>(snBeforeChange));
    EXPECT_EQ(recorder.seen[0].answerCell, 0);
    EXPECT_EQ(Pos(SB_VERT), 40);

    EXPECT_EQ(SetScrollPos(window->Handle(), SB_VERT, 20, TRUE), 40);
    EXPECT_TRUE(SetScrollRange(window->Handle(), SB_VERT, 0, 50, TRUE));
    EXPECT_EQ(recorder.seen.size(), 3u);  // one before-message each, no after-message
    EXPECT_EQ(Pos(SB_VERT), 20);
}

TEST_F(ScrollHookTest, AnsweringWindowIsToldWhatChanged) {
    recorder.answer = 1;
    recorder.storeInCell = 1;

    SCROLLINFO info = Info(SIF_POS, 0, 0, 0, 30);
    SetScrollInfo(window->Handle(), SB_VERT, &info, TRUE);
    ASSERT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen[1].kind, static_cast<WPARAM>(snAfterChange));
    EXPECT_EQ(recorder.seen[1].bar, SB_VERT);
    EXPECT_EQ(recorder.seen[1].mask, static_cast<UINT>(SIF_POS));
    EXPECT_EQ(recorder.seen[1].nPos, 30);
    EXPECT_EQ(recorder.seen[1].redraw, TRUE);  // the caller's flag, though the bar was set without redraw
    EXPECT_EQ(Pos(SB_VERT), 30);

    recorder.seen.clear();
    SetScrollRange(window->Handle(), SB_HORZ, 5, 80, FALSE);
    ASSERT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen[1].bar, SB_HORZ);
    EXPECT_EQ(recorder.seen[1].mask, static_cast<UINT>(SIF_RANGE));
    EXPECT_EQ(recorder.seen[1].nMin, 5);
    EXPECT_EQ(recorder.seen[1].nMax, 80);
    EXPECT_EQ(recorder.seen[1].redraw, FALSE);

    recorder.seen.clear();
    SetScrollPos(window->Handle(), SB_HORZ, 12, TRUE);
    ASSERT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen[1].mask, static_cast<UINT>(SIF_POS));
    EXPECT_EQ(recorder.seen[1].nPos, 12);
    EXPECT_EQ(Pos(SB_HORZ), 12);
}

TEST_F(ScrollHookTest, AnswerThatDiffersFromTheCellIsIgnored) {
    recorder.answer = 1;
    recorder.storeInCell = 2;
    SetScrollPos(window->Handle(), SB_VERT, 9, TRUE);
    EXPECT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(Pos(SB_VERT), 9);
}

TEST_F(ScrollHookTest, NilRecordIsPassedOnSilently) {
    SetScrollInfo(window->Handle(), SB_VERT, nullptr, TRUE);
    EXPECT_TRUE(recorder.seen.empty());
}

TEST_F(ScrollHookTest, CallsFromTheHandlerAreHookedToo) {
    recorder.answer = 1;
    recorder.storeInCell = 1;
    recorder.nestCall = true;
    SetScrollPos(window->Handle(), SB_VERT, 25, TRUE);
    // outer before, outer after, then the nested call's before and after
    ASSERT_EQ(recorder.seen.size(), 4u);
    EXPECT_EQ(recorder.seen[3].bar, SB_HORZ);
    EXPECT_EQ(recorder.seen[3].nPos, 7);
    EXPECT_EQ(Pos(SB_VERT), 25);
    EXPECT_EQ(Pos(SB_HORZ), 7);
}

TEST_F(ScrollHookTest, ScrollingFromAnotherThreadStillWorks) {
    recorder.answer = 1;
    recorder.storeInCell = 1;
    HANDLE thread = CreateThread(nullptr, 0, ScrollFiftyTimes, window->Handle(), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // The notifications are sent to this thread, so serve them while waiting.
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }))
        << "the scrolling thread did not end";
    CloseHandle(thread);
    EXPECT_EQ(recorder.seen.size(), 100u);
    EXPECT_EQ(Pos(SB_VERT), 49);
}

// The way the scroll-bar controller listens: a TElHook on a form answers the before-message and
// reads the change from the after-message.
TEST(ScrollHookWithElHook, HookedFormLearnsOfItsScrollChanges)
{
    ASSERT_TRUE(InstallScrollHook());
    auto* form = CreateComponent<TForm>(nullptr);
    auto* hook = new TElHook(form);
    std::vector<int> positions;
    hook->OnBeforeProcess = [&](TObject*, TMessage& m, bool& handled) {
        if (m.Msg != ScrollNotifyMessage())
            return;
        auto cells = reinterpret_cast<intptr_t*>(m.LParam);
        if (m.WParam == snBeforeChange) {
            cells[0] = 5;
            m.Result = 5;
            handled = true;
        } else if (m.WParam == snAfterChange) {
            positions.push_back(reinterpret_cast<const SCROLLINFO*>(cells[1])->nPos);
            handled = true;
        }
    };
    hook->SetControl(form);
    hook->SetActive(true);
    SCROLLINFO info = Info(SIF_RANGE | SIF_POS, 0, 50, 0, 17);
    SetScrollInfo(form->Handle(), SB_VERT, &info, TRUE);
    SetScrollPos(form->Handle(), SB_VERT, 23, TRUE);
    EXPECT_EQ(positions, (std::vector<int>{17, 23}));
    Free(form);
}

// Uninstall runs last in the program: the test fixture installs again, so this stays a plain test.
TEST(ScrollHookUninstall, RestoresTheFunctionsFirstBytes) {
    ASSERT_TRUE(InstallScrollHook());
    auto entry = reinterpret_cast<const uint8_t*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetScrollPos"));
    EXPECT_EQ(entry[0], 0xE9);
    UninstallScrollHook();
    EXPECT_FALSE(ScrollHookInstalled());
    EXPECT_NE(entry[0], 0xE9);
    // The functions work unhooked, and the hook can be put back.
    Recorder recorder;
    g_recorder = &recorder;
    {
        l3d::testing::TestWindow window(L"unhooked", 100, 100, RecordingProc, nullptr, nullptr,
                                        WS_OVERLAPPEDWINDOW | WS_VSCROLL);
        SetScrollRange(window.Handle(), SB_VERT, 0, 10, FALSE);
        SetScrollPos(window.Handle(), SB_VERT, 4, FALSE);
        EXPECT_EQ(GetScrollPos(window.Handle(), SB_VERT), 4);
        EXPECT_TRUE(recorder.seen.empty());
        ASSERT_TRUE(InstallScrollHook());
        SetScrollPos(window.Handle(), SB_VERT, 5, FALSE);
        EXPECT_EQ(recorder.seen.size(), 1u);
    }
    g_recorder = nullptr;
}

}  // namespace
