// The system clipboard's text formats under Wine, and opening it while another thread holds it.
#include "framework/WinClipboard.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(Clipboard, UnicodeAndEightBitTextMakeTheRoundTrip)
{
    TWinClipboard clipboard;
    const std::u16string unicode = u"Gr\u00fc\u00dfe \u2713 \U0001D11E";
    ASSERT_TRUE(clipboard.SetText(unicode));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), unicode);
    // The system offers the same text as 8-bit text, in the system code page.
    const std::optional<std::string> converted = clipboard.AnsiText();
    ASSERT_TRUE(converted.has_value());
    EXPECT_EQ(converted->substr(0, 6), "Gr\xfc\xdf" "e ");

    ASSERT_TRUE(clipboard.SetAnsiText("Caf\xe9 au lait"));
    EXPECT_EQ(clipboard.AnsiText(), std::string("Caf\xe9 au lait"));
    EXPECT_EQ(clipboard.Text(), u"Caf\u00e9 au lait");

    ASSERT_TRUE(clipboard.SetText(u""));
    EXPECT_EQ(clipboard.Text(), u"");
}

// Holds the clipboard open on a thread of its own for HoldMs, or until told to let go.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD HoldMs = kPatienceMs)
        : holding_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this, HoldMs] {
              opened_ = OpenClipboard(nullptr) != FALSE;
              SetEvent(holding_);
              WaitForSingleObject(release_, HoldMs);
              if (opened_)
                  CloseClipboard();
          })
    {
        WaitForSingleObject(holding_, kPatienceMs);
    }
    ~ClipboardHolder()
    {
        Release();
        thread_.join();
        CloseHandle(holding_);
        CloseHandle(release_);
    }
    bool Opened() const { return opened_; }
    void Release() { SetEvent(release_); }

private:
    HANDLE holding_, release_;
    bool opened_ = false;
    std::thread thread_;
};

TEST(Clipboard, AClipboardHeldElsewhereIsRetriedAndThenReportedUnavailable)
{
    TWinClipboard clipboard;
    ASSERT_TRUE(clipboard.SetText(u"before"));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Opened());
        clipboard.RetryMs = 40;
        EXPECT_FALSE(clipboard.SetText(u"refused"));
        EXPECT_EQ(clipboard.Text(), std::nullopt);
    }
    EXPECT_EQ(clipboard.Text(), u"before");
    {
        ClipboardHolder holder(100);
        ASSERT_TRUE(holder.Opened());
        clipboard.RetryMs = kPatienceMs;  // the holder lets go after 100 ms, however busy the machine
        EXPECT_TRUE(clipboard.SetText(u"after the wait"));
    }
    EXPECT_EQ(clipboard.Text(), u"after the wait");
}

}  // namespace
