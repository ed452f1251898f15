#include "app/SettingsPayload.h"

#include <cmath>
#include <limits>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "scan/files/RecentFileList.h"
#include "scan/files/_TFileManager.h"
#include "scan/model/LittleEndian.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

constexpr int32_t DateFormatCount = 3;
constexpr int32_t TimeFormatCount = 2;

void Check(bool Written)
{
    if (!Written)
        throw EWriteError(SWriteError);
}

// Writes fields in order; the first refused write raises.
class TPayloadWriter {
public:
    explicit TPayloadWriter(TStream& Stream) : s_(Stream) {}
    TPayloadWriter& U8(uint8_t V) { Check(le::WriteU8(s_, V)); return *this; }
    TPayloadWriter& U16(uint16_t V) { Check(le::WriteU16(s_, V)); return *this; }
    TPayloadWriter& I32(int32_t V) { Check(le::WriteI32(s_, V)); return *this; }
    TPayloadWriter& F32(float V) { Check(le::WriteF32(s_, V)); return *this; }
    TPayloadWriter& WStr(const std::u16string& V) { Check(WriteWideStringToStream(s_, V)); return *this; }
    TPayloadWriter& AStr(const std::string& V) { Check(WriteStringToStream(s_, V)); return *this; }

private:
    TStream& s_;
};

// Reads fields in order into their targets until the first one that cannot be read; that one
// and all later ones keep their values.
class TPayloadReader {
public:
    explicit TPayloadReader(TStream& Stream) : s_(Stream) {}
    TPayloadReader& U8(uint8_t& V) { return Take([&] { return le::ReadU8(s_, V); }); }
    TPayloadReader& U16(uint16_t& V) { return Take([&] { return le::ReadU16(s_, V); }); }
    TPayloadReader& I32(int32_t& V) { return Take([&] { return le::ReadI32(s_, V); }); }
    TPayloadReader& U32(uint32_t& V) { return Take([&] { return le::ReadU32(s_, V); }); }
    TPayloadReader& F32(float& V) { return Take([&] { return le::ReadF32(s_, V); }); }
    // The keeping reader: a damaged string leaves the field as it was.
    TPayloadReader& WStr(std::u16string& V) { return Take([&] { return DoReadWideString(s_, V); }); }
    TPayloadReader& AStr(std::string& V) { return Take([&] { return ReadStringFromStream(s_, V); }); }
    bool Whole() const { return whole_; }

private:
    template <class F>
    TPayloadReader& Take(F&& Read)
    {
        if (whole_)
            whole_ = Read();
        return *this;
    }

    TStream& s_;
    bool whole_ = true;
};

} // namespace

void EnsureFolderExists(const std::u16string& Folder)
{
    if (!DirectoryExists(Folder))
        ForceDirectories(Folder);
}

void SetDefaultSettings(TSettingsRecord& S, const std::u16string& ScansFolder, const TNavigatorBounds& Navigator,
                        const TEnsureFolder& EnsureFolder)
{
    S.OpenFolder = ScansFolder;
    if (EnsureFolder)
        EnsureFolder(ScansFolder);
    S.SpareFolder1 = S.OpenFolder;
    S.SpareFolder2 = S.OpenFolder;
    S.DeviceIndex = -1;
    S.ImportFolder = S.OpenFolder;
    S.ComPort = u"COM1";
    S.StoredFlag1 = 1;
    S.SplitScreen = 1;
    S.StoredFlag2 = 1;
    S.ZoomStep = 1.25f;
    S.MoveStep = 1.0f;
    S.RotateStep = 1.0f;
    S.ColorLimitStep = 3.0f;
    S.Language = u"en_US";
    S.MeasureUnitIndex = 0;
    S.TimeFormatIndex = 0;
    S.DateFormatIndex = 0;
    S.SurfaceThreshold = 7;
    S.SurroundThreshold = 4;
    S.InterpolationPasses = 1;
    S.BackgroundColor = 0;
    S.InfoWindowVisible = 0;
    S.InfoWindowLeft = Navigator.Left + Navigator.Width;
    S.InfoWindowTop = Navigator.Top;
    S.CheckCharacteristics = 1;
    S.PrintBackground = 0;
    S.PrintProjectInfo = 1;
    S.PrintScanImage = 1;
}

