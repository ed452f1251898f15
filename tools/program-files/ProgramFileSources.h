// The text sources of the program's data files (under data/) and the files made from them.
//
// Language source: UTF-8 lines "id<TAB>text"; header lines "@code", "@name", "@direction"
// with a tab and the value; '#' starts a comment line. Escapes in texts: \\ \t \n \r.
// Table sources (data/tables/*.tsv): tab-separated columns, '#' comment lines.
#pragma once

#include "framework/Streams.h"
#include "scan/files/TextIdFwd.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/files/_TLanguageManager.h"

#include <cstdint>
#include <string>
#include <vector>

struct TTextSource {
    std::u16string Code;
    std::u16string Name;
    uint8_t Direction = 1;
    std::vector<TLanguageItem> Items; // in source order
};

// False with a message naming the line when the source is malformed (an id that is not a
// number, an id given twice, a missing header, a text that is not UTF-8).
bool ParseTextSource(const std::string& Utf8, TTextSource& Source, std::string& Error);

// How a language source stands to the texts the program names (scan/files/TextIds.h): the
// named texts it lacks or leaves empty, which the program shows with its English defaults (or
// empty where the code gives none), and its ids that name no text of the program.
struct TTextCoverage {
    std::vector<TTextId> Missing;
    std::vector<int32_t> Unknown;
};
TTextCoverage TextCoverage(const TTextSource& Source);
// "Name (number)" of a named text, or the number alone.
std::string TextLabel(int32_t ID);

// The language the program reads for Source.
void LanguageFromSource(const TTextSource& Source, TLanguage& Language);

// The language file: one entry per source, in the order given.
bool WriteLanguageFile(TStream& Stream, const std::vector<TTextSource>& Sources);

struct TDeviceSource {
    TGlobalDevice Device;
    std::string DefinitionFile; // base name of its .dvc file; empty for none
};

bool ParseDeviceSource(const std::string& Text, std::vector<TDeviceSource>& Devices, std::string& Error);
bool ParseSoilSource(const std::string& Text, std::vector<TSoil>& Soils, std::string& Error);
bool ParseUnitSource(const std::string& Text, std::vector<TMeasureUnit>& Units, std::string& Error);

// The size of a device definition file and the place of the device name in it.
constexpr size_t DefinitionFileSize = 2550;
constexpr size_t DefinitionNameOffset = 2500;
constexpr size_t DefinitionNameLength = 50;

// A definition file whose name field holds Name, filled up with NUL bytes (Name is cut to 50
// bytes); the rest of the file is zero.
std::vector<uint8_t> MakeDefinitionFile(const std::string& Name);

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& Path, std::string& Content);
