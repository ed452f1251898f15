#include "app/dlg_print.h"

#include "shell/FormParts.h"
#include "shell/DialogTexts.h"
#include "shell/TextDirection.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/Dialogs.h"
#include "framework/WinText.h"

#include <windows.h>

#include <vector>

namespace {

constexpr int FormClientWidth = 380, FormClientHeight = 254;

std::u16string SystemDefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return {};
    std::vector<wchar_t> name(size);
    if (!GetDefaultPrinterW(name.data(), &size))
        return {};
    return FromWide(name.data());
}

}  // namespace

std::u16string& CurrentPrinterName()
{
    static std::u16string name = SystemDefaultPrinter();
    return name;
}

TPrintDialog::TPrintDialog(TComponent* AOwner) : TForm(AOwner)
{
    SetName("PrintDialog");
    SetCaption(u"Print");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    LabelPrinter = MakeControl<TElLabel>(this, this, "LabelPrinter", Bounds(16, 14, 240, 15), u"Printer",
                                         TLoading::WithForm);
    ComboBoxPrinter = MakeControl<TElComboBox>(this, this, "ComboBoxPrinter", Bounds(16, 34, 240, 21),
                                               TLoading::WithForm);
    ComboBoxPrinter->SetStyle(TComboBoxStyle::csDropDownList);
    ButtonSettings = MakeControl<TElPopupButton>(this, this, "ButtonSettings", Bounds(264, 30, 100, 28),
                                                 u"Settings ...", TLoading::WithForm);
    CheckBoxCover = MakeControl<TElCheckBox>(this, this, "CheckBoxCover", Bounds(16, 72, 348, 18),
                                             u"Print project information", TLoading::WithForm);
    CheckBoxCover->SetChecked(true);
    CheckBoxImage = MakeControl<TElCheckBox>(this, this, "CheckBoxImage", Bounds(16, 96, 348, 18), u"Print scan image",
                                             TLoading::WithForm);
    CheckBoxImage->SetChecked(true);
    CheckBoxBackground = MakeControl<TElCheckBox>(this, this, "CheckBoxBackground", Bounds(16, 120, 348, 18),
                                                  u"Use background color", TLoading::WithForm);
    ElLabel1 = MakeControl<TElLabel>(this, this, "ElLabel1", Bounds(16, 150, 348, 15),
                                     u"Short Image Info (e.g. Zoomed view from top)", TLoading::WithForm);
    Edit_ImageInfo = MakeControl<TElEdit>(this, this, "Edit_ImageInfo", Bounds(16, 168, 348, 21), TLoading::WithForm);
    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 204, 364, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, 164, 216, "ButtonOK", ButtonOK, ButtonCancel, TLoading::WithForm);
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    ComboBoxPrinter->OnChange = [this](TObject* Sender) { ComboBoxPrinterChange(Sender); };
    ButtonSettings->OnClick = [this](TObject* Sender) { ButtonSettingsClick(Sender); };
}

void TPrintDialog::Prepare()
{
    LabelPrinter->SetCaption(GetText(Texts::Printer, u"Printer"));
    CheckBoxCover->SetCaption(GetText(Texts::PrintProjectInformation, u"Print project information"));
    CheckBoxImage->SetCaption(GetText(Texts::PrintScanImage, u"Print scan image"));
    CheckBoxBackground->SetCaption(GetText(Texts::PrintBackgroundColour, u"Use background color"));
    ElLabel1->SetCaption(GetText(Texts::ImageCaption, u"Image caption"));
    ButtonSettings->SetCaption(
        VarArrayToWideString(ActiveTextDirection(), {GetText(Texts::PrinterSettings, u"Settings"), u" ... "}));
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::Print, u"Print"), ButtonOK, ButtonCancel);
    CheckBoxCover->SetChecked(GlobalSettings.PrintProjectInfo != 0);
    CheckBoxImage->SetChecked(GlobalSettings.PrintScanImage != 0);
    CheckBoxBackground->SetChecked(GlobalSettings.PrintBackground != 0);
}

void TPrintDialog::FormCreate(TObject*)
{
    ComboBoxPrinter->Items()->SetStrings(PrinterNames());
    SelectCurrentPrinter();
}

void TPrintDialog::SelectCurrentPrinter()
{
    ComboBoxPrinter->SetItemIndex(ComboBoxPrinter->Items()->IndexOf(CurrentPrinterName()));
}

void TPrintDialog::ComboBoxPrinterChange(TObject*)
{
    const int index = ComboBoxPrinter->ItemIndex();
    if (index >= 0)
        CurrentPrinterName() = ComboBoxPrinter->Items()->Get(index);
}

void TPrintDialog::ButtonSettingsClick(TObject*)
{
    std::u16string printer = CurrentPrinterName();
    if (!ExecutePrinterSetup(printer))
        return;
    CurrentPrinterName() = printer;
    SelectCurrentPrinter();
}
