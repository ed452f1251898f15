// The number of impulses per search line, typed by the user or taken from a profile's choices.
#pragma once

#include <cstdint>
#include <string>

// True with Count := the number Text gives, when that is an integer (as StrToInt reads one)
// from 1 to 2147483647. A text that is not a number, or one beyond 32 bits, is refused without
// an exception, and Count keeps its value.
bool TryImpulseCount(const std::u16string& Text, int32_t& Count);
