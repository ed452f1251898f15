#include "app/ExportChoice.h"

#include <cmath>
#include <limits>

#include "app/ScanKinds.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "scan/files/ScanFile.h"
#include "scan/files/TextIds.h"
#include "scan/model/_TScanData.h"

namespace {

size_t FileNameStart(const std::u16string& FileName)
{
    const size_t Delimiter = FileName.find_last_of(u"\\/:");
    return Delimiter == std::u16string::npos ? 0 : Delimiter + 1;
}

} // namespace

std::u16string FileNameExtension(const std::u16string& FileName)
{
    const size_t Start = FileNameStart(FileName);
    const size_t Dot = FileName.rfind(u'.');
    if (Dot == std::u16string::npos || Dot < Start)
        return {};
    return FileName.substr(Dot);
}

TImageFormat ImageFormatOfFileName(const std::u16string& FileName)
{
    const std::u16string Ext = FileNameExtension(FileName);
    // A name that is only an extension ("C:\x\.png") names no picture.
    if (Ext.size() == FileName.size() - FileNameStart(FileName))
        return TImageFormat::Unsupported;
    if (Ext == u".jpg" || Ext == u".jpeg")
        return TImageFormat::Jpeg;
    if (Ext == u".png")
        return TImageFormat::Png;
    if (Ext == u".bmp")
        return TImageFormat::Bmp;
    return TImageFormat::Unsupported;
}

std::u16string ExportDefaultExtension(int32_t FileTypeIndex)
{
    switch (FileTypeIndex) {
    case 1: return u".png";
    case 2: return u".bmp";
    default: return u".jpg";
    }
}

std::u16string ExportProposedName(const std::u16string& LoadedFileName)
{
    if (LoadedFileName.empty())
        return u"Image";
    std::u16string Name = LoadedFileName.substr(FileNameStart(LoadedFileName));
    const std::u16string Ext = FileNameExtension(Name);
    Name.resize(Name.size() - Ext.size());
    return Name.empty() ? u"Image" : Name;
}

std::u16string ExportFolder(const std::u16string& LastExportFolder, const std::u16string& Pictures,
                            const std::u16string& Documents)
{
    if (!LastExportFolder.empty())
        return LastExportFolder;
    return Pictures.empty() ? Documents : Pictures;
}

std::u16string UnsupportedExtensionText(const std::u16string& Extension, const TTextLookup& Lookup)
{
    return FormatMessageS(Lookup(Texts::ExtensionNotSupported, u"The file extension %s is not supported."), Extension);
}

std::u16string HelpFilePath(const std::u16string& ProgramFolder, const std::u16string& LanguageCode)
{
    const std::u16string Name = LanguageCode == u"de_DE" ? u"l3d-de.pdf" : u"l3d-en.pdf";
    return IncludeTrailingPathDelimiter(ProgramFolder) + u"help" + PathDelimiter() + Name;
}

std::u16string HelpMissingText(const std::u16string& Path, const TTextLookup& Lookup)
{
    return Lookup(Texts::HelpFileMissing, u"The help file could not be found:") + u"\r\n" +
           Lookup(Texts::HelpFilePlace, Path);
}

std::u16string OpenFailedText(const std::u16string& Target, const TTextLookup& Lookup)
{
    return Lookup(Texts::CouldNotOpen, u"The system could not open:") + u"\r\n" + Target;
}

std::optional<int32_t> ChartHeaderOffset(const std::string& Magic, const TScanPoint* Selected, bool FileExists)
{
    if (!IsChartMagic(Magic) || Selected == nullptr || !FileExists)
        return std::nullopt;
    const double Offset = le::F64At(Selected->Carried);
    if (!(Offset > 0.0) || !std::isfinite(Offset))
        return std::nullopt;
    const double Header = std::trunc(Offset) - TNWPointHeaderSize;
    if (Header < 0.0 || Header > double(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(Header);
}
