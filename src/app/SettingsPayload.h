// The payload of "settings.cfg" after its header: the stored fields of the settings record, the
// user part of every device profile and the recent-file list. Little-endian; WStr and AStr are
// stream strings (int32 count, then UTF-16LE units or bytes).
//
//   WStr OpenFolder; WStr SpareFolder1; WStr SpareFolder2; i32 DeviceIndex; WStr ImportFolder;
//   WStr ComPort; u8 StoredFlag1; u8 SplitScreen; u8 StoredFlag2; f32 ZoomStep; f32 MoveStep;
//   f32 RotateStep; f32 ColorLimitStep; WStr Language; u8 MeasureUnitIndex; u8 TimeFormatIndex;
//   u8 DateFormatIndex; i32 SurfaceThreshold; i32 SurroundThreshold; u8 InterpolationPasses;
//   i32 BackgroundColor; u8 InfoWindowVisible; i32 InfoWindowLeft; i32 InfoWindowTop;
//   u16 N; N x (u8 Transfer; u8 OperatingMode; u8 ScanMode; i32 Impulses; AStr Port);
//   10 x WStr recent paths, slot 1 to slot 10
//
// The characteristics and print flags are not stored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Streams.h"
#include "scan/files/globals.h"

class TFileManager;

// Where the info window starts: beside the navigator panel.
struct TNavigatorBounds {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
};

// Makes sure a folder exists (with its parents); the default creates missing ones on disk.
using TEnsureFolder = std::function<void(const std::u16string& Folder)>;
void EnsureFolderExists(const std::u16string& Folder);

// The settings of a first start. OpenFolder and the folders after it are ScansFolder, which
// EnsureFolder creates when it is missing; the info window starts at the navigator's right
// edge and top.
void SetDefaultSettings(TSettingsRecord& Settings, const std::u16string& ScansFolder,
                        const TNavigatorBounds& Navigator, const TEnsureFolder& EnsureFolder = EnsureFolderExists);

// Writes the payload. Without a file manager the ten recent slots are written empty. Raises
// EWriteError when the stream refuses a write (so that the settings file is not replaced)
// and when there are more device profiles than the count can hold.
void SaveSettingsPayload(TStream& Stream, const TSettingsRecord& Settings, const std::vector<TGlobalDevice>& Devices,
                         TFileManager* FileManager);

// Reads the payload as far as it is whole; the first field that cannot be read ends the
// reading, and it and every later field keep the values they had (the defaults at start).
// Stored profile i goes into the user part of Devices[i] only when Devices has such an entry;
// the others are read and dropped. Then the file manager reads the recent list (without one
// it is read and dropped). Returns true when the whole payload was read.
bool LoadSettingsPayload(TStream& Stream, TSettingsRecord& Settings, std::vector<TGlobalDevice>& Devices,
                         TFileManager* FileManager);

// After loading: a zoom step that is not above 0 or not finite becomes 1.25, such move and
// rotate steps become 1.0 (the colour-limit step stays as read, 0 included); a unit, date or
// time index outside its table becomes 0, and a device index outside the profiles -1.
void RepairLoadedSettings(TSettingsRecord& Settings, size_t DeviceCount, size_t UnitCount);