void SaveSettingsPayload(TStream& Stream, const TSettingsRecord& S, const std::vector<TGlobalDevice>& Devices,
                         TFileManager* FileManager)
{
    if (Devices.size() > std::numeric_limits<uint16_t>::max())
        throw EWriteError(u"Too many device profiles for the settings file");
    TPayloadWriter W(Stream);
    W.WStr(S.OpenFolder).WStr(S.SpareFolder1).WStr(S.SpareFolder2).I32(S.DeviceIndex);
    W.WStr(S.ImportFolder).WStr(S.ComPort);
    W.U8(S.StoredFlag1).U8(S.SplitScreen).U8(S.StoredFlag2);
    W.F32(S.ZoomStep).F32(S.MoveStep).F32(S.RotateStep).F32(S.ColorLimitStep);
    W.WStr(S.Language).U8(S.MeasureUnitIndex).U8(S.TimeFormatIndex).U8(S.DateFormatIndex);
    W.I32(S.SurfaceThreshold).I32(S.SurroundThreshold).U8(S.InterpolationPasses);
    W.I32(static_cast<int32_t>(S.BackgroundColor)).U8(S.InfoWindowVisible).I32(S.InfoWindowLeft).I32(S.InfoWindowTop);
    W.U16(static_cast<uint16_t>(Devices.size()));
    for (const TGlobalDevice& D : Devices)
        W.U8(D.User.Transfer).U8(D.User.OperatingMode).U8(D.User.ScanMode).I32(D.User.Impulses).AStr(D.User.Port);
    if (FileManager != nullptr)
        FileManager->SaveRecentFiles(&Stream);
    else
        TRecentFileList().Save(Stream);
}

bool LoadSettingsPayload(TStream& Stream, TSettingsRecord& S, std::vector<TGlobalDevice>& Devices,
                         TFileManager* FileManager)
{
    TPayloadReader R(Stream);
    R.WStr(S.OpenFolder).WStr(S.SpareFolder1).WStr(S.SpareFolder2).I32(S.DeviceIndex);
    R.WStr(S.ImportFolder).WStr(S.ComPort);
    R.U8(S.StoredFlag1).U8(S.SplitScreen).U8(S.StoredFlag2);
    R.F32(S.ZoomStep).F32(S.MoveStep).F32(S.RotateStep).F32(S.ColorLimitStep);
    R.WStr(S.Language).U8(S.MeasureUnitIndex).U8(S.TimeFormatIndex).U8(S.DateFormatIndex);
    R.I32(S.SurfaceThreshold).I32(S.SurroundThreshold).U8(S.InterpolationPasses);
    R.U32(S.BackgroundColor).U8(S.InfoWindowVisible).I32(S.InfoWindowLeft).I32(S.InfoWindowTop);

    uint16_t Stored = 0;
    R.U16(Stored);
    for (uint16_t i = 0; i < Stored && R.Whole(); ++i) {
        TGlobalDeviceUser User;
        R.U8(User.Transfer).U8(User.OperatingMode).U8(User.ScanMode).I32(User.Impulses).AStr(User.Port);
        if (R.Whole() && i < Devices.size())
            Devices[i].User = User;
    }
    if (!R.Whole())
        return false;
    if (FileManager != nullptr)
        FileManager->LoadRecentFiles(&Stream);
    else
        TRecentFileList().Load(Stream);
    return true;
}

void RepairLoadedSettings(TSettingsRecord& S, size_t DeviceCount, size_t UnitCount)
{
    auto Usable = [](float Step) { return Step > 0.0f && std::isfinite(Step); };
    if (!Usable(S.ZoomStep))
        S.ZoomStep = 1.25f;
    if (!Usable(S.MoveStep))
        S.MoveStep = 1.0f;
    if (!Usable(S.RotateStep))
        S.RotateStep = 1.0f;
    if (S.MeasureUnitIndex >= UnitCount)
        S.MeasureUnitIndex = 0;
    if (S.DateFormatIndex >= DateFormatCount)
        S.DateFormatIndex = 0;
    if (S.TimeFormatIndex >= TimeFormatCount)
        S.TimeFormatIndex = 0;
    if (S.DeviceIndex < -1 || (S.DeviceIndex >= 0 && static_cast<size_t>(S.DeviceIndex) >= DeviceCount))
        S.DeviceIndex = -1;
}
