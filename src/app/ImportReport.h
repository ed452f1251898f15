// What the import command makes of the dialog's choices and of the transfer that follows: the
// request handed to the transfer, what the transfer gives back, and the message that reports it.
//
// Transferring files from a device is not part of the program: the transfer in force reports
// that none took place, so the command ends silently after the dialog. The seam lets another
// transfer (a test's) take its place.
#pragma once

#include "app/LanguageTexts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The dialog's choices after OK.
struct TImportRequest {
    uint8_t ModelIndex = 0;
    std::u16string Folder;          // the destination folder, ending in a separator
    std::u16string DefinitionFile;  // the chosen entry's text
    bool UseUSB = true;
    std::string Serial;             // of the chosen USB device; empty for an entry from a file
    std::u16string Port;            // the serial port, for a device without USB
    bool DeleteFiles = false;
};

// Whether a transfer took place and how many files it wrote into the destination folder.
struct TImportTransfer {
    bool TookPlace = false;
    uint32_t Files = 0;
};

using TImportTransferFunc = std::function<TImportTransfer(const TImportRequest&)>;
// The transfer run after OK; when empty, none takes place.
TImportTransferFunc& ImportTransferSeam();
TImportTransfer RunImportTransfer(const TImportRequest& Request);

// The message after a transfer: the text NothingTransferred with OK when no file came,
// otherwise FilesTransferred with the count put in for its "%s", a carriage return, a line
// break and the question OpenTransferredFiles, with Yes and No (Yes opens the files). None when no transfer took place.
struct TImportReport {
    std::u16string Caption;
    std::u16string Text;
    bool AsksToOpen = false;
};
std::optional<TImportReport> ImportReportOf(const TImportTransfer& Transfer,
                                            const TTextLookup& Lookup = GlobalTextLookup());
