#include "scan/files/RecentFileList.h"

#include "framework/Exceptions.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <algorithm>

bool TRecentFileList::Add(const std::u16string& Path)
{
    if (std::find(slots_.begin(), slots_.end(), Path) != slots_.end())
        return false;
    std::move(slots_.begin() + 1, slots_.end(), slots_.begin());
    slots_.back() = Path;
    return true;
}

void TRecentFileList::Save(TStream& Stream) const
{
    for (const std::u16string& path : slots_)
        if (!WriteWideStringToStream(Stream, path))
            throw EWriteError(SWriteError);
}

bool TRecentFileList::Load(TStream& Stream)
{
    bool sound = true;
    for (std::u16string& path : slots_)
        sound = ReadWideStringFromStream(Stream, path) && sound;
    return sound;
}
