// The GPS wait window ("Initializing GPS ... Please wait!"): a small stay-on-top dialog with a
// running marquee bar and two hidden answer buttons. The program makes it at start-up; no
// command of the program shows it yet.
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
};

extern TDialog_Init* Dialog_Init;
