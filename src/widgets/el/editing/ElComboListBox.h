// TElComboListBox: the list a combo box drops down, a list box in a popup window. It never
// takes the activation or the focus (the combo box keeps both and hands it its keys); while it
// shows it holds the mouse: the row under the mouse is highlighted, a release on a row picks
// it, a press outside closes the list, and a press on its scroll bars scrolls. Closing goes
// through OnCloseUp (Pick: a row was chosen), which the combo box answers by hiding the list.
#pragma once

#include "widgets/el/editing/ElListBox.h"

#include <functional>

class TElComboListBox : public TCustomElListBox {
public:
    explicit TElComboListBox(TComponent* AOwner);
    const char* ClassName() const override { return "TElComboListBox"; }
    void WndProc(TMessage& Message) override;

    // The window the popup belongs to (the combo box's form); the window is made anew when it
    // changes.
    void SetOwnerWindow(HWND Value);
    // Shows the list at Bounds (screen coordinates) above every window, without activation,
    // and takes the mouse.
    void Popup(const TRect& Bounds);
    // Hides the list and lets go of the mouse.
    void CloseUp();
    bool Showing() const { return showing_; }

    std::function<void(bool Pick)> OnCloseUp;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool DrawsFocused() const override { return true; }

private:
    void Mouse(TMessage& Message);
    void RequestClose(bool Pick);
    // A press on the frame (the scroll bars) while the list holds the mouse: handed to the
    // bars, which track it; the list takes the mouse back afterwards.
    void PressOnFrame(TPoint Client);

    HWND ownerWindow_ = nullptr;
    bool showing_ = false;
    bool onFrame_ = false;  // the bars track a press; losing the mouse to them closes nothing
};
