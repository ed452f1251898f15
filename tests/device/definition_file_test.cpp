// Device definition files, the file a device's reply names, and impulse counts.
#include "definition_writing.h"

#include "device/DeviceDefinitionFile.h"
#include "device/ImpulseText.h"

#include "framework/FileUtils.h"

#include <gtest/gtest.h>

namespace {

class DefinitionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = CreateTempFile(u"dvc");
        ASSERT_FALSE(path.empty());
    }
    void TearDown() override { FileDelete(path); }
    // A file of Size bytes whose name field holds Name (cut by the file's end).
    void Write(size_t Size, const std::string& Name) { WriteDefinition(path, Name, 0x07, Size); }
    std::u16string path;
};

TEST_F(DefinitionFile, TheNameFieldIsReadUpToTheFileEndAndComparedUpToItsFirstNul)
{
    Write(2550, "TNW0001");
    const std::string field = ReadDeviceFileName(path);
    EXPECT_EQ(field, "TNW0001" + std::string(43, '\0'));
    EXPECT_EQ(DeviceNameText(field), "TNW0001");
    EXPECT_TRUE(DeviceNameMatches(field, "TNW0001"));
    EXPECT_FALSE(DeviceNameMatches(field, "TNW0001\r"));
    EXPECT_FALSE(DeviceNameMatches(field, "TNW000"));
    EXPECT_FALSE(DeviceNameMatches(field, "tnw0001"));

    Write(4000, std::string(50, 'N'));
    EXPECT_EQ(ReadDeviceFileName(path), std::string(50, 'N'));
    EXPECT_TRUE(DeviceNameMatches(ReadDeviceFileName(path), std::string(50, 'N')));

    // Ending inside the field: the bytes there are; ending before it: nothing.
    Write(2549, "TNW0001");
    EXPECT_EQ(ReadDeviceFileName(path).size(), 49u);
    EXPECT_TRUE(DeviceNameMatches(ReadDeviceFileName(path), "TNW0001"));
    Write(2505, "TNW0001");
    EXPECT_EQ(ReadDeviceFileName(path), "TNW00");
    EXPECT_FALSE(DeviceNameMatches(ReadDeviceFileName(path), "TNW0001"));
    for (size_t size : {0, 2499, 2500}) {
        Write(size, "TNW0001");
        EXPECT_EQ(ReadDeviceFileName(path), "") << size;
    }
    EXPECT_EQ(ReadDeviceFileName(path + u"-missing"), "");
}

TEST(DefinitionFileForReply, OnlyPlainNamesNameAFileInTheFolder)
{
    EXPECT_EQ(DefinitionFileForReply(u"C:\\L3D\\", "TNW0001"), u"C:\\L3D\\TNW0001.dvc");
    EXPECT_EQ(DefinitionFileForReply(u"/p/", std::string(50, 'A')), u"/p/" + std::u16string(50, u'A') + u".dvc");
    for (const std::string& bad : {std::string(), std::string(51, 'A'), std::string("TNW0001\r"), std::string("..\\x"),
                                   std::string("a/b"), std::string("C:x"), std::string("T\0W", 3), std::string("*"),
                                   std::string(".."), std::string("a\x7F")})
        EXPECT_EQ(DefinitionFileForReply(u"/p/", bad), u"") << bad;
}

TEST(ImpulseCount, NumbersFromOneUpAreTakenAndEverythingElseIsRefusedQuietly)
{
    int32_t n = 20;
    EXPECT_TRUE(TryImpulseCount(u"40", n));
    EXPECT_EQ(n, 40);
    EXPECT_TRUE(TryImpulseCount(u"2147483647", n));
    EXPECT_EQ(n, 2147483647);
    for (const char16_t* bad : {u"", u"0", u"-5", u"99999999999", u"2147483648", u"12a", u" 7", u"*"}) {
        n = 20;
        EXPECT_FALSE(TryImpulseCount(bad, n));
        EXPECT_EQ(n, 20);
    }
}

} // namespace
