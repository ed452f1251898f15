// Choices of the export, help and chart commands that need no window: the image format by the
// chosen file name, the save dialog's file types and extensions, the proposed name, the help
// file by language, and when the frequency-energy chart can be shown for the selected point.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/LanguageTexts.h"

struct TScanPoint;

enum class TImageFormat : uint8_t { Jpeg, Png, Bmp, Unsupported };

// The extension of the file-name part ("C:\a.b\image" has none), from its last '.'; empty when
// there is none.
std::u16string FileNameExtension(const std::u16string& FileName);
// By the extension, compared exactly: ".jpg" and ".jpeg" JPEG, ".png" PNG, ".bmp" a Windows
// bitmap; anything else (".JPG" too), and a name that is only an extension (".png"), is not
// supported and no file is written.
TImageFormat ImageFormatOfFileName(const std::u16string& FileName);

struct TFileType {
    const char16_t* Description;
    const char16_t* Mask;
};
constexpr std::array<TFileType, 3> ExportFileTypes{{
    {u"JPG - JPEG-Bitmap (*.jpg)", u"*.jpg;*.jpeg;"},
    {u"PNG - Portable Network Graphic (*.png)", u"*.png;"},
    {u"BMP - Windows-Bitmap (*.bmp)", u"*.bmp;"},
}};
// The type the dialog starts with (0-based): PNG.
constexpr int32_t ExportFileTypeIndex = 1;
// The extension a bare name gets for a file type: 1 ".png", 2 ".bmp", any other ".jpg". The
// dialog starts with the one of ExportFileTypeIndex, so that a bare name is saved in the
// format the dialog shows.
std::u16string ExportDefaultExtension(int32_t FileTypeIndex);
// The proposed name: the loaded file's name without folder and extension, or "Image".
std::u16string ExportProposedName(const std::u16string& LoadedFileName);
// The folder the save dialog starts in: the last export's folder, else the user's pictures,
// else the documents (the first one that is not empty).
std::u16string ExportFolder(const std::u16string& LastExportFolder, const std::u16string& Pictures,
                            const std::u16string& Documents);
// The text ExtensionNotSupported with the extension put in literally.
std::u16string UnsupportedExtensionText(const std::u16string& Extension,
                                        const TTextLookup& Lookup = GlobalTextLookup());

// The help file: ProgramFolder + "help\l3d-de.pdf" for "de_DE", else "help\l3d-en.pdf".
std::u16string HelpFilePath(const std::u16string& ProgramFolder, const std::u16string& LanguageCode);
// The message for a missing help file: the texts HelpFileMissing, a line break and
// HelpFilePlace (the path when the language has no text for it).
std::u16string HelpMissingText(const std::u16string& Path, const TTextLookup& Lookup = GlobalTextLookup());
// The message when the system cannot open a file or web address: the text CouldNotOpen, a
// line break and the target.
std::u16string OpenFailedText(const std::u16string& Target, const TTextLookup& Lookup = GlobalTextLookup());

// The file position of the selected point's 16-byte sample header, when the chart can be shown:
// the file is of a chartable kind and still exists, a point is selected and its carried sample
// offset is a finite number above 0 that leaves room for the header in front of it.
std::optional<int32_t> ChartHeaderOffset(const std::string& Magic, const TScanPoint* Selected, bool FileExists);
