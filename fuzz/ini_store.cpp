// Loading the ini store from arbitrary bytes in its text or binary form. Whatever loads must
// save, and the saved form must be a fixed point: loading and saving it again gives the same
// bytes. (With TrimSpaces a value that ends in blanks before an inline comment loses them on
// the next load, so there the fixed point is checked after a second pass.) A tree read from
// text also survives the binary form unchanged.
//
// Input: byte 0 flags (bit 0 binary form, bit 1 Simple, bit 2 TrimSpaces), then the file.
#include "framework/Streams.h"
#include "widgets/el/foundation/ElIniFile.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

void Check(bool Ok)
{
    if (!Ok)
        std::abort();
}

struct TOptions {
    bool Binary, Simple, TrimSpaces;
};

std::unique_ptr<TElIniFile> Store(const TOptions& O)
{
    auto ini = std::make_unique<TElIniFile>(nullptr);
    ini->SetSimple(O.Simple);
    ini->TrimSpaces = O.TrimSpaces;
    ini->BinaryMode = O.Binary;
    return ini;
}

bool Load(TElIniFile& Ini, const std::string& Bytes)
{
    TMemoryStream s(Bytes.data(), Bytes.size());
    return Ini.LoadFromStream(s);
}

std::string Save(TElIniFile& Ini)
{
    TMemoryStream s;
    Check(Ini.SaveToStream(s));
    return std::string(s.Bytes().begin(), s.Bytes().end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const TOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0};
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);

    auto first = Store(options);
    Load(*first, file);  // a damaged binary file gives an empty store
    std::string saved = Save(*first);
    if (options.TrimSpaces) {
        first = Store(options);
        Check(Load(*first, saved));
        saved = Save(*first);
    }

    auto second = Store(options);
    Check(Load(*second, saved));
    Check(Save(*second) == saved);

    if (!options.Binary) {
        TOptions binary = options;
        binary.Binary = true;
        first->BinaryMode = true;
        auto third = Store(binary);
        Check(Load(*third, Save(*first)));
        third->BinaryMode = false;
        Check(Save(*third) == saved);
    }
    return 0;
}
