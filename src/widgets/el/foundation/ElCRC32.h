// The widget layer's CRC-32 over 8-bit strings, used to hash ini key names. It is the table
// of the standard reflected CRC-32 (polynomial 0xEDB88320) with initial value 0 and no final
// inversion, so the empty string gives 0 and "a" gives 0x3AB551CE. Stored hashes depend on
// that variant: do not change it.
#pragma once

#include <cstdint>
#include <string>

uint32_t StrCRC32(const std::string& S);
