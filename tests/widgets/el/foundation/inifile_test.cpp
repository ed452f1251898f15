// The ini store: its text and binary forms (hand-written files and round trips), converting
// reads, keys, safe saving, the Simple switch, and registry mode over an in-memory registry.
#include "widgets/el/foundation/ElIniFile.h"

#include "framework/FileUtils.h"
#include "framework/Streams.h"
#include "widgets/el/foundation/ElWideStrings.h"

#include "ini_registry_fake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string FileText(const std::u16string& Path)
{
    std::ifstream in(fs::path(Path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class IniFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = CreateTempFile(u"ini");
        ASSERT_FALSE(folder.empty());
        ASSERT_TRUE(FileDelete(folder));
        ASSERT_TRUE(ForceDirectories(folder));
        folder = IncludeTrailingPathDelimiter(folder);
        file = folder + u"store.ini";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(fs::path(folder), ec);
    }

    // A store over Text (text form) or Bytes (binary form).
    std::unique_ptr<TElIniFile> LoadFrom(const std::string& Bytes, bool Binary = false)
    {
        auto ini = std::make_unique<TElIniFile>(nullptr);
        ini->BinaryMode = Binary;
        TMemoryStream s(Bytes.data(), Bytes.size());
        loaded = ini->LoadFromStream(s);
        return ini;
    }

    static std::string Saved(TElIniFile& Ini)
    {
        TMemoryStream s;
        EXPECT_TRUE(Ini.SaveToStream(s));
        return std::string(s.Bytes().begin(), s.Bytes().end());
    }

    static std::string Str(TElIniFile& Ini, const std::string& Key, const std::string& Name)
    {
        std::string v;
        return Ini.ReadString(Key, Name, "<none>", v) ? v : "<none>";
    }

    std::u16string folder, file;
    bool loaded = false;
};

TEST_F(IniFile, HandWrittenTextReadsAsSpecified)
{
    const std::string text =
        "; a comment\r\n"
        "top=1\r\n"
        "\r\n"
        "[Types]  ; the section's comment\r\n"
        "on=TRUE\r\n"
        "off=false\r\n"
        "dec=-42\r\n"
        "hex=$FF\r\n"
        "lowhex=$ff\r\n"
        "cx=0x1F\r\n"
        "padded=007\r\n"
        "real=2.5\r\n"
        "realish=2.50\r\n"
        "blob=454C 2 0A FF \r\n"
        "badblob=454C 9 00\r\n"
        "text=hello world ; trailing comment\r\n"
        "quoted=\"a=b;c\" rest\r\n"
        "a bare line\r\n"
        "list[0]=first\r\n"
        "list[5]=second\r\n"
        "odd]=1\r\n"
        "notlist[x]=2\r\n"
        "\r\n"
        "[Bad\\\\Key]\r\n"
        "lost=1\r\n"
        "[Nested\\Deeper\r\n"
        "kept=yes\n"
        "[Types]\r\n"
        "later=1\r";
    auto ini = LoadFrom(text);
    ASSERT_TRUE(loaded);

    int32_t i = 0;
    bool b = false;
    double d = 0;
    EXPECT_TRUE(ini->ReadInteger("", "top", 0, i));
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(ini->ReadBool("\\Types", "on", false, b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(ini->ReadBool("\\types", "OFF", true, b));  // names ignore case
    EXPECT_FALSE(b);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "on")->Value.Type, evtBoolean);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "dec")->Value.Type, evtInt);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "hex")->Value.Int, 255);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "lowhex")->Value.Type, evtString);  // not its own upper-case form
    EXPECT_EQ(ini->GetValueEntry("\\Types", "cx")->Value.Int, 31);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "padded")->Value.Type, evtString);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "real")->Value.Type, evtDouble);
    EXPECT_EQ(ini->GetValueEntry("\\Types", "realish")->Value.Type, evtString);
    EXPECT_TRUE(ini->ReadFloat("\\Types", "realish", 0, d));  // converted when read
    EXPECT_EQ(d, 2.5);
    uint8_t blob[4] = {};
    int32_t size = sizeof blob;
    EXPECT_TRUE(ini->ReadBinary("\\Types", "blob", blob, size));
    EXPECT_EQ(size, 2);
    EXPECT_EQ(blob[1], 0xFF);
    // A hex text that cannot be decoded stays a string, never a half-filled binary.
    EXPECT_EQ(ini->GetValueEntry("\\Types", "badblob")->Value.Type, evtString);
    EXPECT_EQ(Str(*ini, "\\Types", "text"), "hello world ");
    EXPECT_EQ(Str(*ini, "\\Types", "quoted"), "\"a=b;c\" rest");

    // A line without the divider is a value named after its line number.
    EXPECT_EQ(Str(*ini, "\\Types", "#18"), "a bare line");
    // Indexes 0 and 5 give one list of two elements, in file order.
    std::vector<std::string> list;
    EXPECT_TRUE(ini->ReadMultiString("\\Types", "list", list));
    EXPECT_EQ(list, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(Str(*ini, "\\Types", "odd]"), "1");
    EXPECT_EQ(Str(*ini, "\\Types", "notlist[x]"), "2");

    // A section whose key cannot be opened drops its own values, not the rest of the file.
    EXPECT_FALSE(ini->KeyExists("\\Bad"));
    EXPECT_EQ(Str(*ini, "\\Nested\\Deeper", "kept"), "yes");  // no closing bracket
    EXPECT_EQ(Str(*ini, "\\Types", "later"), "1");             // a section met again
    std::vector<std::string> keys;
    EXPECT_TRUE(ini->EnumSubKeys("\\", keys));
    EXPECT_EQ(keys, (std::vector<std::string>{"Types", "Nested"}));

    // TrimSpaces trims before anything else; a NUL ends the text.
    auto trimmed = std::make_unique<TElIniFile>(nullptr);
    trimmed->TrimSpaces = true;
    const std::string spaced = "  [S]  \r\n   v=1   \r\n   ; comment\r\n" + std::string(1, '\0') + "w=2\r\n";
    TMemoryStream s(spaced.data(), spaced.size());
    ASSERT_TRUE(trimmed->LoadFromStream(s));
    EXPECT_EQ(Str(*trimmed, "\\S", "v"), "1");
    EXPECT_FALSE(trimmed->ValueExists("\\S", "w"));
}

