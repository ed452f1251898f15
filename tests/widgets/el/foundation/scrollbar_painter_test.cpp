// The classic painter on a recording surface: what the pieces of a bar look like in their
// states, where they lie, and the track's pattern (portable).
#include "scrollbar_fakes.h"

#include "widgets/el/foundation/ElColorMath.h"
#include "widgets/el/foundation/ElSBPainter.h"

#include "framework/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

// The pixels the recorded calls leave, as GDI would draw them (lines exclude their end point).
class Raster {
public:
    explicit Raster(const RecordingSurface& S)
    {
        for (const auto& c : S.Calls()) {
            if (c.Kind == RecordingSurface::Op::Fill) {
                for (int32_t y = c.Rect.Top; y < c.Rect.Bottom; ++y)
                    for (int32_t x = c.Rect.Left; x < c.Rect.Right; ++x)
                        px_[{x, y}] = c.Color;
            } else if (c.Kind == RecordingSurface::Op::Line) {
                const int32_t dx = (c.To.X > c.From.X) - (c.To.X < c.From.X);
                const int32_t dy = (c.To.Y > c.From.Y) - (c.To.Y < c.From.Y);
                EXPECT_TRUE(dx == 0 || dy == 0 || std::abs(c.To.X - c.From.X) == std::abs(c.To.Y - c.From.Y));
                for (TPoint p = c.From; !(p == c.To); p = TPoint{p.X + dx, p.Y + dy})
                    px_[{p.X, p.Y}] = c.Color;
            }
        }
    }
    TColor At(int32_t X, int32_t Y) const
    {
        const auto it = px_.find({X, Y});
        return it == px_.end() ? clNone : it->second;
    }

private:
    std::map<std::pair<int32_t, int32_t>, TColor> px_;
};

Raster Painted(TestBar& T)
{
    RecordingSurface s;
    T.Bar.Paint(s);
    return Raster(s);
}

TEST(ScrollBarPainter, PressedArrowSunkenHotArrowRaisedRestFlat)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Press(5);
    Raster r = Painted(t);
    EXPECT_EQ(r.At(8, 0), clBtnShadow);        // sunken: dark above
    EXPECT_EQ(r.At(8, 16), clBtnHighlight);    // and light below
    EXPECT_EQ(r.At(190, 0), clBtnShadow);      // the other arrow is flat: one dark ring
    EXPECT_EQ(r.At(190, 16), clBtnShadow);
    EXPECT_EQ(r.At(190, 1), clBtnFace);
    t.Release();
    t.Bar.MouseEnter();
    t.Move(190);
    r = Painted(t);
    EXPECT_EQ(r.At(190, 0), clBtnFace);        // hot: raised, outer ring light above
    EXPECT_EQ(r.At(190, 1), clBtnHighlight);
    EXPECT_EQ(r.At(190, 16), cl3DDkShadow);
    EXPECT_EQ(r.At(8, 16), clBtnShadow);       // the first arrow is flat again
    // The glyph: a pixel of the arrow's base, in the hot colour on the hot arrow.
    bool hotGlyph = false;
    for (int32_t x = 183; x < 200; ++x)
        for (int32_t y = 0; y < 17; ++y)
            hotGlyph |= r.At(x, y) == clHighlight;
    EXPECT_TRUE(hotGlyph);
}

TEST(ScrollBarPainter, ThumbAndPagesLieWhereTheGeometryPutsThem)
{
    for (uint8_t kind : {ebkHorizontal, ebkVertical}) {
        TestBar t(kind);
        t.SetRange(0, 99, 10, 40);
        const int32_t offset = t.Bar.ThumbOffset(), end = offset + t.Bar.ThumbLength();
        ASSERT_EQ(offset, 17 + 66);
        const Raster r = Painted(t);
        auto at = [&](int32_t along, int32_t across) {
            return kind == ebkVertical ? r.At(across, along) : r.At(along, across);
        };
        EXPECT_EQ(at(offset - 1, 8), clScrollBar);
        EXPECT_EQ(at(offset, 8), clBtnShadow);  // the thumb's flat frame
        EXPECT_EQ(at(offset + 2, 8), clBtnFace);
        EXPECT_EQ(at(end - 1, 8), clBtnShadow);
        EXPECT_EQ(at(end, 8), clScrollBar);
        EXPECT_EQ(at(17, 8), clScrollBar);
        EXPECT_EQ(at(182, 8), clScrollBar);
    }
}

