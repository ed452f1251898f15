// The export of the drawn view on the running program: each format's file decodes to the
// picture the window shows, also when another OpenGL context was current; names whose
// extension is not one of the three write nothing; the save dialog proposes the scan's name
// and gives a bare name the extension of the picked type; and the system's own save dialog,
// driven by keys, writes the file it was given.
#include "mainform_commands_fixture.h"
#include "mainroad_support.h"

#include "app/ExportChoice.h"
#include "scan/files/globals.h"
#include "scan/render/ScanGLContext.h"
#include "scan/render/_TScanImage.h"

#include "framework/image_decode.h"
#include "support/dialog_script.h"
#include "support/gui_test.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Bitmap.h"
#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <windows.h>
#include <dlgs.h>
#include <GL/gl.h>

#include <cstdlib>

namespace {

using image_test::Decoded;

// The pixels of a BMP file as the decoders give theirs: RGB, rows top first.
Decoded DecodeBmp(const std::u16string& FileName)
{
    Decoded out;
    TBitmap b;
    try {
        b.LoadFromFile(FileName);
    } catch (...) {
        return out;
    }
    out.Ok = true;
    out.Width = b.Width();
    out.Height = b.Height();
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t p = b.ScanLine(y)[x];
            out.Rgb.insert(out.Rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
    return out;
}

Decoded DecodeFile(const std::u16string& FileName)
{
    switch (ImageFormatOfFileName(FileName)) {
    case TImageFormat::Png: return image_test::DecodePng(ReadFileBytes(FileName));
    case TImageFormat::Jpeg: return image_test::DecodeJpeg(ReadFileBytes(FileName));
    case TImageFormat::Bmp: return DecodeBmp(FileName);
    default: return {};
    }
}

// The mean difference per channel between a decoded file and the window's pixels, and the
// share of pixels that differ at all; the sizes must agree.
struct TDifference {
    double MeanPerChannel = 1e9;
    double ShareDiffering = 1.0;
};
TDifference Compare(const Decoded& File, const l3d::testing::Pixels& Shown)
{
    TDifference d;
    if (!File.Ok || File.Width != Shown.width || File.Height != Shown.height)
        return d;
    uint64_t sum = 0, differing = 0;
    for (int y = 0; y < Shown.height; ++y)
        for (int x = 0; x < Shown.width; ++x) {
            const uint32_t s = Shown.At(x, y);
            const uint8_t* f = &File.Rgb[(static_cast<size_t>(y) * File.Width + x) * 3];
            const int dr = std::abs(int(f[0]) - int((s >> 16) & 0xFF));
            const int dg = std::abs(int(f[1]) - int((s >> 8) & 0xFF));
            const int db = std::abs(int(f[2]) - int(s & 0xFF));
            sum += dr + dg + db;
            differing += (dr | dg | db) != 0;
        }
    const double pixels = double(Shown.width) * Shown.height;
    d.MeanPerChannel = double(sum) / (3 * pixels);
    d.ShareDiffering = double(differing) / pixels;
    return d;
}

// Answers the save dialog with a name and records what it was asked.
struct TSaveAnswer {
    std::u16string FileName;
    int FileType = -1;   // another type picked in the dialog first, -1 for none
    bool Confirm = true;
    TFileDialogRequest Asked;
};
void AnswerSaveDialog(TSaveAnswer& Answer)
{
    FileDialogSeam() = [&Answer](TFileDialogRequest& r) {
        Answer.Asked = r;
        if (Answer.FileType >= 0) {
            r.FilterIndex = Answer.FileType;
            r.OnTypeChange(r);
            Answer.Asked.DefaultExt = r.DefaultExt;
        }
        r.FileName = Answer.FileName;
        return Answer.Confirm;
    };
}

}  // namespace

class ExportTest : public CommandsTest {
protected:
    // The drawn view as the window shows it after the export's swap.
    l3d::testing::Pixels ShownView()
    {
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        return mainroad::ViewPixels(MainForm->State().Views().ExportViewport());
    }
};

TEST_F(ExportTest, EachFormatHoldsThePictureTheWindowShows)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    ASSERT_TRUE(mainroad::DrawFrame());
    const uint32_t background = 0;
    ASSERT_EQ(GlobalSettings.BackgroundColor, background);
    TSaveAnswer answer;
    AnswerSaveDialog(answer);
    // The first export of a run starts in the user's pictures, each later one where the last went.
    std::u16string startsIn = Pictures.substr(0, Pictures.size() - 1);
    for (const char16_t* fileName : {u"view.png", u"view.bmp", u"view.jpg", u"view.jpeg"}) {
        const std::string name = WideToUtf8(fileName);
        answer.FileName = Root + fileName;
        mainroad::RunCommand(MainForm->MenuFileExport);
        EXPECT_EQ(answer.Asked.InitialDir, startsIn) << name;
        startsIn = Root;
        ASSERT_TRUE(FileExists(answer.FileName)) << name;
        const l3d::testing::Pixels shown = ShownView();
        // The scan is in the picture, not just the background.
        ASSERT_GT(mainroad::PixelsOtherThan(shown, background), shown.data.size() / 20);
        const Decoded file = DecodeFile(answer.FileName);
        ASSERT_TRUE(file.Ok) << name;
        EXPECT_FALSE(file.HasAlpha) << name;
        const TDifference d = Compare(file, shown);
        if (ImageFormatOfFileName(answer.FileName) == TImageFormat::Jpeg) {
            EXPECT_LT(d.MeanPerChannel, 4.0) << name;
        } else {
            EXPECT_EQ(d.ShareDiffering, 0.0) << name;
        }
    }
    if (const std::u16string folder = l3d::testing::ScreenshotFolder(); !folder.empty())
        WriteFileBytes(folder + u"\\export.png", ReadFileBytes(Root + u"view.png"));
    // What the dialog was asked: the three types with PNG chosen, the scan's name.
    ASSERT_EQ(answer.Asked.Filters.size(), 3u);
    EXPECT_EQ(answer.Asked.Filters[1].first, u"PNG - Portable Network Graphic (*.png)");
    EXPECT_EQ(answer.Asked.FilterIndex, 1);
    EXPECT_EQ(answer.Asked.DefaultExt, u".png");
    EXPECT_EQ(answer.Asked.FileName, u"scan");
    EXPECT_TRUE(ErrorBoxes.empty());
}

