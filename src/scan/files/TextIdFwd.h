// TTextId without its names, for the headers that only pass a text on; the names are in
// TextIds.h. So a text added there recompiles only the units that name texts.
#pragma once

#include <cstdint>

namespace Texts {
enum TTextId : int32_t;
}  // namespace Texts

using TTextId = Texts::TTextId;
