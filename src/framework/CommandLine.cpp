#include "framework/CommandLine.h"

#include "framework/FileUtils.h"

namespace {

bool IsBlank(char16_t C) { return C == u' ' || C == u'\t'; }

} // namespace

std::vector<std::u16string> SplitCommandLine(const std::u16string& CommandLine)
{
    const std::u16string line = CommandLine.substr(0, CommandLine.find(u'\0'));
    std::vector<std::u16string> args;
    if (line.empty()) {
        const auto& seam = FolderSeam();
        args.push_back(seam.ProgramFile ? seam.ProgramFile() : std::u16string());
        return args;
    }

    size_t i = 0;
    const size_t n = line.size();
    std::u16string arg;
    if (line[0] == u'"') {
        for (++i; i < n && line[i] != u'"'; ++i)
            arg += line[i];
        if (i < n)
            ++i;  // the closing quote
    } else {
        for (; i < n && !IsBlank(line[i]); ++i)
            arg += line[i];
    }
    args.push_back(arg);

    while (i < n && IsBlank(line[i]))
        ++i;
    if (i == n)
        return args;

    // Quotes counts the double quotes of the current run: 0 outside a quoted part, 1 inside.
    arg.clear();
    int quotes = 0;
    size_t backslashes = 0;
    while (i < n) {
        const char16_t c = line[i];
        if (IsBlank(c) && quotes == 0) {
            args.push_back(arg);
            arg.clear();
            backslashes = 0;
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i == n)
                return args;
        } else if (c == u'\\') {
            arg += c;
            ++backslashes;
            ++i;
        } else if (c == u'"') {
            if (backslashes % 2 == 0) {
                arg.resize(arg.size() - backslashes / 2);
                ++quotes;
            } else {
                arg.resize(arg.size() - backslashes / 2 - 1);
                arg += u'"';
            }
            backslashes = 0;
            for (++i; i < n && line[i] == u'"'; ++i) {
                if (++quotes == 3) {
                    arg += u'"';
                    quotes = 0;
                }
            }
            if (quotes == 2)
                quotes = 0;
        } else {
            arg += c;
            backslashes = 0;
            ++i;
        }
    }
    args.push_back(arg);
    return args;
}
