#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/ExportChoice.h"
#include "app/PreferencesModel.h"
#include "app/RemarksModel.h"
#include "app/_TUpdate.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/model/_TScanData.h"

namespace {

std::u16string Numbered(int32_t ID, const std::u16string&)
{
    std::string T = "T" + std::to_string(ID);
    return std::u16string(T.begin(), T.end());
}

std::u16string Defaulted(int32_t, const std::u16string& Default) { return Default; }

} // namespace

TEST(ExportChoice, TheFormatComesFromTheFileNamePartExactly)
{
    EXPECT_EQ(ImageFormatOfFileName(u"C:\\out\\view.png"), TImageFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName(u"view.jpeg"), TImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOfFileName(u"view.jpg"), TImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOfFileName(u"C:\\dir.v2\\view.bmp"), TImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFileName(u"view.JPG"), TImageFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName(u"view.gif"), TImageFormat::Unsupported);
    // A dotted folder does not lend its "extension" to a name without one.
    EXPECT_EQ(FileNameExtension(u"C:\\shots.png\\view"), u"");
    EXPECT_EQ(ImageFormatOfFileName(u"C:\\shots.png\\view"), TImageFormat::Unsupported);
    EXPECT_EQ(FileNameExtension(u"a.b.bmp"), u".bmp");
    // A name that is only an extension keeps it, and is refused.
    EXPECT_EQ(FileNameExtension(u"C:\\x\\.png"), u".png");
    EXPECT_EQ(ImageFormatOfFileName(u"C:\\x\\.png"), TImageFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName(u".bmp"), TImageFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName(u"C:\\x\\a.png"), TImageFormat::Png);
}

TEST(ExportChoice, TheDialogsDefaultExtensionMatchesItsFileType)
{
    EXPECT_EQ(ExportDefaultExtension(ExportFileTypeIndex), u".png");
    EXPECT_EQ(std::u16string(ExportFileTypes[ExportFileTypeIndex].Mask), u"*.png;");
    EXPECT_EQ(ExportDefaultExtension(2), u".bmp");
    EXPECT_EQ(ExportProposedName(u""), u"Image");
    EXPECT_EQ(ExportProposedName(u"C:\\Scans\\north.dmo"), u"north");
    EXPECT_EQ(ExportProposedName(u"C:\\x.y\\plain"), u"plain");
}

TEST(ExportChoice, MessagesPutTheirArgumentInLiterally)
{
    auto Lookup = [](int32_t, const std::u16string&) { return std::u16string(u"Bad %s (%d%%)"); };
    EXPECT_EQ(UnsupportedExtensionText(u".gif", Lookup), u"Bad .gif (%d%%)");
    EXPECT_EQ(UnsupportedExtensionText(u".%s", Lookup), u"Bad .%s (%d%%)");
    EXPECT_EQ(UnsupportedExtensionText(u".gif", Defaulted), u"The file extension .gif is not supported.");
    EXPECT_EQ(HelpMissingText(u"C:\\p\\help\\l3d-en.pdf", Defaulted),
              u"The help file could not be found:\r\nC:\\p\\help\\l3d-en.pdf");
}

TEST(ExportChoice, HelpFileByLanguage)
{
    const std::u16string Sep(1, PathDelimiter());
    const std::u16string Folder = u"C:" + Sep + u"L3D" + Sep;
    EXPECT_EQ(HelpFilePath(Folder, u"de_DE"), Folder + u"help" + Sep + u"l3d-de.pdf");
    EXPECT_EQ(HelpFilePath(Folder, u"de_AT"), Folder + u"help" + Sep + u"l3d-en.pdf");
    EXPECT_EQ(HelpFilePath(Folder, u""), Folder + u"help" + Sep + u"l3d-en.pdf");
}

TEST(ExportChoice, TheChartNeedsAChartableFileAndASampleOffset)
{
    TScanPoint P;
    le::PutF64(P.Carried, 1016.0);
    EXPECT_EQ(ChartHeaderOffset("TNW 0.1", &P, true), 1000);
    EXPECT_EQ(ChartHeaderOffset("TNW.TNW.01", &P, true), 1000);
    EXPECT_FALSE(ChartHeaderOffset("DMO.TNW.01", &P, true));
    EXPECT_FALSE(ChartHeaderOffset("TNW 0.1", &P, false));
    EXPECT_FALSE(ChartHeaderOffset("TNW 0.1", nullptr, true));
    for (double Bad : {0.0, -5.0, 10.0, std::numeric_limits<double>::quiet_NaN(), 1e12}) {
        le::PutF64(P.Carried, Bad);
        EXPECT_FALSE(ChartHeaderOffset("TNW 0.1", &P, true)) << Bad;
    }
}

namespace {

TSettingsRecord AtRestoreValues()
{
    TSettingsRecord S;
    S.ColorLimitStep = 1.0f;
    return S;
}

} // namespace

