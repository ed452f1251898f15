// The route of a key through the loop: menu short-cut, key preview, focused control; the
// dialog keys Tab, Enter and Escape.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Field : public TCustomControl {
public:
    explicit Field(TComponent* owner) : TCustomControl(owner) { TabStop = true; }
};

// The form's short-cut hook sees every key first, as the menu does.
struct Menu {
    uint16_t takes = 0;
};

struct KeyForm {
    std::vector<std::string> log;
    Menu menu;
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    Field* first;
    Field* second;
    TButton* ok;
    TButton* cancel;
    int okClicks = 0, cancelClicks = 0;
    uint16_t previewEats = 0, controlEats = 0;

    KeyForm()
    {
        form->OnShortCut = [this](TMessage& m, bool& handled) {
            log.push_back("menu");
            handled = m.WParam == menu.takes;
        };
        form->KeyPreview = true;
        form->SetClientSize(300, 200);
        form->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
            log.push_back("preview");
            if (key == previewEats)
                key = 0;
        };
        first = new Field(form.get());
        first->SetParent(form.get());
        first->SetBounds(10, 10, 100, 20);
        second = new Field(form.get());
        second->SetParent(form.get());
        second->SetBounds(10, 40, 100, 20);
        for (Field* f : {first, second})
            f->OnKeyDown = [this, f](TObject* sender, uint16_t& key, TShiftState) {
                log.push_back(sender == first ? "first" : "second");
                if (key == controlEats)
                    key = 0;
            };
        ok = new TButton(form.get());
        ok->SetParent(form.get());
        ok->SetBounds(10, 100, 75, 25);
        ok->Default = true;
        ok->OnClick = [this](TObject*) { ++okClicks; };
        cancel = new TButton(form.get());
        cancel->SetParent(form.get());
        cancel->SetBounds(100, 100, 75, 25);
        cancel->Cancel = true;
        cancel->OnClick = [this](TObject*) { ++cancelClicks; };
        form->Show();
        first->SetFocus();
        PumpUntil(NothingToPaint);
    }

    void Key(HWND target, uint16_t key)
    {
        log.clear();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    }
};

TEST(KeyRouting, AKeyReachesShortCutPreviewAndFocusedControlInThatOrder)
{
    KeyForm k;
    ASSERT_TRUE(k.first->Focused());
    k.Key(k.first->Handle(), VK_F5);
    EXPECT_EQ(k.log, (std::vector<std::string>{"menu", "preview", "first"}));

    k.menu.takes = VK_F6;
    k.Key(k.first->Handle(), VK_F6);
    EXPECT_EQ(k.log, (std::vector<std::string>{"menu"}));

    k.previewEats = VK_F7;
    k.Key(k.first->Handle(), VK_F7);
    EXPECT_EQ(k.log, (std::vector<std::string>{"menu", "preview"}));

    k.form->KeyPreview = false;
    k.Key(k.first->Handle(), VK_F7);
    EXPECT_EQ(k.log, (std::vector<std::string>{"menu", "first"}));
}

TEST(KeyRouting, TabMovesTheFocusEnterAndEscapePressDefaultAndCancel)
{
    KeyForm k;
    k.Key(k.first->Handle(), VK_TAB);
    EXPECT_TRUE(k.second->Focused());
    EXPECT_EQ(k.form->ActiveControl(), k.second);
    // Tab is a dialog key: the field never sees it.
    EXPECT_EQ(k.log, (std::vector<std::string>{"menu"}));
    k.Key(k.second->Handle(), VK_TAB);
    EXPECT_TRUE(k.ok->Focused());

    k.second->SetFocus();
    ASSERT_TRUE(k.second->Focused());
    k.Key(k.second->Handle(), VK_RETURN);
    EXPECT_EQ(k.okClicks, 1);
    EXPECT_EQ(k.cancelClicks, 0);
    k.Key(k.second->Handle(), VK_ESCAPE);
    EXPECT_EQ(k.cancelClicks, 1);
    EXPECT_EQ(k.okClicks, 1);

    // Enter on a focused button presses that button, not the default one.
    k.cancel->SetFocus();
    ASSERT_TRUE(k.cancel->Focused());
    k.Key(k.cancel->Handle(), VK_RETURN);
    EXPECT_EQ(k.cancelClicks, 2);
    EXPECT_EQ(k.okClicks, 1);
}

TEST(KeyRouting, TabSkipsHiddenAndDisabledControls)
{
    KeyForm k;
    k.second->SetEnabled(false);
    k.ok->Hide();
    k.Key(k.first->Handle(), VK_TAB);
    EXPECT_TRUE(k.cancel->Focused());
    k.Key(k.cancel->Handle(), VK_TAB);
    EXPECT_TRUE(k.first->Focused());
}

}  // namespace
