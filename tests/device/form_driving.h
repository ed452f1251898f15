// Driving the device dialogs on real windows under Wine: clicks posted to a control, a form run
// modally with a driver that sees it once it shows, and the program's message box answered.
#pragma once

#include "shell/dlg_infodialog.h"
#include "widgets/el/editing/ElComboBox.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

inline void PostClick(TWinControl* Control)
{
    PostMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(Control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

// A key pressed and released on a control, as the keyboard gives it.
inline void PostKey(TWinControl* Control, WPARAM Key)
{
    PostMessageW(Control->Handle(), WM_KEYDOWN, Key, 1);
    PostMessageW(Control->Handle(), WM_KEYUP, Key, 0xC0000001);
}

inline std::vector<std::u16string> ItemsOf(TElComboBox* Combo)
{
    std::vector<std::u16string> items;
    for (int32_t i = 0; i < Combo->Items()->Count(); ++i)
        items.push_back(Combo->Items()->Get(i));
    return items;
}

// While it lives, each dialog that shows modally must be a Form, and Drive runs on it once it
// shows (and posts what the user does, which ends it); Shown counts them.
template <class Form>
class TModalDriver {
public:
    explicit TModalDriver(std::function<void(Form*)> Drive) : drive_(std::move(Drive))
    {
        ModalDialogHook() = [this](TCustomForm* F) {
            auto* form = dynamic_cast<Form*>(F);
            ASSERT_NE(form, nullptr) << "a modal dialog of another type showed";
            ++Shown;
            drive_(form);
        };
    }
    ~TModalDriver() { ModalDialogHook() = nullptr; }
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;

    int Shown = 0;

private:
    std::function<void(Form*)> drive_;
};

// Shows Form modally; Drive runs once it shows (and posts what the user does).
template <class Form>
int32_t RunModal(Form* F, const std::function<void(Form*)>& Drive)
{
    const TModalDriver<Form> driver(Drive);
    return F->ShowModal();
}

// The program's message box, answered Yes to questions and OK otherwise; each message is kept
// as "Caption: Text", and OnShown runs after it.
struct TAnsweredMessages {
    TAnsweredMessages()
    {
        InfoDialogSeam() = [this](uint8_t Kind, const std::u16string& Caption, const std::u16string& Text, uint16_t,
                                  const TNotifyEvent&) {
            Shown.push_back(Caption + u": " + Text);
            if (OnShown)
                OnShown();
            return Kind == 3 ? mrYes : mrOk;
        };
    }
    ~TAnsweredMessages() { InfoDialogSeam() = nullptr; }
    std::vector<std::u16string> Shown;
    std::function<void()> OnShown;
};
