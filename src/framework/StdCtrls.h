// TButton: the system push button, with the dialog roles the forms rely on: Default (Enter),
// Cancel (Escape) and ModalResult (set on the form before OnClick runs, so the handler may
// take it back). The types of owner-drawn lists.
#pragma once

#include "framework/Controls.h"
#include "framework/Forms.h"

#include <functional>

// Owner-drawn lists: how the items are drawn and measured, and the state an item is drawn in.
enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
using TOwnerDrawState = uint32_t;
constexpr TOwnerDrawState odSelected = 0x1, odGrayed = 0x2, odDisabled = 0x4, odChecked = 0x8, odFocused = 0x10;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    const char* ClassName() const override { return "TButton"; }

    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
};
