// The HTML renderer's tokenizer and parser: markup text -> item list (not yet laid out).
// Internal to TElHTMLRender.
#pragma once

#include "widgets/el/foundation/ElHTMLRender.h"

#include <string_view>

namespace elhtml {

// Appends the items of Text to Data's (empty) item list; the list then starts with a paragraph
// break. With AutoWrap, text is wrapped at MaxWidth. Runs in time linear in the text (for a
// measurer whose run widths add up) and without recursion.
void ParseItems(TElHTMLRender& Render, TElHTMLData& Data, std::u16string_view Text, int32_t MaxWidth, bool AutoWrap);

} // namespace elhtml
