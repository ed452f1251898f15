// The view: rows and hit testing agree with the drawn layout, scrolling by keys, bars and wheel,
// resizing that keeps the caret's place, mouse selection and text drops.
#include "edit_session.h"

#include <gtest/gtest.h>

namespace {

namespace C = ElEditCommand;

// 8 px characters, 13 px rows (font height 11 + 2), a 400 x 200 edit rectangle: 15 rows.
struct View {
    explicit View(bool Multiline = true)
    {
        core.SetMultiline(Multiline);
        core.SetEditRect({0, 0, 400, 200});
    }
    RecordingSurface surface{8};
    TFakeEditHost host;
    TElEditCore core{&host, &surface};
};

std::u16string NumberedLines(int Count)
{
    std::u16string text;
    for (int i = 0; i < Count; ++i) {
        if (i) text += u"\r\n";
        for (char c : std::to_string(i)) text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

TEST(EditView, HitTestingUsesTheDrawnRowsAndPositions)
{
    View v;
    v.core.SetTopMargin(5);
    v.core.SetText(u"abcdef\r\nxyz");
    ASSERT_EQ(v.core.LineHeight(), 13);
    // Characters of line 1 span [1 + 8i, 9 + 8i] in the row starting at y = 18.
    EXPECT_EQ(v.core.PointToCaret({20, 20}), (TPoint{2, 1}));
    EXPECT_EQ(v.core.PointToCaret({21, 20}), (TPoint{3, 1}));   // right half: after the character
    EXPECT_EQ(v.core.PointToCaret({300, 8}), (TPoint{6, 0}));   // right of the end: at the end
    EXPECT_EQ(v.core.PointToCaret({0, 17}), (TPoint{0, 0}));    // the row's last pixel row
    EXPECT_EQ(v.core.PointToCaret({0, -40}), (TPoint{0, 0}));
    EXPECT_EQ(v.core.PointToCaret({0, 900}), (TPoint{0, 1}));
    v.core.SetCaret({2, 1});
    EXPECT_EQ(v.core.CaretPoint(), (TPoint{17, 18}));
    EXPECT_EQ(v.core.PointToCaret(v.core.CaretPoint()), (TPoint{2, 1}));

    // Right-aligned lines: the click lands where the text is drawn.
    v.core.SetAlignment(TAlignment::taRightJustify);
    const std::vector<TElLineLayout> rows = v.core.Layout(true);
    ASSERT_EQ(rows.size(), 2u);
    const int32_t x0 = rows[1].Pieces[0].X;
    EXPECT_EQ(x0, 400 - 1 - 24 - 2);
    EXPECT_EQ(v.core.PointToCaret({x0 + 5, 20}), (TPoint{1, 1}));
    v.core.SetCaret({0, 1});
    EXPECT_EQ(v.core.CaretPoint().X, x0);

    View empty;
    EXPECT_EQ(empty.core.PointToCaret({50, 50}), (TPoint{0, 0}));
    View single(false);
    single.core.SetText(u"abc");
    EXPECT_EQ(single.core.CaretPoint().Y, 200 - 13);  // one line at the bottom
}

TEST(EditView, LayoutDrawsTheSelectionInAPieceOfItsOwn)
{
    View v;
    v.core.SetText(u"hello world\r\na\tb");
    v.core.SetSel(2, 7);
    std::vector<TElLineLayout> rows = v.core.Layout(true);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].Pieces.size(), 3u);
    EXPECT_EQ(rows[0].Pieces[1].Text, u"llo w");
    EXPECT_TRUE(rows[0].Pieces[1].Selected);
    EXPECT_EQ(rows[0].Pieces[1].X, 1 + 16);
    EXPECT_EQ(rows[0].Pieces[2].X, 1 + 56);
    EXPECT_EQ(rows[1].Pieces[0].Text, u"a    b");  // tabs are drawn as they are measured
    EXPECT_EQ(rows[1].Top, 13);
    // Unfocused with HideSelection: no selected piece.
    rows = v.core.Layout(false);
    EXPECT_EQ(rows[0].Pieces.size(), 1u);
    v.core.SetHideSelection(false);
    EXPECT_EQ(v.core.Layout(false)[0].Pieces.size(), 3u);
    v.core.SetPasswordChar(u"#");
    EXPECT_EQ(v.core.Layout(false)[0].Pieces[0].Text, u"##");
}

TEST(EditView, VerticalScrolling)
{
    View v;
    v.core.SetText(NumberedLines(100));
    ASSERT_EQ(v.core.VisibleLines(), 15);
    v.core.ExecuteCommandEx(C::TextEnd);
    EXPECT_EQ(v.core.TopLine(), 85);
    EXPECT_EQ(v.core.VertScrollBar(), (TElScrollBarInfo{true, 0, 99, 15, 85}));
    v.core.SetTopLine(80);
    v.core.ScrollVert(ElScrollCode::PageDown);  // near the end a page clamps instead of doing nothing
    EXPECT_EQ(v.core.TopLine(), 85);
    v.core.ScrollVert(ElScrollCode::ThumbTrack, 70000);
    EXPECT_EQ(v.core.TopLine(), 85);
    v.core.ScrollVert(ElScrollCode::Top);
    EXPECT_EQ(v.core.TopLine(), 0);

    v.core.SetTopLine(50);
    v.core.MouseWheel(-120, 3);
    EXPECT_EQ(v.core.TopLine(), 53);
    for (int i = 0; i < 3; ++i) v.core.MouseWheel(30, 3);  // quarter notches add up
    EXPECT_EQ(v.core.TopLine(), 51);
    v.core.MouseWheel(30, 3);
    EXPECT_EQ(v.core.TopLine(), 50);
    v.core.MouseWheel(-120, ElWheelPageScroll);
    EXPECT_EQ(v.core.TopLine(), 65);
    v.core.MouseWheel(-120, 0);
    EXPECT_EQ(v.core.TopLine(), 66);
    v.core.MouseWheel(120 * 1000, 3);
    EXPECT_EQ(v.core.TopLine(), 0);

    // Paging moves the caret by whole pages and keeps it in view.
    v.core.ExecuteCommandEx(C::TextStart);
    v.core.ExecuteCommandEx(C::PageDown);
    EXPECT_EQ(v.core.Caret().Y, 15);
    EXPECT_EQ(v.core.TopLine(), 1);

    View tiny;
    tiny.core.SetEditRect({0, 0, 100, 4});
    EXPECT_EQ(tiny.core.VisibleLines(), 1);
    View few;
    few.core.SetText(u"a\r\nb");
    EXPECT_FALSE(few.core.VertScrollBar().Enabled);
}

TEST(EditView, HorizontalScrollingKeepsTheCaretVisible)
{
    View v(false);
    v.core.SetEditRect({0, 0, 82, 20});  // 80 px inside the margins: ten characters
    v.core.SetText(u"short");
    EXPECT_FALSE(v.core.HorzScrollBar().Enabled);
    v.core.SetText(u"0123456789abcdefghij");
    v.core.ExecuteCommandEx(C::LineEnd);
    EXPECT_EQ(v.core.LeftChar(), 10);
    EXPECT_EQ(v.core.HorzScrollBar(), (TElScrollBarInfo{true, 0, 20, 6, 10}));
    v.core.ExecuteCommandEx(C::LineStart);
    EXPECT_EQ(v.core.LeftChar(), 0);
    v.core.ScrollHorz(ElScrollCode::Bottom);
    EXPECT_EQ(v.core.LeftChar(), 13);
    const std::vector<TElLineLayout> rows = v.core.Layout(true);
    EXPECT_EQ(rows[0].Pieces[0].Text, u"defghij");
    EXPECT_EQ(v.core.PointToCaret({1 + 3, 10}), (TPoint{13, 0}));
    // A shorter text takes the horizontal offset back.
    v.core.SetText(u"tiny");
    EXPECT_EQ(v.core.LeftChar(), 0);
}

TEST(EditView, ResizeKeepsTheCaretAndSelectionInTheText)
{
    View v;
    v.core.SetWordWrap(true);
    v.core.SetText(u"the quick brown fox jumps over the lazy dog");
    v.core.SetSel(20, 25);
    ASSERT_EQ(v.core.SelectedText(), u"jumps");
    for (int32_t width : {40, 90, 17, 400, 3}) {
        v.core.SetEditRect({0, 0, width, 200});
        EXPECT_EQ(v.core.SelectedText(), u"jumps") << width;
        EXPECT_EQ(v.core.SelStartIndex(), 20) << width;
    }
    // A new font re-wraps and changes the row height.
    TFontSpec font;
    font.Height = -20;
    v.core.SetFont(font);
    EXPECT_EQ(v.core.LineHeight(), 22);
    EXPECT_EQ(v.core.SelectedText(), u"jumps");
}

TEST(EditView, MouseSelectionWordsAndDragArming)
{
    View v;
    v.core.SetText(u"alpha beta gamma");
    // Characters span [1 + 8i, 9 + 8i]; rows are 13 px.
    v.core.MouseDown({1 + 8 * 6 + 1, 5}, 0, false);
    v.core.MouseMove({1 + 8 * 10 + 1, 5});
    v.core.MouseUp({1 + 8 * 10 + 1, 5});
    EXPECT_EQ(v.core.SelectedText(), u"beta");
    EXPECT_FALSE(v.core.MouseSelecting());
    v.core.MouseDown({1 + 8 * 15, 5}, ssShift, false);
    EXPECT_EQ(v.core.SelectedText(), u"beta gamm");
    v.core.MouseUp({0, 0});

    // A press inside the selection arms a drag that starts after 4 px on either axis.
    v.core.MouseDown({1 + 8 * 8, 5}, 0, false);
    EXPECT_FALSE(v.core.MouseMove({1 + 8 * 8 + 3, 5}));
    EXPECT_TRUE(v.core.MouseMove({1 + 8 * 8 + 4, 5}));
    EXPECT_EQ(v.core.SelectedText(), u"beta gamm");
    // An armed drag that never starts is a click.
    v.core.MouseDown({1 + 8 * 8, 5}, 0, false);
    v.core.MouseUp({1 + 8 * 8, 5});
    EXPECT_FALSE(v.core.HasSelection());
    EXPECT_EQ(v.core.Caret().X, 8);

    v.core.MouseDown({1 + 8 * 7, 5}, 0, true);
    EXPECT_EQ(v.core.SelectedText(), u"beta ");
    EXPECT_EQ(v.core.Caret().X, 11);
}

TEST(EditView, DropsMoveAndCopyInOneUndoStep)
{
    View v;
    v.core.SetText(u"abc def ghi");
    v.core.SetSel(0, 3);
    ASSERT_TRUE(v.core.DropText(8, v.core.DragText(), true));  // after the source
    EXPECT_EQ(v.core.Text(), u" def abcghi");
    EXPECT_EQ(v.core.SelectedText(), u"abc");
    v.core.ExecuteCommandEx(C::Undo);
    EXPECT_EQ(v.core.Text(), u"abc def ghi");

    v.core.SetSel(8, 11);
    ASSERT_TRUE(v.core.DropText(0, v.core.DragText(), true));  // before the source
    EXPECT_EQ(v.core.Text(), u"ghiabc def ");
    v.core.SetSel(0, 3);
    EXPECT_FALSE(v.core.DropText(2, v.core.DragText(), true));  // into its own selection
    EXPECT_EQ(v.core.Text(), u"ghiabc def ");

    v.core.SetCharCase(eecUpperCase);
    ASSERT_TRUE(v.core.DropText(3, u"x\r\ny", false));  // from another edit
    EXPECT_EQ(v.core.Text(), u"GHIX\r\nYABC DEF ");
    EXPECT_EQ(v.core.SelectedText(), u"X\r\nY");
}

}  // namespace
