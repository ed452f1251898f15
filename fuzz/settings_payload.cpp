// The main window's settings payload over any bytes: the reader never reads past the data,
// and whatever it read survives a save and a second read unchanged. The first bytes choose how
// many device profiles the data tables hold, so that surplus and missing entries are covered.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/SettingsPayload.h"

namespace {

std::vector<uint8_t> Saved(const TSettingsRecord& S, const std::vector<TGlobalDevice>& D)
{
    TMemoryStream M;
    SaveSettingsPayload(M, S, D, nullptr);
    return M.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const size_t Profiles = Size > 0 ? Data[0] % 8 : 0;
    TMemoryStream In(Size > 1 ? Data + 1 : Data, Size > 1 ? Size - 1 : 0);
    TSettingsRecord S;
    std::vector<TGlobalDevice> Devices(Profiles);
    LoadSettingsPayload(In, S, Devices, nullptr);
    if (In.Position() > In.Size())
        std::abort();

    const std::vector<uint8_t> First = Saved(S, Devices);
    TMemoryStream Again(First.data(), First.size());
    TSettingsRecord S2;
    std::vector<TGlobalDevice> Devices2(Profiles);
    if (!LoadSettingsPayload(Again, S2, Devices2, nullptr) || Again.Position() != Again.Size())
        std::abort();
    if (Saved(S2, Devices2) != First)
        std::abort();
    return 0;
}
