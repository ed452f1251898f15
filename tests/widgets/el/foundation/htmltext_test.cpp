// The HTML text renderer with a fixed-pitch measurer: parsing, layout numbers, word wrap,
// painting into a recording surface, and link hit tests at the painted positions.
#include "widgets/el/foundation/ElHTMLRender.h"

#include "framework/RecordingSurface.h"
#include "widgets/el/foundation/ElColorMath.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// 7 pixels per character; the default font (-11) has a cell of 14 with a descent of 3.
constexpr int32_t kChar = 7;
constexpr int32_t kCell = 14;
constexpr int32_t kDescent = 3;

std::string Narrow(const std::u16string& S)
{
    std::string r;
    for (char16_t c : S)
        r += c < 0x80 ? static_cast<char>(c) : '~';
    return r;
}

class HtmlText : public ::testing::Test {
protected:
    TElHTMLRender render{std::make_unique<RecordingSurface>(kChar)};
    TElHTMLData& data = *render.Data();

    void Prepare(const std::u16string& Text, int32_t MaxWidth = 10000, bool AutoWrap = false)
    {
        ASSERT_TRUE(render.PrepareText(Text, MaxWidth, AutoWrap));
    }

    // One token per item: P paragraph, S soft break, B line break, L<n> list item, U/O list
    // starts, R rule, N indent, I<src> image, 'text' text runs.
    std::string Items() const
    {
        std::string r;
        for (const auto& item : data.Items) {
            if (!r.empty())
                r += ' ';
            switch (item->ItemType) {
            case hitText: r += "'" + Narrow(item->Text()) + "'"; break;
            case hitSoftBreak: r += "S"; break;
            case hitBreak: r += "B"; break;
            case hitParagraph: r += "P"; break;
            case hitImage: r += "I" + Narrow(item->Text()); break;
            case hitRule: r += "R"; break;
            case hitListItem: r += "L" + std::to_string(static_cast<TElHTMLBreakItem&>(*item).ListNumber); break;
            case hitBulletList: r += "U"; break;
            case hitNumberList: r += "O"; break;
            case hitIndent: r += "N"; break;
            }
        }
        return r;
    }

    TElHTMLItem& Item(size_t I) { return *data.Items.at(I); }
    TElHTMLBreakItem& Break(size_t I) { return static_cast<TElHTMLBreakItem&>(*data.Items.at(I)); }

    const RecordingSurface::Call* TextCall(const RecordingSurface& S, const std::u16string& Text)
    {
        for (const auto& c : S.Calls())
            if (c.Kind == RecordingSurface::Op::Text && c.Text == Text)
                return &c;
        return nullptr;
    }
};

TEST_F(HtmlText, TextRunsSpacesAndTheLeadingParagraph)
{
    Prepare(u"<html>a  b");
    EXPECT_EQ(Items(), "P 'a b'");
    Prepare(u"plain");
    EXPECT_EQ(Items(), "P 'plain'");
    Prepare(u"a\r\nb\rc\nd");  // CR is dropped, CR LF too; a lone LF stays
    EXPECT_EQ(Items(), "P 'abc\nd'");
    Prepare(u"x<!-- <b>hidden</b> -->y<unknown attr=1>z");
    EXPECT_EQ(Items(), "P 'xyz'");
    Prepare(u"</font>a</font>");
    EXPECT_EQ(Items(), "P 'a'");
    EXPECT_EQ(Item(1).FontColor, data.DefaultColor);
    EXPECT_EQ(Item(1).FontHeight, data.DefaultHeight);
}

TEST_F(HtmlText, EntitiesNeverSwallowText)
{
    Prepare(u"a&lt;b&gt;c &amp; &quot;&euro;&copy;&#65;");
    EXPECT_EQ(data.Items.at(1)->Text(), u"a<b>c & \"\u20AC\u00A9A");
    Prepare(u"x&bogus;y & z");
    EXPECT_EQ(Items(), "P 'xy & z'");
    // An ampersand that starts no entity is a character, and the text after it stays.
    Prepare(u"Tom&Jerry went home");
    EXPECT_EQ(Items(), "P 'Tom&Jerry went home'");
    Prepare(u"a&verylongname1;b");
    EXPECT_EQ(Items(), "P 'a&verylongname1;b'");
    // Character references: 0, beyond U+10FFFF and overflowing numbers give nothing.
    Prepare(u"[&#0;][&#1114112;][&#999999999;][&#12a;]");
    EXPECT_EQ(Items(), "P '[][][][]'");
    Prepare(u"&#128512;");
    EXPECT_EQ(data.Items.at(1)->Text(), std::u16string(u"\xD83D\xDE00"));
    Prepare(u"a&nbsp; &#32;b");  // entity blanks collapse like typed ones
    EXPECT_EQ(Items(), "P 'a b'");
}

