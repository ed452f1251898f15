#include "framework/FileSystem.h"

#include "framework/FileHandle.h"
#include "framework/StrConv.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<TSearchRec> FindFiles(const std::u16string& PathMask)
{
    std::vector<TSearchRec> found;
    const size_t cut = PathMask.find_last_of(u"/\\");
    const std::u16string folder = cut == std::u16string::npos ? u"." : PathMask.substr(0, cut + 1);
    const std::u16string mask = cut == std::u16string::npos ? PathMask : PathMask.substr(cut + 1);
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        TSearchRec rec;
        rec.Name = it->path().filename().u16string();
        if (!MatchesFileMask(rec.Name, mask))
            continue;
        std::error_code ignored;
        if (it->is_directory(ignored)) {
            rec.Attr = faDirectory;
        } else {
            rec.Attr = 0x20;  // archive, as the system reports an ordinary file
            const auto size = it->file_size(ignored);
            rec.Size = ignored ? 0 : static_cast<int64_t>(size);
        }
        found.push_back(std::move(rec));
    }
    return found;
}

std::u16string ExpandFileName(const std::u16string& FileName)
{
    if (FileName.empty())
        return {};
    std::u16string path = FileName;
    if (path[0] != u'/') {
        std::error_code ec;
        std::u16string current = fs::current_path(ec).u16string();
        if (current.empty() || current.back() != u'/')
            current += u'/';
        path = current + path;
    }
    // Resolve "." and ".." segment by segment; ".." at the root stays at the root.
    std::vector<std::u16string> segments;
    size_t start = 1;
    while (start <= path.size()) {
        size_t stop = path.find(u'/', start);
        if (stop == std::u16string::npos)
            stop = path.size();
        const std::u16string segment = path.substr(start, stop - start);
        if (segment == u"..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != u".") {
            segments.push_back(segment);
        }
        start = stop + 1;
    }
    std::u16string full;
    for (const std::u16string& segment : segments)
        full += u'/' + segment;
    const bool trailing = path.back() == u'/' && !segments.empty();
    if (full.empty() || trailing)
        full += u'/';
    return full;
}
