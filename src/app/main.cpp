// The main window's life: making it (its components, then FormCreate's steps in order while
// the splash screen shows the progress) and ending it (FormDestroy saves the settings and frees
// the owned objects in a fixed order).
#include "app/main.h"

#include "app/SettingsPayload.h"
#include "app/ViewLayout.h"
#include "app/dlg_splashscreen.h"

#include "scan/files/MessageSink.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/_TSettings.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TDataGrid.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"
#include "framework/CommandLine.h"
#include "framework/FileUtils.h"
#include "framework/Screen.h"

#include <windows.h>

TMainForm* MainForm = nullptr;

namespace {

constexpr char16_t DataTablesFileName[] = u"Lorvane3D.dat";
constexpr char16_t LanguageFileName[] = u"Lorvane3D.lng";
constexpr char16_t SettingsFile[] = u"settings.cfg";
constexpr char16_t StartLanguage[] = u"en";
constexpr char16_t ExamplesMask[] = u"*.dmo";
constexpr uint8_t LanguageGroup = 11;

void ShowStartProgress(int32_t Value, uint32_t WaitMs)
{
    if (SplashScreen)
        SplashScreen->ShowProgress(Value, WaitMs);
}

}  // namespace

std::vector<std::u16string>& ProgramArguments()
{
    static std::vector<std::u16string> arguments = [] {
        std::vector<std::u16string> all = SplitCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW()));
        if (!all.empty())
            all.erase(all.begin());
        return all;
    }();
    return arguments;
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner), session_(views_.States())
{
    SetName("MainForm");
    SetCaption(u"Lorvane 3D");
    SetBounds(0, 0, 1024, 740);
    Position = TPosition::poScreenCenter;
    SetWindowState(TWindowState::wsMaximized);
    KeyPreview = true;
    SetParentFont(false);
    Font()->SetName(u"Arial");
    Font()->SetSize(8);
    CreateComponents();
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::ResetDataFileName()
{
    DataFileName = DataTablesFileName;
}

std::u16string TMainForm::SettingsFileName() const
{
    return Folders.AppDataFolder + SettingsFile;
}

void TMainForm::FormCreate(TObject*)
{
    MainForm = this;
    // 1-5: the hidden import entries, the title, the system's message font, the folders.
    FileImportPellam->SetVisible(false);
    MenuFileImport_Stavro->SetVisible(false);
    SetCaption(Application->Title);
    Font()->Assign(Screen->MessageFont());
    LiveReader = nullptr;
    Folders = MakeFolders(SpecialFolder(TSpecialFolder::AppData), SpecialFolder(TSpecialFolder::Documents),
                          ProgramFolder());

    // 6-8: the file manager, the grids, the colour scale and the renderer.
    CreateOwnedObjects();
    ShowStartProgress(10, 300);

    // 10-12: the languages, their menu, and the language the manager falls back to.
    LanguageManager = CreateComponent<TLanguageManager>(this);
    LanguageManager->SetName("LanguageManager");
    LanguageManager->OnChange = [this](TObject* Sender, TLanguage* Language) { ApplyLanguage(Sender, Language); };
    LanguageManager->LoadFromFile(Folders.ProgramFolder + LanguageFileName, StartLanguage);
    BuildLanguageMenu();
    LanguageManager->SetActiveLanguageName(GlobalSettings.Language);
    ShowStartProgress(60, 300);

    // 13-15: the data file's name, no live scan, the examples and the data tables.
    ResetDataFileName();
    LiveScan.DeviceIndex = -1;
    BuildExamplesMenu();
    if (!LoadDataTables())
        return;

    // 16-18: the settings, from the file or, on a first start, the defaults written to it.
    LoadSettings();
    ShowStartProgress(40, 300);

    // 19-24: menu states (no edit is noted yet), the stored language, split screen,
    // thresholds, palette, zoom, resolution and the undo command.
    UpdateMenuStates(false);
    LanguageManager->SetActiveLanguageName(GlobalSettings.Language);
    ApplyLanguage(this, LanguageManager->ActiveLanguage());
    MenuExtrasSplitScreen->SetChecked(GlobalSettings.SplitScreen != 0);
    ApplyThresholdsToScan();
    MouseDown = 0;
    MouseStart = {};
    MouseLast = {};
    for (TElToolButton* b : {ToolButtonCPBlue, ToolButtonCPGreen, ToolButtonCPRed})
        b->SetDown(true);
    ComboBoxZoom->SetItemIndex(DefaultZoomItem);
    MenuEditRes0Click(nullptr);
    MenuEditReset->SetEnabled(false);
    ToolButtonUndo->SetEnabled(false);

    // 25-27: the hint handler, the layout and the views.
    Application->OnHint = [this](TObject* Sender) { ApplicationHint(Sender); };
    FormResize(nullptr);
    MenuViewResetClick(nullptr);
    ShowStartProgress(100, 200);

    // 28-29: the command line, then the data file's name once more.
    ApplyCommandLine();
    ResetDataFileName();
}

void TMainForm::CreateOwnedObjects()
{
    TFileManager& files = session_.MakeFileManager();
    files.MainMenuItem = MenuFile_LastUsed;
    files.OnOpenRecentFile = [this](const std::u16string& FileName) { OpenFile(FileName); };
    if (IElPopupMenu* popup = files.PopupMenu())
        ToolButtonOpen->SetPullDownMenu(dynamic_cast<TElPopupMenu*>(popup->Component()));

    DataReceiver = std::make_unique<TDataReceiver>();
    DataGrid = std::make_unique<TDataGrid>();
    ownedColorManager_ = std::make_unique<TColorManager>();
    ColorManager = ownedColorManager_.get();
    ColorManager->SetAllStopsEnabled(1);
    KeepPaletteBands(*ColorManager, PaletteBands);
    session_.SetImage(std::make_unique<TScanImage>(Handle(), &ColorManager));

    TScanImage& image = *session_.Image();
    const TViewportRect area =
        ClampedViewport(0, StatusPanel->Height(), ClientWidth(),
                        int64_t{ClientHeight()} - ControlBar->Height() - StatusPanel->Height());
    image.SetViewport(area.X, area.Y, area.Width, area.Height);
    image.AxisX = AxisX->Down() ? 1 : 0;
    image.AxisY = AxisY->Down() ? 1 : 0;
    image.AxisZ = AxisZ->Down() ? 1 : 0;
}

void TMainForm::BuildLanguageMenu()
{
    const TLanguageList& languages = LanguageManager->Languages();
    for (int32_t i = 0; i < languages.Count(); ++i) {
        TElMenuItem* item = CreateComponent<TElMenuItem>(this);
        item->SetName("MenuExtras_Language" + std::to_string(i));
        item->SetCaption(MenuCaptionOfText(languages[i]->DisplayName()));
        item->SetRadioItem(true);
        item->SetGroupIndex(LanguageGroup);
        item->AutoCheck = true;
        item->Tag = i;
        item->OnClick = [this](TObject* Sender) { MenuExtras_LanguageClick(Sender); };
        MenuExtras_Language->Add(item);
        item->SetChecked(languages[i]->Name() == LanguageManager->ActiveLanguageName());
    }
}

void TMainForm::BuildExamplesMenu()
{
    if (!DirectoryExists(Folders.ExamplesFolder)) {
        MenuFileExamples->SetVisible(false);
        return;
    }
    Examples = ExampleItems(Folders.ExamplesFolder, FindFiles(Folders.ExamplesFolder + ExamplesMask));
    for (size_t i = 0; i < Examples.size(); ++i) {
        TElMenuItem* item = CreateComponent<TElMenuItem>(this);
        item->SetName("MenuFileExample" + std::to_string(i));
        item->SetCaption(Examples[i].Caption);
        item->Tag = static_cast<int32_t>(i);
        item->OnClick = [this](TObject* Sender) { OpenExample(Sender); };
        MenuFileExamples->Add(item);
    }
}

bool TMainForm::LoadDataTables()
{
    const std::u16string fileName = Folders.ProgramFolder + DataFileName;
    TDataTables tables;
    if (LoadDataTablesFile(fileName, tables, DefaultMessageSink()) == TDataTablesResult::Missing) {
        // Without its tables the program cannot run: it says which file is missing and ends
        // before the settings are touched, so a stored settings file survives unchanged.
        dataFileFound_ = false;
        DefaultMessageSink().ShowErrorBox(u"File not found: \"" + fileName + u"\"");
        Application->Terminate();
        return false;
    }
    Devices = std::move(tables.Devices);
    SoilTypes = std::move(tables.SoilTypes);
    MeasureUnits = std::move(tables.MeasureUnits);
    return true;
}

void TMainForm::LoadSettings()
{
    SetDefaultSettings();
    Settings = CreateComponent<TSettings>(this);
    Settings->SetName("Settings");
    Settings->OnReadFile = [this](TStream& Stream) { LoadSettingsPayload(Stream); };
    Settings->OnWriteFile = [this](TStream& Stream) { SaveSettingsPayload(Stream); };
    Settings->LoadFromFile(SettingsFileName());
    settingsLoaded_ = true;
    RepairLoadedSettings(GlobalSettings, Devices.size(), MeasureUnits.size());
}

void TMainForm::ApplyCommandLine()
{
    for (const TStartArgument& argument : StartArguments(ProgramArguments())) {
        if (argument.Kind == TStartArgument::OpenFile) {
            OpenFile(argument.Value);
        } else {
            LanguageManager->SetActiveLanguageName(argument.Value);
            if (LanguageManager->ActiveLanguage())
                GlobalSettings.Language = LanguageManager->ActiveLanguageName();
        }
    }
}

void TMainForm::OpenExample(TObject* Sender)
{
    auto* item = dynamic_cast<TElMenuItem*>(Sender);
    if (item && item->Tag >= 0 && static_cast<size_t>(item->Tag) < Examples.size())
        OpenFile(Examples[static_cast<size_t>(item->Tag)].Path);
}

void TMainForm::FormDestroy(TObject*)
{
    if (Application && Application->OnHint)
        Application->OnHint = nullptr;
    session_.ReleaseImage();
    ColorManager = nullptr;
    ownedColorManager_.reset();
    // The recent list is part of the settings, so the file manager is still there.
    if (Settings && settingsLoaded_) {
        try {
            Settings->SaveToFile(SettingsFileName());
        } catch (...) {
            // The previous file stays as it was; the window still goes.
            Application->HandleException(this);
        }
    }
    FreeAndNil(Settings);
    session_.ReleaseFileManager();
    DataReceiver.reset();
    DataGrid.reset();
    // The language manager goes with the components this window owns, right after this
    // handler; nothing may reach it through the global from then on.
    if (LanguageManager && LanguageManager->Owner() == this)
        LanguageManager = nullptr;
}
