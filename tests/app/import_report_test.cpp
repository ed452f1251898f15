// The import command's report after a transfer, and the transfer in force.
#include "app/ImportReport.h"

#include <gtest/gtest.h>

TEST(ImportReport, NoneWithoutATransferOkWithoutFilesAndTheCountPutLiterallyIntoTheLanguagesText)
{
    const TTextLookup english = [](int32_t, const std::u16string& Text) { return Text; };
    // The program itself transfers nothing.
    ASSERT_FALSE(ImportTransferSeam());
    EXPECT_FALSE(RunImportTransfer(TImportRequest{}).TookPlace);
    EXPECT_FALSE(ImportReportOf({false, 5}, english));

    const auto none = ImportReportOf({true, 0}, english);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Caption, u"Information");
    EXPECT_EQ(none->Text, u"No File(s) have been transferred.");
    EXPECT_FALSE(none->AsksToOpen);

    // A language's text is no format: only its first "%s" takes the count, anything else stays.
    const auto odd = ImportReportOf({true, 4000000000u}, [](int32_t ID, const std::u16string& Text) {
        return ID == 231 ? std::u16string(u"%d of %s (%s%%)") : Text;
    });
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->Text, u"%d of 4000000000 (%s%%)\r\r\nDo you want to open the file(s) now?");
    EXPECT_TRUE(odd->AsksToOpen);
}