TEST_F(ExportTest, TheViewIsDrawnAgainForTheExportWhateverTheBuffersAndTheCurrentContextHold)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    ASSERT_TRUE(mainroad::DrawFrame());
    const l3d::testing::Pixels drawn = ShownView();
    // After a swap the back buffer's content is undefined: here it is magenta.
    ASSERT_TRUE(MainForm->State().Session().Image()->MakeCurrent());
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Another window's context, cleared to magenta, is current when the command runs.
    l3d::testing::TestWindow other(L"other context", 64, 64);
    HDC dc = GetDC(other.Handle());
    HPALETTE palette = nullptr;
    ASSERT_NO_THROW(SetupPixelFormat(dc, palette));
    HGLRC rc = wglCreateContext(dc);
    ASSERT_TRUE(rc && wglMakeCurrent(dc, rc));
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    TSaveAnswer answer;
    answer.FileName = Root + u"view.png";
    AnswerSaveDialog(answer);
    mainroad::RunCommand(MainForm->MenuFileExport);
    EXPECT_EQ(Compare(DecodeFile(answer.FileName), drawn).ShareDiffering, 0.0);
    // The export's frame was shown as well.
    EXPECT_EQ(ShownView().data, drawn.data);

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(rc);
    ReleaseDC(other.Handle(), dc);
    if (palette)
        DeleteObject(palette);
}

TEST_F(ExportTest, AnExtensionOfNoneOfTheThreeTypesWritesNothing)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    TSaveAnswer answer;
    AnswerSaveDialog(answer);
    for (const char16_t* fileName : {u"view.gif", u"view.JPG", u".png"}) {
        const std::string name = WideToUtf8(fileName);
        ErrorBoxes.clear();
        answer.FileName = Root + fileName;
        mainroad::RunCommand(MainForm->MenuFileExport);
        EXPECT_FALSE(FileExists(answer.FileName)) << name;
        ASSERT_EQ(ErrorBoxes.size(), 1u);
        EXPECT_EQ(ErrorBoxes[0], UnsupportedExtensionText(FileNameExtension(answer.FileName)));
    }
    // Cancel: nothing written, nothing said.
    ErrorBoxes.clear();
    answer.FileName = Root + u"view.png";
    answer.Confirm = false;
    mainroad::RunCommand(MainForm->MenuFileExport);
    EXPECT_FALSE(FileExists(answer.FileName));
    EXPECT_TRUE(ErrorBoxes.empty());
}

TEST_F(ExportTest, WithoutAScanTheNameIsImageAndABareNameTakesThePickedType)
{
    // A scan that came from a device has no file; the command is off with no scan at all, so
    // its handler runs on the empty view.
    ASSERT_TRUE(Start());
    EXPECT_FALSE(MainForm->MenuFileExport->Enabled());
    TSaveAnswer answer;
    answer.FileName = Root + u"shot";
    answer.FileType = 2;
    AnswerSaveDialog(answer);
    MainForm->MenuFileExportClick(nullptr);
    EXPECT_EQ(answer.Asked.FileName, u"Image");
    EXPECT_EQ(answer.Asked.DefaultExt, u".bmp");
    const Decoded file = DecodeBmp(Root + u"shot.bmp");
    ASSERT_TRUE(file.Ok);
    EXPECT_EQ(file.Width, MainForm->State().Views().ExportViewport().Width);
    EXPECT_EQ(file.Height, MainForm->State().Views().ExportViewport().Height);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReportedAndTheProgramGoesOn)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    TSaveAnswer answer;
    answer.FileName = Root + u"no such folder\\view.png";
    AnswerSaveDialog(answer);
    mainroad::RunCommand(MainForm->MenuFileExport);
    EXPECT_FALSE(FileExists(answer.FileName));
    EXPECT_EQ(ErrorBoxes.size(), 1u);
    answer.FileName = Root + u"view.png";
    mainroad::RunCommand(MainForm->MenuFileExport);
    EXPECT_TRUE(FileExists(answer.FileName));
}

TEST_F(ExportTest, TheSystemSaveDialogTypedByKeysWritesTheFile)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    ASSERT_TRUE(mainroad::DrawFrame());
    const std::u16string target = Root + u"typed";
    {
        DialogScript script([&](HWND dialog) {
            // The name field has the focus; the proposed name is selected, so typing replaces it.
            HWND field = GetFocus();
            for (char16_t c : target)
                PostMessageW(field, WM_CHAR, c, 1);
            PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(field, WM_KEYUP, VK_RETURN, 0xC0000001);
        });
        PostMessageW(MainForm->Handle(), WM_COMMAND, MAKEWPARAM(MainForm->MenuFileExport->Command(), 0), 0);
        ASSERT_TRUE(PumpUntil([&] { return FileExists(target + u".png"); }));
    }
    const TDifference d = Compare(DecodeFile(target + u".png"), ShownView());
    EXPECT_EQ(d.ShareDiffering, 0.0);
}
