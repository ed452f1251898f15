// The data files the build generates read back equal to their sources, and the texts that
// the code asks for exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "ProgramFileSources.h"
#include "files_test_support.h"
#include "framework/StrConv.h"
#include "scan/files/MessageSink.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TLanguageManager.h"

namespace {

const std::string Data = std::string(L3D_SOURCE_DIR) + "/data";

std::u16string ProgramFile(const std::string& Name)
{
    return (std::filesystem::path(L3D_PROGRAM_DIR) / Name).make_preferred().u16string();
}

TTextSource Source(const std::string& Code)
{
    std::string Text, Error;
    TTextSource S;
    EXPECT_TRUE(ReadWholeFile(Data + "/lang/" + Code + ".txt", Text));
    EXPECT_TRUE(ParseTextSource(Text, S, Error)) << Error;
    return S;
}

size_t CountOf(const std::u16string& S, const std::u16string& Part)
{
    size_t N = 0;
    for (size_t P = S.find(Part); P != std::u16string::npos; P = S.find(Part, P + 1))
        ++N;
    return N;
}

TEST(ProgramFiles, LanguageFileHoldsTheSourcesEnglishFirst)
{
    TRecordingMessageSink Sink;
    TLanguageManager Manager(nullptr);
    Manager.Messages = &Sink;
    ASSERT_TRUE(Manager.LoadFromFile(ProgramFile("Lorvane3D.lng"), u"en"));
    EXPECT_TRUE(Sink.Messages.empty());
    const std::vector<std::string> Codes{"en_US", "de_DE"};
    ASSERT_EQ(Manager.Languages().Count(), 2);
    for (size_t i = 0; i < Codes.size(); ++i) {
        TTextSource S = Source(Codes[i]);
        const TLanguage& L = *Manager.Languages()[static_cast<int32_t>(i)];
        EXPECT_EQ(L.Name(), S.Code);
        EXPECT_EQ(L.DisplayName(), S.Name);
        EXPECT_TRUE(L.LeftToRight());
        ASSERT_EQ(L.Items().size(), S.Items.size());
        for (size_t k = 0; k < S.Items.size(); ++k) {
            EXPECT_EQ(L.Items()[k].ID, S.Items[k].ID);
            EXPECT_EQ(L.Items()[k].Text, S.Items[k].Text);
        }
    }
}

TEST(ProgramFiles, EveryLanguageTranslatesEveryEnglishTextWithTheSamePlaceholders)
{
    TTextSource En = Source("en_US"), De = Source("de_DE");
    ASSERT_EQ(En.Items.size(), De.Items.size());
    for (size_t k = 0; k < En.Items.size(); ++k) {
        EXPECT_EQ(En.Items[k].ID, De.Items[k].ID);
        EXPECT_FALSE(De.Items[k].Text.empty()) << De.Items[k].ID;
        EXPECT_EQ(CountOf(En.Items[k].Text, u"%"), CountOf(De.Items[k].Text, u"%")) << En.Items[k].ID;
    }
}

TEST(ProgramFiles, EveryTextTheCodeAsksForIsInEveryLanguageAndEveryTextIsOneOfThem)
{
    // The code asks for texts by their names only, so the named texts are all it can ask for.
    for (const std::string Code : {"en_US", "de_DE"}) {
        const TTextCoverage Coverage = TextCoverage(Source(Code));
        for (TTextId Id : Coverage.Missing)
            ADD_FAILURE() << Code << ".txt lacks the text " << TextLabel(Id);
        for (int32_t Id : Coverage.Unknown)
            ADD_FAILURE() << Code << ".txt has text " << Id << ", which the program does not name";
    }

    // What the tool and this test go by: a text left empty is missing, a number nobody names
    // is unknown.
    TTextSource S;
    std::string Error;
    ASSERT_TRUE(ParseTextSource("@code\tx\n@name\tX\n@direction\t1\n1\tFile\n2\t\n99999\tz\n", S, Error)) << Error;
    const TTextCoverage Coverage = TextCoverage(S);
    EXPECT_EQ(std::count(Coverage.Missing.begin(), Coverage.Missing.end(), Texts::File), 0);
    EXPECT_EQ(std::count(Coverage.Missing.begin(), Coverage.Missing.end(), Texts::FileNew), 1);
    EXPECT_EQ(Coverage.Missing.size(), std::size(NamedTexts) - 1);
    EXPECT_EQ(Coverage.Unknown, std::vector<int32_t>{99999});
    EXPECT_EQ(TextLabel(Texts::FileNew), "FileNew (2)");
}

TEST(ProgramFiles, DataTablesFileHoldsTheSources)
{
    std::string Devices, Soils, Units, Error;
    ASSERT_TRUE(ReadWholeFile(Data + "/tables/devices.tsv", Devices));
    ASSERT_TRUE(ReadWholeFile(Data + "/tables/soils.tsv", Soils));
    ASSERT_TRUE(ReadWholeFile(Data + "/tables/units.tsv", Units));
    std::vector<TDeviceSource> DeviceSources;
    TDataTables Expected;
    ASSERT_TRUE(ParseDeviceSource(Devices, DeviceSources, Error)) << Error;
    ASSERT_TRUE(ParseSoilSource(Soils, Expected.SoilTypes, Error)) << Error;
    ASSERT_TRUE(ParseUnitSource(Units, Expected.MeasureUnits, Error)) << Error;

    std::vector<uint8_t> B = ReadBytes(ProgramFile("Lorvane3D.dat"));
    TMemoryStream S(B.data(), B.size());
    TDataTables Read;
    ASSERT_TRUE(ReadDataTables(S, Read));
    ASSERT_EQ(Read.Devices.size(), DeviceSources.size());
    for (size_t i = 0; i < DeviceSources.size(); ++i) {
        EXPECT_EQ(Read.Devices[i], DeviceSources[i].Device);
        // The user's choices lie inside what the device offers.
        const TGlobalDevice& D = Read.Devices[i];
        EXPECT_NE(D.Settings.TransferMask & (1 << D.User.Transfer), 0) << D.Name;
        const uint8_t ModeBit[6] = {1, 2, 4, 8, 16, 32};
        EXPECT_NE(D.Settings.OperatingModeMask & ModeBit[D.User.OperatingMode], 0) << D.Name;
        EXPECT_NE(D.Settings.ScanModeMask & (1 << D.User.ScanMode), 0) << D.Name;
    }
    EXPECT_EQ(Read.SoilTypes, Expected.SoilTypes);
    EXPECT_EQ(Read.MeasureUnits, Expected.MeasureUnits);

    // Eight soils in the order of texts 182 to 189, two units: metre and foot.
    TTextSource En = Source("en_US");
    auto English = [&](int32_t Id) {
        for (const TLanguageItem& Item : En.Items)
            if (Item.ID == Id)
                return Item.Text;
        return std::u16string();
    };
    ASSERT_EQ(Read.SoilTypes.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Read.SoilTypes[i].Name, English(182 + i));
        EXPECT_GT(Read.SoilTypes[i].Factor, 0.0f);
    }
    ASSERT_EQ(Read.MeasureUnits.size(), 2u);
    EXPECT_EQ(Read.MeasureUnits[0].Name, English(190));
    EXPECT_EQ(Read.MeasureUnits[1].Name, English(191));
}

