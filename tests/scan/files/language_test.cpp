#include <gtest/gtest.h>

#include <algorithm>

#include "files_test_support.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileSystem.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"
#include "support/allocation_probe.h"

namespace {

std::vector<uint8_t> LanguagePayload(const std::u16string& Code, uint8_t Direction,
                                     std::vector<TLanguageItem> Items)
{
    TLanguage L;
    L.Direction = Direction;
    L.Strings[0] = Code;
    L.Strings[1] = u"Name of " + Code;
    L.Strings[7] = u"kept";
    L.SetItems(std::move(Items));
    TMemoryStream S;
    EXPECT_TRUE(L.Save(S));
    return S.Bytes();
}

void AppendEntry(TMemoryStream& File, const std::u16string& Name, const std::vector<uint8_t>& Payload)
{
    ASSERT_TRUE(WriteContainerEntry(File, Name, Payload));
}

// English first, German second, and a right-to-left language.
std::vector<uint8_t> ThreeLanguages()
{
    TMemoryStream F;
    AppendEntry(F, u"en", LanguagePayload(u"en_US", 1, {{1, u"File"}, {2, u""}, {3, std::u16string(1, u'\0')}}));
    AppendEntry(F, u"de", LanguagePayload(u"de_DE", 1, {{1, u"Datei"}, {1, u"Zweite"}, {5, u"Fünf"}}));
    AppendEntry(F, u"he", LanguagePayload(u"he_IL", 0, {{1, u"\u05E7\u05D5\u05D1\u05E5"}}));
    return F.Bytes();
}

class LanguageFile : public ::testing::Test {
protected:
    LanguageFile()
    {
        Manager.Messages = &Sink;
        Manager.OnChange = [this](TObject*, TLanguage* L) { Changes.push_back(L ? L->Name() : u"nil"); };
    }
    void Write(const std::vector<uint8_t>& Bytes) { WriteBytes(Name, Bytes); }

