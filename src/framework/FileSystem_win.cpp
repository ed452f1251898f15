#include "framework/FileSystem.h"

#include <windows.h>

namespace {

const wchar_t* W(const std::u16string& S) { return reinterpret_cast<const wchar_t*>(S.c_str()); }

} // namespace

std::vector<TSearchRec> FindFiles(const std::u16string& PathMask)
{
    std::vector<TSearchRec> found;
    const size_t cut = PathMask.find_last_of(u"\\/:");
    const std::u16string mask = cut == std::u16string::npos ? PathMask : PathMask.substr(cut + 1);
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(W(PathMask), &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        TSearchRec rec;
        rec.Name = reinterpret_cast<const char16_t*>(data.cFileName);
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
    std::u16string full(MAX_PATH, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD n = GetFullPathNameW(W(FileName), static_cast<DWORD>(full.size()),
                                         reinterpret_cast<wchar_t*>(full.data()), nullptr);
        if (n == 0)
            return FileName;
        if (n < full.size()) {
            full.resize(n);
            return full;
        }
        full.assign(n, u'\0');  // n counts the terminating NUL when the buffer was too small
    }
    return FileName;
}
