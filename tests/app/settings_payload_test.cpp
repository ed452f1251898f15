#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/SettingsPayload.h"
#include "app/app_test_support.h"
#include "framework/Exceptions.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/MessageSink.h"

namespace {

const std::u16string Scans = u"C:\\Users\\Ann\\Documents\\Lorvane 3D\\My Scans\\";

std::vector<TGlobalDevice> TwoProfiles()
{
    std::vector<TGlobalDevice> D(2);
    D[0].User = {1, 2, 0, 20, "COM3"};
    D[1].User = {0, 0, 1, 10, ""};
    return D;
}

TSettingsRecord Defaults(std::vector<std::u16string>* Ensured = nullptr)
{
    TSettingsRecord S;
    S.ComPort = u"untouched";
    S.CheckCharacteristics = 0;
    SetDefaultSettings(S, Scans, TNavigatorBounds{3, 60, 48}, [&](const std::u16string& F) {
        if (Ensured) Ensured->push_back(F);
    });
    return S;
}

std::vector<uint8_t> Saved(const TSettingsRecord& S, const std::vector<TGlobalDevice>& D)
{
    TMemoryStream M;
    SaveSettingsPayload(M, S, D, nullptr);
    return M.Bytes();
}

// A record whose every stored field differs from the defaults.
TSettingsRecord Distinct()
{
    TSettingsRecord S;
    S.OpenFolder = u"D:\\open\\";
    S.SpareFolder1 = u"D:\\s1\\";
    S.SpareFolder2 = u"D:\\s2\\";
    S.DeviceIndex = 1;
    S.ImportFolder = u"D:\\import\\";
    S.ComPort = u"COM12";
    S.StoredFlag1 = 0;
    S.SplitScreen = 0;
    S.StoredFlag2 = 0;
    S.ZoomStep = 2.0f;
    S.MoveStep = 3.0f;
    S.RotateStep = 4.0f;
    S.ColorLimitStep = 0.0f;
    S.Language = u"de_DE";
    S.MeasureUnitIndex = 1;
    S.TimeFormatIndex = 1;
    S.DateFormatIndex = 2;
    S.SurfaceThreshold = 11;
    S.SurroundThreshold = 12;
    S.InterpolationPasses = 5;
    S.BackgroundColor = 0x00FF8040;
    S.InfoWindowVisible = 1;
    S.InfoWindowLeft = -20;
    S.InfoWindowTop = 700;
    return S;
}

} // namespace

TEST(SettingsPayload, DefaultsAreTheFirstStartValues)
{
    std::vector<std::u16string> Ensured;
    TSettingsRecord S = Defaults(&Ensured);
    EXPECT_EQ(Ensured, std::vector<std::u16string>{Scans});
    EXPECT_EQ(S.OpenFolder, Scans);
    EXPECT_EQ(S.ImportFolder, Scans);
    EXPECT_EQ(S.ComPort, u"COM1");
    EXPECT_EQ(S.Language, u"en_US");
    EXPECT_EQ(S.InfoWindowLeft, 51);  // the navigator's left edge plus its width
    EXPECT_EQ(S.InfoWindowTop, 60);
    EXPECT_EQ(S.CheckCharacteristics, 1);
    EXPECT_EQ(S.ColorLimitStep, 3.0f);
}

// The payload of a first start, laid out field by field from the file's description.
TEST(SettingsPayload, DefaultPayloadMatchesTheLayoutByteForByte)
{
    TBytes E;
    E.WStr(Scans).WStr(Scans).WStr(Scans).I32(-1).WStr(Scans).WStr(u"COM1");
    E.U8(1).U8(1).U8(1);
    E.F32Bits(0x3FA00000).F32Bits(0x3F800000).F32Bits(0x3F800000).F32Bits(0x40400000);  // 1.25 1 1 3
    E.WStr(u"en_US").U8(0).U8(0).U8(0);
    E.I32(7).I32(4).U8(1);
    E.I32(0).U8(0).I32(51).I32(60);
    E.U16(2);
    E.U8(1).U8(2).U8(0).I32(20).AStr("COM3");
    E.U8(0).U8(0).U8(1).I32(10).AStr("");
    for (int i = 0; i < 10; ++i) E.WStr(u"");
    EXPECT_EQ(Saved(Defaults(), TwoProfiles()), E.Bytes());
}

