#include "scan/files/bkStrings.h"

#include "framework/FileHandle.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <algorithm>

int32_t WideLastDelimiter(const std::u16string& Delimiters, const std::u16string& S)
{
    for (size_t i = S.size(); i > 0; --i) {
        const char16_t c = S[i - 1];
        if (c != 0 && Delimiters.find(c) != std::u16string::npos)
            return static_cast<int32_t>(i);
    }
    return 0;
}

std::u16string WideChangeFileExt(const std::u16string& FileName, const std::u16string& Extension)
{
    const int32_t p = WideLastDelimiter(u".\\:", FileName);
    if (p > 0 && FileName[static_cast<size_t>(p - 1)] == u'.')
        return FileName.substr(0, static_cast<size_t>(p - 1)) + Extension;
    return FileName + Extension;
}

std::u16string WideExtractFilePath(const std::u16string& FileName)
{
    return FileName.substr(0, static_cast<size_t>(WideLastDelimiter(u"\\:", FileName)));
}

std::u16string WideExtractFileName(const std::u16string& FileName)
{
    return FileName.substr(static_cast<size_t>(WideLastDelimiter(u"\\:", FileName)));
}

uint32_t WideGetFileAttributes(const std::u16string& FileName)
{
    return OsFileAttributes(FileName);
}

bool WideFileExists(const std::u16string& FileName)
{
    return FileExists(FileName);
}

bool WideDirectoryExists(const std::u16string& Path)
{
    return DirectoryExists(Path);
}

namespace {

// The next occurrence of Delimiter at or after From that starts on a character boundary.
size_t FindOnBoundary(const std::string& Text, const std::string& Delimiter, size_t From,
                      const TLeadBytePredicate& IsLeadByte)
{
    size_t i = From;
    while (i + Delimiter.size() <= Text.size()) {
        if (Text.compare(i, Delimiter.size(), Delimiter) == 0)
            return i;
        i += IsLeadByte(static_cast<uint8_t>(Text[i])) ? 2 : 1;
    }
    return std::string::npos;
}

} // namespace

TStringArray SplitByDelimiter(const std::string& Delimiter, const std::string& Text, int32_t Limit)
{
    return SplitByDelimiter(Delimiter, Text, Limit, IsAnsiLeadByte);
}

TStringArray SplitByDelimiter(const std::string& Delimiter, const std::string& Text, int32_t Limit,
                              const TLeadBytePredicate& IsLeadByte)
{
    TStringArray pieces;
    if (Text.empty() || Limit < 0)
        return pieces;
    if (Delimiter.empty()) {
        pieces.push_back(Text);
        return pieces;
    }
    // Callers pass 0 (no limit) or small limits; never reserve a caller-chosen size.
    pieces.reserve(static_cast<size_t>(std::min(Limit, 16)));
    size_t pos = 0;
    // The search always starts on a character boundary: pos is either 0 or just past a match.
    while (pos < Text.size()) {
        const bool last = Limit >= 1 && static_cast<int32_t>(pieces.size()) + 1 == Limit;
        const size_t hit = last ? std::string::npos : FindOnBoundary(Text, Delimiter, pos, IsLeadByte);
        if (hit == std::string::npos) {
            pieces.push_back(Text.substr(pos));
            break;
        }
        pieces.push_back(Text.substr(pos, hit - pos));
        pos = hit + Delimiter.size();
    }
    return pieces;
}
