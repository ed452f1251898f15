// The message box under Wine: the real dialog is found by its title while its modal loop runs
// and its buttons are clicked with posted messages; its layout is read from the form.
#include "shell/dlg_infodialog.h"

#include "scan/files/_TFileManager.h"
#include "scan/files/_TFileSystem.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"
#include "scan/files/files_test_support.h"
#include "support/gui_test.h"
#include "support/pump.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Timer.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// What the form showed, read when its modal loop starts.
struct TShown {
    TInfoDialog* Dialog = nullptr;
    std::vector<std::u16string> Buttons;  // visible ones, left to right
    int RowLeft = 0, RowWidth = 0, ClientWidth = 0, ClientHeight = 0;
    std::vector<std::string> Pictures;    // visible ones
    bool CheckBox = false;
    std::u16string CheckBoxText, Label, Title;
    TRect LabelBounds, PictureBounds;
    bool TopMost = false;
    // The caption bar's texts.
    bool CaptionActive = false;
    std::vector<std::pair<std::u16string, TAlignment>> CaptionTexts;
};

// Records the form through the modal seam and, once its window is found by Title, runs Action
// on it from inside the dialog's loop (a timer ticks there).
class TDialogDriver {
public:
    TDialogDriver(std::u16string Title, std::function<void(HWND)> Action)
        : title_(std::move(Title)), action_(std::move(Action)), timer_(CreateComponent<TTimer>(nullptr))
    {
        ModalDialogHook() = [this](TCustomForm* f) { Record(dynamic_cast<TInfoDialog*>(f)); };
        timer_->SetInterval(20);
        timer_->OnTimer = [this](TObject*) {
            const HWND w = FindWindowW(nullptr, WideChars(title_));
            if (!w || !IsWindowVisible(w))
                return;
            timer_->SetEnabled(false);
            Found = w;
            action_(w);
        };
    }
    ~TDialogDriver() { ModalDialogHook() = nullptr; }

    TShown Shown;
    HWND Found = nullptr;

private:
    void Record(TInfoDialog* d)
    {
        ASSERT_NE(d, nullptr);
        Shown.Dialog = d;
        std::vector<TElPopupButton*> shown;
        for (TElPopupButton* b : {d->ButtonOK, d->ButtonYes, d->ButtonNo, d->ButtonCancel})
            if (b->Visible())
                shown.push_back(b);
        std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->Left() < b->Left(); });
        for (TElPopupButton* b : shown)
            Shown.Buttons.push_back(b->Caption());
        EXPECT_EQ(d->VisibleButtonCount(), static_cast<int>(shown.size()));
        Shown.RowLeft = d->FlowPanel1->Left();
        Shown.RowWidth = d->FlowPanel1->Width();
        Shown.ClientWidth = d->ClientWidth();
        Shown.ClientHeight = d->ClientHeight();
        for (TImage* i : {d->ImageError, d->ImageInformation, d->ImageConfirmation})
            if (i->Visible())
                Shown.Pictures.push_back(i->Name());
        Shown.CheckBox = d->CheckBox->Visible();
        Shown.CheckBoxText = d->CheckBox->Caption();
        Shown.Label = d->Label1->Caption();
        Shown.Title = d->Caption();
        Shown.LabelBounds = d->Label1->BoundsRect();
        Shown.PictureBounds = d->ImageError->BoundsRect();
        Shown.TopMost = (GetWindowLongW(d->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        Shown.CaptionActive = d->ElFormCaption->Active();
        for (int i = 0; i < d->ElFormCaption->Texts().Count(); ++i) {
            const TElCaptionText* t = d->ElFormCaption->Texts().Items(i);
            if (t->Visible())
                Shown.CaptionTexts.push_back({t->Caption(), t->Align()});
        }
        timer_->SetEnabled(true);
    }

    std::u16string title_;
    std::function<void(HWND)> action_;
    TOwned<TTimer> timer_;
};

