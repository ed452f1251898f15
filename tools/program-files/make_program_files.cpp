// Writes the program's data files from their text sources, with the program's own writers:
//   make_program_files <data-dir> <out-dir> <language>...
// makes <out-dir>/Lorvane3D.dat, <out-dir>/Lorvane3D.lng (the languages in the order given,
// each from <data-dir>/lang/<language>.txt) and a device definition file for every device
// of <data-dir>/tables/devices.tsv that names one.
#include <cstdio>
#include <string>
#include <vector>

#include "ProgramFileSources.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

bool Fail(const std::string& What)
{
    std::fprintf(stderr, "make_program_files: %s\n", What.c_str());
    return false;
}

bool ReadSource(const std::string& Path, std::string& Text)
{
    return ReadWholeFile(Path, Text) || Fail("cannot read " + Path);
}

template <class WriteFn>
bool WriteFile(const std::string& Path, WriteFn Write)
{
    try {
        SaveFileSafely(Utf8ToWide(Path), [&](TStream& Stream) {
            if (!Write(Stream))
                throw EWriteError(Utf8ToWide("cannot write " + Path));
        });
        return true;
    } catch (const Exception& E) {
        return Fail(E.what());
    }
}

bool MakeDataTables(const std::string& DataDir, const std::string& OutDir)
{
    std::string Devices, Soils, Units, Error;
    std::vector<TDeviceSource> DeviceSources;
    TDataTables Tables;
    if (!ReadSource(DataDir + "/tables/devices.tsv", Devices) || !ReadSource(DataDir + "/tables/soils.tsv", Soils) ||
        !ReadSource(DataDir + "/tables/units.tsv", Units))
        return false;
    if (!ParseDeviceSource(Devices, DeviceSources, Error) || !ParseSoilSource(Soils, Tables.SoilTypes, Error) ||
        !ParseUnitSource(Units, Tables.MeasureUnits, Error))
        return Fail("tables: " + Error);
    for (const TDeviceSource& D : DeviceSources) {
        Tables.Devices.push_back(D.Device);
        if (D.DefinitionFile.empty())
            continue;
        std::vector<uint8_t> Bytes = MakeDefinitionFile(D.DefinitionFile);
        if (!WriteFile(OutDir + "/" + D.DefinitionFile + ".dvc", [&](TStream& S) {
                return S.Write(Bytes.data(), static_cast<int32_t>(Bytes.size())) == static_cast<int32_t>(Bytes.size());
            }))
            return false;
    }
    return WriteFile(OutDir + "/Lorvane3D.dat", [&](TStream& S) { return WriteDataTables(S, Tables); });
}

bool MakeLanguageFile(const std::string& DataDir, const std::string& OutDir, const std::vector<std::string>& Codes)
{
    std::vector<TTextSource> Sources;
    for (const std::string& Code : Codes) {
        std::string Text, Error;
        TTextSource Source;
        if (!ReadSource(DataDir + "/lang/" + Code + ".txt", Text))
            return false;
        if (!ParseTextSource(Text, Source, Error))
            return Fail(Code + ".txt: " + Error);
        // A text the program cannot ask for is a slip (a number mistyped, a name not added to
        // scan/files/TextIds.def); a text the language lacks shows in English, and the tests
        // refuse it.
        const TTextCoverage Coverage = TextCoverage(Source);
        for (int32_t Id : Coverage.Unknown)
            Fail(Code + ".txt: text " + std::to_string(Id) + " is none of the program's (scan/files/TextIds.def)");
        if (!Coverage.Unknown.empty())
            return false;
        for (TTextId Id : Coverage.Missing)
            std::fprintf(stderr, "make_program_files: warning: %s.txt lacks the text %s\n", Code.c_str(),
                         TextLabel(Id).c_str());
        Sources.push_back(Source);
    }
    return WriteFile(OutDir + "/Lorvane3D.lng", [&](TStream& S) { return WriteLanguageFile(S, Sources); });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_program_files <data-dir> <out-dir> <language>...\n");
        return 2;
    }
    std::vector<std::string> Codes(argv + 3, argv + argc);
    bool Ok = MakeDataTables(argv[1], argv[2]) && MakeLanguageFile(argv[1], argv[2], Codes);
    return Ok ? 0 : 1;
}
