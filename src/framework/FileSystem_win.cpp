#include "framework/FileSystem.h"

#include "framework/WinText.h"

#include <windows.h>

std::vector<TSearchRec> FindFiles(const std::u16string& PathMask)
{
    std::vector<TSearchRec> found;
    const size_t cut = PathMask.find_last_of(u"\\/:");
    const std::u16string mask = cut == std::u16string::npos ? PathMask : PathMask.substr(cut + 1);
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(WideChars(PathMask), &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        TSearchRec rec;
        rec.Name = FromWide(data.cFileName);
        // The system also matches the short alias ("*.dmo" finds "notes.dmox" by its alias).
        if (rec.Name == u"." || rec.Name == u".." || !MatchesFileMask(rec.Name, mask))
            continue;
        rec.Attr = data.dwFileAttributes;
        rec.Size = static_cast<int64_t>((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        found.push_back(std::move(rec));
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
}

std::u16string ExpandFileName(const std::u16string& FileName)
{
    if (FileName.empty())
        return {};
    std::vector<wchar_t> full(MAX_PATH);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD n = GetFullPathNameW(WideChars(FileName), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0)
            return FileName;
        if (n < full.size())
            return FromWide(full.data(), n);
        full.assign(n, L'\0');  // n counts the terminating NUL when the buffer was too small
    }
    return FileName;
}