TEST(Preferences, ResetButtonIsEnabledExactlyAwayFromItsValues)
{
    TPreferenceChoices C = ChoicesOfSettings(AtRestoreValues(), 0, 2);
    EXPECT_EQ(C.ZoomStepText, u"1.25");
    EXPECT_FALSE(ResetButtonEnabled(C));
    for (const char16_t* Typed : {u"1.5", u"1.", u"abc", u""}) {
        TPreferenceChoices Changed = C;
        Changed.ZoomStepText = Typed;
        EXPECT_TRUE(ResetButtonEnabled(Changed)) << std::string(Typed, Typed + std::char_traits<char16_t>::length(Typed));
    }
    TPreferenceChoices Moved = C;
    Moved.TimeFormatIndex = 1;
    Moved.MoveStepText = u"7.00";
    Moved.BackgroundColor = 0xFFFFFF;
    EXPECT_TRUE(ResetButtonEnabled(Moved));
    ResetPreferenceChoices(Moved);
    EXPECT_FALSE(ResetButtonEnabled(Moved));
    EXPECT_EQ(Moved.BackgroundColor, 0u);

    // A fresh record's colour step of 3 puts the track bar at 3.
    EXPECT_EQ(ChoicesOfSettings(TSettingsRecord{}, 0, 2).ColorStepPosition, 3);
    TSettingsRecord S;
    for (auto [Step, Position] : {std::pair{2.5f, 2}, {0.0f, 1}, {42.0f, 10}, {std::numeric_limits<float>::quiet_NaN(), 1}}) {
        S.ColorLimitStep = Step;
        EXPECT_EQ(ChoicesOfSettings(S, 0, 2).ColorStepPosition, Position) << Step;
    }
    EXPECT_EQ(ChoicesOfSettings(S, 5, 2).LanguageIndex, -1);
}

TEST(Preferences, EveryFieldIsCheckedBeforeAnyIsApplied)
{
    const TPreferenceChoices Good = ChoicesOfSettings(AtRestoreValues(), 0, 2);
    struct TBad {
        std::u16string TPreferenceChoices::*Field;
        const char16_t* Text;
        TPreferenceField Expected;
    };
    for (TBad B : {TBad{&TPreferenceChoices::ZoomStepText, u"abc", TPreferenceField::ZoomStep},
                   TBad{&TPreferenceChoices::MoveStepText, u"0", TPreferenceField::MoveStep},
                   TBad{&TPreferenceChoices::RotateStepText, u"-1.00", TPreferenceField::RotateStep},
                   TBad{&TPreferenceChoices::RotateStepText, u"1e39", TPreferenceField::RotateStep},
                   TBad{&TPreferenceChoices::ZoomStepText, u"100.01", TPreferenceField::ZoomStep},
                   TBad{&TPreferenceChoices::ZoomStepText, u"1e-50", TPreferenceField::ZoomStep},  // 0 as a Single
                   TBad{&TPreferenceChoices::MoveStepText, u"", TPreferenceField::MoveStep}}) {
        TPreferenceChoices C = Good;
        C.*B.Field = B.Text;
        const TPreferenceCheck Check = CheckPreferences(C, 1, 2);
        EXPECT_FALSE(Check.Ok());
        EXPECT_EQ(Check.BadField, B.Expected);
        EXPECT_FALSE(Check.Error.empty());
    }
    TPreferenceChoices C = Good;
    C.ColorStepPosition = 0;
    EXPECT_EQ(CheckPreferences(C, 1, 2).BadField, TPreferenceField::ColorStep);
    // The largest step is taken.
    C = Good;
    C.RotateStepText = u"100";
    EXPECT_EQ(CheckPreferences(C, 1, 2).Values.RotateStep, 100.0f);
    // The errors read in the active language: the text as typed, put in literally (a "%s" in
    // it takes nothing), and the range.
    const auto language = [](int32_t ID, const std::u16string&) {
        return u"T" + std::u16string(1, char16_t(u'0' + ID % 10)) + u" %s";
    };
    C.ZoomStepText = u"-2 %s";
    EXPECT_EQ(CheckPreferences(C, 1, 2, FormatSettings(), language).Error, u"T1 -2 %s T6 100.00");
}

TEST(Preferences, EmptyChoicesKeepTheOldValues)
{
    TPreferenceChoices C = ChoicesOfSettings(AtRestoreValues(), 0, 2);
    C.ZoomStepText = u"1.";
    C.MoveStepText = u"2.5";
    C.ColorStepPosition = 4;
    C.UnitIndex = -1;
    C.DateFormatIndex = 2;
    C.TimeFormatIndex = 5;
    C.LanguageIndex = -1;
    C.BackgroundColor = 0x123456;
    C.CheckCharacteristics = false;
    const TPreferenceCheck Check = CheckPreferences(C, 1, 2);
    ASSERT_TRUE(Check.Ok());
    EXPECT_FALSE(Check.Values.LanguageIndex);

    TSettingsRecord S;
    S.MeasureUnitIndex = 1;
    S.TimeFormatIndex = 1;
    ApplyPreferences(S, Check.Values);
    EXPECT_EQ(S.ZoomStep, 1.0f);
    EXPECT_EQ(S.MoveStep, 2.5f);
    EXPECT_EQ(S.ColorLimitStep, 4.0f);
    EXPECT_EQ(S.MeasureUnitIndex, 1);  // no unit chosen
    EXPECT_EQ(S.TimeFormatIndex, 1);   // outside the list
    EXPECT_EQ(S.DateFormatIndex, 2);
    EXPECT_EQ(S.BackgroundColor, 0x123456u);
    EXPECT_EQ(S.CheckCharacteristics, 0);
}