TEST_F(HtmlText, StylesFontsAndColours)
{
    Prepare(u"<b>x<i>y</b>z</i><font color=red bgcolor=\"#102030\" face='Arial Narrow' size=+3>w</font>v");
    EXPECT_EQ(Items(), "P 'x' 'y' 'z' 'w' 'v'");
    EXPECT_EQ(Item(1).FontStyle, fsBold);
    EXPECT_EQ(Item(2).FontStyle, fsBold | fsItalic);
    EXPECT_EQ(Item(3).FontStyle, fsItalic);
    EXPECT_EQ(Item(4).FontColor, clRed);
    EXPECT_EQ(Item(4).FontBgColor, RGBColor(0x10, 0x20, 0x30));
    EXPECT_EQ(Item(4).FontFace, u"Arial Narrow");
    EXPECT_EQ(Item(4).FontHeight, -(11 + 4));  // 3 points at 96 pixels per inch
    EXPECT_EQ(Item(5).FontColor, data.DefaultColor);
    EXPECT_EQ(Item(5).FontFace, data.DefaultFont);

    // Unknown names and malformed # values keep the colour; identifiers may carry "cl".
    // A # value is exactly six hex digits: a red with more after it is no red.
    Prepare(u"<font color=clBlue>a<font color=nosuch>b<font color=#12345G>c<font color=#12345>d"
            u"<font color=#FF0000zz>e<font color=#FF0000>f");
    EXPECT_EQ(Item(1).FontColor, clBlue);
    EXPECT_EQ(Item(2).FontColor, clBlue);
    EXPECT_EQ(Item(3).FontColor, clBlue);
    EXPECT_EQ(Item(4).FontColor, clBlue);
    EXPECT_EQ(Item(5).FontColor, clBlue);
    EXPECT_EQ(Item(6).FontColor, clRed);

    // Heights never reach 0 or flip their sign, also for sub- and superscript.
    Prepare(u"<font size=-40>a</font><font size=1><sub>b</sub></font><font size=99999>c</font><font size=x>d");
    EXPECT_EQ(Item(1).FontHeight, -1);
    EXPECT_EQ(Item(2).Font().Height, 1);
    EXPECT_EQ(Item(3).FontHeight, 1000);
    EXPECT_EQ(Item(4).FontHeight, data.DefaultHeight);
    Prepare(u"<sup>a</sup>");
    EXPECT_EQ(Item(1).Font().Height, -9);
}

TEST_F(HtmlText, ParagraphsBreaksAndRules)
{
    Prepare(u"<p align=center indent=12>a</p><p>b<br>c<hr width=30>d");
    EXPECT_EQ(Items(), "P 'a' P 'b' B 'c' B R B 'd'");
    EXPECT_EQ(Break(0).Align, haCenter);
    EXPECT_EQ(Break(0).Indent, 12);
    EXPECT_FALSE(Break(2).Flags & hifClosed);  // "</p><p>" is one paragraph
    EXPECT_EQ(Item(7).Width, 30);
    Prepare(u"<p align=RIGHT>a<br>b");
    EXPECT_EQ(Break(2).Align, haRight);  // a line break keeps the paragraph's alignment
    // Sizes of the markup are clamped; a negative or non-numeric one counts as absent.
    Prepare(u"<hr width=70000><ind width=-5><ind width=abc><ind width=9 pos=ABS>");
    EXPECT_EQ(Items(), "P B R B N");
    EXPECT_EQ(Item(2).Width, 32767);
    EXPECT_EQ(Item(4).Width, 9);
    EXPECT_TRUE(Item(4).Flags & hifAbsolute);
}

