#include "ProgramFileSources.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "framework/StrConv.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileSystem.h"

namespace {

std::vector<std::string> Lines(const std::string& Text)
{
    std::vector<std::string> Result;
    std::istringstream In(Text);
    std::string Line;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        Result.push_back(Line);
    }
    return Result;
}

std::vector<std::string> Columns(const std::string& Line)
{
    std::vector<std::string> Result;
    size_t Start = 0;
    for (;;) {
        size_t Tab = Line.find('\t', Start);
        Result.push_back(Line.substr(Start, Tab == std::string::npos ? std::string::npos : Tab - Start));
        if (Tab == std::string::npos)
            return Result;
        Start = Tab + 1;
    }
}

bool IsCommentOrBlank(const std::string& Line) { return Line.empty() || Line[0] == '#'; }

bool ParseInteger(const std::string& Text, long long Min, long long Max, long long& Value)
{
    if (Text.empty())
        return false;
    char* End = nullptr;
    Value = std::strtoll(Text.c_str(), &End, 10);
    return *End == 0 && Value >= Min && Value <= Max;
}

bool ParseFloat(const std::string& Text, float& Value)
{
    if (Text.empty())
        return false;
    char* End = nullptr;
    Value = std::strtof(Text.c_str(), &End);
    return *End == 0;
}

bool Unescape(const std::string& Text, std::string& Out)
{
    Out.clear();
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\\') {
            Out += Text[i];
            continue;
        }
        if (++i == Text.size())
            return false;
        switch (Text[i]) {
        case '\\': Out += '\\'; break;
        case 't': Out += '\t'; break;
        case 'n': Out += '\n'; break;
        case 'r': Out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

// UTF-8 that survives the round trip through UTF-16 unchanged is well-formed.
bool ToWide(const std::string& Utf8, std::u16string& Wide)
{
    Wide = Utf8ToWide(Utf8);
    return WideToUtf8(Wide) == Utf8;
}

std::string Where(size_t LineIndex) { return "line " + std::to_string(LineIndex + 1) + ": "; }

} // namespace

TTextCoverage TextCoverage(const TTextSource& Source)
{
    TTextCoverage Coverage;
    std::set<int32_t> Given, Named;
    for (const TLanguageItem& Item : Source.Items)
        if (!Item.Text.empty())
            Given.insert(Item.ID);
    for (const TNamedText& Text : NamedTexts) {
        Named.insert(Text.Id);
        if (!Given.count(Text.Id))
            Coverage.Missing.push_back(Text.Id);
    }
    for (const TLanguageItem& Item : Source.Items)
        if (!Named.count(Item.ID))
            Coverage.Unknown.push_back(Item.ID);
    return Coverage;
}

std::string TextLabel(int32_t ID)
{
    for (const TNamedText& Text : NamedTexts)
        if (Text.Id == ID)
            return std::string(Text.Name) + " (" + std::to_string(ID) + ")";
    return std::to_string(ID);
}

bool ParseTextSource(const std::string& Utf8, TTextSource& Source, std::string& Error)
{
    Source = TTextSource{};
    std::set<int32_t> Seen;
    bool HaveCode = false, HaveName = false, HaveDirection = false;
    std::vector<std::string> All = Lines(Utf8);
    for (size_t i = 0; i < All.size(); ++i) {
        const std::string& Line = All[i];
        if (IsCommentOrBlank(Line))
            continue;
        size_t Tab = Line.find('\t');
        if (Tab == std::string::npos) {
            Error = Where(i) + "no tab";
            return false;
        }
        std::string Key = Line.substr(0, Tab), Raw = Line.substr(Tab + 1), Text;
        std::u16string Wide;
        if (!Unescape(Raw, Text) || !ToWide(Text, Wide)) {
            Error = Where(i) + "bad escape or not UTF-8";
            return false;
        }
        long long Number = 0;
        if (Key == "@code") {
            Source.Code = Wide;
            HaveCode = !Wide.empty();
        } else if (Key == "@name") {
            Source.Name = Wide;
            HaveName = true;
        } else if (Key == "@direction") {
            if (!ParseInteger(Text, 0, 255, Number)) {
                Error = Where(i) + "bad direction";
                return false;
            }
            Source.Direction = static_cast<uint8_t>(Number);
            HaveDirection = true;
        } else if (ParseInteger(Key, INT32_MIN, INT32_MAX, Number)) {
            if (!Seen.insert(static_cast<int32_t>(Number)).second) {
                Error = Where(i) + "text id " + Key + " given twice";
                return false;
            }
            Source.Items.push_back({static_cast<int32_t>(Number), Wide});
        } else {
            Error = Where(i) + "unknown key " + Key;
            return false;
        }
    }
    if (!HaveCode || !HaveName || !HaveDirection) {
        Error = "missing @code, @name or @direction";
        return false;
    }
    return true;
}

