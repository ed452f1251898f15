// The two bases for controls that paint themselves: TGraphicControl (no window; painted by its
// parent, takes the parent's mouse messages) and TCustomControl (a window of its own).
// Both offer a Canvas that is valid during Paint.
#pragma once

#include "framework/Controls.h"

#include <memory>

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    const char* ClassName() const override { return "TGraphicControl"; }
    TCanvas* Canvas() { return canvas_.get(); }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> canvas_;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    const char* ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC Dc) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};
