#include "framework/CustomControls.h"

#include "framework/ScopedGdi.h"

namespace {

// Lends Dc to Canvas, with the control's font, for one call of Paint; the canvas lets go of
// Dc however Paint ends.
template <class TPaint>
void PaintOnCanvas(TCanvas& Canvas, HDC Dc, TFont* Font, TPaint&& Paint)
{
    const TCanvasLoan loan(Canvas, Dc);
    Canvas.Font()->Assign(Font);
    Paint();
}

}  // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT && Message.WParam) {
        // The parent hands over its DC with the origin moved to this control's corner.
        PaintOnCanvas(*canvas_, reinterpret_cast<HDC>(Message.WParam), Font(), [this] { Paint(); });
        return;
    }
    TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC Dc)
{
    PaintOnCanvas(*canvas_, Dc, Font(), [this] { Paint(); });
}