void LanguageFromSource(const TTextSource& Source, TLanguage& Language)
{
    Language.Direction = Source.Direction;
    for (std::u16string& S : Language.Strings)
        S.clear();
    Language.Strings[0] = Source.Code;
    Language.Strings[1] = Source.Name;
    Language.SetItems(Source.Items);
}

bool WriteLanguageFile(TStream& Stream, const std::vector<TTextSource>& Sources)
{
    for (const TTextSource& Source : Sources) {
        TLanguage Language;
        LanguageFromSource(Source, Language);
        TMemoryStream Payload;
        if (!Language.Save(Payload) || !WriteContainerEntry(Stream, Source.Code, Payload.Bytes()))
            return false;
    }
    return true;
}

bool ParseDeviceSource(const std::string& Text, std::vector<TDeviceSource>& Devices, std::string& Error)
{
    Devices.clear();
    std::vector<std::string> All = Lines(Text);
    for (size_t i = 0; i < All.size(); ++i) {
        if (IsCommentOrBlank(All[i]))
            continue;
        std::vector<std::string> C = Columns(All[i]);
        long long N[8];
        const long long Max[8] = {255, 255, 255, 255, 255, 255, INT32_MAX, 0};
        bool Ok = C.size() == 10;
        const int Numeric[7] = {1, 2, 3, 5, 6, 7, 8};
        for (int k = 0; Ok && k < 7; ++k)
            Ok = ParseInteger(C[Numeric[k]], 0, Max[k], N[k]);
        if (!Ok) {
            Error = Where(i) + "expected name, three masks, choices, transfer, mode, scan mode, impulses, file";
            return false;
        }
        TDeviceSource D;
        D.Device.Name = C[0];
        D.Device.Settings.TransferMask = static_cast<uint8_t>(N[0]);
        D.Device.Settings.OperatingModeMask = static_cast<uint8_t>(N[1]);
        D.Device.Settings.ScanModeMask = static_cast<uint8_t>(N[2]);
        D.Device.Settings.ImpulseChoices = C[4];
        D.Device.User.Transfer = static_cast<uint8_t>(N[3]);
        D.Device.User.OperatingMode = static_cast<uint8_t>(N[4]);
        D.Device.User.ScanMode = static_cast<uint8_t>(N[5]);
        D.Device.User.Impulses = static_cast<int32_t>(N[6]);
        D.DefinitionFile = C[9] == "-" ? std::string() : C[9];
        Devices.push_back(D);
    }
    return true;
}

bool ParseSoilSource(const std::string& Text, std::vector<TSoil>& Soils, std::string& Error)
{
    Soils.clear();
    std::vector<std::string> All = Lines(Text);
    for (size_t i = 0; i < All.size(); ++i) {
        if (IsCommentOrBlank(All[i]))
            continue;
        std::vector<std::string> C = Columns(All[i]);
        TSoil Soil;
        if (C.size() != 2 || !ToWide(C[0], Soil.Name) || !ParseFloat(C[1], Soil.Factor)) {
            Error = Where(i) + "expected name and factor";
            return false;
        }
        Soils.push_back(Soil);
    }
    return true;
}

bool ParseUnitSource(const std::string& Text, std::vector<TMeasureUnit>& Units, std::string& Error)
{
    Units.clear();
    std::vector<std::string> All = Lines(Text);
    for (size_t i = 0; i < All.size(); ++i) {
        if (IsCommentOrBlank(All[i]))
            continue;
        std::vector<std::string> C = Columns(All[i]);
        TMeasureUnit Unit;
        if (C.size() != 3 || !ToWide(C[0], Unit.Name) || !ParseFloat(C[1], Unit.Value) ||
            !ToWide(C[2], Unit.Suffix)) {
            Error = Where(i) + "expected name, factor and suffix";
            return false;
        }
        Units.push_back(Unit);
    }
    return true;
}

std::vector<uint8_t> MakeDefinitionFile(const std::string& Name)
{
    std::vector<uint8_t> Bytes(DefinitionFileSize, 0);
    std::copy_n(Name.begin(), std::min(Name.size(), DefinitionNameLength), Bytes.begin() + DefinitionNameOffset);
    return Bytes;
}

bool ReadWholeFile(const std::string& Path, std::string& Content)
{
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        return false;
    Content.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    return true;
}
