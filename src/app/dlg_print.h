// TPrintDialog: the printer to print on and what a print shows - the project information, the
// scan image, the background colour - with a short caption for the image. The print job itself
// is not part of the program: the print command keeps the choices.
//
//   TOwned<TPrintDialog> dialog(CreateComponent<TPrintDialog>(MainForm));
//   dialog->Prepare();
//   if (dialog->ShowModal() == mrOk) ... the three check boxes
#pragma once

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <string>

// The printer the program prints on: the system's default printer until the user chooses
// another in the print dialog (by its list or the printer set-up); empty when there is none.
std::u16string& CurrentPrinterName();

class TPrintDialog : public TForm {
public:
    explicit TPrintDialog(TComponent* AOwner);
    const char* ClassName() const override { return "TPrintDialog"; }

    TElLabel* LabelPrinter;
    TElComboBox* ComboBoxPrinter;
    TElPopupButton* ButtonSettings;
    TElCheckBox* CheckBoxCover;
    TElCheckBox* CheckBoxImage;
    TElCheckBox* CheckBoxBackground;
    TElLabel* ElLabel1;
    TElEdit* Edit_ImageInfo;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonCancel;
    TElFormCaption* ElFormCaption;
    TBevel* Bevel1;

    // The texts of the active language, its reading direction, and the check boxes from the
    // stored print choices.
    void Prepare();

    // The installed printers in the system's order, the current one selected.
    void FormCreate(TObject* Sender);
    // The chosen printer becomes the current one.
    void ComboBoxPrinterChange(TObject* Sender);
    // The system's printer set-up; when confirmed, its printer is selected.
    void ButtonSettingsClick(TObject* Sender);

private:
    void SelectCurrentPrinter();
};