TEST(SettingsPayload, RoundTripKeepsEveryStoredField)
{
    const TSettingsRecord Written = Distinct();
    std::vector<TGlobalDevice> Source = TwoProfiles();
    const std::vector<uint8_t> Bytes = Saved(Written, Source);

    TSettingsRecord Read = Defaults();
    std::vector<TGlobalDevice> Target(2);
    TMemoryStream M(Bytes.data(), Bytes.size());
    EXPECT_TRUE(LoadSettingsPayload(M, Read, Target, nullptr));
    EXPECT_EQ(M.Position(), M.Size());
    EXPECT_EQ(Read.OpenFolder, Written.OpenFolder);
    EXPECT_EQ(Read.SpareFolder2, Written.SpareFolder2);
    EXPECT_EQ(Read.ComPort, Written.ComPort);
    EXPECT_EQ(Read.SplitScreen, 0);
    EXPECT_EQ(Read.RotateStep, 4.0f);
    EXPECT_EQ(Read.ColorLimitStep, 0.0f);
    EXPECT_EQ(Read.Language, u"de_DE");
    EXPECT_EQ(Read.DateFormatIndex, 2);
    EXPECT_EQ(Read.SurroundThreshold, 12);
    EXPECT_EQ(Read.BackgroundColor, 0x00FF8040u);
    EXPECT_EQ(Read.InfoWindowLeft, -20);
    EXPECT_EQ(Read.InfoWindowTop, 700);
    EXPECT_EQ(Target[0].User, Source[0].User);
    EXPECT_EQ(Target[1].User, Source[1].User);
    // Not stored: the defaults stay.
    EXPECT_EQ(Read.CheckCharacteristics, 1);
    EXPECT_EQ(Read.PrintScanImage, 1);
}

// A payload cut short keeps every field from the cut on at the value it had before loading.
TEST(SettingsPayload, TruncationKeepsTheFieldsAfterTheCut)
{
    const TSettingsRecord Written = Distinct();
    const std::vector<uint8_t> Bytes = Saved(Written, TwoProfiles());
    // Offsets from the layout: OpenFolder 4 + 2 * 8 bytes, SpareFolder1 and 2 4 + 2 * 6 each, ...
    const size_t AfterDeviceIndex = 20 + 16 + 16 + 4;
    const size_t AfterComPort = AfterDeviceIndex + (4 + 20) + (4 + 10);
    const size_t InsideZoomStep = AfterComPort + 3 + 2;
    const size_t AfterInfoTop = AfterComPort + 3 + 16 + (4 + 10) + 3 + 4 + 4 + 1 + 4 + 1 + 4 + 4;
    const size_t InsideSecondProfile = AfterInfoTop + 2 + (7 + 4 + 4) + 5;

    struct TCut {
        size_t At;
        bool DeviceIndexRead, ZoomRead, InfoTopRead, FirstProfileRead, SecondProfileRead;
    };
    for (TCut Cut : {TCut{2, false, false, false, false, false}, TCut{AfterDeviceIndex, true, false, false, false, false},
                     TCut{InsideZoomStep, true, false, false, false, false},
                     TCut{AfterInfoTop, true, true, true, false, false},
                     TCut{InsideSecondProfile, true, true, true, true, false}}) {
        SCOPED_TRACE(Cut.At);
        ASSERT_LT(Cut.At, Bytes.size());
        TSettingsRecord Read = Defaults();
        std::vector<TGlobalDevice> Target(2);
        TMemoryStream M(Bytes.data(), Cut.At);
        EXPECT_FALSE(LoadSettingsPayload(M, Read, Target, nullptr));
        EXPECT_EQ(Read.OpenFolder, Cut.DeviceIndexRead ? Written.OpenFolder : Scans);  // never emptied
        EXPECT_EQ(Read.DeviceIndex, Cut.DeviceIndexRead ? 1 : -1);
        EXPECT_EQ(Read.ZoomStep, Cut.ZoomRead ? 2.0f : 1.25f);
        EXPECT_EQ(Read.Language, Cut.ZoomRead ? u"de_DE" : u"en_US");
        EXPECT_EQ(Read.MoveStep, Cut.ZoomRead ? 3.0f : 1.0f);
        EXPECT_EQ(Read.InfoWindowTop, Cut.InfoTopRead ? 700 : 60);
        EXPECT_EQ(Target[0].User.Port, Cut.FirstProfileRead ? "COM3" : "");
        EXPECT_EQ(Target[1].User.Impulses, Cut.SecondProfileRead ? 10 : 0);
    }
}

