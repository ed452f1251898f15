// Registry values as bytes: strings in UTF-16LE with their terminating zero, multi-strings as
// zero-terminated strings followed by one more zero. Portable, so that stores working on such
// bytes are tested without the registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Appends S to Data in UTF-16LE with its terminating zero, as a registry string holds it.
void AppendRegWide(std::vector<uint8_t>& Data, const std::u16string& S);
// The bytes of a multi-string holding List: each string with its zero, then one more zero.
std::vector<uint8_t> RegMultiStringData(const std::vector<std::u16string>& List);

// The UTF-16LE units of Data (an odd last byte is ignored).
std::u16string RegWideUnits(const std::vector<uint8_t>& Data);
// The text of a string value: its units up to the first zero (or the end of Data).
std::u16string RegString(const std::vector<uint8_t>& Data);
// The zero-terminated strings of a multi-string's Units up to the empty one that ends the list
// (or the end of Units); Next receives where reading stopped.
std::vector<std::u16string> RegMultiStrings(const std::u16string& Units, size_t& Next);
