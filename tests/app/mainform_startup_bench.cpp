// How long the start-up takes from the entry point's first step to the main window shown and
// painted, without the splash screen's fixed waits (they are recorded, not slept). The figure
// is printed, never checked: speed is reported, not asserted. With L3D_SCREENSHOT_DIR set, a
// picture of the main window as it first shows is saved there as mainform.png, and one of
// the splash screen as splash.png.
#include "program_fixture.h"

#include "app/dlg_splashscreen.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Delays.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

TEST_F(ProgramTest, StartUpTimeWithoutTheSplashWaits)
{
    // The first start also writes the settings file; the others read it, as every later start.
    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        ASSERT_TRUE(Start());
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
        Stop();
    }
    const double first = ms.front();
    std::sort(ms.begin() + 1, ms.end());
    std::printf("start-up to the main window shown (no splash waits): first start %.0f ms, "
                "later starts median %.0f ms (min %.0f, max %.0f)\n",
                first, ms[2], ms[1], ms.back());
    std::fflush(stdout);
}

TEST_F(ProgramTest, PicturesOfTheSplashScreenAndTheMainWindow)
{
    if (l3d::testing::ScreenshotFolder().empty())
        GTEST_SKIP() << "L3D_SCREENSHOT_DIR not set";
    // The splash screen as it shows the third step.
    SleepSeam() = [&](uint32_t) {
        if (SplashScreen && SplashScreen->ProgressBar->LightValue() == 60)
            l3d::testing::SaveScreenshot(SplashScreen->Handle(), u"splash.png");
    };
    ASSERT_TRUE(Start());
    const TSize size = l3d::testing::SaveScreenshot(MainForm->Handle(), u"mainform.png");
    EXPECT_GT(size.cx, 0);
    std::printf("main window picture: %dx%d\n", size.cx, size.cy);
}
