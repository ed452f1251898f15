// Properties over random inputs: random edit sessions keep every invariant and undo restores
// the text exactly; wrapping keeps every character in order at any width, right-to-left text
// and right alignment included; inserted breaks make paragraphs.
#include "edit_session.h"

#include "widgets/el/editing/ElEditChars.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& Rng, size_t Count)
{
    std::vector<uint8_t> bytes(Count);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(Rng());
    return bytes;
}

// The text with every break written as CR LF.
std::u16string WithCrLf(std::u16string_view Text)
{
    std::u16string r;
    const std::vector<std::u16string> pieces = ElEditChars::SplitAtBreaks(Text);
    for (size_t i = 0; i < pieces.size(); ++i) r += (i ? u"\r\n" : u"") + pieces[i];
    return r;
}

TEST(EditProperties, RandomSessionsKeepInvariantsAndUndoRestoresTheText)
{
    std::mt19937 rng(20240611);
    for (int session = 0; session < 300; ++session) {
        TEditSession s;
        const std::vector<uint8_t> bytes = RandomBytes(rng, 1200);
        TByteSource in(bytes.data(), bytes.size());
        for (int step = 0; step < 250 && !in.AtEnd(); ++step) {
            s.Step(in);
            const std::string error = s.CheckInvariants();
            ASSERT_EQ(error, "") << "session " << session << " step " << step;
        }
        std::string error;
        ASSERT_TRUE(s.UndoAllRestores(error)) << "session " << session << ": " << error;
    }
}

TEST(EditProperties, EditingOnlyThenUndoAllRestoresTheStartText)
{
    // Only recorded edits and re-wraps: the whole history stays, so undo must reach the start.
    std::mt19937 rng(7);
    for (int session = 0; session < 200; ++session) {
        TEditSession s;
        s.core.SetText(u"alpha beta\r\ngamma \U0001F600 delta\r\n\u05D0\u05D1\u05D2 \u05D3\u05D4");
        const std::u16string start = s.core.Text();
        for (int step = 0; step < 60; ++step) {
            switch (rng() % 8) {
            case 0: s.core.SetSel(rng() % 60, rng() % 60); break;
            case 1: s.core.KeyPress(static_cast<char16_t>(u"ab \u05D0\U0001F600"[rng() % 6])); break;
            case 2: s.core.ExecuteCommandEx(106 + rng() % 4); break;
            case 3: s.core.ExecuteCommandEx(111 + rng() % 2); break;
            case 4: s.core.SetEditRect({0, 0, static_cast<int32_t>(rng() % 150), 60}); break;
            case 5: s.core.ExecuteCommandEx(rng() % 2 ? 103 : 105); break;
            case 6: s.core.TypeText(u"x\r\ny\nz"); break;
            default: s.core.DropText(rng() % 60, s.core.DragText(), true); break;
            }
            ASSERT_EQ(s.CheckInvariants(), "") << session << "/" << step;
        }
        while (s.core.CanUndo()) s.core.Undo();
        ASSERT_EQ(s.core.Text(), start) << "session " << session;
    }
}

TEST(EditProperties, WrapKeepsEveryCharacterInOrderAtAnyWidth)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        TEditSession s;
        const std::vector<uint8_t> bytes = RandomBytes(rng, 64);
        TByteSource in(bytes.data(), bytes.size());
        const std::u16string text = TEditSession::RandomText(in, 40);
        const bool rightToLeft = round % 2 == 1;
        s.core.SetRightAlignedText(rightToLeft);
        s.core.SetAlignment(rightToLeft ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
        s.core.SetText(text);
        const int32_t width = static_cast<int32_t>(rng() % 201);
        s.core.SetEditRect({0, 0, width, 50});
        ASSERT_EQ(s.CheckInvariants(), "") << "width " << width;
        ASSERT_EQ(s.core.Text(), WithCrLf(text)) << "width " << width;
        const TElEditStrings& L = s.core.Lines();
        const int32_t avail = s.core.View().WrapWidth();
        for (int32_t y = 0; y < L.LineCount(); ++y) {
            const std::u16string_view line = L.GetLine(y);
            const bool oneCharacter = ElEditChars::CharSizeAt(line, 0) == static_cast<int32_t>(line.size());
            if (avail >= 1 && !oneCharacter) {
                ASSERT_LE(s.core.Painter().TextWidth(line), avail) << "line " << y << " at width " << width;
            }
        }
    }
}

TEST(EditProperties, RewrappingAfterAnEditEqualsAFreshWrap)
{
    // Long paragraphs, edits anywhere (line starts included), at many widths: the lines kept
    // before the edit and taken over after it must be those a fresh wrap gives.
    std::mt19937 rng(31);
    for (int round = 0; round < 150; ++round) {
        TEditSession s;
        std::u16string text;
        const size_t length = 200 + rng() % 2400;
        while (text.size() < length) text += (rng() % 5 == 0) ? u" " : (rng() % 7 == 0 ? u"\t" : u"w");
        s.core.SetText(text);
        s.core.SetEditRect({0, 0, static_cast<int32_t>(10 + rng() % 150), 60});
        for (int edit = 0; edit < 30; ++edit) {
            const TElParagraph& para = s.core.Lines().Paragraph(0);
            // Half of the edits start exactly where a line starts.
            int64_t at = rng() % (para.Length() + 1);
            if (rng() % 2 && para.Count() > 1) at = para.LineStart(static_cast<int32_t>(rng() % para.Count()));
            s.core.SetSel(at, at + (rng() % 3 == 0 ? rng() % 12 : 0));
            const char16_t* inserts[] = {u"", u" ", u"x", u"  ", u"longerword", u"a b"};
            s.core.ReplaceSel(inserts[rng() % std::size(inserts)], true);
            ASSERT_EQ(s.CheckInvariants(), "") << "round " << round << " edit " << edit;
        }
    }
}

TEST(EditProperties, InsertedBreaksAddAsManyParagraphs)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        TEditSession s;
        std::vector<uint8_t> bytes = RandomBytes(rng, 80);
        TByteSource in(bytes.data(), bytes.size());
        s.core.SetText(TEditSession::RandomText(in, 15));
        const std::u16string inserted = TEditSession::RandomText(in, 15);
        const int32_t breaks = ElEditChars::CountBreaks(inserted);
        const int32_t before = s.core.Lines().GetCount();
        const std::u16string text = s.core.Text();
        const int64_t index = static_cast<int64_t>(rng() % (text.size() + 1));
        s.core.SetSel(index, index);
        const int64_t at = s.core.SelStartIndex();  // snapped out of a CR LF or a pair
        s.core.TypeText(inserted);
        const std::u16string typed = s.core.Text();
        std::u16string filtered;
        for (char16_t c : inserted)
            if (c >= 0x20 || ElEditChars::IsBreak(c)) filtered.push_back(c);
        const int32_t expectedParagraphs = std::max(before, 1) + (filtered.empty() ? 0 : breaks);
        ASSERT_EQ(s.core.Lines().GetCount(), filtered.empty() ? before : expectedParagraphs) << round;
        if (!filtered.empty()) {
            std::u16string expected = text.substr(0, static_cast<size_t>(at)) + WithCrLf(filtered) + text.substr(static_cast<size_t>(at));
            ASSERT_EQ(typed, expected) << round;
            // The caret stands right after the inserted text.
            ASSERT_EQ(s.core.SelStartIndex(), at + static_cast<int64_t>(WithCrLf(filtered).size())) << round;
        }
        ASSERT_EQ(s.CheckInvariants(), "");
    }
}

}  // namespace
