#include "app/ImportReport.h"

#include "framework/Exceptions.h"
#include "framework/NumberText.h"

TImportTransferFunc& ImportTransferSeam()
{
    static TImportTransferFunc transfer;
    return transfer;
}

TImportTransfer RunImportTransfer(const TImportRequest& Request)
{
    const TImportTransferFunc& transfer = ImportTransferSeam();
    return transfer ? transfer(Request) : TImportTransfer{};
}

std::optional<TImportReport> ImportReportOf(const TImportTransfer& Transfer, const TTextLookup& Lookup)
{
    if (!Transfer.TookPlace)
        return std::nullopt;
    TImportReport report;
    report.Caption = Lookup(170, u"Information");
    if (Transfer.Files == 0) {
        report.Text = Lookup(230, u"No File(s) have been transferred.");
        return report;
    }
    // The language's text is not a format: only its "%s" is replaced, literally.
    const std::u16string count = IntToStr(Transfer.Files);
    report.Text = FormatMessageS(Lookup(231, u"%s File(s) have been transferred successfully."), count) +
                  u"\r\r\n" + Lookup(232, u"Do you want to open the file(s) now?");
    report.AsksToOpen = true;
    return report;
}
