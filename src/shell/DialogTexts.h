// What every modal dialog of the program gets before it is shown: its caption on the caption bar
// and the window, OK and Cancel in the active language, and the language's reading direction on
// each of its controls (those it owns, also the ones inside its group boxes). A dialog closed by
// OK alone passes no Cancel button.
#pragma once

#include <string>

class TForm;
class TElFormCaption;
class TElPopupButton;

void PrepareDialogTexts(TForm* Dialog, TElFormCaption* CaptionBar, const std::u16string& Caption,
                        TElPopupButton* ButtonOK, TElPopupButton* ButtonCancel);