TEST(Preferences, StepsFollowTheLocalesSeparator)
{
    TFormatSettings Comma;
    Comma.DecimalSeparator = u',';
    Comma.ThousandSeparator = u'.';
    TPreferenceChoices C = ChoicesOfSettings(AtRestoreValues(), 0, 1, Comma);
    EXPECT_EQ(C.ZoomStepText, u"1,25");
    EXPECT_FALSE(ResetButtonEnabled(C, Comma));
    C.RotateStepText = u"2,5";
    const TPreferenceCheck Check = CheckPreferences(C, 1, 1, Comma);
    ASSERT_TRUE(Check.Ok());
    EXPECT_EQ(Check.Values.RotateStep, 2.5f);
    EXPECT_EQ(UnitChoiceTexts({TMeasureUnit{u"Meter", 1.0f, u"m"}}), std::vector<std::u16string>{u"Meter ( m )"});
}

TEST(Remarks, StatusBarTexts)
{
    const TRemarksStatus S = RemarksStatusTexts(45000.5, 0, 0, 4, 1234);  // 15 March 2023, noon
    EXPECT_EQ(S.Date, u"15.03.2023");
    EXPECT_EQ(S.Time, u"12:00");
    EXPECT_EQ(S.Kind, u" GPS Scan");
    EXPECT_EQ(S.Points, u"1234");
    for (double Bad : {std::numeric_limits<double>::quiet_NaN(), 1e10, -1e9}) {
        const TRemarksStatus B = RemarksStatusTexts(Bad, 0, 0, 0, 0);
        EXPECT_EQ(B.Date, u"??" u"/??" u"/??");
        EXPECT_EQ(B.Time, u"??:??");
    }
    EXPECT_EQ(ScanKindText(3), u"");
}

TEST(Remarks, FieldSizesConvertBothWaysAndSurviveAnUnchangedEdit)
{
    const TMeasureUnit Centi{u"cm", 0.01f, u"cm"};
    const TMeasureUnit Foot{u"Foot", 0.3048f, u"ft"};
    TRemarksRec_L3D_3 Old;
    Old.Date = 45000.0;
    Old.FieldLength = 4.6f;
    Old.FieldWidth = 2.0f;
    Old.SoilType = 3;

    TRemarksEdit E;
    E.Project = u"North";
    E.LengthShown = E.LengthNow = 460.0;
    E.WidthShown = 200.0;
    E.WidthNow = 500.0;
    TRemarksRec_L3D_3 R = RemarksAfterEdit(Old, E, &Centi);
    EXPECT_EQ(R.Project, u"North");
    EXPECT_EQ(R.FieldLength, 4.6f);
    EXPECT_NEAR(R.FieldWidth, 5.0f, 1e-6);
    EXPECT_EQ(R.SoilType, 3);  // no soil chosen
    EXPECT_EQ(R.Date, 45000.0);

    // Feet show two decimals: 15.09 ft stands for 4.6 m but is not exactly it.
    E.LengthShown = E.LengthNow = 15.09;
    E.WidthShown = E.WidthNow = 6.56;
    E.SoilIndex = 5;
    R = RemarksAfterEdit(Old, E, &Foot);
    EXPECT_EQ(R.FieldLength, 4.6f);
    EXPECT_EQ(R.FieldWidth, 2.0f);
    EXPECT_EQ(R.SoilType, 5);

    E.FieldSizeEdited = false;  // mode byte 1: the edits were disabled
    E.LengthNow = 99.0;
    EXPECT_EQ(RemarksAfterEdit(Old, E, &Foot).FieldLength, 4.6f);

    EXPECT_EQ(FieldLengthLabel(&Foot, Numbered), u"T77 ( ft )");
    EXPECT_EQ(FieldWidthLabel(nullptr, Numbered), u"T78 (  )");
}

TEST(Update, DefaultsAndTheURLSetter)
{
    TUpdate U(nullptr);
    EXPECT_EQ(U.Port, 80);
    EXPECT_EQ(U.URL(), "");
    U.SetURL("http://example.invalid/updates");
    EXPECT_EQ(U.URL(), "http://example.invalid/updates/");
    U.SetURL("http://example.invalid/updates/");
    EXPECT_EQ(U.URL(), "http://example.invalid/updates/");
    U.SetURL("");
    EXPECT_EQ(U.URL(), "");
}
