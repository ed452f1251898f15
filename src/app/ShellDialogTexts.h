// What every modal dialog of the shell gets before it is shown: its caption on the caption bar
// and the window, OK and Cancel in the active language, and the language's reading direction on
// each of its controls.
#pragma once

#include <string>

class TForm;
class TElFormCaption;
class TElPopupButton;

void PrepareShellDialog(TForm* Dialog, TElFormCaption* CaptionBar, const std::u16string& Caption,
                        TElPopupButton* ButtonOK, TElPopupButton* ButtonCancel);
