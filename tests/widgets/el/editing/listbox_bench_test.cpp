// Figures of the list box under Wine, printed for the record and never judged by time: adding
// 100,000 items inside one update, and scrolling a page of them (the scroll and the repaint of
// the rows that come into view).
#include "widgets/el/editing/ElListBox.h"

#include "widgets/el/foundation/ElScrollHook.h"

#include "support/pump.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

TEST(ListBoxFigures, AddingAHundredThousandItemsAndScrollingAPage)
{
    ASSERT_TRUE(InstallScrollHook());
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(40, 40, 300, 400);
    form->Show();
    auto* list = new TElListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 260, 340);
    PumpUntil(NothingToPaint);

    constexpr int kItems = 100000;
    std::vector<std::u16string> texts;
    texts.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        const std::string n = std::to_string(i);
        texts.emplace_back(u"Measurement " + std::u16string(n.begin(), n.end()));
    }
    const auto addStart = std::chrono::steady_clock::now();
    list->Items()->BeginUpdate();
    for (const std::u16string& s : texts)
        list->Items()->Add(s);
    list->Items()->EndUpdate();
    list->Update();
    const double addMs = MillisecondsSince(addStart);
    ASSERT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), kItems);

    // Pages from row 70,000 on, each scrolled and painted before the next.
    list->SetTopIndex(70000);
    list->Update();
    constexpr int kPages = 50;
    const int rows = list->ClientHeight() / list->ItemHeight();
    const auto scrollStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kPages; ++i) {
        SendMessageW(list->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        list->Update();
    }
    const double pageMs = MillisecondsSince(scrollStart) / kPages;
    EXPECT_GE(list->TopIndex(), 70000 + kPages * (rows - 1));
    // Rows beyond 65535 are found by position too (the window's own answer has 16 bits).
    EXPECT_EQ(list->ItemAtPos({5, 1}), list->TopIndex());

    std::printf("list box: %d items added in one update: %.1f ms (%.2f us per item)\n", kItems, addMs,
                addMs * 1000.0 / kItems);
    std::printf("list box: one page (%d rows) scrolled and painted: %.2f ms\n", rows, pageMs);
    ::testing::Test::RecordProperty("add_100000_ms", std::to_string(addMs));
    ::testing::Test::RecordProperty("scroll_page_ms", std::to_string(pageMs));
}

}  // namespace
