// The program's message box: TInfoDialog, a small modal form with one of three pictures
// (error, information, confirmation), a word-wrapped text, up to four buttons chosen by bits
// and an optional check box "Do not show this message again!" whose tick is reported through
// a callback when the form closes. Every text on it comes from the language manager.
//
// ShowInfoDialog makes the form for one message, runs it modally and frees it; the result is
// the modal result (1 OK, 6 Yes, 7 No, 2 Cancel; the close box gives 2). Tests may answer it
// through InfoDialogSeam instead, or drive the real form.
#pragma once

#include "scan/files/MessageSink.h"
#include "shell/dlg_infodialog_layout.h"

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <cstdint>
#include <functional>
#include <string>

class TInfoDialog : public TForm {
public:
    explicit TInfoDialog(TComponent* AOwner);
    const char* ClassName() const override { return "TInfoDialog"; }

    TBevel* Bevel1;
    TImage* ImageInformation;
    TImage* ImageConfirmation;
    TImage* ImageError;
    TElLabel* Label1;
    TFlowPanel* FlowPanel1;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonYes;
    TElPopupButton* ButtonNo;
    TElPopupButton* ButtonCancel;
    TElCheckBox* CheckBox;
    TElFormCaption* ElFormCaption;

    // What ShowInfoDialog hands over before the form is shown.
    void SetMessage(uint8_t Kind, uint16_t Buttons, TNotifyEvent OnDontShowAgain);
    uint8_t Kind() const { return kind_; }
    uint16_t Buttons() const { return buttons_; }
    int32_t VisibleButtonCount() const { return visibleButtons_; }
    // The caption bar's text and the window title.
    void SetCaptionText(const std::u16string& Caption);

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormResize(TObject* Sender);

    const TInfoDialogDesign Design;

private:
    TElPopupButton* MakeButton(const char* Name, TModalResult Result);
    TElPopupButton* ButtonOf(uint16_t Bit) const;
    void CentreButtonRow();

    int32_t visibleButtons_ = 0;
    uint8_t kind_ = 0;
    uint16_t buttons_ = 0;
    TNotifyEvent onDontShowAgain_;
};

// Answers ShowInfoDialog in place of the form while set (tests); the default is none.
using TInfoDialogFunc = std::function<int32_t(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                                              uint16_t Buttons, const TNotifyEvent& OnDontShowAgain)>;
TInfoDialogFunc& InfoDialogSeam();

int32_t ShowInfoDialog(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text, uint16_t Buttons,
                       TNotifyEvent OnDontShowAgain = nullptr);

// The file code's messages shown by the program: errors in the framework's standard error box,
// everything else through ShowInfoDialog. The program installs it with
// SetDefaultMessageSink(&InfoDialogMessageSink()).
class TInfoDialogMessageSink : public TMessageSink {
public:
    void ShowErrorBox(const std::u16string& Text) override;
    int32_t ShowInfoDialog(uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                           uint16_t Buttons) override;
};
TInfoDialogMessageSink& InfoDialogMessageSink();
