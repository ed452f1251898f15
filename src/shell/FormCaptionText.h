// The caption-bar text of the program's windows: one text, read in the active language's
// direction.
#pragma once

#include <string>

class TElFormCaption;

// The caption shows Text as its one text: visible, aligned left, or right when a language is
// active whose reading direction is not left to right; then the caption paints the bar.
void SetFormCaptionText(TElFormCaption* Caption, const std::u16string& Text);
