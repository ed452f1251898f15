#include "widgets/el/foundation/ElCRC32.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

uint32_t StrCRC32(const std::string& S)
{
    uint32_t crc = 0;
    for (const char ch : S)
        crc = (crc >> 8) ^ kTable[(crc ^ static_cast<uint8_t>(ch)) & 0xFF];
    return crc;
}
