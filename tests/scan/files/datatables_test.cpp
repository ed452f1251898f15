#include <gtest/gtest.h>

#include <cmath>

#include "files_test_support.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "scan/files/_TL3D_Filer.h"

namespace {

TDataTables SampleTables(size_t Soils = 8)
{
    TDataTables T;
    TGlobalDevice D;
    D.Name = "Qorr 21";
    D.Settings = {2, 19, 3, "10;20;30;40;50"};
    D.User = {1, 4, 1, 30, ""};
    D.Extra1 = 0x1234;
    D.Extra2 = 5;
    D.Extra3 = 6;
    D.Extra4 = 7;
    D.Extra5 = 0xBEEF;
    T.Devices.push_back(D);
    D.Name = "Tarnwell";
    D.Settings.ImpulseChoices = "";
    T.Devices.push_back(D);
    for (size_t i = 0; i < Soils; ++i)
        T.SoilTypes.push_back({u"Soil " + std::u16string(1, char16_t(u'A' + i)), 2.0f + i, uint32_t(i)});
    T.MeasureUnits = {{u"Meter", 1.0f, u"m"}, {u"Foot", 0.3048f, u"ft"}};
    return T;
}

std::vector<uint8_t> Bytes(const TDataTables& T)
{
    TMemoryStream S;
    EXPECT_TRUE(WriteDataTables(S, T));
    return S.Bytes();
}

TEST(DataTables, RoundTripKeepsEveryField)
{
    for (size_t Soils : {size_t(0), size_t(7), size_t(8), size_t(9)}) {
        TDataTables Written = SampleTables(Soils), Read;
        std::vector<uint8_t> B = Bytes(Written);
        TMemoryStream S(B.data(), B.size());
        ASSERT_TRUE(ReadDataTables(S, Read));
        EXPECT_EQ(Read.Devices, Written.Devices);
        EXPECT_EQ(Read.SoilTypes, Written.SoilTypes);
        EXPECT_EQ(Read.MeasureUnits, Written.MeasureUnits);
        EXPECT_EQ(S.Position(), S.Size());
    }
}

TEST(DataTables, ZeroProfilesGiveAnEmptyList)
{
    TDataTables Written = SampleTables(), Read;
    Written.Devices.clear();
    std::vector<uint8_t> B = Bytes(Written);
    EXPECT_EQ(B[0] | B[1] << 8, 0);
    TMemoryStream S(B.data(), B.size());
    ASSERT_TRUE(ReadDataTables(S, Read));
    EXPECT_TRUE(Read.Devices.empty());
    EXPECT_EQ(Read.SoilTypes.size(), 8u);
}

TEST(DataTables, ATableThatEndsExactlyAtTheEndOfTheFileOrIsEmptyIsWhole)
{
    // Records with every string empty are the smallest a count is checked against: the last
    // table of such records fills the file to its last byte.
    TDataTables Smallest = SampleTables(3);
    for (TSoil& Soil : Smallest.SoilTypes)
        Soil.Name.clear();
    Smallest.MeasureUnits = {{u"", 2.0f, u""}, {u"", 3.0f, u""}, {u"", 4.0f, u""}};
    TDataTables NoUnits = SampleTables(3);
    NoUnits.MeasureUnits.clear();
    const TDataTables Empty;
    for (const TDataTables* Written : std::initializer_list<const TDataTables*>{&Smallest, &NoUnits, &Empty}) {
        const std::vector<uint8_t> B = Bytes(*Written);
        TMemoryStream S(B.data(), B.size());
        TDataTables Read;
        ASSERT_TRUE(ReadDataTables(S, Read)) << B.size() << " bytes";
        EXPECT_EQ(Read.Devices, Written->Devices);
        EXPECT_EQ(Read.SoilTypes, Written->SoilTypes);
        EXPECT_EQ(Read.MeasureUnits, Written->MeasureUnits);
        EXPECT_EQ(S.Position(), S.Size());
    }
    EXPECT_EQ(Bytes(Empty), std::vector<uint8_t>(6, 0)) << "three counts of zero";

    // One byte less, and the last record or count is cut short.
    for (const TDataTables* Written : std::initializer_list<const TDataTables*>{&Smallest, &NoUnits, &Empty}) {
        const std::vector<uint8_t> B = Bytes(*Written);
        TMemoryStream S(B.data(), B.size() - 1);
        TDataTables Read;
        EXPECT_FALSE(ReadDataTables(S, Read)) << B.size() << " bytes";
    }
}

TEST(DataTables, TruncationKeepsCompleteRecordsOnly)
{
    const TDataTables Written = SampleTables();
    const std::vector<uint8_t> B = Bytes(Written);
    for (size_t Cut = 0; Cut < B.size(); ++Cut) {
        TMemoryStream S(B.data(), Cut);
        TDataTables Read;
        EXPECT_FALSE(ReadDataTables(S, Read)) << Cut;
        // No phantom record: what was read is a prefix of what was written.
        ASSERT_LE(Read.Devices.size(), Written.Devices.size());
        for (size_t i = 0; i < Read.Devices.size(); ++i)
            EXPECT_EQ(Read.Devices[i], Written.Devices[i]) << Cut;
        ASSERT_LE(Read.SoilTypes.size(), Written.SoilTypes.size());
        for (size_t i = 0; i < Read.SoilTypes.size(); ++i)
            EXPECT_EQ(Read.SoilTypes[i], Written.SoilTypes[i]) << Cut;
        ASSERT_LE(Read.MeasureUnits.size(), Written.MeasureUnits.size());
        EXPECT_LE(S.Position(), static_cast<int64_t>(Cut));
    }
}

TEST(DataTables, CountsBeyondTheDataAreNotBelieved)
{
    TMemoryStream S;
    le::WriteU16(S, 65535);
    TL3D_Filer().WriteDevice(&S, SampleTables().Devices[0]);
    S.SetPosition(0);
    TDataTables Read;
    EXPECT_FALSE(ReadDataTables(S, Read));
    EXPECT_EQ(Read.Devices.size(), 1u);
    EXPECT_LE(Read.Devices.capacity(), 16u);
}

TEST(DataTables, ReadingOverLoadedTablesLeavesNothingOfThem)
{
    TDataTables Read = SampleTables();
    TMemoryStream Empty;
    EXPECT_FALSE(ReadDataTables(Empty, Read));
    EXPECT_TRUE(Read.Devices.empty());
    EXPECT_TRUE(Read.SoilTypes.empty());
    EXPECT_TRUE(Read.MeasureUnits.empty());
}

TEST(DataTables, CountsAreSixteenBitsWide)
{
    TDataTables Most;
    Most.SoilTypes.resize(0xFFFF);
    TMemoryStream S;
    EXPECT_TRUE(WriteDataTables(S, Most));
    TDataTables TooMany;
    TooMany.MeasureUnits.resize(0x10000);
    TMemoryStream T;
    EXPECT_FALSE(WriteDataTables(T, TooMany));
    TooMany = TDataTables{};
    TooMany.SoilTypes.resize(0x10000);
    EXPECT_FALSE(WriteDataTables(T, TooMany));
}

TEST(DataTables, FilerDoesNothingWithoutAStream)
{
    TL3D_Filer Filer;
    TGlobalDevice D;
    D.Name = "kept";
    EXPECT_FALSE(Filer.ReadDevice(nullptr, D));
    EXPECT_EQ(D.Name, "kept");
    TSoil Soil;
    EXPECT_FALSE(Filer.ReadSoil(nullptr, Soil));
    TMeasureUnit Unit;
    EXPECT_FALSE(Filer.ReadMeasureUnit(nullptr, Unit));
}

TEST(DataTables, LoadingTheFileDropsSoilNamesRepairsDivisorsAndReportsDamage)
{
    TTempFolder Temp;
    std::u16string Name = Temp.Path("Lorvane3D.dat");
    TRecordingMessageSink Sink;
    TDataTables Tables = SampleTables();
    EXPECT_EQ(LoadDataTablesFile(Name, Tables, Sink), TDataTablesResult::Missing);
    EXPECT_TRUE(Sink.Messages.empty());
    EXPECT_TRUE(Tables.Devices.empty() && Tables.SoilTypes.empty() && Tables.MeasureUnits.empty())
        << "no tables of an earlier load stay behind";

    TDataTables Written = SampleTables();
    Written.SoilTypes[1].Factor = 0.0f;
    Written.SoilTypes[2].Factor = std::nanf("");
    Written.MeasureUnits[1].Value = 0.0f;
    std::vector<uint8_t> B = Bytes(Written);
    WriteBytes(Name, B);
    ASSERT_EQ(LoadDataTablesFile(Name, Tables, Sink), TDataTablesResult::Loaded);
    EXPECT_EQ(Tables.Devices, Written.Devices);
    ASSERT_EQ(Tables.SoilTypes.size(), 8u);
    EXPECT_EQ(Tables.SoilTypes[0].Name, u"");
    EXPECT_EQ(Tables.SoilTypes[0].Factor, 2.0f);
    EXPECT_EQ(Tables.SoilTypes[1].Factor, 3.0f);
    EXPECT_EQ(Tables.SoilTypes[2].Factor, 3.0f);
    EXPECT_EQ(Tables.MeasureUnits[0], Written.MeasureUnits[0]);
    EXPECT_EQ(Tables.MeasureUnits[1].Value, 1.0f);
    EXPECT_TRUE(Sink.Messages.empty());

    B.resize(B.size() - 3);
    WriteBytes(Name, B);
    EXPECT_EQ(LoadDataTablesFile(Name, Tables, Sink), TDataTablesResult::Damaged);
    EXPECT_EQ(Tables.Devices.size(), 2u);
    EXPECT_EQ(Tables.MeasureUnits.size(), 1u);
    ASSERT_EQ(Sink.Messages.size(), 1u);
    EXPECT_EQ(Sink.Messages[0].Text, u"Damaged file: \"" + Name + u"\"");
}

} // namespace
