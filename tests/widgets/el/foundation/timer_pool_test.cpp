// The timer pool: item arithmetic driven by a fake clock through the pool's own window, then
// the three real tick sources under the message loop, and freeing the pool while they run.
#include "widgets/el/foundation/ElTimerPool.h"

#include "framework/ExceptionBarrier.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A pool whose window-timer clock the test moves by hand. Messages are sent, never pumped, so
// the real source's ticks stay in the queue until the pool is gone.
class FakeClockPool : public ::testing::Test {
protected:
    void SetUp() override
    {
        pool = new TElTimerPool(nullptr);
        pool->Clock = [this] { return now; };
    }
    void TearDown() override { Free(pool); }

    TElTimerPoolItem* AddItem(uint32_t interval, int* counter)
    {
        TElTimerPoolItem* item = pool->Items().Add();
        item->SetInterval(interval);
        item->SetOnTimer([counter](TObject*) { ++*counter; });
        return item;
    }
    // Advances the clock by Ms and delivers one window-timer tick.
    void Tick(uint32_t Ms)
    {
        now += Ms;
        SendMessageW(pool->Handle(), WM_TIMER, 1234, 0);
    }

    uint32_t now = 0xFFFFFF00u;  // close to the wrap of the millisecond counter
    TElTimerPool* pool = nullptr;
};

TEST_F(FakeClockPool, TenMillisecondTicksAccumulateToTheInterval)
{
    int fired = 0;
    TElTimerPoolItem* item = AddItem(300, &fired);
    item->SetEnabled(true);
    for (int i = 0; i < 29; ++i)
        Tick(10);
    EXPECT_EQ(fired, 0);
    Tick(10);
    EXPECT_EQ(fired, 1);
    for (int i = 0; i < 60; ++i)
        Tick(10);
    EXPECT_EQ(fired, 3);
}

TEST_F(FakeClockPool, LateTickFiresSeveralTimesAndDropsTheRemainder)
{
    int fired = 0;
    TElTimerPoolItem* item = AddItem(300, &fired);
    item->SetEnabled(true);
    Tick(700);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(item->Timer().Elapsed, 0u);
    Tick(299);
    EXPECT_EQ(fired, 2);
}

TEST_F(FakeClockPool, OneTimeItemIsOffBeforeItsEventAndMayRestart)
{
    int fired = 0;
    TElTimerPoolItem* item = AddItem(100, &fired);
    item->SetOneTime(true);
    std::vector<bool> enabledInEvent;
    item->SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, item);
        enabledInEvent.push_back(item->Enabled());
        if (++fired == 1)
            item->SetEnabled(true);
    });
    item->SetEnabled(true);
    Tick(100);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(item->Enabled());  // re-enabled by its event
    Tick(500);  // five intervals, but a one-shot stops after its firing
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(enabledInEvent, (std::vector<bool>{false, false}));
    EXPECT_FALSE(item->Enabled());
    EXPECT_FALSE(pool->SourceRunning());
}

TEST_F(FakeClockPool, ZeroIntervalIsIgnoredAndANewIntervalRestarts)
{
    int fired = 0;
    TElTimerPoolItem* item = AddItem(200, &fired);
    item->SetEnabled(true);
    item->SetInterval(0);
    EXPECT_EQ(item->Interval(), 200u);
    Tick(150);
    item->SetInterval(100);  // restart: the 150 ms so far are forgotten
    EXPECT_TRUE(item->Enabled());
    Tick(60);
    EXPECT_EQ(fired, 0);
    Tick(40);
    EXPECT_EQ(fired, 1);
}

