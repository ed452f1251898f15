// TAbout, the about box: the program's picture and name, the maker's lines, the version and
// build from the program file's version block, and two links that open the maker's and the
// product's web pages in the system's browser.
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/foundation/ElVersionInfo.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

// The web pages the links open.
constexpr char16_t MakerWebAddress[] = u"https://www.brenholt.example/";
constexpr char16_t ProductWebAddress[] = u"https://www.brenholt.example/lorvane3d/";

// Opens Target (a file or a web address) with what the system has for it (Operation "" is its
// default verb, "open" for web pages), in Directory; when the system cannot, an error box says
// so and names Target. True when it opened.
bool OpenWithSystem(const std::u16string& Operation, const std::u16string& Target,
                    const std::u16string& Directory = {});

class TAbout : public TForm {
public:
    explicit TAbout(TComponent* AOwner);
    const char* ClassName() const override { return "TAbout"; }

    TImage* ImageLogo;
    TElLabel* LabelMakerLine1;    // the maker's lines
    TElLabel* LabelMakerLine2;
    TElLabel* LabelVersion;  // "Version:"
    TElLabel* Label5;        // the version, such as "2.0.1"
    TElLabel* Label7;        // "Build:"
    TElLabel* Label8;        // the build number
    TElLabel* Label2;        // link to the maker's web page
    TElLabel* Label6;        // link to the product's web page
    TBevel* Bevel1;
    TElPopupButton* ButtonOK;
    TElVersionInfo* ElVersionInfo;
    TElFormCaption* ElFormCaption;

    void FormCreate(TObject* Sender);
    // The version labels from a version block, or "2.0.0" and "107" without one.
    void ShowVersion(const TElVersionInfo& Info);
    void Label2Click(TObject* Sender);
    void Label6Click(TObject* Sender);
};