struct TFindText {
    std::u16string Text;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchText(HWND Wnd, LPARAM Data)
{
    auto* find = reinterpret_cast<TFindText*>(Data);
    wchar_t buffer[128] = {};
    GetWindowTextW(Wnd, buffer, 128);
    if (IsWindowVisible(Wnd) && std::u16string(reinterpret_cast<const char16_t*>(buffer)) == find->Text) {
        find->Found = Wnd;
        return FALSE;
    }
    return TRUE;
}

// The visible child window of Dialog with the text; null when none.
HWND ChildWithText(HWND Dialog, const std::u16string& Text)
{
    TFindText find{Text};
    EnumChildWindows(Dialog, MatchText, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

void PostClick(HWND Wnd)
{
    PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Clicks the dialog's button with the caption.
std::function<void(HWND)> Press(std::u16string Caption)
{
    return [Caption](HWND dialog) {
        const HWND button = ChildWithText(dialog, Caption);
        EXPECT_NE(button, nullptr) << "no button";
        if (button)
            PostClick(button);
        else
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    };
}

TEST(InfoDialog, EachButtonBitShowsItsButtonCentredAndEndsWithItsResult)
{
    struct TCase {
        uint16_t Buttons;
        std::u16string Pressed;
        int32_t Result;
        std::vector<std::u16string> Shown;
    };
    const TCase cases[] = {
        {4, u"OK", 1, {u"OK"}},
        {1, u"Yes", 6, {u"Yes"}},
        {2, u"No", 7, {u"No"}},
        {8, u"Cancel", 2, {u"Cancel"}},
        {3, u"No", 7, {u"Yes", u"No"}},
        {15, u"Yes", 6, {u"OK", u"Yes", u"No", u"Cancel"}},
    };
    for (const TCase& c : cases) {
        TDialogDriver driver(u"Question", Press(c.Pressed));
        EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Question", u"Go on?", c.Buttons), c.Result) << c.Buttons;
        EXPECT_NE(driver.Found, nullptr);
        EXPECT_EQ(driver.Shown.Buttons, c.Shown) << c.Buttons;
        const int width = 100 * static_cast<int>(c.Shown.size());
        EXPECT_EQ(driver.Shown.RowWidth, width);
        EXPECT_EQ(driver.Shown.RowLeft, CentredPanelLeft(driver.Shown.ClientWidth, width));
    }
    // The dialog is gone with its result.
    EXPECT_EQ(FindWindowW(nullptr, L"Question"), nullptr);
}

TEST(InfoDialog, WithoutButtonsOnlyTheCloseBoxEndsItWithTwo)
{
    TDialogDriver driver(u"Nothing", [](HWND dialog) {
        PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(ShowInfoDialog(idkInformation, u"Nothing", u"Nothing to press.", 0), 2);
    EXPECT_TRUE(driver.Shown.Buttons.empty());
    EXPECT_EQ(driver.Shown.RowLeft, CentredPanelLeft(driver.Shown.ClientWidth, 0));
    // The close box on a dialog with buttons gives 2 as well.
    TDialogDriver closing(u"Closing", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Closing", u"Close it?", 3), 2);
}

TEST(InfoDialog, EachKindShowsItsOnePictureAndTheTexts)
{
    const std::pair<uint8_t, std::string> kinds[] = {
        {idkError, "ImageError"}, {idkInformation, "ImageInformation"}, {idkConfirmation, "ImageConfirmation"}};
    for (const auto& [kind, picture] : kinds) {
        TDialogDriver driver(u"Kind", Press(u"OK"));
        EXPECT_EQ(ShowInfoDialog(kind, u"Kind", u"The scan image could not be converted.", idbOK), 1);
        EXPECT_EQ(driver.Shown.Pictures, std::vector<std::string>{picture});
        EXPECT_EQ(driver.Shown.Title, u"Kind");
        EXPECT_TRUE(driver.Shown.TopMost);
        // The caption bar shows the caption as its one text; without a language, on the left.
        EXPECT_TRUE(driver.Shown.CaptionActive);
        EXPECT_EQ(driver.Shown.CaptionTexts,
                  (std::vector<std::pair<std::u16string, TAlignment>>{{u"Kind", TAlignment::taLeftJustify}}));
        EXPECT_EQ(driver.Shown.Label, u"The scan image could not be converted.");
        // Left to right the label starts right of the pictures.
        EXPECT_EQ(driver.Shown.LabelBounds.Left, TInfoDialogDesign{}.Label.Left);
    }
}

TEST(InfoDialog, TheDontShowAgainBoxReportsItsTickWhenTheFormCloses)
{
    const TInfoDialogDesign design;
    std::vector<TObject*> calls;
    TNotifyEvent dontShow = [&](TObject* s) { calls.push_back(s); };

    // Ticked, then No: the callback runs once, with the form.
    TDialogDriver ticked(u"Restore", [](HWND dialog) {
        PostClick(ChildWithText(dialog, u"Do not show this message again!"));
        PostClick(ChildWithText(dialog, u"No"));
    });
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Restore", u"Restore the defaults?", 3, dontShow), 7);
    EXPECT_TRUE(ticked.Shown.CheckBox);
    EXPECT_EQ(ticked.Shown.CheckBoxText, u"Do not show this message again!");
    EXPECT_EQ(ticked.Shown.ClientHeight, design.CheckBox.Bottom);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], ticked.Shown.Dialog);

    // Left clear: never called.
    TDialogDriver clear(u"Restore", Press(u"Yes"));
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Restore", u"Restore the defaults?", 3, dontShow), 6);
    EXPECT_EQ(calls.size(), 1u);

    // Without a callback the box is hidden and the form shorter by its height.
    TDialogDriver none(u"Restore", Press(u"Yes"));
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Restore", u"Restore the defaults?", 3), 6);
    EXPECT_FALSE(none.Shown.CheckBox);
    EXPECT_EQ(ticked.Shown.ClientHeight - none.Shown.ClientHeight, design.CheckBox.Height());
}

// A language file with one language whose texts are given, active while it lives.
struct TGermanTexts {
    explicit TGermanTexts(std::vector<TLanguageItem> Items, uint8_t Direction = 1)
    {
        TLanguage german;
        german.Direction = Direction;
        german.Strings[0] = u"de_DE";
        german.Strings[1] = u"Deutsch";
        german.SetItems(std::move(Items));
        TMemoryStream payload;
        EXPECT_TRUE(german.Save(payload));
        TMemoryStream file;
        EXPECT_TRUE(WriteContainerEntry(file, u"de", payload.Bytes()));
        WriteBytes(Folder.Path("Lorvane3D.lng"), file.Bytes());
        EXPECT_TRUE(Manager.LoadFromFile(Folder.Path("Lorvane3D.lng"), u"de_DE"));
        Manager.SetActiveLanguageName(u"de_DE");
        LanguageManager = &Manager;
    }
    ~TGermanTexts() { LanguageManager = nullptr; }
    TTempFolder Folder;
    TLanguageManager Manager{nullptr};
};

TEST(InfoDialog, TextsComeFromTheLanguageAndRightToLeftMirrorsTheLayout)
{
    TGermanTexts german({{71, u"Gut"}, {167, u"Ja"}, {168, u"Nein"}, {72, u"Abbrechen"}, {144, u"Nicht mehr zeigen"}});
    TDialogDriver driver(u"Frage", Press(u"Abbrechen"));
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Frage", u"Weiter?", 15, [](TObject*) {}), 2);
    EXPECT_EQ(driver.Shown.Buttons, (std::vector<std::u16string>{u"Gut", u"Ja", u"Nein", u"Abbrechen"}));
    EXPECT_EQ(driver.Shown.CheckBoxText, u"Nicht mehr zeigen");

    Application->BiDiMode = TBiDiMode::bdRightToLeft;
    TDialogDriver mirrored(u"Frage", Press(u"Ja"));
    EXPECT_EQ(ShowInfoDialog(idkError, u"Frage", u"Weiter?", idbYes), 6);
    Application->BiDiMode = TBiDiMode::bdLeftToRight;
    const TInfoDialogDesign design;
    EXPECT_EQ(mirrored.Shown.PictureBounds.Right, mirrored.Shown.ClientWidth - design.Picture.Left);
    EXPECT_EQ(mirrored.Shown.LabelBounds.Right, mirrored.Shown.PictureBounds.Left - design.RightToLeftLabelGap);
    EXPECT_EQ(mirrored.Shown.CaptionTexts[0].second, TAlignment::taLeftJustify);  // the language reads left to right
}

TEST(InfoDialog, ARightToLeftLanguageSetsTheCaptionTextRight)
{
    TGermanTexts rightToLeft({{71, u"OK"}}, 0);
    TDialogDriver driver(u"Caption", Press(u"OK"));
    EXPECT_EQ(ShowInfoDialog(idkInformation, u"Caption", u"Text", idbOK), 1);
    EXPECT_EQ(driver.Shown.CaptionTexts,
              (std::vector<std::pair<std::u16string, TAlignment>>{{u"Caption", TAlignment::taRightJustify}}));
}

TEST(InfoDialog, TheFileManagersMessagesArriveThroughTheMessageBox)
{
    TGermanTexts german({{171, u"Fehler"}, {92, u"Datei nicht gefunden."}});
    SetDefaultMessageSink(&InfoDialogMessageSink());
    TViewStates views{};
    TFileManager manager([] { return nullptr; }, views);
    TTempFolder folder;
    std::string magic;

    // Answered through the seam: kind, caption, text and buttons as the file manager asks.
    struct TCall {
        uint8_t Kind;
        std::u16string Caption, Text;
        uint16_t Buttons;
    };
    std::vector<TCall> calls;
    InfoDialogSeam() = [&](uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                           uint16_t Buttons, const TNotifyEvent&) {
        calls.push_back({Kind, Caption, Text, Buttons});
        return 1;
    };
    EXPECT_FALSE(manager.OpenFile(folder.Path("missing.l3d"), magic));
    InfoDialogSeam() = nullptr;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Kind, idkError);
    EXPECT_EQ(calls[0].Caption, u"Fehler");
    EXPECT_EQ(calls[0].Text, u"Datei nicht gefunden.");
    EXPECT_EQ(calls[0].Buttons, idbOK);

    // The real dialog.
    TDialogDriver driver(u"Fehler", Press(u"OK"));
    EXPECT_FALSE(manager.OpenFile(folder.Path("missing.l3d"), magic));
    EXPECT_NE(driver.Found, nullptr);
    EXPECT_EQ(driver.Shown.Label, u"Datei nicht gefunden.");
    EXPECT_EQ(driver.Shown.Pictures, std::vector<std::string>{"ImageError"});

    // Errors go to the framework's standard error box.
    std::vector<std::pair<std::u16string, uint32_t>> boxes;
    MessageBoxSeam() = [&](const std::u16string& Text, const std::u16string&, uint32_t Flags) {
        boxes.push_back({Text, Flags});
        return IDOK;
    };
    DefaultMessageSink().ShowErrorBox(u"Damaged file: \"settings.cfg\"");
    MessageBoxSeam() = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].second, static_cast<uint32_t>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].first.rfind(u"Damaged file: ", 0), 0u);
    SetDefaultMessageSink(nullptr);
}

TEST(InfoDialog, AMessageBoxAsAPicture)
{
    const std::u16string file = std::filesystem::absolute("infodialog.png").u16string();
    TSize size;
    ModalDialogHook() = [&](TCustomForm* f) {
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        size = l3d::testing::SaveWindowPicture(f->Handle(), file);
        f->SetModalResult(mrYes);
    };
    EXPECT_EQ(ShowInfoDialog(idkConfirmation, u"Restore",
                             u"Do you really want to restore all configuration settings to its default values?", 3,
                             [](TObject*) {}),
              mrYes);
    ModalDialogHook() = nullptr;
    EXPECT_GT(size.cx, 483);
    EXPECT_GT(std::filesystem::file_size(std::filesystem::path(file)), 1000u);
}

}  // namespace
