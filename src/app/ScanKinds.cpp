#include "app/ScanKinds.h"

#include <cmath>

#include "app/ViewNavigation.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/files/bkStrings.h"

namespace {

constexpr const char16_t* CaptionPrefix = u"Lorvane 3D - ";

bool IsTarnwellMagic(const std::string& Magic)
{
    return Magic == MagicTNW01 || Magic == MagicTNW || Magic == MagicTNWDemo;
}

bool StoresViewStates(const std::string& Magic)
{
    return Magic == MagicL3D || Magic == MagicL3DDemo || Magic == MagicTNW || Magic == MagicTNWDemo;
}

bool Finite(const TVector4& V)
{
    return std::isfinite(V.X) && std::isfinite(V.Y) && std::isfinite(V.Z);
}

bool Usable(const TViewState& V)
{
    return Finite(V.Translation) && Finite(V.Rotation) && Finite(V.Scale) && V.Scale.X != 0.0f &&
           V.Scale.Y != 0.0f && V.Scale.Z != 0.0f;
}

} // namespace

TScanKindRule ScanKindRuleOf(const std::string& Magic)
{
    TScanKindRule Rule;
    if (IsTarnwellMagic(Magic)) {
        Rule.DepthControls = false;
        Rule.ColorScheme = 2;
    }
    Rule.KeepViews = StoresViewStates(Magic);
    return Rule;
}

bool IsChartMagic(const std::string& Magic)
{
    return Magic == MagicTNW01 || Magic == MagicTNW;
}

std::u16string WindowCaptionText(const std::u16string& Project, const std::u16string& FileName)
{
    const std::u16string Quoted = u"\"" + WideExtractFileName(FileName) + u"\"";
    if (Project.empty())
        return CaptionPrefix + Quoted;
    return CaptionPrefix + Project + u" ( " + Quoted + u" )";
}

bool RepairViewStates(TViewStates& Views)
{
    bool Changed = false;
    for (size_t Slot = 0; Slot < Views.size(); ++Slot) {
        if (Usable(Views[Slot]))
            continue;
        Views[Slot] = PresetOfSlot(Slot);
        Changed = true;
    }
    return Changed;
}

bool IsFlatScanMode(uint8_t ScanMode)
{
    return ScanMode >= 1 && ScanMode <= 3;
}

std::optional<int32_t> SoilIndexForOpen(int32_t Index, int32_t ComboCount)
{
    if (Index < 0 || Index >= ComboCount)
        return std::nullopt;
    return Index;
}

std::optional<float> SoilFactorAt(int32_t Index, const std::vector<TSoil>& SoilTypes)
{
    if (Index < 0 || static_cast<size_t>(Index) >= SoilTypes.size())
        return std::nullopt;
    return SoilTypes[static_cast<size_t>(Index)].Factor;
}

float FieldSizeOfFile(float Size)
{
    return (Size >= 0.0f && std::isfinite(Size)) ? Size : 0.0f;
}
