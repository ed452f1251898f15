// TTrackBar: the system track bar (slider) with selection range and tick frequency.
#pragma once

#include "framework/Controls.h"

enum class TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    const char* ClassName() const override { return "TTrackBar"; }

    int Min() const { return min_; }
    void SetMin(int Value) { SetRange(Value, max_); }
    int Max() const { return max_; }
    void SetMax(int Value) { SetRange(min_, Value); }
    void SetRange(int AMin, int AMax);
    // The thumb position (read from the window while it exists: the user moves it).
    int Position() const;
    void SetPosition(int Value);
    int TickFrequency() const { return frequency_; }
    void SetTickFrequency(int Value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int Value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int Value);
    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    void SetSelStart(int Value);
    void SetSelEnd(int Value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation Value);

    // After every change of the position, by the user or by SetPosition.
    TNotifyEvent OnChange;

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;

private:
    void ApplyAll();
    void Changed();
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, lineSize_ = 1, pageSize_ = 2;
    int selStart_ = 0, selEnd_ = 0;
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
};
