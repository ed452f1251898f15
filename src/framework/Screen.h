// TScreen: the display's metrics and work area, the program's forms, and the cursor that
// overrides every control's own (crHourGlass while busy).
#pragma once

#include "framework/Controls.h"

#include <vector>

class TScreen : public TComponent {
public:
    TScreen();
    const char* ClassName() const override { return "TScreen"; }

    int Width() const;    // the primary monitor
    int Height() const;
    int DesktopLeft() const;  // the whole virtual desktop
    int DesktopTop() const;
    int DesktopWidth() const;
    int DesktopHeight() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const;

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

    // The system's message font (non-client metrics).
    TFont* MessageFont();

    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

private:
    TCursor cursor_ = crDefault;
    std::vector<TCustomForm*> forms_;
    std::unique_ptr<TFont> messageFont_;
};

extern TScreen* Screen;

// The hourglass for as long as the object lives, the cursor before it again afterwards however
// the work ends.
class THourGlass {
public:
    THourGlass() : saved_(Screen ? Screen->Cursor() : crDefault)
    {
        if (Screen)
            Screen->SetCursor(crHourGlass);
    }
    ~THourGlass()
    {
        if (Screen)
            Screen->SetCursor(saved_);
    }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor saved_;
};
