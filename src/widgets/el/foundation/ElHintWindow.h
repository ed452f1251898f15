// TElHintWindow: a tool tip whose text is a wide string, shown plain or as HTML. It is measured
// and painted with the same width and wrapping, so no line falls below the window; it is kept
// inside the work area of the monitor it appears on; a click on a link of an HTML hint is
// reported through OnLinkClick. Markup the renderer cannot take is shown as plain text.
//
// InstallElHintWindow makes it the application's hint window: hints whose text begins with
// "<html>" are then shown as HTML.
#pragma once

#include "widgets/el/foundation/ElHTMLRender.h"

#include "framework/HintWindow.h"

#include <functional>
#include <memory>
#include <string>

using TElHTMLLinkClickEvent = std::function<void(TObject* Sender, const std::u16string& HRef)>;

class TElHintWindow : public THintWindow {
public:
    explicit TElHintWindow(TComponent* AOwner);
    ~TElHintWindow() override;
    const char* ClassName() const override { return "TElHintWindow"; }

    void SetFont(TFont* Value) { Font()->Assign(Value); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // The text shown (the window's text).
    std::u16string WideCaption() const { return Text(); }
    void SetWideCaption(const std::u16string& Value) { SetText(Value); }
    bool IsHTML = false;
    TElHTMLLinkClickEvent OnLinkClick;
    TElHTMLImageNeededEvent OnImageNeeded;
    TElHTMLRender& Render() { return *render_; }
    // The width the text was last measured for.
    int MaxWidth() const { return maxWidth_; }

    // The rectangle, at (0, 0), that Hint needs at most MaxWidth wide (the window's margins
    // included). A width below 100 pixels counts as 100.
    virtual TRect CalcHintRectW(int MaxWidth, const std::u16string& Hint);
    // Shows WideHint in Rect (screen coordinates; 4 pixels taller for the border), moved inside
    // the work area, above other windows and without taking the activation.
    virtual void ActivateHintW(TRect Rect, const std::u16string& WideHint);
    TRect CalcHintRect(int MaxWidth, const std::u16string& AHint) override { return CalcHintRectW(MaxWidth, AHint); }
    void ActivateHint(TRect Rect, const std::u16string& AHint) override { ActivateHintW(Rect, AHint); }

    void WndProc(TMessage& Message) override;

protected:
    virtual void DoLinkClick(const std::u16string& HRef);
    virtual void DoImageNeeded(TObject* Sender, const std::u16string& Src, IElHTMLImage*& Image);
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Lays Text out as HTML for the current width and wrapping; false when it is not shown as
    // HTML (not in HTML mode, or markup the renderer refused).
    bool PrepareHTML(const std::u16string& Text);
    TRect TextArea() const;
    // The link under a client point; empty when none.
    std::u16string LinkAt(TPoint P);
    void FitToText();

    std::unique_ptr<TElHTMLRender> render_;
    int maxWidth_ = 0;
    bool wordWrap_ = false;
    bool activating_ = false;
};

// Makes TElHintWindow the class of the application's hint windows.
void InstallElHintWindow();