TEST_F(HtmlText, ListsStayBalanced)
{
    Prepare(u"<ol><li>a<li>b</ol><ul><li>c</ul>");
    EXPECT_EQ(Items(), "P O L1 'a' L2 'b' B U L-1 'c' B");
    EXPECT_EQ(Break(1).Indent, kChar);
    EXPECT_EQ(Item(3).Indent, kChar);
    EXPECT_EQ(Break(6).Indent, 0);
    EXPECT_EQ(Break(8).Indent, kChar);

    // Unbalanced ends never take the level or the indent below 0, and a list ends with the
    // indent it began with even when its font changed inside.
    Prepare(u"</ul></ol>a<ul><li><b>b</b><ul><li>c</ul></ul></ul>d");
    for (const auto& item : data.Items) {
        EXPECT_GE(item->Indent, 0);
        if (item->IsBreak()) {
            EXPECT_GE(static_cast<TElHTMLBreakItem&>(*item).ListLevel, 0);
        }
    }
    EXPECT_EQ(data.Items.back()->Text(), u"d");
    EXPECT_EQ(data.Items.back()->Indent, 0);

    // The inner list starts in bold (a wider indent step) and ends after the bold.
    Prepare(u"<ul><b><ul><li>b</b></ul>c</ul>e");
    EXPECT_EQ(Items(), "P U U L-1 'b' B 'c' B 'e'");
    EXPECT_EQ(Item(6).Indent, kChar);
    EXPECT_EQ(data.Items.back()->Indent, 0);

    // Blank text after a line break does not start the list with a blank line.
    Prepare(u"a<br> <b> </b><ul><li>x</ul>");
    EXPECT_EQ(Items(), "P 'a' B U L-1 'x' B");
}

TEST_F(HtmlText, LinksAndImages)
{
    data.DefaultStyle = fsItalic;
    Prepare(u"<b>x<a href=\"go there\" title=t>link</a>y</b><a>no</a><a name>n</a>");
    EXPECT_EQ(Items(), "P 'x' 'link' 'y' 'no' 'n'");
    EXPECT_TRUE(Item(2).Flags & hifLink);
    EXPECT_EQ(Item(2).HRef, u"go there");
    EXPECT_EQ(Item(2).FontColor, data.LinkColor);
    EXPECT_EQ(Item(2).FontStyle, data.LinkStyle);
    EXPECT_FALSE(Item(3).Flags & hifLink);
    EXPECT_EQ(Item(3).FontStyle, fsItalic | fsBold);  // the style before the link comes back
    EXPECT_EQ(Item(3).FontColor, data.DefaultColor);

    // Without a supplied image the markup's size still holds and nothing is drawn.
    Prepare(u"<img src=a.bmp width=20 height=10><img src=\"\">");
    EXPECT_EQ(Items(), "P Ia.bmp");
    EXPECT_EQ(Item(1).Width, 20);
    EXPECT_EQ(Item(1).Height, 10);
    EXPECT_EQ(data.TextSize, (TSize{21, 10}));
}

class FakeImage : public IElHTMLImage {
public:
    int32_t Width() const override { return 16; }
    int32_t Height() const override { return 12; }
    bool Transparent() const override { return false; }
    void Draw(IDrawSurface& Surface, const TRect& Box, bool Stretch) override { Draws.push_back({Box, Stretch}); }
    std::vector<std::pair<TRect, bool>> Draws;
};

TEST_F(HtmlText, ImagesComeFromTheSupplierWhenLaidOutAndPainted)
{
    FakeImage image;
    std::vector<std::u16string> asked;
    render.OnImageNeeded = [&](TObject* Sender, const std::u16string& Src, IElHTMLImage*& Image) {
        EXPECT_EQ(Sender, &render);
        asked.push_back(Src);
        Image = &image;
    };
    Prepare(u"ab<img src=pic><img src=pic transparent=solid width=8>");
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(Item(2).Width, 16);
    EXPECT_EQ(Item(3).Width, 8);
    EXPECT_EQ(Item(3).Height, 12);
    RecordingSurface surface(kChar);
    render.DrawText(surface, {0, 0}, {0, 0, 200, 100}, clNone);
    ASSERT_EQ(image.Draws.size(), 2u);
    const int32_t x = 2 * kChar + 1;
    EXPECT_EQ(image.Draws[0].first, (TRect{x, 1, x + 16, 13}));  // centred in a 14-pixel line
    EXPECT_FALSE(image.Draws[0].second);                          // markup-transparent, opaque bitmap
    EXPECT_EQ(image.Draws[1].first.Left, x + 17);                  // one pixel after the first image
    EXPECT_TRUE(image.Draws[1].second);                            // "solid" is stretched
}

