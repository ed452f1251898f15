// The portable command-line splitting against the system's own CommandLineToArgvW.
#include "framework/CommandLine.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <random>

namespace {

std::vector<std::u16string> SystemSplit(const std::u16string& Line)
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(WideChars(Line), &count);
    std::vector<std::u16string> args;
    for (int i = 0; argv && i < count; ++i)
        args.push_back(FromWide(argv[i]));
    LocalFree(argv);
    return args;
}

std::string Shown(const std::u16string& Line)
{
    std::string s;
    for (char16_t c : Line)
        s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

TEST(CommandLineOnWindows, SplitsLikeTheSystem)
{
    const std::vector<std::u16string> lines = {
        u"prog a b", u"\"C:\\Program Files\\x.exe\" \"my scan.dmo\" -de_DE", u"\"C:\\a\\\"x y",
        u"p \\\\\\\"x \"a\\\\\" \"\" \"\"\"\" \"a\"\"b\" c", u"p\t\t\"tab\tinside\"\t", u"p a\\\\\\\\\"b c\"",
        u"x", u"\"\"", u"\" \"", u"p \"unclosed quote \\\"",
    };
    for (const std::u16string& line : lines)
        EXPECT_EQ(SplitCommandLine(line), SystemSplit(line)) << Shown(line);

    // Random lines over the characters that matter.
    const char16_t alphabet[] = {u'a', u' ', u'\t', u'"', u'\\', u'\u00fc'};
    std::mt19937 random(1234);
    for (int n = 0; n < 3000; ++n) {
        std::u16string line = u"p";
        const int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            line += alphabet[random() % 6];
        ASSERT_EQ(SplitCommandLine(line), SystemSplit(line)) << Shown(line);
    }
    // The first argument of lines that begin with a quote or a blank.
    for (const char16_t* line : {u" p a", u"\"p q\"r s", u"\"p", u"\"\" a"})
        EXPECT_EQ(SplitCommandLine(line), SystemSplit(line)) << Shown(line);
}

} // namespace
