#include "framework/StdCtrls.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    SetBounds(0, 0, 75, 25);
    // The system button reports clicks itself (BN_CLICKED).
    ControlStyle &= ~(csClickEvents | csCaptureMouse);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.SystemClassName = u"BUTTON";
    Params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click()
{
    if (TCustomForm* form = ParentForm(); form && ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_BASE + WM_COMMAND:
        if (HIWORD(Message.WParam) == BN_CLICKED)
            Click();
        return;
    case CM_DIALOGKEY: {
        // Enter presses the focused button, else the default one; Escape the cancel button.
        const TWinControl* focused = FindControl(GetFocus());
        const bool otherButtonFocused = focused && focused != this && dynamic_cast<const TButton*>(focused);
        const bool active = Focused() || (Default && !otherButtonFocused);
        if (((Message.WParam == VK_RETURN && active) || (Message.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    case WM_GETDLGCODE:
        DefaultHandler(Message);
        return;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}
