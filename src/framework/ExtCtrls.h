// The plain controls the program's forms place: panels, flow panels, bevels, shapes, images
// and the control bar that holds tool bars.
#pragma once

#include "framework/Bitmap.h"
#include "framework/CustomControls.h"

#include <memory>

// Draws a one-pixel 3D frame around R and returns the rectangle inside it.
TRect Frame3D(TCanvas* Canvas, TRect R, TColor TopLeft, TColor BottomRight);

// A container with an optional bevel and a centred caption. Its bevels are drawn inside its
// client area (they hide the non-client bevels of TWinControl).
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    const char* ClassName() const override { return "TPanel"; }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool ShowCaption = true;

protected:
    void Paint() override;
    void AlignControls(TRect& Rect) override;
    int BorderSize() const;

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TAlignment alignment_ = TAlignment::taCenter;
};

// A panel that places its visible children one after another in rows, from the left or (for a
// right-to-left flow) from the right, wrapping at its width; AutoSize fits its height to them.
enum class TFlowStyle { fsLeftRightTopBottom, fsRightLeftTopBottom };

class TFlowPanel : public TPanel {
public:
    explicit TFlowPanel(TComponent* AOwner);
    const char* ClassName() const override { return "TFlowPanel"; }
    TFlowStyle FlowStyle() const { return flowStyle_; }
    void SetFlowStyle(TFlowStyle Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    bool AutoWrap = true;

protected:
    void AlignControls(TRect& Rect) override;

private:
    TFlowStyle flowStyle_ = TFlowStyle::fsLeftRightTopBottom;
    bool autoSize_ = false;
};

// A tool-bar host: its children sit in rows (bands) in their order, each row as high as its
// tallest child; the bar's height follows the rows.
class TControlBar : public TCustomControl {
public:
    explicit TControlBar(TComponent* AOwner);
    const char* ClassName() const override { return "TControlBar"; }
    bool AutoSize = true;
    int RowSpacing = 2;

protected:
    void AlignControls(TRect& Rect) override;
    void Paint() override;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    const char* ClassName() const override { return "TBevel"; }
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    const char* ClassName() const override { return "TShape"; }
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType Value);
    TBrush* Brush() { return brush_.get(); }
    TPen* Pen() { return pen_.get(); }

protected:
    void Paint() override;

private:
    TShapeType shape_ = TShapeType::stRectangle;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
};

// A picture on a form: the framework's picture reduced to a bitmap.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    const char* ClassName() const override { return "TImage"; }
    // The picture; draw on Picture()->Canvas() or load into it, then Invalidate.
    TBitmap* Picture() { return picture_.get(); }
    // Starts a picture drawn by the program: Width x Height filled with Background; returns the
    // canvas to draw the rest on.
    TCanvas* NewPicture(int Width, int Height, TColor Background);
    bool Stretch = false;
    bool Center = false;
    bool Transparent() const { return picture_->Transparent; }
    void SetTransparent(bool Value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> picture_;
};
