#include "app/LanguageTexts.h"

#include "app/ViewNavigation.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

namespace {

using enum TTextProperty;
using enum TCaptionJoin;

// A button that shows the hint of the item (or button) that runs the same command.
struct THintCopy {
    const char* Target;
    const char* Source;
};

constexpr THintCopy HintCopies[] = {
    {"ToolButtonNew", "MenuFileNew"},
    {"ToolButtonOpen", "MenuFileOpen"},
    {"ToolButtonSave", "MenuFileSave"},
    {"ToolButtonPrint", "MenuFilePrint"},
    {"ToolButtonUndo", "MenuEditReset"},
    {"ToolButton5", "MenuEditInterpolate"},
    {"ToolButton8", "MenuEditCorrectFaultSignal"},
    {"ToolButtonRemarks", "MenuFileRemarks"},
    {"ToolButtonReset", "MenuViewReset"},
    {"ToolButtonPerspective", "MenuViewPerspective"},
    {"ToolButtonFront", "MenuViewFront"},
    {"ToolButtonTop", "MenuViewTop"},
    {"ToolButtonWireframe", "MenuViewWireframe"},
    {"ToolButtonHelp", "MenuHelpContents"},
    {"ToolButtonPreferences", "MenuFileConfiguration"},
    // The navigator buttons that repeat tool-bar commands.
    {"SpeedButton10", "ToolButtonLineDown"},
    {"SpeedButton9", "ToolButtonLineUp"},
    {"SpeedButton13", "ToolButtonZoomIn"},
    {"SpeedButton14", "ToolButtonZoomOut"},
    {"SpeedButton17", "ToolButtonStretchIn"},
    {"SpeedButton18", "ToolButtonStretchOut"},
};

// The resolution items and the tool buttons that choose the same level.
struct TResolutionItem {
    const char* MenuItem;
    const char* ToolButton;
};
constexpr TResolutionItem ResolutionItems[] = {
    {"MenuEditRes0", "ToolButtonRes0"}, {"MenuEditRes1", "ToolButtonRes1"},
    {"MenuEditRes2", "ToolButtonRes2"}, {"MenuEditRes3", "ToolButtonRes3"},
    {"MenuEditRes4", "ToolButtonRes4"},
};

constexpr int32_t ResolutionHintID = 39;
constexpr int32_t ZoomHintID = 46;
constexpr const char* ZoomMenuItem = "MenuViewZoom";

// Texts of the first soil types and the two units, in table order.
constexpr int32_t FirstSoilNameID = 182;
constexpr const char16_t* SoilNameDefaults[8] = {
    u"Standard / Unknown", u"Concrete", u"Loam", u"Sand", u"Clay",
    u"Mineralization (light)", u"Mineralization (heavy)", u"Rocky"};
constexpr int32_t FirstUnitNameID = 190;
constexpr const char16_t* UnitNameDefaults[2] = {u"Meter", u"Foot"};

std::u16string JoinCaption(const std::u16string& Text, TCaptionJoin Join, bool RightToLeft)
{
    switch (Join) {
    case Dots: return Text + u" ...";
    case SpacedDots: return JoinInReadingDirection(false, {Text, u" ... "});
    case DotsInDirection: return JoinInReadingDirection(RightToLeft, {Text, u" ..."});
    case None: break;
    }
    return Text;
}

std::u16string LabelledHint(const std::u16string& Label, const std::u16string& Caption)
{
    return JoinInReadingDirection(false, {Label, u":", u" ", Caption});
}

class TTextBuilder {
public:
    explicit TTextBuilder(std::vector<TTextAssignment>& Out) : out_(Out) {}

    void Set(const std::string& Element, TTextProperty Property, const std::u16string& Text)
    {
        out_.push_back({Element, Property, Text});
        if (Property != Hint)
            return;
        for (const THintCopy& Copy : HintCopies)
            if (Element == Copy.Source)
                Set(Copy.Target, Hint, Text);
    }

private:
    std::vector<TTextAssignment>& out_;
};

} // namespace

const TTextLookup& GlobalTextLookup()
{
    static const TTextLookup Lookup = [](int32_t ID, const std::u16string& Default) { return GetText(ID, Default); };
    return Lookup;
}

