// Window hooks on a real form: order of the before and after passes, swallowing, unhooking in
// any order, later subclassers, hooks and controls that go away while a message is on its way.
#include "widgets/el/foundation/ElHook.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 7;

std::vector<std::string> gLog;

// A form that logs the probe message in its own processing and answers 42.
class ProbeForm : public TForm {
public:
    using TForm::TForm;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == kProbe) {
            gLog.push_back("control");
            Message.Result = 42;
            return;
        }
        TForm::WndProc(Message);
    }
};

class HookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog.clear();
        form = CreateComponent<ProbeForm>(nullptr);
        form->Handle();
    }
    void TearDown() override
    {
        Free(form);
        // The hooks went with the form; their records are released through posted messages.
        EXPECT_TRUE(PumpUntil([] { return ElHookList() == nullptr; }));
    }

    // A hook owned by the form that logs "<name>.before" and "<name>.after" for the probe.
    TElHook* MakeHook(const std::string& name, bool swallow = false)
    {
        auto* hook = new TElHook(form);
        hook->OnBeforeProcess = [name, swallow](TObject*, TMessage& m, bool& handled) {
            if (m.Msg != kProbe)
                return;
            gLog.push_back(name + ".before");
            if (swallow) {
                m.Result = 7;
                handled = true;
            }
        };
        hook->OnAfterProcess = [name](TObject*, TMessage& m, bool&) {
            if (m.Msg == kProbe)
                gLog.push_back(name + ".after");
        };
        return hook;
    }

    LRESULT Probe()
    {
        gLog.clear();
        return SendMessageW(form->Handle(), kProbe, 0, 0);
    }

    bool Hooked() const { return form->WindowProc.target<TCtlHookWindowProc>() != nullptr; }

    ProbeForm* form = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(HookTest, LastActivatedHookSeesMessagesFirstInBothPasses)
{
    TElHook* a = MakeHook("a");
    TElHook* b = MakeHook("b");
    a->SetControl(form);
    a->SetActive(true);
    b->SetControl(form);
    b->SetActive(true);
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(gLog, (Log{"b.before", "a.before", "control", "b.after", "a.after"}));
}

TEST_F(HookTest, SwallowedMessageSkipsEarlierHooksAndTheControlButNotTheAfterPass)
{
    TElHook* a = MakeHook("a");
    TElHook* b = MakeHook("b", true);
    a->SetControl(form);
    a->SetActive(true);
    b->SetControl(form);
    b->SetActive(true);
    EXPECT_EQ(Probe(), 7);
    EXPECT_EQ(gLog, (Log{"b.before", "b.after", "a.after"}));
}

TEST_F(HookTest, AfterHandlerSeesAndMayChangeTheControlsResult)
{
    TElHook* a = MakeHook("a");
    intptr_t seen = 0;
    a->OnAfterProcess = [&](TObject*, TMessage& m, bool& handled) {
        if (m.Msg != kProbe)
            return;
        seen = m.Result;
        m.Result = 99;
        handled = true;
    };
    TElHook* b = MakeHook("b");
    a->SetControl(form);
    a->SetActive(true);
    b->SetControl(form);
    b->SetActive(true);
    EXPECT_EQ(Probe(), 99);
    EXPECT_EQ(seen, 42);
    // b runs first in the after pass; a stops the pass, but nothing comes after it anyway.
    EXPECT_EQ(gLog, (Log{"b.before", "a.before", "control", "b.after"}));
}

TEST_F(HookTest, UnhookingInEitherOrderRestoresTheControl)
{
    for (bool firstOutFirst : {true, false}) {
        TElHook* a = MakeHook("a");
        TElHook* b = MakeHook("b");
        a->SetControl(form);
        b->SetControl(form);
        a->SetActive(true);
        b->SetActive(true);
        EXPECT_TRUE(Hooked());
        (firstOutFirst ? a : b)->SetActive(false);
        EXPECT_TRUE(Hooked());
        Probe();
        EXPECT_EQ(gLog, (Log{firstOutFirst ? "b.before" : "a.before", "control", firstOutFirst ? "b.after" : "a.after"}));
        (firstOutFirst ? b : a)->SetActive(false);
        EXPECT_FALSE(Hooked());
        Probe();
        EXPECT_EQ(gLog, (Log{"control"}));
        // Activating again hooks the control again.
        a->SetActive(true);
        EXPECT_TRUE(Hooked());
        Probe();
        EXPECT_EQ(gLog, (Log{"a.before", "control", "a.after"}));
        Free(a);
        Free(b);
        EXPECT_FALSE(Hooked());
    }
}

