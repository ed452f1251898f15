// Mixed stream-string reads over arbitrary bytes. Checks that the readers never read past
// the data, keep or clear their target on failure as documented, and that whatever they
// read writes back to exactly the bytes it came from.
#include "widgets/el/foundation/ElFileStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t pattern = data[0];
    TMemoryStream stream(data + 1, size - 1);
    const int64_t total = stream.Size();
    for (int step = 0; step < 64 && stream.Position() < total; ++step) {
        const int64_t before = stream.Position();
        const int kind = (pattern >> (2 * (step % 4))) & 3;
        bool ok;
        TMemoryStream echo;
        if (kind == 0 || kind == 1) {
            std::string s = "sentinel";
            ok = ReadStringFromStream(stream, s);
            if (ok)
                Check(WriteStringToStream(echo, s));
            else
                Check(s == "sentinel");
        } else if (kind == 2) {
            std::u16string w = u"sentinel";
            ok = ReadWideStringFromStream(stream, w);
            if (ok)
                Check(WriteWideStringToStream(echo, w));
            else
                Check(w.empty());
        } else {
            std::u16string w = u"sentinel";
            ok = DoReadWideString(stream, w);
            if (ok)
                Check(DoWriteWideString(echo, w));
            else
                Check(w == u"sentinel");
        }
        const int64_t after = stream.Position();
        Check(after >= before && after <= total);
        if (!ok)
            break;
        Check(echo.Size() == after - before);
        Check(std::memcmp(echo.Memory(), data + 1 + before, static_cast<size_t>(after - before)) == 0);
    }
    return 0;
}
