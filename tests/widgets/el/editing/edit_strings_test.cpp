// The paragraph model: text in and out, wrapping, caret and paragraph positions, insertion with
// breaks, the longest-paragraph bookkeeping and character indices.
#include "widgets/el/editing/ElEditStrings.h"
#include "widgets/el/editing/ElTextPainter.h"
#include "widgets/el/foundation/ElList.h"

#include "framework/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

// A memo 8 px per character wide; WrapWidth in pixels.
class TFakeOwner : public IElEditStringsOwner {
public:
    TFakeOwner() : painter(&surface) {}
    bool Multiline() const override { return multiline; }
    bool WordWrap() const override { return wordWrap; }
    int32_t WrapWidth() const override { return width; }
    bool MeasureEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override
    {
        return painter.DisplayEnds(Text, Ends);
    }
    void TextReset() override { ++resets; }

    RecordingSurface surface{8};
    TElTextPainter painter;
    bool multiline = true, wordWrap = false;
    int32_t width = 1000;
    int resets = 0;
};

std::vector<std::u16string> LinesOf(const TElEditStrings& M)
{
    std::vector<std::u16string> lines;
    for (int32_t y = 0; y < M.LineCount(); ++y) lines.emplace_back(M.GetLine(y));
    return lines;
}

using Lines = std::vector<std::u16string>;

TEST(EditStrings, TextInAndOut)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    EXPECT_EQ(m.LineCount(), 0);
    EXPECT_EQ(m.GetLine(0), u"");

    m.SetTextStr(u"a\r\nb\r\n");
    EXPECT_EQ(m.GetCount(), 3);
    EXPECT_EQ(m.Get(2), u"");
    EXPECT_EQ(m.GetTextStr(), u"a\r\nb\r\n");
    EXPECT_EQ(owner.resets, 1);

    // Any final break opens an empty paragraph; every break is written back as CR LF.
    m.SetTextStr(u"a\nb\rc\n\r");
    EXPECT_EQ(m.GetCount(), 5);
    EXPECT_EQ(m.GetTextStr(), u"a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(m.TextLength(), static_cast<int64_t>(m.GetTextStr().size()));

    m.Insert(1, u"");
    EXPECT_EQ(m.GetCount(), 5);
    m.Insert(1, u"x\r\n");
    EXPECT_EQ(m.GetCount(), 7);
    EXPECT_EQ(m.GetTextStr(), u"a\r\nx\r\n\r\nb\r\nc\r\n\r\n");

    // Put keeps every line of its text: further lines become paragraphs after it.
    m.Put(0, u"p\nq");
    EXPECT_EQ(m.GetTextStr(), u"p\r\nq\r\nx\r\n\r\nb\r\nc\r\n\r\n");
    EXPECT_THROW(m.Get(99), EElListError);

    owner.multiline = false;
    m.SetTextStr(u"one\r\ntwo\n");
    EXPECT_EQ(m.GetCount(), 1);
    EXPECT_EQ(m.GetLine(0), u"one\r\ntwo\n");
    m.Insert(0, u"ignored");
    EXPECT_EQ(m.GetCount(), 1);
}

TEST(EditStrings, PutLineOnAnEmptyModel)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    EXPECT_THROW(m.PutLine(1, u"x"), EElEditorError);
    m.PutLine(0, u"x");
    EXPECT_EQ(m.GetTextStr(), u"x");
}

TEST(EditStrings, WrapsAfterTheLastBlankOrHardInsideAWord)
{
    TFakeOwner owner;
    owner.wordWrap = true;
    owner.width = 80;  // ten characters
    TElEditStrings m(&owner);

    m.SetTextStr(u"aaaa bbbb cccc");
    EXPECT_EQ(LinesOf(m), (Lines{u"aaaa bbbb ", u"cccc"}));
    m.SetTextStr(u"abcdefghijklmnopq");
    EXPECT_EQ(LinesOf(m), (Lines{u"abcdefghij", u"klmnopq"}));
    // A rest that fits whole but leaves less than two pixels loses its last character.
    m.SetTextStr(u"abcdefghij");
    EXPECT_EQ(LinesOf(m), (Lines{u"abcdefghi", u"j"}));
    // A blank at the first position does not count as a break point.
    m.SetTextStr(u" bcdefghijklm");
    EXPECT_EQ(LinesOf(m), (Lines{u" bcdefghij", u"klm"}));
    // Tabs measure as the tab string and break like blanks.
    owner.painter.TabSpaces = 4;
    m.SetTextStr(u"ab\tcd\tefgh");
    EXPECT_EQ(LinesOf(m), (Lines{u"ab\t", u"cd\t", u"efgh"}));
}

TEST(EditStrings, WrapAlwaysAdvancesAndNeverSplitsAPair)
{
    TFakeOwner owner;
    owner.wordWrap = true;
    TElEditStrings m(&owner);
    for (int32_t width : {-5, 0, 1, 3, 8, 9, 17}) {
        owner.width = width;
        m.SetTextStr(u"\U0001F600\U0001F601ab");
        std::u16string joined;
        for (const std::u16string& line : LinesOf(m)) {
            EXPECT_FALSE(line.empty());
            EXPECT_FALSE(line.size() == 1 && (line[0] & 0xFC00) == 0xD800) << "width " << width;
            joined += line;
        }
        EXPECT_EQ(joined, u"\U0001F600\U0001F601ab") << "width " << width;
    }
    // An over-wide character takes a line of its own; below a pixel nothing wraps.
    owner.width = 3;
    m.SetTextStr(u"abc");
    EXPECT_EQ(LinesOf(m), (Lines{u"a", u"b", u"c"}));
    owner.width = 0;
    m.ReformatAll();
    EXPECT_EQ(LinesOf(m), (Lines{u"abc"}));
}

