// Building the program's forms in code: each component is made with its form as owner and the
// name the form's code and the language texts know it by; a control goes on its parent at its
// bounds.
//
// A form's constructor is its loading phase, and when a component made there runs Loaded
// decides what the properties set on it next do:
//   TLoading::Now       Loaded runs before the call returns: the component is whole at once and
//                       every property set next takes effect as it is set (a label's caption
//                       sizes an auto-sized label, a themed control has its style already).
//   TLoading::WithForm  the component stays loading until the form's constructor is done, as
//                       when a form is read from its resource: setters that wait while loading
//                       only store (an auto-sized label keeps the size it was given), and the
//                       form then runs Loaded on each component in turn. Only for components
//                       made in a form's constructor, which is what ends the loading.
// Which one a call uses is a choice of behaviour, made at each call: the main window and most of
// its dialogs make their components whole; the dialogs laid out once at fixed bounds (the device
// dialogs, the message box and those built like them) and the chart's OpenGL control, which
// builds its context once the form is made, use WithForm.
#pragma once

#include "widgets/el/menus/ElButtons.h"

#include "framework/Controls.h"
#include "framework/Forms.h"

#include <string>

enum class TLoading { Now, WithForm };

// A component (or a control placed later) owned by Owner.
template <class T>
T* MakeNamed(TComponent* Owner, const char* Name, TLoading Loading = TLoading::Now)
{
    T* c = Loading == TLoading::Now ? CreateComponent<T>(Owner) : new T(Owner);
    c->SetName(Name);
    return c;
}

// A control owned by Owner on Parent, at Bounds.
template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, const TRect& Bounds,
               TLoading Loading = TLoading::Now)
{
    T* c = MakeNamed<T>(Owner, Name, Loading);
    c->SetParent(Parent);
    c->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    return c;
}

template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height)
{
    return MakeControl<T>(Owner, Parent, Name, Bounds(Left, Top, Width, Height));
}

// The same with its caption.
template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, const TRect& Bounds,
               const std::u16string& Caption, TLoading Loading = TLoading::Now)
{
    T* c = MakeControl<T>(Owner, Parent, Name, Bounds, Loading);
    c->SetCaption(Caption);
    return c;
}

// The closing buttons of a dialog, 100 x 28 side by side from Left at Top: OK is the default
// button and closes the dialog with mrOk, Cancel answers Esc and closes it with mrCancel. Their
// English captions stand until the dialog's texts are set in the active language.
inline void MakeDialogButtons(TForm* Dialog, int Left, int Top, const char* OkName, TElPopupButton*& ButtonOK,
                              TElPopupButton*& ButtonCancel, TLoading Loading)
{
    ButtonOK = MakeControl<TElPopupButton>(Dialog, Dialog, OkName, Bounds(Left, Top, 100, 28), u"OK", Loading);
    ButtonOK->ModalResult = mrOk;
    ButtonOK->SetDefault(true);
    ButtonCancel = MakeControl<TElPopupButton>(Dialog, Dialog, "ButtonCancel", Bounds(Left + 108, Top, 100, 28),
                                               u"Cancel", Loading);
    ButtonCancel->ModalResult = mrCancel;
    ButtonCancel->Cancel = true;
}
