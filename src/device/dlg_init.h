// TDialog_Init, the wait window of the GPS start ("Initializing GPS ... Please wait!"): a label
// over a sliding progress bar, staying on top, centred on the main window. It closes only with
// the modal result Yes or No (set by the code that waits); the close box and Alt+F4 are
// refused. The program creates it after the main window and keeps it hidden.
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/foundation/ElBiProgressBar.h"
#include "widgets/el/menus/ElButtons.h"

#include "framework/Forms.h"

class TDialog_Init : public TForm {
public:
    explicit TDialog_Init(TComponent* AOwner);
    ~TDialog_Init() override;
    const char* ClassName() const override { return "TDialog_Init"; }

    TElLabel* ElLabel1;
    TElBiProgressBar* ElBiProgressBar1;
    TElPopupButton* ButtonYes;
    TElPopupButton* ButtonNo;

    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
};

// The program's one wait window, made at start-up; nil before and after.
extern TDialog_Init* Dialog_Init;