TEST_F(HtmlText, LayoutNumbers)
{
    Prepare(u"abc<br>de<br><br>");
    // Every run is its extent + 1 wide; an empty line keeps its font's height.
    EXPECT_EQ(Break(0).Width, 3 * kChar + 1);
    EXPECT_EQ(Break(0).Height, kCell);
    EXPECT_EQ(Break(0).LineDescent, kDescent);
    EXPECT_EQ(Break(2).Width, 2 * kChar + 1);
    EXPECT_EQ(data.TextSize, (TSize{3 * kChar + 1, 4 * kCell}));

    Prepare(u"<p>a</p><p>");
    EXPECT_EQ(data.TextSize.cy, kCell);  // paragraph breaks alone add nothing

    data.MinLineHeight = 20;
    Prepare(u"a<br>b");
    EXPECT_EQ(Break(0).Height, kCell);
    EXPECT_EQ(Break(2).Height, 20);
    data.MinLineHeight = 0;

    // Sub- and superscript: the line grows so that every cell fits between its top and bottom.
    Prepare(u"x<sub>2</sub>");
    const int32_t subCell = 9 + 3, subDescent = 3;
    const int32_t descent = subDescent + subCell / 4;
    EXPECT_EQ(Break(0).LineDescent, descent);
    EXPECT_EQ(Break(0).Height, (kCell - kDescent) + descent);
    Prepare(u"x<sup>2</sup>");
    // The superscript's grown height over its lowered descent, above the plain text's descent.
    EXPECT_EQ(Break(0).Height, (subCell + subCell * 2 / 3) - (subDescent - subCell / 2) + kDescent);
    RecordingSurface surface(kChar);
    for (const char16_t* text : {u"x<sub>2</sub>", u"x<sup>2</sup>", u"<font size=30>X</font><sub>y</sub>"}) {
        Prepare(text);
        surface.ClearCalls();
        render.DrawText(surface, {0, 0}, {0, 0, 300, 300}, clNone);
        for (const auto& c : surface.Calls())
            if (c.Kind == RecordingSurface::Op::Text) {
                EXPECT_GE(c.Rect.Top, 0) << Narrow(text);
                EXPECT_LE(c.Rect.Bottom, data.TextSize.cy) << Narrow(text);
            }
    }

    // Long lines and large markup sizes do not wrap around 16 bits.
    Prepare(std::u16string(10000, u'w'));
    EXPECT_EQ(data.TextSize.cx, 10000 * kChar + 1);
    Prepare(u"<img src=x width=30000 height=30000><img src=x width=30000>");
    EXPECT_EQ(data.TextSize, (TSize{60002, 30000}));
}

TEST_F(HtmlText, NestingNeedsNoRecursion)
{
    std::u16string text;
    for (int i = 0; i < 50000; ++i)
        text += u"<font size=+1><ul>";
    text += u"x";
    Prepare(text);
    EXPECT_EQ(data.Items.back()->Indent, 32767);
    EXPECT_EQ(data.Items.back()->FontHeight, -12);
}

TEST_F(HtmlText, AutoWrapBreaksAtBlanks)
{
    Prepare(u"aaa bbb ccc", 60, true);
    EXPECT_EQ(Items(), "P 'aaa bbb ' S 'ccc'");
    EXPECT_EQ(Break(0).Width, 8 * kChar + 1);
    // A blank that overflows ends the line and is dropped.
    Prepare(u"aaaa bbbb", 4 * kChar + 1, true);
    EXPECT_EQ(Items(), "P 'aaaa' S 'bbbb'");
    // A word wider than the line is cut where it overflows; the line never stays empty.
    Prepare(u"abcdefgh", 3 * kChar + 1, true);
    EXPECT_EQ(Items(), "P 'abc' S 'def' S 'gh'");
    Prepare(u"abc", 3, true);
    EXPECT_EQ(Items(), "P 'a' S 'b' S 'c'");
    // A run that does not fit after other items moves whole to the next line.
    Prepare(u"<b>aa</b>bbbb", 5 * kChar, true);
    EXPECT_EQ(Items(), "P 'aa' S 'bbbb'");
    // Wrapped lines keep the list's indent and the paragraph's alignment.
    Prepare(u"<ul><li>aaa bbb</ul>", kChar + 4 * kChar + 1, true);
    EXPECT_EQ(Items(), "P U L-1 'aaa ' S 'bbb' B");
    EXPECT_EQ(Break(4).Indent, kChar);
    Prepare(u"<p align=right>aaa bbb", 30, true);
    EXPECT_EQ(Break(2).Align, haRight);
    // Surrogate pairs stay together.
    Prepare(u"\xD83D\xDE00\xD83D\xDE00", kChar + 1, true);
    EXPECT_EQ(Items(), "P '~~' S '~~'");
}

