// Building the device dialogs' controls: each one owned by its form, named as the form names
// it, placed on its parent.
#pragma once

#include "framework/Controls.h"

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