    TTempFolder Temp;
    std::u16string Name = Temp.Path("Lorvane3D.lng");
    TRecordingMessageSink Sink;
    TLanguageManager Manager{nullptr};
    std::vector<std::u16string> Changes;
};

TEST_F(LanguageFile, LoadsEveryLanguageWithItsTextsAndDirection)
{
    Write(ThreeLanguages());
    ASSERT_TRUE(Manager.LoadFromFile(Name, u"en"));
    EXPECT_EQ(Manager.DefaultLanguage, u"en");
    ASSERT_EQ(Manager.Languages().Count(), 3);
    EXPECT_EQ(Manager.Languages().IndexOfName(u"de_DE"), 1);
    EXPECT_EQ(Manager.Languages().IndexOfName(u"de_de"), -1);
    EXPECT_EQ(Manager.Languages()[1]->DisplayName(), u"Name of de_DE");
    EXPECT_EQ(Manager.Languages()[1]->Strings[7], u"kept");
    EXPECT_TRUE(Manager.Languages()[0]->LeftToRight());
    EXPECT_FALSE(Manager.Languages()[2]->LeftToRight());
    EXPECT_EQ(Manager.ActiveLanguageIndex(), -1);
    EXPECT_EQ(Manager.GetText(1, u"Default"), u"Default");
    EXPECT_TRUE(Sink.Messages.empty());

    Manager.SetActiveLanguageName(u"de_DE");
    EXPECT_EQ(Manager.GetText(1, u"File"), u"Datei"); // the first of two items with ID 1
    EXPECT_EQ(Manager.GetText(5, u"Five"), u"Fünf");
    EXPECT_EQ(Manager.GetText(6, u"Six"), u"Six");
    Manager.SetActiveLanguageIndex(0);
    EXPECT_EQ(Manager.GetText(2, u"New"), u"New");   // empty text
    EXPECT_EQ(Manager.GetText(3, u"Start"), u"Start"); // a single NUL
}

TEST_F(LanguageFile, ActiveLanguageSelectionAndChangeEvents)
{
    Write(ThreeLanguages());
    Manager.LoadFromFile(Name, u"de_DE");
    Manager.SetActiveLanguageName(u"he_IL");
    EXPECT_EQ(Changes, std::vector<std::u16string>{u"he_IL"});
    Manager.SetActiveLanguageName(u"he_IL");
    EXPECT_EQ(Changes.size(), 1u);
    // Unknown: the default language.
    Manager.SetActiveLanguageName(u"fr_FR");
    EXPECT_EQ(Manager.ActiveLanguageName(), u"de_DE");
    EXPECT_EQ(Changes.back(), u"de_DE");
    // Unknown with the default missing too: the first language, one event.
    Manager.DefaultLanguage = u"xx";
    Changes.clear();
    Manager.SetActiveLanguageName(u"fr_FR");
    EXPECT_EQ(Manager.ActiveLanguageIndex(), 0);
    EXPECT_EQ(Changes, std::vector<std::u16string>{u"en_US"});
    // Indexes out of range change nothing.
    Manager.SetActiveLanguageIndex(3);
    Manager.SetActiveLanguageIndex(-1);
    EXPECT_EQ(Manager.ActiveLanguageIndex(), 0);
    EXPECT_EQ(Changes.size(), 1u);
}

TEST_F(LanguageFile, WithoutLanguagesNothingIsActive)
{
    EXPECT_FALSE(Manager.LoadFromFile(Temp.Path("missing.lng"), u"en"));
    Manager.SetActiveLanguageName(u"en_US");
    EXPECT_EQ(Manager.ActiveLanguageIndex(), -1);
    EXPECT_EQ(Manager.ActiveLanguage(), nullptr);
    EXPECT_TRUE(Changes.empty());
    EXPECT_EQ(Manager.GetText(Texts::File, u"File"), u"File");
}

TEST_F(LanguageFile, LoadingAgainReplacesTheLanguages)
{
    Write(ThreeLanguages());
    Manager.LoadFromFile(Name, u"en");
    Manager.SetActiveLanguageIndex(1);
    Manager.LoadFromFile(Name, u"en");
    EXPECT_EQ(Manager.Languages().Count(), 3);
    EXPECT_EQ(Manager.ActiveLanguageIndex(), -1);
    // A file that is gone leaves nothing of the one before.
    Manager.SetActiveLanguageIndex(1);
    EXPECT_FALSE(Manager.LoadFromFile(Temp.Path("gone.lng"), u"en"));
    EXPECT_EQ(Manager.Languages().Count(), 0);
    EXPECT_EQ(Manager.ActiveLanguageIndex(), -1);
    EXPECT_EQ(Manager.ActiveLanguageName(), u"");
}

TEST_F(LanguageFile, DamagedEntryHeadersEndTheWalk)
{
    const std::vector<uint8_t> Good = ThreeLanguages();
    // A negative size, then an empty name, after the first entry: the walk stops there once.
    for (int Case = 0; Case < 2; ++Case) {
        TMemoryStream F;
        AppendEntry(F, u"en", LanguagePayload(u"en_US", 1, {{1, u"File"}}));
        if (Case == 0) {
            WriteWideStringToStream(F, u"bad");
            le::WriteI64(F, -8);
        } else {
            WriteWideStringToStream(F, u"");
            le::WriteI64(F, 0);
        }
        F.Write(Good.data(), static_cast<int32_t>(Good.size()));
        Write(F.Bytes());
        TFileSystem Container;
        ASSERT_TRUE(Container.Open(Name, true, false));
        int Entries = 0;
        for (int64_t P = Container.FindFirst(); P != -1 && Entries < 10; P = Container.FindNext())
            ++Entries;
        EXPECT_EQ(Entries, 1);
        EXPECT_EQ(Container.FileInfo().Name, u"en");
        EXPECT_EQ(Container.FindNext(), -1);
        EXPECT_TRUE(Container.Damaged());
        // A new walk starts sound; the damage lies further on.
        EXPECT_NE(Container.FindFirst(), -1);
        EXPECT_FALSE(Container.Damaged());
    }
}

TEST_F(LanguageFile, AnEntryRunningALittlePastTheEndKeepsWhatIsThere)
{
    const std::vector<uint8_t> P = LanguagePayload(u"en_US", 1, {{1, u"File"}});
    TMemoryStream F;
    WriteWideStringToStream(F, u"en");
    le::WriteI64(F, int64_t(P.size()) + 10);
    F.Write(P.data(), static_cast<int32_t>(P.size()));
    Write(F.Bytes());
    TFileSystem Container;
    ASSERT_TRUE(Container.Open(Name, true, false));
    EXPECT_NE(Container.FindFirst(), -1);
    EXPECT_EQ(Container.FileInfo().Size, int64_t(P.size())) << "cut to the end of the file";
    EXPECT_TRUE(Container.Damaged());
    EXPECT_EQ(Container.FindNext(), -1);
}

TEST_F(LanguageFile, TruncationAnywhereKeepsWhatIsSoundAndReportsTheRest)
{
    const std::vector<uint8_t> Good = ThreeLanguages();
    std::vector<size_t> EntryEnds{0};
    Write(Good);
    {
        TFileSystem Container(Name, true, false);
        for (int64_t P = Container.FindFirst(); P != -1; P = Container.FindNext())
            EntryEnds.push_back(static_cast<size_t>(P + Container.FileInfo().Size));
    }
    ASSERT_EQ(EntryEnds.size(), 4u);
    for (size_t Cut = 0; Cut < Good.size(); ++Cut) {
        const bool AtEntryEnd = std::find(EntryEnds.begin(), EntryEnds.end(), Cut) != EntryEnds.end();
        Write(std::vector<uint8_t>(Good.begin(), Good.begin() + Cut));
        Sink.Messages.clear();
        ASSERT_TRUE(Manager.LoadFromFile(Name, u"en"));
        EXPECT_LE(Manager.Languages().Count(), 3);
        // Every text that loaded is the one written, or empty (and so the default).
        for (int32_t i = 0; i < Manager.Languages().Count(); ++i) {
            for (const TLanguageItem& Item : Manager.Languages()[i]->Items()) {
                std::u16string T = Manager.Languages()[i]->GetText(Item.ID, u"?");
                EXPECT_TRUE(T == u"?" || T == u"File" || T == u"Datei" || T == u"Fünf" || T.size() == 4)
                    << "cut at " << Cut;
            }
        }
        EXPECT_EQ(Sink.Messages.size(), AtEntryEnd ? 0u : 1u) << "cut at " << Cut;
    }
    Write(Good);
    Sink.Messages.clear();
    Manager.LoadFromFile(Name, u"en");
    EXPECT_TRUE(Sink.Messages.empty());
}

TEST_F(LanguageFile, PayloadSizeBeyondTheFileOrNegativeTextLength)
{
    TMemoryStream F;
    std::vector<uint8_t> P = LanguagePayload(u"en_US", 1, {{1, u"File"}, {2, u"Open"}});
    WriteWideStringToStream(F, u"en");
    le::WriteI64(F, 0x7FFFFFFFFFFFFFF0); // far beyond the file
    F.Write(P.data(), static_cast<int32_t>(P.size()));
    le::WriteI32(F, 3);
    le::WriteI32(F, -5); // a damaged text keeps its item, with the default
    le::WriteI32(F, 4);
    Write(F.Bytes());
    ASSERT_TRUE(Manager.LoadFromFile(Name, u""));
    ASSERT_EQ(Manager.Languages().Count(), 1);
    Manager.SetActiveLanguageIndex(0);
    EXPECT_EQ(Manager.GetText(2, u""), u"Open");
    EXPECT_EQ(Manager.GetText(3, u"Three"), u"Three");
    EXPECT_EQ(Sink.Messages.size(), 1u);
}

TEST(Language, APayloadSizeBeyondTheStreamIsCutToItBeforeAllocating)
{
    const std::vector<uint8_t> P = LanguagePayload(u"en_US", 1, {{1, u"File"}, {2, u"Open"}});
    TMemoryStream S(P.data(), P.size());
    TLanguage L;
    TAllocationProbe probe;
    EXPECT_FALSE(L.Load(S, 0, 100'000'000)) << "a size beyond the stream is damage";
    EXPECT_LT(probe.Largest(), 4096u);
    EXPECT_GE(probe.Largest(), P.size()) << "the payload that is there is taken into memory";
    ASSERT_EQ(L.Items().size(), 2u) << "what the stream holds is kept";
    EXPECT_EQ(L.Items()[1].Text, u"Open");

    // A payload too short for its own three-byte lead is damaged even where its size fits.
    TMemoryStream Short(P.data(), 2);
    EXPECT_FALSE(L.Load(Short, 0, 2));
    // A load that fails at once keeps nothing of the language read before.
    ASSERT_TRUE(L.Load(S, 0, int64_t(P.size())));
    ASSERT_EQ(L.Items().size(), 2u);
    EXPECT_FALSE(L.Load(S, -1, 4));
    EXPECT_TRUE(L.Items().empty());
    EXPECT_EQ(L.Strings[0], u"");
}

TEST_F(LanguageFile, GlobalGetTextFollowsTheManager)
{
    Write(ThreeLanguages());
    EXPECT_EQ(GetText(Texts::File, u"File"), u"File");
    Manager.LoadFromFile(Name, u"en");
    Manager.SetActiveLanguageName(u"de_DE");
    LanguageManager = &Manager;
    EXPECT_EQ(GetText(Texts::File, u"File"), u"Datei");
    LanguageManager = nullptr;
}

} // namespace
