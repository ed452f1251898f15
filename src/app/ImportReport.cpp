#include "app/ImportReport.h"

#include "scan/files/TextIds.h"

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
    report.Caption = Lookup(Texts::Information, u"Information");
    if (Transfer.Files == 0) {
        report.Text = Lookup(Texts::NothingTransferred, u"No File(s) have been transferred.");
        return report;
    }
    // The language's text is not a format: only its "%s" is replaced, literally.
    const std::u16string count = IntToStr(Transfer.Files);
    report.Text =
        FormatMessageS(Lookup(Texts::FilesTransferred, u"%s File(s) have been transferred successfully."), count) +
        u"\r\r\n" + Lookup(Texts::OpenTransferredFiles, u"Do you want to open the file(s) now?");
    report.AsksToOpen = true;
    return report;
}