TEST_F(FakeClockPool, TimeAsleepIsNotCounted)
{
    int fired = 0;
    AddItem(300, &fired)->SetEnabled(true);
    Tick(200);
    SendMessageW(pool->Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_TRUE(pool->Suspended());
    Tick(5000);
    EXPECT_EQ(fired, 0);
    now += 60000;  // asleep
    SendMessageW(pool->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_FALSE(pool->Suspended());
    Tick(99);
    EXPECT_EQ(fired, 0);
    Tick(1);
    EXPECT_EQ(fired, 1);
}

TEST_F(FakeClockPool, DisablingOneItemKeepsTheOthersRunning)
{
    int a = 0, b = 0, c = 0;
    TElTimerPoolItem* first = AddItem(100, &a);
    TElTimerPoolItem* second = AddItem(100, &b);
    TElTimerPoolItem* shot = AddItem(100, &c);
    shot->SetOneTime(true);
    first->SetEnabled(true);
    second->SetEnabled(true);
    for (int i = 0; i < 5; ++i) {
        shot->SetEnabled(true);
        Tick(100);
    }
    EXPECT_EQ(c, 5);
    first->SetEnabled(false);
    EXPECT_TRUE(pool->SourceRunning());
    Tick(100);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
    second->SetEnabled(false);
    EXPECT_FALSE(pool->SourceRunning());
    second->SetEnabled(true);
    EXPECT_TRUE(pool->SourceRunning());
}

TEST_F(FakeClockPool, AssignCopiesTheSettingsButNotTheEvent)
{
    int a = 0, b = 0;
    TElTimerPoolItem* source = AddItem(250, &a);
    source->SetTag(9);
    source->SetOneTime(true);
    source->SetEnabled(true);
    TElTimerPoolItem* copy = AddItem(1000, &b);
    copy->Assign(source);
    EXPECT_EQ(copy->Tag(), 9);
    EXPECT_EQ(copy->Interval(), 250u);
    EXPECT_TRUE(copy->OneTime());
    EXPECT_TRUE(copy->Enabled());
    Tick(250);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);  // its own event
}

TEST_F(FakeClockPool, ThreadModeTickWithAnIndexFiresThatItem)
{
    int a = 0, b = 0;
    AddItem(1000, &a);
    AddItem(1000, &b);
    pool->SetTimerMode(eltThread);
    SendMessageW(pool->Handle(), TickMessage(), 1, 1);
    SendMessageW(pool->Handle(), TickMessage(), 1, 5);  // no such item
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
}

TEST_F(FakeClockPool, FailingEventGoesToTheHandlerAndOtherItemsStillFire)
{
    int caught = 0, fired = 0;
    SetExceptionHandler([&](std::exception_ptr) { ++caught; });
    TElTimerPoolItem* bad = pool->Items().Add();
    bad->SetInterval(100);
    bad->SetOnTimer([](TObject*) { throw std::runtime_error("timer"); });
    bad->SetEnabled(true);
    AddItem(100, &fired)->SetEnabled(true);
    Tick(100);
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(fired, 1);
    SetExceptionHandler(nullptr);
}

TEST_F(FakeClockPool, EventThatFreesThePoolEndsTheTick)
{
    int fired = 0;
    TElTimerPoolItem* item = AddItem(100, &fired);
    item->SetOnTimer([&](TObject*) {
        ++fired;
        TElTimerPool* p = pool;
        pool = nullptr;
        Free(p);
    });
    item->SetEnabled(true);
    AddItem(100, &fired)->SetEnabled(true);
    HWND wnd = pool->Handle();
    now += 300;
    SendMessageW(wnd, WM_TIMER, 1234, 0);
    EXPECT_EQ(fired, 1);  // neither its own further firings nor the second item's
    EXPECT_FALSE(IsWindow(wnd));
}

// ---- Real sources

class RealSource : public ::testing::TestWithParam<TElTimerMode> {};

TEST_P(RealSource, AHundredMillisecondItemFiresNoFasterThanItsIntervalAndStopsWhenDisabled)
{
    auto* pool = new TElTimerPool(nullptr);
    pool->SetTimerMode(GetParam());
    int fired = 0;
    TElTimerPoolItem* item = pool->Items().Add();
    item->SetInterval(100);
    item->SetOnTimer([&](TObject*) { ++fired; });
    const DWORD start = GetTickCount();
    item->SetEnabled(true);
    EXPECT_TRUE(pool->SourceRunning());
    // Generous time-out: a loaded machine under Wine delays ticks (and the 1 ms sources lose
    // time when the loop falls behind); what must hold is that ten firings take ten intervals.
    ASSERT_TRUE(PumpUntil([&] { return fired >= 10; }));
    const DWORD spent = GetTickCount() - start;
    std::printf("[   INFO   ] mode %d: 10 firings of a 100 ms item in %lu ms\n", GetParam(),
                static_cast<unsigned long>(spent));
    EXPECT_GE(spent, 1000u - 20u) << "the clock's granularity is the only slack";
    item->SetEnabled(false);
    EXPECT_FALSE(pool->SourceRunning());
    const int atStop = fired;
    TimerWitness witness(100);
    ASSERT_TRUE(PumpUntil(witness.Ticked(3)));
    EXPECT_EQ(fired, atStop);
    Free(pool);
}

TEST_P(RealSource, FreeingThePoolWhileItsSourceRunsIsSafe)
{
    int fired = 0;
    for (int round = 0; round < 100; ++round) {
        auto* pool = new TElTimerPool(nullptr);
        HWND wnd = pool->Handle();
        pool->SetTimerMode(GetParam());
        TElTimerPoolItem* item = pool->Items().Add();
        item->SetInterval(1);
        item->SetOnTimer([&](TObject*) { ++fired; });
        item->SetEnabled(true);
        // Every other round the pool goes only after its item fired, the others at once.
        if (round % 2 == 1) {
            const int before = fired;
            ASSERT_TRUE(PumpUntil([&] { return fired > before; }));
        }
        Free(pool);
        ASSERT_FALSE(IsWindow(wnd));
    }
    // Ticks posted late find no window, and no event runs any more.
    const int afterFree = fired;
    TimerWitness witness(10);
    ASSERT_TRUE(PumpUntil(witness.Ticked(5)));
    EXPECT_EQ(fired, afterFree);
}

std::string ModeName(const ::testing::TestParamInfo<TElTimerMode>& info)
{
    static const char* const names[] = {"Windows", "MMedia", "Thread"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, RealSource, ::testing::Values(eltWindows, eltMMedia, eltThread), ModeName);

TEST(TimerPoolMode, SwitchingModeWhileRunningKeepsTheItemsFiring)
{
    auto* pool = new TElTimerPool(nullptr);
    int fired = 0;
    TElTimerPoolItem* item = pool->Items().Add();
    item->SetInterval(50);
    item->SetOnTimer([&](TObject*) { ++fired; });
    item->SetEnabled(true);
    for (TElTimerMode mode : {eltMMedia, eltThread, eltWindows}) {
        pool->SetTimerMode(mode);
        EXPECT_TRUE(item->Enabled());
        EXPECT_TRUE(pool->SourceRunning());
        const int before = fired;
        EXPECT_TRUE(PumpUntil([&] { return fired > before; })) << "mode " << mode;
    }
    pool->SetPrecise(true);
    EXPECT_EQ(pool->TimerMode(), eltMMedia);
    EXPECT_TRUE(pool->Precise());
    Free(pool);
}

}  // namespace
