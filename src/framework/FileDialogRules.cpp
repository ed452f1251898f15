#include "framework/FileDialogRules.h"

#include <algorithm>

namespace {

std::u16string WithoutNuls(std::u16string Text)
{
    Text.erase(std::remove(Text.begin(), Text.end(), u'\0'), Text.end());
    return Text;
}

size_t FileNameStart(const std::u16string& Path)
{
    const size_t separator = Path.find_last_of(u"\\/:");
    return separator == std::u16string::npos ? 0 : separator + 1;
}

}  // namespace

std::u16string BuildFilterString(const std::vector<TFileFilter>& Filters)
{
    std::u16string list;
    for (const auto& [name, mask] : Filters) {
        std::u16string shownMask = WithoutNuls(mask);
        if (shownMask.empty())
            shownMask = u"*.*";
        std::u16string shownName = WithoutNuls(name);
        if (shownName.empty())
            shownName = shownMask;
        list += shownName;
        list += u'\0';
        list += shownMask;
        list += u'\0';
    }
    if (!list.empty())
        list += u'\0';
    return list;
}

int ClampFilterIndex(int Index, size_t Count)
{
    return Index >= 0 && static_cast<size_t>(Index) < Count ? Index : 0;
}

uint32_t ToSystemFilterIndex(int Index, size_t Count)
{
    return Count == 0 ? 0 : static_cast<uint32_t>(ClampFilterIndex(Index, Count)) + 1;
}

int FromSystemFilterIndex(uint32_t SystemIndex, size_t Count, int Fallback)
{
    if (SystemIndex >= 1 && SystemIndex <= Count)
        return static_cast<int>(SystemIndex - 1);
    return ClampFilterIndex(Fallback, Count);
}

std::u16string SystemDefaultExtension(const std::u16string& Extension)
{
    const size_t start = Extension.find_first_not_of(u'.');
    return start == std::u16string::npos ? std::u16string() : Extension.substr(start);
}

bool HasFileExtension(const std::u16string& Path)
{
    return Path.find(u'.', FileNameStart(Path)) != std::u16string::npos;
}

std::u16string ApplyDefaultExtension(const std::u16string& Path, const std::u16string& Extension)
{
    const std::u16string extension = SystemDefaultExtension(Extension);
    if (extension.empty() || FileNameStart(Path) >= Path.size() || HasFileExtension(Path))
        return Path;
    return Path + u'.' + extension;
}
