// TButton: the system push button, with the dialog roles the forms rely on: Default (Enter),
// Cancel (Escape) and ModalResult (set on the form before OnClick runs, so the handler may
// take it back).
#pragma once

#include "framework/Controls.h"
#include "framework/Forms.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    const char* ClassName() const override { return "TButton"; }

    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
};