const std::array<TLanguageTextEntry, LanguageTextCount> LanguageTextTable{{
    // File menu
    {1, u"File", "MenuFile", Caption, None},
    {2, u"New", "MenuFileNew", Caption, Dots},
    {3, u"Start a new project and open data transfer", "MenuFileNew", Hint, None},
    {6, u"Open", "MenuFileOpen", Caption, SpacedDots},
    {7, u"Open previously saved project", "MenuFileOpen", Hint, None},
    {192, u"Recent files", "MenuFile_LastUsed", Caption, None},
    {210, u"", "MenuFile_LastUsed", Hint, None},
    {227, u"Examples", "MenuFileExamples", Caption, None},
    {8, u"Save", "MenuFileSave", Caption, None},
    {9, u"Save current project", "MenuFileSave", Hint, None},
    {10, u"Save as", "MenuFileSaveAs", Caption, SpacedDots},
    {11, u"Save project as a new file", "MenuFileSaveAs", Hint, None},
    {12, u"Preferences", "MenuFileConfiguration", Caption, SpacedDots},
    {13, u"", "MenuFileConfiguration", Hint, None},
    {142, u"Import", "MenuFileImport", Caption, None},
    {143, u"Import measurements from device", "MenuFileImport", Hint, None},
    {140, u"Export", "MenuFileExport", Caption, SpacedDots},
    {141, u"Convert current view to an image file.", "MenuFileExport", Hint, None},
    {14, u"Print", "MenuFilePrint", Caption, SpacedDots},
    {15, u"Print project onto paper", "MenuFilePrint", Hint, None},
    {16, u"Exit", "MenuFileExit", Caption, None},
    {17, u"Exit program", "MenuFileExit", Hint, None},
    // Image menu
    {18, u"Image", "MenuEdit", Caption, None},
    {19, u"Undo", "MenuEditReset", Caption, None},
    {20, u"", "MenuEditReset", Hint, None},
    {21, u"Interpolation", "MenuEditInterpolate", Caption, SpacedDots},
    {22, u"", "MenuEditInterpolate", Hint, None},
    {23, u"Signal correction", "MenuEditCorrectFaultSignal", Caption, SpacedDots},
    {24, u"", "MenuEditCorrectFaultSignal", Hint, None},
    {196, u"Remove dummy values", "MenuEdit_RemoveDummy", Caption, None},
    {208, u"", "MenuEdit_RemoveDummy", Hint, None},
    {195, u"Frequency-Energy-Chart", "MenuEdit_FEChart", Caption, SpacedDots},
    {209, u"", "MenuEdit_FEChart", Hint, None},
    {25, u"Characteristics", "MenuFileRemarks", Caption, SpacedDots},
    {26, u"", "MenuFileRemarks", Hint, None},
    // View menu and palette buttons
    {27, u"View", "MenuView", Caption, None},
    {28, u"Undo", "MenuViewReset", Caption, None},
    {29, u"", "MenuViewReset", Hint, None},
    {30, u"Perspective view", "MenuViewPerspective", Caption, None},
    {31, u"", "MenuViewPerspective", Hint, None},
    {32, u"Front view", "MenuViewFront", Caption, None},
    {33, u"", "MenuViewFront", Hint, None},
    {34, u"Top view", "MenuViewTop", Caption, None},
    {35, u"", "MenuViewTop", Hint, None},
    {36, u"Wireframe", "MenuViewWireframe", Caption, None},
    {37, u"", "MenuViewWireframe", Hint, None},
    {160, u"Crosshairs", "MenuViewCrossHairs", Caption, None},
    {161, u"", "MenuViewCrossHairs", Hint, None},
    {38, u"Resolution", "MenuViewResolution", Caption, None},
    {39, u"", "MenuViewResolution", Hint, None},
    {40, u"Level 1 ( fast )", "MenuEditRes0", Caption, None},
    {41, u"Level 2", "MenuEditRes1", Caption, None},
    {42, u"Level 3", "MenuEditRes2", Caption, None},
    {43, u"Level 4", "MenuEditRes3", Caption, None},
    {44, u"Level 5 ( slow )", "MenuEditRes4", Caption, None},
    {113, u"", "ToolButtonCPBlue", Hint, None},
    {114, u"", "ToolButtonCPGreen", Hint, None},
    {115, u"", "ToolButtonCPRed", Hint, None},
    {45, u"Zoom", "MenuViewZoom", Caption, None},
    {46, u"", "MenuViewZoom", Hint, None},
    // Extras menu
    {47, u"Extras", "MenuExtras", Caption, None},
    {50, u"Navigation bar", "MenuExtrasNavigator", Caption, None},
    {51, u"Switch navigation bar on/off", "MenuExtrasNavigator", Hint, None},
    {48, u"Split screen", "MenuExtrasSplitScreen", Caption, None},
    {49, u"", "MenuExtrasSplitScreen", Hint, None},
    {202, u"Info-Window", "MenuExtrasInfo", Caption, None},
    {206, u"", "MenuExtrasInfo", Hint, None},
    {147, u"Fullscreen", "MenuExtrasFullscreen", Caption, None},
    {148, u"Switch fullscreen mode on/off", "MenuExtrasFullscreen", Hint, None},
    {105, u"Language", "MenuExtras_Language", Caption, None},
    {207, u"", "MenuExtras_Language", Hint, None},
    // Help menu
    {52, u"?", "MenuHelp", Caption, None},
    {53, u"Contents", "MenuHelpContents", Caption, SpacedDots},
    {54, u"", "MenuHelpContents", Hint, None},
    {55, u"Brenholt Homepage", "MenuHelpWebsite", Caption, None},
    {56, u"", "MenuHelpWebsite", Hint, None},
    {200, u"Check for updates", "MenuHelp_Update", Caption, Dots},
    {201, u"Check for updates", "MenuHelp_Update", Hint, None},
    {57, u"About Lorvane 3D", "MenuHelpAbout", Caption, DotsInDirection},
    {58, u"", "MenuHelpAbout", Hint, None},
    // Tool-bar, navigator and axis hints
    {206, u"", "ToolButton_InfoWindow", Hint, None},
    {208, u"", "ToolButton_RemoveDummies", Hint, None},
    {116, u"", "ToolButtonLineDown", Hint, None},
    {117, u"", "ToolButtonLineUp", Hint, None},
    {118, u"", "ComboBoxSoil", Hint, None},
    {119, u"", "ToolButtonZoomIn", Hint, None},
    {120, u"", "ToolButtonZoomOut", Hint, None},
    {46, u"", "ComboBoxZoom", Hint, None},
    {121, u"", "ToolButtonStretchIn", Hint, None},
    {122, u"", "ToolButtonStretchOut", Hint, None},
    {123, u"", "SpeedButton6", Hint, None},
    {124, u"", "SpeedButton5", Hint, None},
    {125, u"", "SpeedButton7", Hint, None},
    {126, u"", "SpeedButton8", Hint, None},
    {127, u"", "SpeedButton2", Hint, None},
    {128, u"", "SpeedButton4", Hint, None},
    {129, u"", "SpeedButton1", Hint, None},
    {130, u"", "SpeedButton3", Hint, None},
    {131, u"", "SpeedButton12", Hint, None},
    {132, u"", "SpeedButton11", Hint, None},
    {214, u"", "SpeedButton15", Hint, None},
    {215, u"", "SpeedButton16", Hint, None},
    {217, u"", "SpeedButton21", Hint, None},
    {216, u"", "SpeedButton22", Hint, None},
    {209, u"", "ToolButton_FEChart", Hint, None},
    {211, u"", "AxisX", Hint, None},
    {212, u"", "AxisY", Hint, None},
    {213, u"", "AxisZ", Hint, None},
}};

