// One frame of the scan views, as the paint timer draws it between clearing and swapping: by
// the scan mode either a flat view (top, side, line diagram) over the main viewport, or the
// 3-D scene, with the split screen first the four frames (the active one red) and the three
// small views, then the main view, each with its own camera.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/LanguageTexts.h"
#include "app/ViewLayout.h"
#include "scan/files/ScanFile.h"

class TRenderSink;
class TScanScene;

struct TScanPaintInput {
    // The four viewports of the layout, in the main window's client coordinates.
    TViewports Viewports{};
    // The area the 3-D scene frames: the client area less the control bar.
    TViewportRect Scene;
    bool SplitScreen = false;
    uint8_t ActiveView = 0;
    // Called after each view but the last, when set.
    std::function<void()> BetweenViews;
};

// Draws the views of Scene's scan with the cameras of Views. Nothing of the clear or the swap.
void PaintScanViews(TScanScene& Scene, const TScanPaintInput& Input, const TViewStates& Views);

// What the status bar says when the smooth surface was built at a lower resolution level than
// the one chosen, because the chosen one would pass the triangle budget; none when they agree.
// Levels are counted from 0 here and shown from 1, as the menu shows them. In the language of
// Lookup.
std::optional<std::u16string> ResolutionNoticeText(uint8_t Chosen, uint8_t Built,
                                                   const TTextLookup& Lookup = GlobalTextLookup());

// What the status bar says after a build that could not draw what was chosen: with a Step
// above 1, that the surface shows one point in Step in each direction because the whole scan
// does not fit (the text SurfaceThinned); else the resolution notice above. None when all was drawn.
std::optional<std::u16string> SurfaceNoticeText(uint8_t Chosen, uint8_t Built, uint32_t Step,
                                                const TTextLookup& Lookup = GlobalTextLookup());

// The value panel of the status bar: its own text (the hint, or the selected point's value)
// and the surface notice, which stays whatever the own text is. A blank own text leaves the
// notice alone; the two are joined in the language's reading direction.
std::u16string ValuePanelText(const std::u16string& Own, const std::u16string& Notice, bool RightToLeft);
