// TElGroupBox: a captioned frame around other controls, painted through the visual style's
// group box (or the classic etched frame). Its caption is the control's Caption; a disabled
// group box shows its caption greyed (its controls keep their own enabled states).
#pragma once

#include "widgets/el/foundation/ElXPThemedControl.h"

class TElGroupBox : public TElXPThemedControl {
public:
    explicit TElGroupBox(TComponent* AOwner);
    const char* ClassName() const override { return "TElGroupBox"; }

    // Where the frame's caption stands, in client coordinates (empty without a caption).
    TRect CaptionRect();

protected:
    std::u16string GetThemedClassName() const override { return u"BUTTON"; }
    void Paint() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void AlignControls(TRect& Rect) override;
};