TEST_F(HookTest, ActiveBeforeControlHooksWhenTheControlArrives)
{
    TElHook* a = MakeHook("a");
    a->SetActive(true);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(Hooked());
    a->SetControl(form);
    EXPECT_TRUE(Hooked());
    Probe();
    EXPECT_EQ(gLog, (Log{"a.before", "control", "a.after"}));
    // Setting nil leaves the hook inactive.
    a->SetControl(nullptr);
    EXPECT_FALSE(a->Active());
    EXPECT_FALSE(Hooked());
}

TEST_F(HookTest, HookThatSwitchesItselfOffMidMessage)
{
    TElHook* a = MakeHook("a");
    TElHook* b = MakeHook("b");
    b->OnBeforeProcess = [&](TObject*, TMessage& m, bool&) {
        if (m.Msg != kProbe)
            return;
        gLog.push_back("b.before");
        b->SetActive(false);
        a->SetActive(false);  // the last hook leaves while the message is on its way
    };
    a->SetControl(form);
    a->SetActive(true);
    b->SetControl(form);
    b->SetActive(true);
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(gLog, (Log{"b.before", "control"}));
    EXPECT_FALSE(Hooked());
    Probe();
    EXPECT_EQ(gLog, (Log{"control"}));
}

TEST_F(HookTest, LaterSubclasserKeepsItsMessagesWhenTheHookLeaves)
{
    TElHook* a = MakeHook("a");
    a->SetControl(form);
    a->SetActive(true);
    TWndMethod below = form->WindowProc;
    form->WindowProc = [below](TMessage& m) {
        if (m.Msg == kProbe)
            gLog.push_back("third");
        below(m);
    };
    a->SetActive(false);
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(gLog, (Log{"third", "control"}));
    a->SetActive(true);
    Probe();
    EXPECT_EQ(gLog, (Log{"third", "a.before", "control", "a.after"}));
    a->SetActive(false);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    Probe();
    EXPECT_EQ(gLog, (Log{"third", "control"}));
}

TEST_F(HookTest, ExceptionInAHandlerGoesToTheHandlerAndTheMessageGoesOn)
{
    std::vector<std::string> caught;
    SetExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            caught.push_back(x.what());
        }
    });
    TElHook* a = MakeHook("a");
    a->OnBeforeProcess = [](TObject*, TMessage& m, bool&) {
        if (m.Msg == kProbe)
            throw std::runtime_error("boom");
    };
    a->SetControl(form);
    a->SetActive(true);
    EXPECT_EQ(Probe(), 42);
    EXPECT_EQ(gLog, (Log{"control", "a.after"}));
    EXPECT_EQ(caught, (std::vector<std::string>{"boom"}));
    SetExceptionHandler(nullptr);
}

TEST(HookLifetime, FreedControlReleasesItsHooksAndTheListFreesItself)
{
    gLog.clear();
    auto* form = CreateComponent<ProbeForm>(nullptr);
    form->Handle();
    auto* hook = new TElHook(nullptr);
    hook->SetControl(form);
    hook->SetActive(true);
    ASSERT_NE(ElHookList(), nullptr);
    EXPECT_EQ(SendMessageW(ElHookList()->Handle, WM_QUERYENDSESSION, 0, 0), 1);
    Free(form);
    EXPECT_EQ(hook->Control(), nullptr);
    EXPECT_FALSE(hook->Active());
    EXPECT_TRUE(PumpUntil([] { return ElHookList() == nullptr; }));
    Free(hook);
}

TEST(HookLifetime, HandlerThatFreesTheControlStopsTheMessageThere)
{
    gLog.clear();
    auto* form = CreateComponent<ProbeForm>(nullptr);
    HWND wnd = form->Handle();
    auto* first = new TElHook(nullptr);
    auto* last = new TElHook(nullptr);
    first->OnBeforeProcess = [](TObject*, TMessage& m, bool&) {
        if (m.Msg == kProbe)
            gLog.push_back("first.before");
    };
    last->OnBeforeProcess = [&](TObject*, TMessage& m, bool&) {
        if (m.Msg != kProbe)
            return;
        gLog.push_back("last.before");
        ProbeForm* f = form;
        form = nullptr;
        Free(f);
    };
    first->SetControl(form);
    first->SetActive(true);
    last->SetControl(form);
    last->SetActive(true);
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(gLog, (Log{"last.before"}));
    EXPECT_EQ(first->Control(), nullptr);
    EXPECT_EQ(last->Control(), nullptr);
    EXPECT_TRUE(PumpUntil([] { return ElHookList() == nullptr; }));
    Free(first);
    Free(last);
}

}  // namespace
