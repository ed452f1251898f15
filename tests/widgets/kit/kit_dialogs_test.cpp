// The kit's file dialogs against a scripted dialog: what reaches the dialog, the type-change
// event while it runs, and what comes back.
#include "widgets/kit/KitDialogs.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

TEST(KitFileDialog, SaveDialogHandsOverItsSettingsAndFollowsTheTypeChange)
{
    TOwned<TKitSaveDialog> dialog(new TKitSaveDialog(nullptr));
    for (const char16_t* mask : {u"*.jpg;*.jpeg;", u"*.png;", u"*.bmp;"}) {
        TKitFileType* type = dialog->FileTypes.Add();
        type->DisplayName = std::u16string(u"Image ") + mask;
        type->FileMask = mask;
    }
    dialog->DefaultFolder = u"C:\\scans";
    dialog->Title = u"Export";
    dialog->FileName = u"field7";
    dialog->FileTypeIndex = 1;
    dialog->DefaultExtension = u".png";
    int events = 0;
    dialog->OnTypeChange = [&](TObject* Sender) {
        ++events;
        EXPECT_EQ(Sender, dialog.get());
        dialog->DefaultExtension = dialog->FileTypeIndex == 2 ? u".bmp" : u".jpg";
    };

    EXPECT_TRUE(dialog->ExecuteWith([&](TFileDialogRequest& r) {
        EXPECT_TRUE(r.Save);
        EXPECT_EQ(r.Title, u"Export");
        EXPECT_EQ(r.InitialDir, u"C:\\scans");
        EXPECT_EQ(r.FileName, u"field7");
        EXPECT_EQ(r.Filters.size(), 3u);
        EXPECT_EQ(r.Filters.at(2).first, u"Image *.bmp;");
        EXPECT_EQ(r.Filters.at(0).second, u"*.jpg;*.jpeg;");
        EXPECT_EQ(r.FilterIndex, 1);
        EXPECT_EQ(r.DefaultExt, u".png");
        r.FilterIndex = 2;  // the user picks BMP
        r.OnTypeChange(r);
        EXPECT_EQ(dialog->FileTypeIndex, 2);
        EXPECT_EQ(r.DefaultExt, u".bmp");  // the running dialog appends this one now
        r.FileName = u"C:\\scans\\v1.2\\field7";
        return true;
    }));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(dialog->FileName, u"C:\\scans\\v1.2\\field7.bmp");
    EXPECT_EQ(dialog->FileTypeIndex, 2);
    EXPECT_THROW(dialog->FileTypes.Items(3), EListError);
}

TEST(KitFileDialog, OpenDialogTakesTheNameAsChosenAndCancelChangesNothing)
{
    TOwned<TKitOpenDialog> dialog(new TKitOpenDialog(nullptr));
    dialog->FileTypes.Add()->FileMask = u"*.dmo";
    dialog->FileTypes.Add()->FileMask = u"*.*";
    dialog->FileTypeIndex = 5;  // names no type: the dialog starts on the first
    dialog->DefaultExtension = u".dmo";
    dialog->FileName = u"old.dmo";

    EXPECT_FALSE(dialog->ExecuteWith([&](TFileDialogRequest& r) {
        EXPECT_FALSE(r.Save);
        EXPECT_EQ(r.FilterIndex, 0);
        r.FileName = u"C:\\picked.dmo";
        r.FilterIndex = 1;
        return false;
    }));
    EXPECT_EQ(dialog->FileName, u"old.dmo");
    EXPECT_EQ(dialog->FileTypeIndex, 5);

    // An existing file without an extension is the file chosen, not a name to extend.
    EXPECT_TRUE(dialog->ExecuteWith([](TFileDialogRequest& r) {
        r.FileName = u"C:\\scans\\README";
        r.FilterIndex = 9;
        return true;
    }));
    EXPECT_EQ(dialog->FileName, u"C:\\scans\\README");
    EXPECT_EQ(dialog->FileTypeIndex, 0);
}