TEST(ProgramFiles, DefinitionFilesCarryTheDeviceNameAtOffset2500)
{
    std::string Devices, Error;
    std::vector<TDeviceSource> DeviceSources;
    ASSERT_TRUE(ReadWholeFile(Data + "/tables/devices.tsv", Devices));
    ASSERT_TRUE(ParseDeviceSource(Devices, DeviceSources, Error));
    int Files = 0;
    for (const TDeviceSource& D : DeviceSources) {
        if (D.DefinitionFile.empty())
            continue;
        ++Files;
        std::vector<uint8_t> B = ReadBytes(ProgramFile(D.DefinitionFile + ".dvc"));
        ASSERT_EQ(B.size(), DefinitionFileSize) << D.DefinitionFile;
        std::string Name(B.begin() + DefinitionNameOffset, B.begin() + DefinitionNameOffset + DefinitionNameLength);
        EXPECT_EQ(Name.substr(0, Name.find('\0')), D.DefinitionFile);
        EXPECT_EQ(Name.find_first_not_of('\0', D.DefinitionFile.size()), std::string::npos);
    }
    EXPECT_EQ(Files, 6); // one for each import model's mask
}

TEST(ProgramFiles, MalformedTextSourcesAreRefused)
{
    TTextSource S;
    std::string Error;
    EXPECT_FALSE(ParseTextSource("@code\tx\n@name\tX\n@direction\t1\n1\ta\n1\tb\n", S, Error));
    EXPECT_NE(Error.find("twice"), std::string::npos);
    EXPECT_FALSE(ParseTextSource("@code\tx\n@name\tX\n@direction\t1\nfoo\ta\n", S, Error));
    EXPECT_FALSE(ParseTextSource("@code\tx\n@name\tX\n@direction\t1\n1\t\xC3\n", S, Error));
    EXPECT_FALSE(ParseTextSource("1\ta\n", S, Error));
    ASSERT_TRUE(ParseTextSource("@code\the_IL\n@name\tHebrew\n@direction\t0\n7\ta\\tb\\\\\n", S, Error)) << Error;
    EXPECT_EQ(S.Direction, 0);
    EXPECT_EQ(S.Items[0].Text, u"a\tb\\");
}

} // namespace
