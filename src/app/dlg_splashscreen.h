// The splash screen shown while the main window is made: a borderless white window in the
// middle of the screen with the program's picture, its version and build from the program's
// version block, and a progress bar that the start-up moves forward.
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/foundation/ElBiProgressBar.h"
#include "widgets/el/foundation/ElVersionInfo.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

class TSplashScreen : public TForm {
public:
    explicit TSplashScreen(TComponent* AOwner);
    ~TSplashScreen() override;
    const char* ClassName() const override { return "TSplashScreen"; }

    TImage* ImageBackground;
    TImage* ImageLogo;
    TShape* ShapeFrame;
    TElLabel* LabelProduct;  // the maker's notice: the program's name
    TElLabel* LabelNotice;   // and what it is
    TElLabel* LabelVersion;  // "Version:"
    TElLabel* Label5;        // the version, such as "2.0.1"
    TElLabel* Label3;        // "Build:"
    TElLabel* Label4;        // the build number
    TElBiProgressBar* ProgressBar;
    TElVersionInfo* ElVersionInfo1;

    void FormCreate(TObject* Sender);
    // Shows the progress in percent, paints the window at once and waits 300 ms, so that each
    // step of the start-up can be seen. Sender is not used.
    void SetProgress(TObject* Sender, int32_t Value);
    // The same with a wait of WaitMs (the last step waits less).
    void ShowProgress(int32_t Value, uint32_t WaitMs);
    // The version labels from a version block: Major.Minor.Release and the build, or "2.0.0"
    // and "88" when the block is missing.
    void ShowVersion(const TElVersionInfo& Info);
};

extern TSplashScreen* SplashScreen;