TEST_F(HtmlText, AutoWrapCountsTheListNumber)
{
    // "1." stands before the item's text: the wrapped line must hold it too.
    const int32_t width = kChar + 2 * kChar + 5 * kChar + 1;  // indent, "1.", "aaaa "
    Prepare(u"<ol><li>aaaa bbbb</ol>", width, true);
    EXPECT_EQ(Items(), "P O L1 'aaaa ' S 'bbbb' B");
    EXPECT_EQ(Break(2).Width, width);
}

TEST_F(HtmlText, PaintsRunsAtTheBaseline)
{
    data.DefaultColor = RGBColor(0, 0, 200);
    data.DefaultBgColor = clYellow;
    Prepare(u"ab<b>cd</b><a href=h>e</a>");
    RecordingSurface surface(kChar);
    render.DrawText(surface, {0, 0}, {10, 20, 210, 120}, clNone);
    EXPECT_EQ(surface.Texts(), (std::vector<std::u16string>{u"ab", u"cd", u"e"}));
    const auto* ab = TextCall(surface, u"ab");
    const auto* cd = TextCall(surface, u"cd");
    const auto* e = TextCall(surface, u"e");
    EXPECT_EQ(ab->Rect, Bounds(10, 20, 2 * kChar, kCell));
    EXPECT_EQ(ab->Color, RGBColor(0, 0, 200));
    EXPECT_EQ(ab->Background, clYellow);
    EXPECT_EQ(cd->Rect.Left, 10 + 2 * kChar + 1);
    EXPECT_EQ(cd->Font.Style, fsBold);
    EXPECT_EQ(e->Color, data.LinkColor);
    EXPECT_EQ(e->Font.Style, data.LinkStyle);
    EXPECT_EQ(data.PaintRect, (TRect{10, 20, 210, 120}));
    for (const auto& c : surface.Calls()) {
        if (c.Kind == RecordingSurface::Op::Text) {
            EXPECT_EQ(c.Clip, (TRect{10, 20, 210, 120}));
        }
    }

    // Contrast against a dark colour lightens the text by half toward white.
    surface.ClearCalls();
    render.DrawText(surface, {0, 0}, {10, 20, 210, 120}, clBlack);
    EXPECT_EQ(TextCall(surface, u"ab")->Color, LightenRGB(RGBColor(0, 0, 200), 50));
    surface.ClearCalls();
    render.DrawText(surface, {0, 0}, {10, 20, 210, 120}, clWhite);
    EXPECT_EQ(TextCall(surface, u"ab")->Color, ScaleRGB(RGBColor(0, 0, 200), 50));

    // An empty rectangle paints nothing; lines below the rectangle are not painted.
    surface.ClearCalls();
    render.DrawText(surface, {0, 0}, {10, 20, 10, 120}, clNone);
    EXPECT_TRUE(surface.Calls().empty());
    Prepare(u"1<br>2<br>3<br>4");
    surface.ClearCalls();
    render.DrawText(surface, {0, kCell}, {0, 0, 100, kCell - 1}, clNone);
    EXPECT_EQ(surface.Texts(), (std::vector<std::u16string>{u"2"}));
    EXPECT_EQ(TextCall(surface, u"2")->Rect.Top, 0);
}

TEST_F(HtmlText, PaintsAlignmentRulesAndListMarkers)
{
    Prepare(u"<p align=center>abc<p align=right>abc<p><hr><ol><li>x<li>y</ol><ul><li>z</ul>");
    RecordingSurface surface(kChar);
    render.DrawText(surface, {0, 0}, {0, 0, 100, 300}, clNone);
    const auto& calls = surface.Calls();
    std::vector<const RecordingSurface::Call*> abc;
    for (const auto& c : calls)
        if (c.Kind == RecordingSurface::Op::Text && c.Text == u"abc")
            abc.push_back(&c);
    ASSERT_EQ(abc.size(), 2u);
    EXPECT_EQ(abc[0]->Rect.Left, (100 - 22 - 1) / 2);
    EXPECT_EQ(abc[1]->Rect.Left, 100 - 22 - 1);

    // The rule: shadow over face, across the whole width, at half the line's height.
    std::vector<const RecordingSurface::Call*> lines;
    for (const auto& c : calls)
        if (c.Kind == RecordingSurface::Op::Line)
            lines.push_back(&c);
    ASSERT_EQ(lines.size(), 2u);
    // Below the two text lines and the empty paragraph; the rule's line has no height.
    EXPECT_EQ(lines[0]->Color, clBtnShadow);
    EXPECT_EQ(lines[1]->Color, clBtnFace);
    EXPECT_EQ(lines[0]->From.Y, 2 * kCell);
    EXPECT_EQ(lines[1]->From.Y, 2 * kCell + 1);
    EXPECT_EQ(lines[0]->From.X, 0);
    EXPECT_EQ(lines[0]->To.X, 100);

    // Numbers "1." and "2." at the list's indent, the items right after them; a bullet left of
    // its item.
    const auto* one = TextCall(surface, u"1.");
    const auto* x = TextCall(surface, u"x");
    ASSERT_TRUE(one && x && TextCall(surface, u"2."));
    EXPECT_EQ(one->Rect.Left, kChar);
    EXPECT_EQ(x->Rect.Left, kChar + 2 * kChar);
    EXPECT_EQ(one->Rect.Top, x->Rect.Top);
    const auto* z = TextCall(surface, u"z");
    bool bullet = false;
    for (const auto& c : calls)
        if (c.Kind == RecordingSurface::Op::Fill && c.Rect.Top >= z->Rect.Top && c.Rect.Bottom <= z->Rect.Bottom) {
            bullet = true;
            EXPECT_LT(c.Rect.Right, z->Rect.Left);
        }
    EXPECT_TRUE(bullet);
}

