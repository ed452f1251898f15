// Building the program's forms in code: each component is made with the form as its owner and
// the name the form's code and the language texts refer to it by.
#pragma once

#include "framework/Controls.h"

// A non-visual component (or a control placed later) owned by Owner.
template <class T>
T* MakeNamed(TComponent* Owner, const char* Name)
{
    T* c = CreateComponent<T>(Owner);
    c->SetName(Name);
    return c;
}

// A control owned by Owner on Parent, at the given bounds.
template <class T>
T* MakeControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height)
{
    T* c = MakeNamed<T>(Owner, Name);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}