TEST(EditStrings, CaretAndParagraphPositions)
{
    TFakeOwner owner;
    owner.wordWrap = true;
    owner.width = 80;
    TElEditStrings m(&owner);
    m.SetTextStr(u"first\r\naaaa bbbb cccc\r\nlast");
    ASSERT_EQ(LinesOf(m), (Lines{u"first", u"aaaa bbbb ", u"cccc", u"last"}));
    int32_t y, x, p, o;
    // The wrap point maps to the end of the earlier line.
    m.ParagraphToCaret(1, 10, y, x);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(x, 10);
    m.ParagraphToCaret(1, 11, y, x);
    EXPECT_EQ(y, 2);
    EXPECT_EQ(x, 1);
    m.CaretToParagraph(2, 2, o, p);
    EXPECT_EQ(p, 1);
    EXPECT_EQ(o, 12);
    m.CaretToParagraph(-4, 0, o, p);
    EXPECT_EQ(o, 0);
    // Lines beyond the text are clamped to the last one, not taken as the first.
    m.CaretToParagraph(1, 99, o, p);
    EXPECT_EQ(p, 2);
    EXPECT_EQ(o, 1);
}

TEST(EditStrings, InsertTextAtKeepsEveryBreak)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    m.SetTextStr(u"abc");
    int32_t x = 3, y = 0;
    // A trailing break at a paragraph's end opens a paragraph.
    m.InsertTextAt(x, y, u"\r\n");
    EXPECT_EQ(m.GetTextStr(), u"abc\r\n");
    EXPECT_EQ(m.GetCount(), 2);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(x, 0);
    m.InsertTextAt(x, y, u"d\re\n");
    EXPECT_EQ(m.GetTextStr(), u"abc\r\nd\r\ne\r\n");
    EXPECT_EQ(y, 3);
    EXPECT_EQ(x, 0);
    x = 1, y = 0;
    m.InsertTextAt(x, y, u"XY\nZ");
    EXPECT_EQ(m.GetTextStr(), u"aXY\r\nZbc\r\nd\r\ne\r\n");
    EXPECT_EQ(y, 1);
    EXPECT_EQ(x, 1);

    TElEditStrings empty(&owner);
    x = y = 0;
    empty.InsertTextAt(x, y, u"\n");
    EXPECT_EQ(empty.GetCount(), 2);
    EXPECT_EQ(y, 1);
}

TEST(EditStrings, DeleteTextReturnsWhatItRemoved)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    m.SetTextStr(u"one\r\ntwo\r\nthree");
    EXPECT_EQ(m.DeleteText({2, 2}, {0, 1}), u"ne\r\ntwo\r\nth");
    EXPECT_EQ(m.GetTextStr(), u"oree");
    // Positions inside a pair are moved to its start.
    m.SetTextStr(u"a\U0001F600b");
    EXPECT_EQ(m.DeleteText({0, 2}, {0, 4}), u"\U0001F600b");
}

TEST(EditStrings, LongestParagraphFollowsShrinkingAndDeletion)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    m.SetTextStr(u"aaaa\r\nbbbbbbbb\r\ncccccc");
    EXPECT_EQ(m.LongestLength(), 8);
    EXPECT_EQ(m.LongestLine(), u"bbbbbbbb");
    m.DeleteText({1, 0}, {1, 5});
    EXPECT_EQ(m.LongestLength(), 6);
    EXPECT_EQ(m.LongestIndex(), 2);
    m.Delete(2);
    EXPECT_EQ(m.LongestLength(), 4);
    m.Insert(0, u"x\r\ny");
    EXPECT_EQ(m.LongestLine(), u"aaaa");
    EXPECT_EQ(m.LongestIndex(), 2);
    m.Exchange(0, 2);
    EXPECT_EQ(m.LongestLine(), u"aaaa");
    // Wrapping leaves no horizontal range.
    owner.wordWrap = true;
    m.ReformatAll();
    EXPECT_EQ(m.LongestLength(), 0);
}

TEST(EditStrings, CharacterIndices)
{
    TFakeOwner owner;
    owner.wordWrap = true;
    owner.width = 16;
    TElEditStrings m(&owner);
    m.SetTextStr(u"a\r\nbcdef\r\n\U0001F600");
    // A break counts as two characters whatever the wrapping.
    EXPECT_EQ(m.PosToIndex({1, 0}), 3);
    EXPECT_EQ(m.PosToIndex({2, 2}), 12);
    EXPECT_EQ(m.IndexToPos(3), (TElTextPos{1, 0}));
    EXPECT_EQ(m.IndexToPos(2), (TElTextPos{0, 1}));   // between CR and LF
    EXPECT_EQ(m.IndexToPos(11), (TElTextPos{2, 0}));  // inside the pair
    EXPECT_EQ(m.IndexToPos(999), (TElTextPos{2, 2}));
    EXPECT_EQ(m.IndexToPos(-3), (TElTextPos{0, 0}));
}

TEST(EditStrings, FindSearchesTheParagraphTexts)
{
    TFakeOwner owner;
    TElEditStrings m(&owner);
    m.SetTextStr(u"apple\r\nberry\r\nberry\r\ncherry");
    int32_t index = -1;
    EXPECT_TRUE(m.Find(u"berry", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(m.Find(u"banana", index));
    EXPECT_EQ(index, 1);
}

}  // namespace
