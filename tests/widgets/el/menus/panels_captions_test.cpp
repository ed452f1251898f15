// The portable halves of the status bar and the form caption: a panel's text sizing and the
// repaints it asks for, the panels' places, and where caption texts stand in the bar.
#include "widgets/el/menus/ElFormCaptionTexts.h"
#include "widgets/el/menus/ElStatusBarPanels.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Measures 7 pixels a character and records every repaint asked for.
class RecordingBar : public TElStatusPanels::THost {
public:
    int32_t TextWidth(const std::u16string& Text) override { return 7 * static_cast<int32_t>(Text.size()); }
    void PanelChanged(int Index, bool Moved) override { changes.emplace_back(Index, Moved); }
    std::vector<std::pair<int, bool>> changes;
};

TEST(StatusPanels, AnAutoSizedPanelTakesItsTextsWidthAndMovesThoseAfterIt)
{
    RecordingBar bar;
    TElStatusPanels panels(bar);
    for (int32_t width : {25, 190, 50})
        panels.Add()->SetWidth(width);
    TElStatusPanel* hint = panels.Items(1);
    hint->SetAutoSize(true);
    EXPECT_EQ(hint->Width(), 2 * TElStatusPanel::TextMargin);  // empty text
    bar.changes.clear();

    hint->SetText(u"Opens a scan");
    EXPECT_EQ(hint->Width(), 12 * 7 + 2 * TElStatusPanel::TextMargin);
    hint->SetText(u"Opens a scan");  // unchanged: nothing to repaint
    hint->SetText(u"Saves a scan");  // same width: only this panel
    EXPECT_EQ(bar.changes, (std::vector<std::pair<int, bool>>{{1, true}, {1, false}}));

    const std::vector<TRect> rects = panels.PanelRects({0, 0, 400, 20});
    EXPECT_EQ(rects[1], (TRect{25, 0, 25 + hint->Width(), 20}));
    EXPECT_EQ(rects[2].Left, rects[1].Right);
    EXPECT_EQ(rects[2].Right, 400);  // the last one reaches the edge

    // A fixed panel keeps its width whatever its text; alignment repaints only itself.
    bar.changes.clear();
    panels.Items(2)->SetText(u"a much longer text than fits");
    panels.Items(2)->SetAlignment(TAlignment::taRightJustify);
    EXPECT_EQ(panels.Items(2)->Width(), 50);
    EXPECT_EQ(bar.changes, (std::vector<std::pair<int, bool>>{{2, false}, {2, false}}));
}

TEST(StatusPanels, IndexesAreCheckedAndDeletingMovesTheRest)
{
    RecordingBar bar;
    TElStatusPanels panels(bar);
    EXPECT_THROW(panels.Items(0), EListError);
    TElStatusPanel* first = panels.Add();
    TElStatusPanel* second = panels.Add();
    EXPECT_THROW(panels.Items(2), EListError);
    EXPECT_THROW(panels.Delete(-1), EListError);
    EXPECT_EQ(second->Index(), 1);
    panels.Delete(0);
    EXPECT_EQ(second->Index(), 0);
    EXPECT_EQ(panels.Items(0), second);
    (void)first;
    // A narrower bar than the panels: rectangles keep their widths and run past its edge.
    second->SetWidth(300);
    EXPECT_EQ(panels.PanelRects({10, 2, 100, 18}), (std::vector<TRect>{{10, 2, 310, 18}}));
}

std::vector<std::pair<std::u16string, TRect>> Places(const TElCaptionTexts& Texts, TRect Area)
{
    std::vector<std::pair<std::u16string, TRect>> out;
    const auto width = [](const std::u16string& S) { return 10 * static_cast<int32_t>(S.size()); };
    for (const TElCaptionTextPlace& p : PlaceCaptionTexts(Texts, Area, 5, width))
        out.emplace_back(p.Text->Caption(), p.Bounds);
    return out;
}

TEST(CaptionTexts, LeftTextsRunFromTheLeftAndRightTextsFromTheRight)
{
    TElCaptionTexts texts;
    int changes = 0;
    texts.OnChange = [&] { ++changes; };
    TElCaptionText* title = texts.Add();
    title->SetCaption(u"Scan");
    TElCaptionText* right = texts.Add();
    right->SetCaption(u"RTL");
    right->SetAlign(TAlignment::taRightJustify);
    TElCaptionText* second = texts.Add();
    second->SetCaption(u"two");
    TElCaptionText* hidden = texts.Add();
    hidden->SetCaption(u"hidden");
    hidden->SetVisible(false);
    texts.Add();  // empty: takes no room
    EXPECT_EQ(changes, 11);
    title->SetCaption(u"Scan");  // unchanged
    EXPECT_EQ(changes, 11);

    EXPECT_EQ(Places(texts, {20, 2, 300, 20}),
              (std::vector<std::pair<std::u16string, TRect>>{
                  {u"Scan", {20, 2, 60, 20}}, {u"RTL", {270, 2, 300, 20}}, {u"two", {65, 2, 95, 20}}}));

    // Short of room, later texts are cut to what is left, and left out when nothing is.
    EXPECT_EQ(Places(texts, {0, 0, 60, 10}),
              (std::vector<std::pair<std::u16string, TRect>>{{u"Scan", {0, 0, 40, 10}}, {u"RTL", {45, 0, 60, 10}}}));
    EXPECT_TRUE(Places(texts, {0, 0, 0, 10}).empty());

    // SetFormCaptionText's way: one text, cleared first, the right side for right to left.
    texts.Clear();
    TElCaptionText* only = texts.Add();
    only->SetCaption(u"Import");
    only->SetAlign(TAlignment::taRightJustify);
    EXPECT_EQ(texts.Count(), 1);
    EXPECT_EQ(Places(texts, {0, 0, 100, 10}),
              (std::vector<std::pair<std::u16string, TRect>>{{u"Import", {40, 0, 100, 10}}}));
    EXPECT_THROW(texts.Items(1), EListError);
}

}  // namespace
