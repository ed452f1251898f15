// The panels of a status bar: their texts, widths and alignment, and where each one stands.
// Portable; the bar that shows them (ElStatusBar.h) measures texts in its font and repaints
// the panels it is told about.
//
// A panel's setters store the value and report a change only when it differs. An auto-sized
// panel takes the width of its text (plus its margins) whenever the text changes; a change of
// width moves the panels after it, so the bar repaints from that panel on.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TElStatusPanelStyle {
    epsText,      // the panel shows its text
    epsOwnerDraw  // the bar's OnDrawPanel paints the panel
};

class TElStatusPanels;

class TElStatusPanel {
public:
    // Room left and right of the text inside the panel (the bevel included).
    static constexpr int32_t TextMargin = 4;

    const std::u16string& Text() const { return text_; }
    void SetText(const std::u16string& Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    int32_t Width() const { return width_; }
    void SetWidth(int32_t Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TElStatusPanelStyle Style() const { return style_; }
    void SetStyle(TElStatusPanelStyle Value);

    int Index() const;

private:
    friend class TElStatusPanels;
    explicit TElStatusPanel(TElStatusPanels& Owner) : owner_(Owner) {}
    // The width an auto-sized panel takes for its text.
    void FitText();

    TElStatusPanels& owner_;
    std::u16string text_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int32_t width_ = 50;
    bool autoSize_ = false;
    TElStatusPanelStyle style_ = TElStatusPanelStyle::epsText;
};

class TElStatusPanels {
public:
    // The bar that shows the panels.
    class THost {
    public:
        // Width of Text in the bar's font.
        virtual int32_t TextWidth(const std::u16string& Text) = 0;
        // Panel Index needs repainting; with Moved, every panel from it to the last.
        virtual void PanelChanged(int Index, bool Moved) = 0;

    protected:
        ~THost() = default;
    };

    explicit TElStatusPanels(THost& Host) : host_(Host) {}
    TElStatusPanels(const TElStatusPanels&) = delete;
    TElStatusPanels& operator=(const TElStatusPanels&) = delete;

    int Count() const { return static_cast<int>(panels_.size()); }
    // Raises EListError for an index out of range.
    TElStatusPanel* Items(int Index) const;
    TElStatusPanel* Add();
    void Delete(int Index);
    void Clear();
    int IndexOf(const TElStatusPanel* Panel) const;
    // Auto-sized panels take their texts' widths again (after the bar's font changed).
    void FitTexts();

    // The panels' rectangles in a bar whose panel area is Area: side by side from its left edge,
    // each as wide as its Width; the last one reaches the right edge when the area is wider.
    std::vector<TRect> PanelRects(const TRect& Area) const;

private:
    friend class TElStatusPanel;

    THost& host_;
    std::vector<std::unique_ptr<TElStatusPanel>> panels_;
};