TEST_F(IniFile, TextWrittenInTheSpecifiedLayoutAndReadBackEqual)
{
    TElIniFile ini(nullptr);
    ini.WriteString("", "name", "value");
    ini.WriteBool("\\a", "flag", true);
    ini.WriteInteger("\\a", "count", -42);
    ini.WriteFloat("\\a", "ratio", 2.5);
    const uint8_t bytes[] = {1, 0xAB};
    ini.WriteBinary("\\a\\b", "blob", bytes, 2);
    ini.WriteMultiString("\\a\\b", "list", {"x", "", "y"});
    ini.WriteString("\\c", "#note", "bare line");
    ini.OpenKey("\\empty", true);
    EXPECT_EQ(Saved(ini),
              ";Automatically generated file. DO NOT MODIFY!!!\r\n"
              "name=value\r\n"
              "\r\n[a]\r\n"
              "flag=true\r\n"
              "count=-42\r\n"
              "ratio=2.5\r\n"
              "\r\n[a\\b]\r\n"
              "blob=454C 2 01 AB \r\n"
              "list[0]=x\r\n"
              "list[1]=\r\n"
              "list[2]=y\r\n"
              "\r\n[c]\r\n"
              "bare line\r\n"
              "\r\n[empty]\r\n");

    // Every value a store writes reads back equal, with its type, from its own text.
    TElIniFile all(nullptr);
    all.WarningMessage.clear();
    all.WriteString("\\k", "s", "with = and \"quotes\"");
    all.WriteString("\\k", "empty", "");
    all.WriteString("\\k", "multi", "one\r\ntwo\r\n");
    all.WriteInteger("\\k", "min", INT32_MIN);
    all.WriteBool("\\k", "no", false);
    all.WriteFloat("\\k", "tiny", 1.5e-7);
    all.WriteFloat("\\k", "whole", 3.0);
    all.WriteFloat("\\k", "big", -1e300);
    std::vector<uint8_t> blob(1000);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<uint8_t>(i * 13);
    all.WriteBinary("\\k\\deep", "blob", blob.data(), 1000);
    all.WriteBinary("\\k\\deep", "none", nullptr, 0);
    all.WriteMultiString("\\k\\deep", "lines", {"a", "b c"});
    const std::string text = Saved(all);
    EXPECT_EQ(text.substr(0, 6), "\r\n[k]\r");  // no warning line when the message is empty
    auto back = LoadFrom(text);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Str(*back, "\\k", "s"), "with = and \"quotes\"");
    EXPECT_EQ(Str(*back, "\\k", "empty"), "");
    EXPECT_EQ(Str(*back, "\\k", "multi"), "one\r\ntwo\r\n");  // a line break never splits a value
    int32_t n = 0;
    bool b = true;
    double d = 0;
    EXPECT_TRUE(back->ReadInteger("\\k", "min", 0, n));
    EXPECT_EQ(n, INT32_MIN);
    EXPECT_TRUE(back->ReadBool("\\k", "no", true, b));
    EXPECT_FALSE(b);
    EXPECT_TRUE(back->ReadFloat("\\k", "tiny", 0, d));
    EXPECT_EQ(d, 1.5e-7);
    EXPECT_TRUE(back->ReadFloat("\\k", "whole", 0, d));  // written "3", read as an integer
    EXPECT_EQ(d, 3.0);
    EXPECT_TRUE(back->ReadFloat("\\k", "big", 0, d));
    EXPECT_EQ(d, -1e300);
    std::vector<uint8_t> got(1000);
    int32_t size = 1000;
    EXPECT_TRUE(back->ReadBinary("\\k\\deep", "blob", got.data(), size));
    EXPECT_EQ(got, blob);
    size = 0;
    EXPECT_TRUE(back->ReadBinary("\\k\\deep", "none", nullptr, size));
    std::vector<std::string> lines;
    EXPECT_TRUE(back->ReadMultiString("\\k\\deep", "lines", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b c"}));
    back->WarningMessage.clear();
    EXPECT_EQ(Saved(*back), text);

    // Simple stores booleans as 1 and 0.
    all.SetSimple(true);
    EXPECT_NE(Saved(all).find("no=0\r\n"), std::string::npos);
}

TEST_F(IniFile, TextFormatLimitsArePinned)
{
    // What the text form cannot hold: a comment character cuts a value, a string that looks
    // like another type comes back as that type, the section-looking line of a value stays a
    // value of its list.
    TElIniFile ini(nullptr);
    ini.WriteString("\\k", "semi", "a;b");
    ini.WriteString("\\k", "looks", "TRUE");
    ini.WriteString("\\k", "inject", "x\r\n[evil]\r\nhacked=1");
    // "#" values whose bare text would read back as something else keep their names.
    ini.WriteString("\\k", "#bare", "plain words");
    ini.WriteString("\\k", "#section", "[abc]");
    ini.WriteString("\\k", "#empty", "");
    ini.WriteString("\\k", "#pair", "a=b");
    const std::string text = Saved(ini);
    EXPECT_NE(text.find("\r\nplain words\r\n#section=[abc]\r\n#empty=\r\n#pair=a=b\r\n"), std::string::npos);
    auto back = LoadFrom(text);
    EXPECT_EQ(Str(*back, "\\k", "#section"), "[abc]");
    EXPECT_EQ(Str(*back, "\\k", "#empty"), "");
    EXPECT_EQ(Str(*back, "\\k", "#pair"), "a=b");
    EXPECT_FALSE(back->KeyExists("\\abc"));
    EXPECT_EQ(Str(*back, "\\k", "semi"), "a");
    EXPECT_EQ(Str(*back, "\\k", "looks"), "true");
    EXPECT_EQ(Str(*back, "\\k", "inject"), "x\r\n[evil]\r\nhacked=1");
    EXPECT_FALSE(back->KeyExists("\\evil"));
}

TEST_F(IniFile, SavedTextReadsBackTheSame)
{
    // A bare line's name comes from its line number; a value already named so keeps its own.
    const std::string text = "[k]\r\nalpha\r\n#2=x=y\r\n#5=[v]\r\nbeta\r\n";
    auto ini = LoadFrom(text);
    std::vector<std::string> names;
    ini->EnumValues("\\k", names);
    EXPECT_EQ(names, (std::vector<std::string>{"#2_2", "#2", "#5", "#5_2"}));
    EXPECT_EQ(Str(*ini, "\\k", "#2_2"), "alpha");
    EXPECT_EQ(Str(*ini, "\\k", "#5_2"), "beta");
    ini->WarningMessage.clear();
    const std::string saved = Saved(*ini);
    EXPECT_EQ(saved, "\r\n[k]\r\nalpha\r\n#2=x=y\r\n#5=[v]\r\nbeta\r\n");
    auto again = LoadFrom(saved);
    again->WarningMessage.clear();
    EXPECT_EQ(Saved(*again), saved);

    // With TrimSpaces a bare text with outer blanks keeps its name, so the blanks come back.
    auto trimmed = std::make_unique<TElIniFile>(nullptr);
    trimmed->TrimSpaces = true;
    trimmed->WriteString("", "#1", " padded ");
    trimmed->WarningMessage.clear();
    EXPECT_EQ(Saved(*trimmed), "#1= padded \r\n");

    // In Simple mode a key name cannot end in the delimiter (a key loses it when read).
    TElIniFile simple(nullptr);
    simple.SetSimple(true);
    EXPECT_TRUE(simple.OpenKey("\\a\\b\\", true));
    EXPECT_FALSE(simple.OpenKey("\\a\\b\\\\", true));
}

TEST_F(IniFile, BinaryLayoutAndRoundTrip)
{
    TElIniFile ini(nullptr);
    ini.BinaryMode = true;
    ini.WriteInteger("", "n", 5);
    ini.WriteBool("\\k", "b", true);
    const std::string expected = std::string("\x01\0\0\0\0", 5) +                       // root key
                                 std::string("\x00\x01\0\0\0n\x02\x04\0\0\0\x05\0\0\0", 15) +  // n = 5
                                 std::string("\x01\x01\0\0\0k", 6) +                      // key k
                                 std::string("\x00\x01\0\0\0b\x01\x01\0\0\0\x01", 12);     // b = true
    EXPECT_EQ(Saved(ini), expected);

    TElIniFile all(nullptr);
    all.BinaryMode = true;
    all.WriteString("\\a", "s", "line one\r\nline two;=");
    all.WriteMultiString("\\a\\b", "l", {"x", "", "yz"});
    all.WriteFloat("\\a\\b", "f", 0.1);
    const uint8_t blob[] = {0, 1, 2, 255};
    all.WriteBinary("\\a\\b", "bin", blob, 4);
    all.WriteInteger("\\c", "i", -7);
    const std::string image = Saved(all);
    auto back = LoadFrom(image, true);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Str(*back, "\\a", "s"), "line one\r\nline two;=");
    std::vector<std::string> l;
    EXPECT_TRUE(back->ReadMultiString("\\a\\b", "l", l));
    EXPECT_EQ(l, (std::vector<std::string>{"x", "", "yz"}));
    double f = 0;
    EXPECT_TRUE(back->ReadFloat("\\a\\b", "f", 0, f));
    EXPECT_EQ(f, 0.1);  // all 8 bytes
    EXPECT_EQ(Saved(*back), image);
}