std::vector<TTextAssignment> BuildLanguageTexts(const TLanguage* Language, const TTextLookup& Lookup)
{
    std::vector<TTextAssignment> Out;
    if (Language == nullptr)
        return Out;
    const bool RightToLeft = LanguageIsRightToLeft(Language);
    TTextBuilder Builder(Out);
    std::u16string ResolutionHint, ZoomHint;
    for (const TLanguageTextEntry& E : LanguageTextTable) {
        // The File menu's first two texts come from the language being applied itself.
        const std::u16string Looked = (E.ID == 1 || E.ID == 2) ? Language->GetText(E.ID, E.Default)
                                                               : Lookup(E.ID, E.Default);
        const std::u16string Text = JoinCaption(Looked, E.Join, RightToLeft);
        Builder.Set(E.Element, E.Property, Text);

        if (E.Property == Hint && E.ID == ResolutionHintID)
            ResolutionHint = Text;
        for (const TResolutionItem& R : ResolutionItems) {
            if (E.Property != Caption || E.Element != std::string(R.MenuItem))
                continue;
            const std::u16string LevelHint = LabelledHint(ResolutionHint, Text);
            Builder.Set(R.MenuItem, Hint, LevelHint);
            Builder.Set(R.ToolButton, Hint, LevelHint);
        }
        if (E.Property == Hint && E.Element == std::string(ZoomMenuItem)) {
            ZoomHint = Text;
            for (const TZoomItem& Z : ZoomItems)
                Builder.Set(Z.MenuItem, Hint, LabelledHint(ZoomHint, Z.Caption));
        }
    }
    return Out;
}

std::vector<TTextAssignment> DefaultLanguageTexts()
{
    const TLanguage NoTexts;
    return BuildLanguageTexts(&NoTexts, [](int32_t, const std::u16string& Default) { return Default; });
}

bool LanguageIsRightToLeft(const TLanguage* Language)
{
    return Language != nullptr && !Language->LeftToRight();
}

bool ActiveLanguageIsRightToLeft()
{
    return LanguageManager != nullptr && LanguageIsRightToLeft(LanguageManager->ActiveLanguage());
}

std::u16string JoinInReadingDirection(bool RightToLeft, std::initializer_list<std::u16string> Pieces)
{
    std::vector<TVarValue> Values(Pieces.begin(), Pieces.end());
    return VarArrayToWideString(RightToLeft ? 0 : 1, Values);
}

void ApplySoilAndUnitNames(std::vector<TSoil>& SoilTypes, std::vector<TMeasureUnit>& MeasureUnits,
                           const TTextLookup& Lookup)
{
    if (SoilTypes.size() == std::size(SoilNameDefaults))
        for (size_t i = 0; i < SoilTypes.size(); ++i)
            SoilTypes[i].Name = Lookup(FirstSoilNameID + int32_t(i), SoilNameDefaults[i]);
    if (MeasureUnits.size() == std::size(UnitNameDefaults))
        for (size_t i = 0; i < MeasureUnits.size(); ++i)
            MeasureUnits[i].Name = Lookup(FirstUnitNameID + int32_t(i), UnitNameDefaults[i]);
}

int32_t SoilIndexAfterRefill(int32_t Remembered, size_t Count)
{
    if (Count == 0 || Remembered < 0)
        return -1;
    return static_cast<size_t>(Remembered) < Count ? Remembered : 0;
}
