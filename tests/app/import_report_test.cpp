// The import command's report after a transfer, and the transfer in force.
#include "app/ImportReport.h"

#include <gtest/gtest.h>

namespace {

// The English defaults, or the texts of a language that puts other things around "%s".
std::u16string Default(int32_t, const std::u16string& Text)
{
    return Text;
}

}  // namespace

TEST(ImportReport, NothingIsReportedWithoutATransferAndNoneTakesPlaceUnlessOneIsInstalled)
{
    EXPECT_FALSE(ImportReportOf({false, 5}, Default));
    ASSERT_FALSE(ImportTransferSeam());
    EXPECT_FALSE(RunImportTransfer(TImportRequest{}).TookPlace);

    TImportRequest seen;
    ImportTransferSeam() = [&](const TImportRequest& R) {
        seen = R;
        return TImportTransfer{true, 2};
    };
    TImportRequest request;
    request.Folder = u"C:\\Scans\\";
    request.Serial = "TNW00042";
    const TImportTransfer transfer = RunImportTransfer(request);
    ImportTransferSeam() = nullptr;
    EXPECT_TRUE(transfer.TookPlace);
    EXPECT_EQ(transfer.Files, 2u);
    EXPECT_EQ(seen.Folder, u"C:\\Scans\\");
    EXPECT_EQ(seen.Serial, "TNW00042");
}

TEST(ImportReport, NoFileIsReportedWithOkAndFilesWithTheCountAndTheQuestion)
{
    const auto none = ImportReportOf({true, 0}, Default);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Caption, u"Information");
    EXPECT_EQ(none->Text, u"No File(s) have been transferred.");
    EXPECT_FALSE(none->AsksToOpen);

    const auto three = ImportReportOf({true, 3}, Default);
    ASSERT_TRUE(three);
    EXPECT_EQ(three->Text, u"3 File(s) have been transferred successfully.\r\r\nDo you want to open the file(s) now?");
    EXPECT_TRUE(three->AsksToOpen);

    // A language's text is no format: only its first "%s" takes the count, anything else stays.
    const auto odd = ImportReportOf({true, 4000000000u}, [](int32_t ID, const std::u16string& Text) {
        return ID == 231 ? std::u16string(u"%d of %s (%s%%)") : Text;
    });
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Text.substr(0, odd->Text.find(u'\r')), u"%d of 4000000000 (%s%%)");
}