int GripLines(int32_t ThumbSize)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Bar.SetUseSystemMetrics(false);
    t.Bar.SetThumbMode(etmFixed);
    t.Bar.SetThumbSize(ThumbSize);
    t.Bar.SetBarColor(clLime);
    RecordingSurface s;
    t.Bar.Paint(s);
    int lines = 0;
    for (const auto& c : s.Calls())
        if (c.Kind == RecordingSurface::Op::Line && c.Color == clLime) {
            ++lines;
            EXPECT_EQ(c.From.Y, 3);  // BarOffset 2 plus the border
            EXPECT_EQ(c.To.Y, 14);
        }
    return lines;
}

TEST(ScrollBarPainter, GripLinesOnlyOnThumbsLongerThan14)
{
    EXPECT_EQ(GripLines(14), 0);
    EXPECT_EQ(GripLines(15), 4);
}

// Each bar's track shows the pattern of its own colour (a single shared pattern would show the
// first bar's colour everywhere).
TEST(ScrollBarPainter, TrackPatternAlternatesTheBarsColourAndItsLightShade)
{
    for (TColor color : {clRed, clBlue, clBtnFace}) {
        TestBar t;
        t.SetRange(0, 99, 10, 99);
        t.Bar.SetSystemBkColor(false);
        t.Bar.SetColor(color);
        const TColor light = SBLightShade(color, t.Host.ResolveColor(color));
        if (color == clBtnFace)
            EXPECT_EQ(light, clBtnHighlight);
        else
            EXPECT_NE(light, color);
        const Raster r = Painted(t);
        for (int32_t x = 17; x < t.Bar.ThumbOffset(); ++x)
            for (int32_t y = 0; y < 17; ++y)
                ASSERT_EQ(r.At(x, y), (x + y) % 2 ? color : light) << x << "," << y;
    }
}

TEST(ScrollBarPainter, PressedPageAreaTakesTheDarkShade)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Bar.SetColor(RGBColor(200, 0, 0));
    t.Press(150);
    const TColor dark = SBDarkShade(RGBColor(200, 0, 0), RGBColor(200, 0, 0));
    EXPECT_LT(RedOf(dark), 200);
    const Raster r = Painted(t);
    EXPECT_EQ(r.At(160, 8), dark);
    EXPECT_EQ(SBDarkShade(clBtnFace, 0xC0C0C0), clBtnShadow);
}

TEST(ScrollBarPainter, DisabledControlGreysArrowsAndShowsOneTrack)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Host.Enabled = false;
    const std::vector<TElSBPaintPart> parts = t.Bar.PaintParts();
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_FALSE(parts[0].Enabled);
    EXPECT_EQ(parts[2].Role, TElSBPaintRole::DisabledTrack);
    EXPECT_EQ(parts[2].Rect, (TRect{17, 0, 183, 17}));
    const Raster r = Painted(t);
    bool greyed = false;
    for (int32_t x = 0; x < 17; ++x)
        for (int32_t y = 2; y < 15; ++y)
            greyed |= r.At(x, y) == clBtnHighlight && r.At(x - 1, y - 1) == clBtnShadow;
    EXPECT_TRUE(greyed);

    TestBar tiny(ebkHorizontal, 45);  // a minimum thumb of 12 exceeds the track of 11
    tiny.SetRange(0, 99, 10, 50);
    EXPECT_EQ(tiny.Bar.PaintParts().back().Role, TElSBPaintRole::DisabledTrack);
}

TEST(ScrollBarPainter, OwnerDrawSeesEachPartAndMayTakeItOver)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Bar.SetOwnerDraw(true);
    std::vector<uint8_t> offered;
    t.Bar.OnDrawPart = [&](TObject*, IDrawSurface&, const TRect&, uint8_t Part, bool, bool, bool, bool& DefaultDraw) {
        offered.push_back(Part);
        DefaultDraw = Part != sbpThumb;
    };
    const Raster r = Painted(t);
    EXPECT_EQ(offered, (std::vector<uint8_t>{sbpFirstArrow, sbpLastArrow, sbpPageBefore, sbpThumb, sbpPageAfter}));
    EXPECT_EQ(r.At(t.Bar.ThumbOffset() + 5, 8), clNone);
    EXPECT_EQ(r.At(t.Bar.ThumbOffset() - 1, 8), clScrollBar);
}

TEST(ScrollBarPainter, NothingLooksPressedWhileTheOtherBarTracks)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Press(5);
    EXPECT_TRUE(t.Bar.PaintParts()[0].Pressed);
    t.Host.OtherTracking = true;
    for (const TElSBPaintPart& p : t.Bar.PaintParts())
        EXPECT_FALSE(p.Pressed || p.Hot);
}

}  // namespace
