// The data-tables file over any bytes: the tables keep complete records only, and no table
// holds more records than the bytes could encode.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "scan/files/_TL3D_Filer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemoryStream Stream(Data, Size);
    TDataTables Tables;
    bool Whole = ReadDataTables(Stream, Tables);
    const size_t Records = Tables.Devices.size() * 25 + Tables.SoilTypes.size() * 12 + Tables.MeasureUnits.size() * 12;
    if (Records > Size || Stream.Position() > static_cast<int64_t>(Size))
        std::abort();
    if (Tables.Devices.capacity() > Size / 25 + 1 || Tables.SoilTypes.capacity() > Size / 12 + 1 ||
        Tables.MeasureUnits.capacity() > Size / 12 + 1)
        std::abort(); // room was made for records the data cannot hold
    if (Whole) {
        // A whole file writes back to the same bytes it was read from.
        TMemoryStream Out;
        if (!WriteDataTables(Out, Tables) || Out.Size() != Stream.Position() ||
            !std::equal(Out.Bytes().begin(), Out.Bytes().end(), Data))
            std::abort();
    }
    return 0;
}
