// The settings of the main window: the defaults of a first start and the payload of the
// settings file, whose layout the portable payload unit keeps.
#include "app/main.h"

#include "app/SettingsPayload.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"

void TMainForm::SetDefaultSettings()
{
    ::SetDefaultSettings(GlobalSettings, Folders.ScansFolder,
                         TNavigatorBounds{Navigator->Left(), Navigator->Top(), Navigator->Width()});
}

void TMainForm::SaveSettingsPayload(TStream& Stream)
{
    ::SaveSettingsPayload(Stream, GlobalSettings, Devices, session_.Files());
}

void TMainForm::LoadSettingsPayload(TStream& Stream)
{
    ::LoadSettingsPayload(Stream, GlobalSettings, Devices, session_.Files());
}