// Written with five profiles, read with three (and with six): the stored user parts go to the
// profiles that exist, the recent list after them is still read in place.
TEST(SettingsPayload, StoredProfilesMoreOrFewerThanTheTable)
{
    TBytes E;
    E.WStr(u"o").WStr(u"").WStr(u"").I32(4).WStr(u"").WStr(u"COM2").U8(1).U8(1).U8(1);
    E.F32Bits(0x3FA00000).F32Bits(0x3F800000).F32Bits(0x3F800000).F32Bits(0x40400000);
    E.WStr(u"en_US").U8(0).U8(0).U8(0).I32(7).I32(4).U8(1).I32(0).U8(0).I32(0).I32(0);
    E.U16(5);
    for (int i = 0; i < 5; ++i) E.U8(uint8_t(i)).U8(1).U8(0).I32(100 + i).AStr("P" + std::to_string(i));
    for (int i = 0; i < 10; ++i) E.WStr(i == 9 ? u"C:\\scans\\newest.dmo" : u"");

    TViewStates Views{};
    TRecordingMessageSink Sink;
    for (size_t Have : {size_t(3), size_t(6)}) {
        SCOPED_TRACE(Have);
        TFileManager Files([] { return nullptr; }, Views, &Sink);
        TSettingsRecord S;
        std::vector<TGlobalDevice> Devices(Have);
        Devices.back().User.Port = "from the data tables";
        TMemoryStream M(E.Bytes().data(), E.Size());
        EXPECT_TRUE(LoadSettingsPayload(M, S, Devices, &Files));
        EXPECT_EQ(Devices[2].User.Impulses, 102);
        EXPECT_EQ(Devices[2].User.Port, "P2");
        EXPECT_EQ(Devices.back().User.Port, Have == 3 ? "P2" : "from the data tables");
        EXPECT_EQ(Files.RecentFiles().Slot(9), u"C:\\scans\\newest.dmo");
        EXPECT_EQ(M.Position(), M.Size());
    }
}

TEST(SettingsPayload, RepairFixesStepsAndIndexesButKeepsTheColourStep)
{
    const float NaN = std::numeric_limits<float>::quiet_NaN();
    TSettingsRecord S;
    S.ZoomStep = -2.0f;
    S.MoveStep = 0.0f;
    S.RotateStep = NaN;
    S.ColorLimitStep = 0.0f;
    S.MeasureUnitIndex = 2;
    S.DateFormatIndex = 3;
    S.TimeFormatIndex = 2;
    S.DeviceIndex = -5;
    RepairLoadedSettings(S, 3, 2);
    EXPECT_EQ(S.ZoomStep, 1.25f);
    EXPECT_EQ(S.MoveStep, 1.0f);
    EXPECT_EQ(S.RotateStep, 1.0f);
    EXPECT_EQ(S.ColorLimitStep, 0.0f);
    EXPECT_EQ(S.MeasureUnitIndex, 0);
    EXPECT_EQ(S.DateFormatIndex, 0);
    EXPECT_EQ(S.TimeFormatIndex, 0);
    EXPECT_EQ(S.DeviceIndex, -1);

    S.ZoomStep = NaN;
    S.DeviceIndex = 3;
    RepairLoadedSettings(S, 3, 2);
    EXPECT_EQ(S.ZoomStep, 1.25f);
    EXPECT_EQ(S.DeviceIndex, -1);
    S.ZoomStep = 0.5f;
    S.DeviceIndex = 2;
    S.DateFormatIndex = 2;
    RepairLoadedSettings(S, 3, 2);
    EXPECT_EQ(S.ZoomStep, 0.5f);
    EXPECT_EQ(S.DeviceIndex, 2);
    EXPECT_EQ(S.DateFormatIndex, 2);
}

namespace {

// A stream that takes Limit bytes and refuses the rest.
class TFullStream : public TMemoryStream {
public:
    explicit TFullStream(int64_t Limit) : limit_(Limit) {}
    int32_t Write(const void* Buffer, int32_t Count) override
    {
        if (Position() + Count > limit_)
            return 0;
        return TMemoryStream::Write(Buffer, Count);
    }

private:
    int64_t limit_;
};

} // namespace

TEST(SettingsPayload, ARefusedWriteRaisesSoTheOldFileStays)
{
    const size_t Whole = Saved(Defaults(), TwoProfiles()).size();
    for (int64_t Limit : {int64_t(0), int64_t(100), int64_t(Whole) - 1}) {
        TFullStream M(Limit);
        EXPECT_THROW(SaveSettingsPayload(M, Defaults(), TwoProfiles(), nullptr), EWriteError) << Limit;
    }
    TFullStream Enough{int64_t(Whole)};
    EXPECT_NO_THROW(SaveSettingsPayload(Enough, Defaults(), TwoProfiles(), nullptr));
}