TEST_F(IniFile, DamagedBinaryFilesLeaveAnEmptyStore)
{
    const std::string good = std::string("\x01\x01\0\0\0k", 6) + std::string("\x00\x01\0\0\0v\x02\x04\0\0\0\x07\0\0\0", 15);
    auto ini = LoadFrom(good, true);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Str(*ini, "\\k", "v"), "7");

    for (size_t cut = 1; cut < good.size(); ++cut) {
        if (cut == 6)
            continue;  // a whole key record
        auto damaged = LoadFrom(good.substr(0, cut), true);
        EXPECT_FALSE(loaded) << cut;
        EXPECT_FALSE(damaged->KeyExists("\\k")) << cut;
    }
    // Lengths beyond the data are refused before anything is allocated.
    LoadFrom(std::string("\x01\xFF\xFF\xFF\x7F", 5), true);
    EXPECT_FALSE(loaded);
    LoadFrom(std::string("\x00\x01\0\0\0v\x05\xF0\xFF\xFF\x7F", 11), true);
    EXPECT_FALSE(loaded);
    LoadFrom(std::string("\x02", 1), true);  // no such record
    EXPECT_FALSE(loaded);

    // A value of an unknown type or of the wrong size is skipped; a value before any key
    // record goes to the root.
    const std::string odd = std::string("\x00\x01\0\0\0x\x09\x02\0\0\0ab", 13) +        // type 9
                            std::string("\x00\x01\0\0\0y\x02\x02\0\0\0ab", 13) +        // integer of 2 bytes
                            std::string("\x00\x01\0\0\0z\x03\x05\0\0\0\x01\0\0\0q", 16) +  // string "q"
                            std::string("\x00\x01\0\0\0w\x04\x09\0\0\0\x01\0\0\0a\0\0\0\0", 20);  // list "a", ""
    ini = LoadFrom(odd, true);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(ini->ValueExists("", "x"));
    EXPECT_FALSE(ini->ValueExists("", "y"));
    EXPECT_EQ(Str(*ini, "", "z"), "q");
    std::vector<std::string> w;
    EXPECT_TRUE(ini->ReadMultiString("", "w", w));
    EXPECT_EQ(w, (std::vector<std::string>{"a", ""}));
}

