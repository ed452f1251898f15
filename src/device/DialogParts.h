// Building the device dialogs' controls: each one owned by its form, named as the form names
// it, placed on its parent.
#pragma once

#include "widgets/el/menus/ElButtons.h"

#include "framework/Controls.h"
#include "framework/Forms.h"

template <class T>
T* AddControl(TComponent* Owner, TWinControl* Parent, const char* Name, const TRect& Bounds)
{
    auto* control = new T(Owner);
    control->SetName(Name);
    control->SetParent(Parent);
    control->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    return control;
}

template <class T>
T* AddControl(TComponent* Owner, TWinControl* Parent, const char* Name, const TRect& Bounds,
              const std::u16string& Caption)
{
    T* control = AddControl<T>(Owner, Parent, Name, Bounds);
    control->SetCaption(Caption);
    return control;
}

// The closing buttons of a dialog, 100 x 28 side by side from Left at Top: OK is the default
// button and closes the dialog with mrOk, Cancel answers Esc and closes it with mrCancel. Their
// English captions stand until the dialog's texts are set in the active language.
inline void AddDialogButtons(TForm* Dialog, int Left, int Top, const char* OkName, TElPopupButton*& ButtonOK,
                             TElPopupButton*& ButtonCancel)
{
    ButtonOK = AddControl<TElPopupButton>(Dialog, Dialog, OkName, Bounds(Left, Top, 100, 28), u"OK");
    ButtonOK->ModalResult = mrOk;
    ButtonOK->SetDefault(true);
    ButtonCancel = AddControl<TElPopupButton>(Dialog, Dialog, "ButtonCancel", Bounds(Left + 108, Top, 100, 28), u"Cancel");
    ButtonCancel->ModalResult = mrCancel;
    ButtonCancel->Cancel = true;
}
