// The answers a modal form or dialog closes with; portable, so that the rules behind a dialog
// can give them without the window code.
#pragma once

#include <cstdint>

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7;