TEST_F(HtmlText, LinksHitWherePainted)
{
    const TRect r{10, 20, 210, 220};
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"see <a href=left>here</a>", u"left"},
        {u"<p align=center>see <a href=centre>here</a>", u"centre"},
        {u"<p align=right>see <a href=right>here</a>", u"right"},
        {u"<ol><li>a<li><b>b</b> <a href=num>here</a></ol>", u"num"},
        {u"<img src=x width=33><ind width=20><a href=after>here</a>", u"after"},
        {u"x<sup><a href=sup>here</a></sup>", u"sup"},
        {u"<ind width=50 pos=abs><a href=abs>here</a>", u"abs"},
    };
    for (const auto& [text, target] : cases) {
        SCOPED_TRACE(Narrow(text));
        Prepare(text);
        for (TPoint scroll : {TPoint{0, 0}, TPoint{3, 5}}) {
            RecordingSurface surface(kChar);
            render.DrawText(surface, scroll, r, clNone);
            const auto* link = TextCall(surface, u"here");
            ASSERT_TRUE(link);
            std::u16string href = u"stale";
            const TPoint inside{(link->Rect.Left + link->Rect.Right) / 2 - r.Left,
                                (link->Rect.Top + link->Rect.Bottom) / 2 - r.Top};
            EXPECT_TRUE(render.IsCursorOverLink(inside, scroll, r, href));
            EXPECT_EQ(href, target);
            const TPoint before{link->Rect.Left - 2 - r.Left, inside.Y};
            EXPECT_FALSE(render.IsCursorOverLink(before, scroll, r, href));
            EXPECT_TRUE(href.empty());
            const TPoint below{inside.X, link->Rect.Bottom + 40 - r.Top};
            EXPECT_FALSE(render.IsCursorOverLink(below, scroll, r, href));
        }
    }
}

class ThrowingMeasurer : public RecordingSurface {
public:
    TSize TextExtent(std::u16string_view Text) override
    {
        if (Text.find(u"boom") != std::u16string_view::npos)
            throw std::runtime_error("measuring failed");
        return RecordingSurface::TextExtent(Text);
    }
};

TEST(HtmlTextFailure, PrepareTextReportsFailureAndStaysUsable)
{
    TElHTMLRender render(std::make_unique<ThrowingMeasurer>());
    EXPECT_FALSE(render.PrepareText(u"a<b>boom</b>", 100, false));
    EXPECT_TRUE(render.Data()->Items.empty());
    EXPECT_EQ(render.Data()->TextSize, (TSize{0, 0}));
    EXPECT_EQ(render.LastError(), SElHTMLEngineError);
    EXPECT_TRUE(render.PrepareText(u"fine", 100, false));
    EXPECT_TRUE(render.LastError().empty());
    EXPECT_EQ(render.Data()->Items.size(), 2u);

    // A substituted data set is the one prepared; nil restores the render's own.
    TElHTMLData other(&render);
    render.SetData(&other);
    EXPECT_TRUE(render.PrepareText(u"x<br>y", 100, false));
    EXPECT_EQ(other.Items.size(), 4u);
    render.SetData(nullptr);
    EXPECT_EQ(render.Data()->Items.size(), 2u);
}

} // namespace