TEST_F(IniFile, ReadsConvertBetweenTypes)
{
    TElIniFile ini(nullptr);
    ini.WriteBool("", "b", true);
    ini.WriteFloat("", "f", 2.5);
    ini.WriteFloat("", "huge", 1e20);
    ini.WriteFloat("", "nan", std::nan(""));
    ini.WriteString("", "num", "-17");
    ini.WriteString("", "big", "99999999999");
    ini.WriteString("", "word", "abc");
    ini.WriteInteger("", "i", 3);
    const uint8_t bytes[] = {0xDE, 0xAD};
    ini.WriteBinary("", "bin", bytes, 2);
    ini.WriteMultiString("", "l", {"a", "b"});

    int32_t n = 0;
    EXPECT_TRUE(ini.ReadInteger("", "b", 0, n));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(ini.ReadInteger("", "f", 0, n));
    EXPECT_EQ(n, 2);  // rounded half to even
    EXPECT_TRUE(ini.ReadInteger("", "num", 0, n));
    EXPECT_EQ(n, -17);
    // Out of range, not a number or not numeric: false and the default.
    for (const char* name : {"huge", "nan", "big", "word", "bin", "missing"}) {
        EXPECT_FALSE(ini.ReadInteger("", name, 9, n)) << name;
        EXPECT_EQ(n, 9) << name;
    }
    bool b = false;
    EXPECT_TRUE(ini.ReadBool("", "i", false, b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(ini.ReadBool("", "word", true, b));
    EXPECT_TRUE(b);
    EXPECT_EQ(Str(ini, "", "b"), "true");
    EXPECT_EQ(Str(ini, "", "f"), "2.5");
    EXPECT_EQ(Str(ini, "", "huge"), "1E20");
    EXPECT_EQ(Str(ini, "", "i"), "3");
    EXPECT_EQ(Str(ini, "", "bin"), "454C 2 DE AD ");
    EXPECT_EQ(Str(ini, "", "l"), "a\r\nb");
    double d = 0;
    EXPECT_TRUE(ini.ReadFloat("", "num", 0, d));
    EXPECT_EQ(d, -17);
    EXPECT_FALSE(ini.ReadFloat("", "word", 4, d));
    EXPECT_EQ(d, 4);
    // A buffer too small gets nothing and learns the size.
    uint8_t one[1] = {7};
    int32_t size = 1;
    EXPECT_FALSE(ini.ReadBinary("", "bin", one, size));
    EXPECT_EQ(size, 2);
    EXPECT_EQ(one[0], 7);

    TElWideStringList wide;
    EXPECT_TRUE(ini.ReadWideMultiString("", "l", wide));
    EXPECT_EQ(wide.Count(), 2);
    wide.Clear();
    wide.Add(u"\u00e4\u00f6");
    EXPECT_TRUE(ini.WriteWideMultiString("", "w", wide));
    TElWideStringList again;
    EXPECT_TRUE(ini.ReadWideMultiString("", "w", again));
    EXPECT_EQ(again.Strings(0), u"\u00e4\u00f6");
}

TEST_F(IniFile, KeysPathsAndTheCurrentKey)
{
    TElIniFile ini(nullptr);
    EXPECT_EQ(ini.CurrentKey(), "\\");
    EXPECT_FALSE(ini.OpenKey("a\\b", false));
    EXPECT_TRUE(ini.OpenKey("a\\b\\", true));
    EXPECT_EQ(ini.CurrentKey(), "\\a\\b");
    EXPECT_TRUE(ini.OpenKey("C", true));  // relative to the current key
    EXPECT_EQ(ini.CurrentKey(), "\\a\\b\\C");
    EXPECT_TRUE(ini.WriteInteger("", "v", 1));
    EXPECT_TRUE(ini.ValueExists("\\A\\B\\c", "V"));
    EXPECT_FALSE(ini.OpenKey("\\a\\\\b", true));  // empty names cannot be opened
    std::string deep;
    for (int i = 0; i < 257; ++i)
        deep += "\\x";
    EXPECT_FALSE(ini.OpenKey(deep, true));
    EXPECT_TRUE(ini.OpenKey(deep.substr(2), true));

    // Deleting or renaming the current key (or a key above it) makes the root current.
    EXPECT_TRUE(ini.OpenKey("\\a\\b\\C", false));
    EXPECT_TRUE(ini.DeleteKey("\\a"));
    EXPECT_EQ(ini.CurrentKey(), "\\");
    EXPECT_FALSE(ini.OpenKey("\\a\\b\\C", false));
    EXPECT_TRUE(ini.OpenKey("\\a\\b\\C", true));
    EXPECT_TRUE(ini.WriteInteger("", "w", 2));
    EXPECT_TRUE(ini.RenameKey("\\a\\b", "B2"));
    EXPECT_EQ(ini.CurrentKey(), "\\");
    EXPECT_TRUE(ini.ValueExists("\\a\\B2\\C", "w"));
    EXPECT_TRUE(ini.OpenKey("\\a\\B2\\C", false));
    EXPECT_TRUE(ini.ClearKey("\\a\\B2"));
    EXPECT_EQ(ini.CurrentKey(), "\\");
    EXPECT_TRUE(ini.OpenKey("\\a\\B2", false));
    EXPECT_TRUE(ini.ClearKey(""));  // clearing the current key itself keeps it current
    EXPECT_EQ(ini.CurrentKey(), "\\a\\B2");

    // Renames refuse names that are taken.
    ini.WriteInteger("\\r", "x", 1);
    ini.WriteInteger("\\r", "y", 2);
    ini.OpenKey("\\r\\k1", true);
    ini.OpenKey("\\r\\k2", true);
    EXPECT_FALSE(ini.RenameValue("\\r", "x", "Y"));
    EXPECT_TRUE(ini.RenameValue("\\r", "x", "Z"));
    EXPECT_TRUE(ini.RenameValue("\\r", "Z", "z"));  // another case of its own name
    EXPECT_FALSE(ini.RenameKey("\\r\\k1", "K2"));
    EXPECT_FALSE(ini.RenameKey("\\r\\k1", "a\\b"));
    std::vector<std::string> names;
    EXPECT_TRUE(ini.EnumValues("\\r", names));
    EXPECT_EQ(names, (std::vector<std::string>{"z", "y"}));
    EXPECT_TRUE(ini.EnumSubKeys("\\r", names));
    EXPECT_EQ(names, (std::vector<std::string>{"k1", "k2"}));
    EXPECT_TRUE(ini.CopyValue("\\r", "y", "\\copy"));
    int32_t n = 0;
    EXPECT_TRUE(ini.ReadInteger("\\copy", "y", 0, n));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(ini.DeleteValue("\\r", "y"));
    EXPECT_FALSE(ini.DeleteValue("\\r", "y"));
    ini.SetValueType("\\r", "z", evtString);
    EXPECT_EQ(Str(ini, "\\r", "z"), "");

    ini.SetDelimiter('/');
    EXPECT_TRUE(ini.KeyExists("/r/k1"));
}

TEST_F(IniFile, DeepKeysNeedNoRecursion)
{
    // A section of 100,000 names cannot be opened; a 256-deep tree saves and frees iteratively.
    std::string text = "[";
    for (int i = 0; i < 100000; ++i)
        text += "a\\";
    text += "a]\r\nv=1\r\n[ok]\r\nw=2\r\n";
    auto ini = LoadFrom(text);
    EXPECT_EQ(Str(*ini, "\\ok", "w"), "2");
    EXPECT_FALSE(ini->KeyExists("\\a"));

    std::string deep;
    for (int i = 0; i < 256; ++i)
        deep += "\\d";
    ASSERT_TRUE(ini->WriteInteger(deep, "leaf", 1));
    auto back = LoadFrom(Saved(*ini));
    EXPECT_TRUE(back->ValueExists(deep, "leaf"));
    ini->BinaryMode = true;
    back = LoadFrom(Saved(*ini), true);
    EXPECT_TRUE(back->ValueExists(deep, "leaf"));
}

TEST_F(IniFile, SimpleSwitchKeepsEveryValue)
{
    TElIniFile ini(nullptr);
    ini.WriteFloat("\\a\\b", "f", 0.1);
    ini.WriteBool("\\a\\b", "t", true);
    ini.WriteInteger("\\c", "i", 4);
    ini.OpenKey("\\c", false);
    ini.SetSimple(true);
    EXPECT_EQ(ini.CurrentKey(), "\\");
    EXPECT_TRUE(ini.KeyExists("\\a\\b"));  // one name now
    std::vector<std::string> keys;
    ini.EnumSubKeys("\\", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "a\\b", "c"}));
    double f = 0;
    EXPECT_TRUE(ini.ReadFloat("\\a\\b", "f", 0, f));
    EXPECT_EQ(f, 0.1);
    EXPECT_EQ(ini.GetValueEntry("a\\b", "t")->Value.Type, evtBoolean);
    ini.SetSimple(false);
    ini.EnumSubKeys("\\", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(ini.ReadFloat("\\a\\b", "f", 0, f));
    EXPECT_EQ(f, 0.1);
}

TEST_F(IniFile, FilesAreSavedSafely)
{
    std::vector<std::string> events;
    {
        TElIniFile ini(nullptr);
        ini.OnBeforeSave = [&](TObject*) { events.push_back("before save"); };
        ini.OnAfterSave = [&](TObject*) { events.push_back("after save"); };
        ini.OnBeforeLoad = [&](TObject*) { events.push_back("before load"); };
        ini.OnAfterLoad = [&](TObject*) { events.push_back("after load"); };
        EXPECT_FALSE(ini.Save());  // no path
        ini.SetPath(file);
        ini.WriteString("", "v", "one");
        EXPECT_TRUE(ini.Modified());
        EXPECT_TRUE(ini.Save());
        EXPECT_FALSE(ini.Modified());
        EXPECT_TRUE(ini.Load());
        EXPECT_EQ(events, (std::vector<std::string>{"before save", "after save", "before load", "after load"}));
        ini.WriteString("", "v", "two");
        // the destructor saves a modified lazy store
    }
    EXPECT_NE(FileText(file).find("v=two"), std::string::npos);

    // A save that cannot complete keeps the old file and the modified flag.
    const std::string before = FileText(file);
    ASSERT_TRUE(ForceDirectories(file + u".tmp"));  // the temporary cannot be made
    std::ofstream(fs::path(file + u".tmp") / "keep") << "x";
    {
        TElIniFile ini(nullptr);
        ini.SetPath(file);
        ASSERT_TRUE(ini.Load());
        ini.LazyWrite = false;
        EXPECT_TRUE(ini.WriteString("", "v", "three"));  // saving at once fails quietly
        EXPECT_TRUE(ini.Modified());
        EXPECT_FALSE(ini.Save());
        EXPECT_EQ(FileText(file), before);
        ini.LazyWrite = true;
    }
    EXPECT_EQ(FileText(file), before);
    fs::remove_all(fs::path(file + u".tmp"));

    // LazyWrite off saves with every write; a missing file loads as an empty store.
    {
        TElIniFile ini(nullptr);
        ini.SetPath(file);
        ini.LazyWrite = false;
        ini.WriteInteger("\\k", "n", 5);
        EXPECT_FALSE(ini.Modified());
    }
    TElIniFile reader(nullptr);
    reader.SetPath(file);
    EXPECT_TRUE(reader.Load());
    EXPECT_EQ(Str(reader, "\\k", "n"), "5");
    EXPECT_FALSE(reader.ValueExists("", "v"));
    reader.SetPath(folder + u"missing.ini");
    EXPECT_FALSE(reader.Load());
    EXPECT_FALSE(reader.KeyExists("\\k"));
}

class IniRegistry : public IniFile {
protected:
    void SetUp() override
    {
        IniFile::SetUp();
        data = std::make_shared<FakeRegistry::TData>();
        ElIniRegistryFactory() = [this](uint32_t Root) {
            data->RootKey = Root;
            return std::make_unique<FakeRegistry>(data);
        };
    }
    void TearDown() override
    {
        ElIniRegistryFactory() = nullptr;
        IniFile::TearDown();
    }

    TElRegValue Raw(const std::u16string& Key, const std::u16string& Name)
    {
        TElRegValue v;
        FakeRegistry(data).ReadValue(Key, Name, v);
        return v;
    }

    std::shared_ptr<FakeRegistry::TData> data;
};

TEST_F(IniRegistry, ValuesKeepTheirRegistryTypes)
{
    TElIniFile ini(nullptr);
    ini.SetUseRegistry(true);
    ASSERT_TRUE(ini.UseRegistry());
    EXPECT_EQ(ini.Path(), u"\\SOFTWARE");
    EXPECT_EQ(data->RootKey, ElRegCurrentUser);
    ini.SetPath(u"\\SOFTWARE\\Test\\");
    EXPECT_EQ(ini.Path(), u"\\SOFTWARE\\Test");

    EXPECT_TRUE(ini.WriteString("\\k", "s", "hi"));
    EXPECT_TRUE(ini.WriteInteger("\\k", "i", -2));
    EXPECT_TRUE(ini.WriteBool("\\k", "b", true));
    EXPECT_TRUE(ini.WriteFloat("\\k", "f", 0.25));
    const uint8_t bytes[] = {0xAB, 0x01};
    EXPECT_TRUE(ini.WriteBinary("\\k", "bin", bytes, 2));
    EXPECT_TRUE(ini.WriteMultiString("\\k", "m", {"x", "yz"}));

    const TElRegValue s = Raw(u"SOFTWARE\\Test\\k", u"s");
    EXPECT_EQ(s.DataType, ElRegSz);
    EXPECT_EQ(s.Data, (std::vector<uint8_t>{'h', 0, 'i', 0, 0, 0}));
    const TElRegValue i = Raw(u"SOFTWARE\\Test\\k", u"i");
    EXPECT_EQ(i.DataType, ElRegDWord);
    EXPECT_EQ(i.Data, (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Raw(u"SOFTWARE\\Test\\k", u"b").DataType, ElRegDWord);
    const TElRegValue f = Raw(u"SOFTWARE\\Test\\k", u"f");
    EXPECT_EQ(f.DataType, ElRegBinary);
    EXPECT_EQ(f.Data.size(), 8u);
    const TElRegValue m = Raw(u"SOFTWARE\\Test\\k", u"m");
    EXPECT_EQ(m.DataType, ElRegMultiSz);
    EXPECT_EQ(m.Data, (std::vector<uint8_t>{'x', 0, 0, 0, 'y', 0, 'z', 0, 0, 0, 0, 0}));

    EXPECT_EQ(Str(ini, "\\k", "i"), "-2");             // a DWORD in decimal
    EXPECT_EQ(Str(ini, "\\k", "bin"), "454C 2 AB 01 ");  // binary in the hex text form
    EXPECT_EQ(Str(ini, "\\k", "m"), "x\r\nyz");          // a multi-string as CR LF text
    int32_t n = 0;
    bool b = false;
    double d = 0;
    EXPECT_TRUE(ini.ReadInteger("\\k", "i", 0, n));
    EXPECT_EQ(n, -2);
    EXPECT_FALSE(ini.ReadInteger("\\k", "s", 5, n));  // registry reads do not convert strings
    EXPECT_TRUE(ini.ReadBool("\\k", "b", false, b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(ini.ReadFloat("\\k", "f", 0, d));
    EXPECT_EQ(d, 0.25);
    EXPECT_FALSE(ini.ReadFloat("\\k", "bin", 1, d));  // not 8 bytes
    std::vector<std::string> list;
    EXPECT_TRUE(ini.ReadMultiString("\\k", "m", list));
    EXPECT_EQ(list, (std::vector<std::string>{"x", "yz"}));

    // A DWORD must be exactly 4 bytes; an expandable string reads as a string.
    FakeRegistry(data).WriteValue(u"SOFTWARE\\Test\\k", u"short", {ElRegDWord, {1, 0}});
    FakeRegistry(data).WriteValue(u"SOFTWARE\\Test\\k", u"exp", {ElRegExpandSz, {'%', 0, 'a', 0, 0, 0}});
    EXPECT_FALSE(ini.ReadInteger("\\k", "short", 3, n));
    EXPECT_EQ(Str(ini, "\\k", "exp"), "%a");

    // Keys and values through the registry.
    EXPECT_TRUE(ini.OpenKey("k", false));
    EXPECT_TRUE(ini.RenameValue("", "s", "s2"));
    EXPECT_EQ(Str(ini, "", "s2"), "hi");
    EXPECT_TRUE(ini.RenameValue("", "s2", "S2"));  // another case of its own name
    EXPECT_EQ(Str(ini, "", "S2"), "hi");
    EXPECT_TRUE(ini.CopyValue("", "short", "\\other"));
    EXPECT_EQ(Raw(u"SOFTWARE\\Test\\other", u"short").Data, (std::vector<uint8_t>{1, 0}));  // bytes as stored
    std::vector<std::string> names;
    EXPECT_TRUE(ini.EnumSubKeys("\\", names));
    EXPECT_EQ(names, (std::vector<std::string>{"k", "other"}));
    EXPECT_TRUE(ini.ClearKey("\\k"));
    EXPECT_TRUE(ini.EnumValues("\\k", names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(ini.DeleteKey("\\other"));
    EXPECT_FALSE(ini.KeyExists("\\other"));
    EXPECT_FALSE(ini.Load());
    EXPECT_FALSE(ini.Save());
}

TEST_F(IniRegistry, TreeOnlyOperationsRaiseWithTheirTexts)
{
    TElIniFile ini(nullptr);
    ini.SetPath(file);
    ini.SetRegRoot(ElRegLocalMachine);
    ini.SetUseRegistry(true);
    EXPECT_EQ(data->RootKey, ElRegLocalMachine);
    EXPECT_EQ(ini.Path(), file);  // a Path that was set is the base key
    auto message = [](const std::function<void()>& F) -> std::u16string {
        try {
            F();
        } catch (const EElIniError& e) {
            return e.Message();
        }
        return u"no error";
    };
    EXPECT_EQ(message([&] { ini.CreateValue("", "x"); }), u"CreateValue method is not available when using registry.");
    EXPECT_EQ(message([&] { ini.GetValueEntry("", "x"); }), u"GetValueEntry method is not available when using registry.");
    EXPECT_EQ(message([&] { ini.SetValueType("", "x", evtInt); }), u"SetValueType method is not available when using registry.");
    EXPECT_EQ(message([&] { ini.RenameKey("\\a", "b"); }), u"Key can not be renamed when using registry.");
    EXPECT_EQ(message([&] { ini.SetDelimiter('/'); }), u"Changing delimiter is not available when using registry.");

    // Back in file mode the tree and the file name are there again; without a registry,
    // registry mode is refused.
    ini.SetUseRegistry(false);
    EXPECT_EQ(ini.Path(), file);
    EXPECT_NO_THROW(ini.CreateValue("", "x"));
    ElIniRegistryFactory() = nullptr;
    ini.SetUseRegistry(true);
    EXPECT_FALSE(ini.UseRegistry());
}

} // namespace
