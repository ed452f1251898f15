#include "app/RemarksModel.h"

#include "app/LengthUnits.h"
#include "app/TypedNumbers.h"
#include "framework/NumberText.h"
#include "framework/StrConv.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

namespace {

std::u16string SizeLabel(TTextId ID, const TMeasureUnit* Unit, const TTextLookup& Lookup)
{
    return Lookup(ID, u"") + u" ( " + (Unit != nullptr ? Unit->Suffix : std::u16string()) + u" )";
}

double Stored(double Shown, const TMeasureUnit* Unit)
{
    return Unit != nullptr ? StoredLength(Shown, *Unit) : Shown;
}

bool IsSeparator(char16_t Ch, char16_t DecimalSeparator)
{
    return Ch == DecimalSeparator || Ch == u'.' || Ch == u',';
}

} // namespace

TRemarksStatus RemarksStatusTexts(double DateTime, uint8_t DateFormatIndex, uint8_t TimeFormatIndex,
                                  uint8_t ModeByte, uint32_t PointCount)
{
    TRemarksStatus S;
    const std::string Date = DateToText(DateFormatIndex, DateTime);
    const std::string Time = TimeToText(TimeFormatIndex, DateTime);
    if (Date.empty() || Time.empty()) {
        S.Date = u"??" u"/??" u"/??";  // split so that no old compiler reads "??/" as a trigraph
        S.Time = u"??:??";
    } else {
        S.Date = AnsiToWide(Date);
        S.Time = AnsiToWide(Time);
    }
    S.Kind = ScanKindText(ModeByte);
    S.Points = IntToStr(PointCount);
    return S;
}

std::u16string ScanKindText(uint8_t ModeByte)
{
    switch (ModeByte) {
    case 0: return u" Ground Scan";
    case 1: return u" Discrimination";
    case 4: return u" GPS Scan";
    case 5: return u" Geoelectrical Scan";
    default: return {};
    }
}

bool FieldSizeEditable(uint8_t ModeByte)
{
    return ModeByte != 1;
}

std::u16string FieldLengthLabel(const TMeasureUnit* Unit, const TTextLookup& Lookup)
{
    return SizeLabel(Texts::FieldLength, Unit, Lookup);
}

std::u16string FieldWidthLabel(const TMeasureUnit* Unit, const TTextLookup& Lookup)
{
    return SizeLabel(Texts::FieldWidth, Unit, Lookup);
}

TRemarksRec_L3D_3 RemarksAfterEdit(const TRemarksRec_L3D_3& Old, const TRemarksEdit& Edit, const TMeasureUnit* Unit)
{
    TRemarksRec_L3D_3 R = Old;
    R.Project = Edit.Project;
    R.Notes = Edit.Notes;
    if (Edit.SoilIndex >= 0)
        R.SoilType = Edit.SoilIndex;
    if (Edit.FieldSizeEdited) {
        if (Edit.LengthNow != Edit.LengthShown)
            R.FieldLength = static_cast<float>(Stored(Edit.LengthNow, Unit));
        if (Edit.WidthNow != Edit.WidthShown)
            R.FieldWidth = static_cast<float>(Stored(Edit.WidthNow, Unit));
    }
    return R;
}

TSeparatorKey SeparatorKeyAction(char16_t Key, char16_t DecimalSeparator, const std::u16string& Text,
                                 int64_t SelStart, int64_t SelLength)
{
    if (!IsSeparator(Key, DecimalSeparator))
        return TSeparatorKey::NotASeparator;
    const bool beforeSeparator = SelLength == 0 && SelStart >= 0 && static_cast<uint64_t>(SelStart) < Text.size() &&
                                 IsSeparator(Text[static_cast<size_t>(SelStart)], DecimalSeparator);
    return beforeSeparator ? TSeparatorKey::StepOver : TSeparatorKey::TypeSeparator;
}

std::optional<double> TypedFieldSize(const std::u16string& Text, const TFormatSettings& Format)
{
    return TypedPositiveNumber(Text, FieldSizeMaxValue, Format);
}

std::u16string FieldSizeRefusedText(const std::u16string& Text, const TTextLookup& Lookup)
{
    return PositiveNumberRefusal(Lookup(Texts::InvalidFieldSize, u"'%s' is not a valid field size."), Text,
                                 FieldSizeMaxValue, FormatSettings(), Lookup);
}
