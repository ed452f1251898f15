#include "app/ProgramStart.h"

#include "app/FrameworkLanguage.h"

#include "app/dlg_diagramm.h"
#include "app/dlg_info.h"
#include "device/dlg_init.h"
#include "app/dlg_splashscreen.h"
#include "app/main.h"

#include "device/D2XXLibrary.h"
#include "scan/files/MessageSink.h"
#include "scan/files/UndoSnapshot.h"
#include "shell/dlg_infodialog.h"
#include "widgets/el/foundation/ElHintWindow.h"
#include "widgets/el/foundation/ElIniSystemRegistry.h"
#include "widgets/el/foundation/ElScrollHook.h"
#include "widgets/el/foundation/ElToolsWin.h"

#include "framework/Application.h"

#include <exception>

namespace {

constexpr char16_t ProgramTitle[] = u"Lorvane 3D";

}  // namespace

void InstallProgramServices()
{
    static const bool installed = [] {
        DetectWindowsVersion();
        InstallElHintWindow();
        InstallScrollHook();
        Application->HookMainWindow(ElSettingChangeHook);
        InstallElIniSystemRegistry();
        InstallD2XXLibrary();
        SetDefaultMessageSink(&InfoDialogMessageSink());
        UseLanguageForFrameworkTexts();
        return true;
    }();
    (void)installed;
}

bool CreateProgramForms()
{
    std::exception_ptr failure;
    SplashScreen = CreateComponent<TSplashScreen>(nullptr);
    try {
        SplashScreen->Show();
        SplashScreen->BringToFront();
        SplashScreen->SetProgress(nullptr, 0);
        Application->Title = ProgramTitle;
        Application->CreateForm(MainForm);
        Application->CreateForm(Dialog_Info);
        // The info window is the main window's tool window, above it on the screen.
        Dialog_Info->SetPopupParent(MainForm);
        Application->CreateForm(Dialog_Diagramm);
    } catch (...) {
        failure = std::current_exception();
    }
    SplashScreen->Hide();
    FreeAndNil(SplashScreen);

    if (failure) {
        // A window that could not be made whole is not run half-built.
        Application->HandleException(Application, failure);
        FreeProgramForms();
        return false;
    }
    if (!MainForm->DataFileFound()) {
        FreeProgramForms();
        return false;
    }
    Application->CreateForm(Dialog_Init);
    return true;
}

void FreeProgramForms()
{
    TCustomForm* forms[] = {Dialog_Init, Dialog_Diagramm, Dialog_Info, MainForm};
    for (TCustomForm* form : forms) {
        try {
            Free(form);
        } catch (...) {
            Application->HandleException(Application);
        }
    }
}

int RunProgram()
{
    Application->Initialize();
    InstallProgramServices();
    // The system deletes each program's snapshot as it ends; what it could not delete, nothing
    // else would.
    TUndoSnapshot::RemoveAbandoned();
    if (!CreateProgramForms())
        return 1;
    Application->Run();
    return 0;
}
