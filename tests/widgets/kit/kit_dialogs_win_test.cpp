// The kit's dialogs under Wine: through the framework's seam, and the system's own file and
// folder dialogs driven from a thread timer, which their modal loops dispatch.
#include "widgets/kit/KitBrowseDlg.h"
#include "widgets/kit/KitDialogs.h"

#include "framework/FileUtils.h"
#include "framework/FolderDialog.h"
#include "framework/StrConv.h"

#include "support/dialog_script.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The folder browser selects the folder it was given while it fills its tree, after it shows.
std::wstring SelectedTreeItemText(HWND Dialog)
{
    HWND tree = FindWindowExW(Dialog, nullptr, L"SysTreeView32", nullptr);
    const auto item = tree ? reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : nullptr;
    if (!item)
        return {};
    wchar_t text[MAX_PATH] = {};
    TVITEMW query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

std::wstring LastPathPart(const std::u16string& Path)
{
    const auto slash = Path.find_last_of(u'\\');
    const std::u16string part = slash == std::u16string::npos ? Path : Path.substr(slash + 1);
    return std::wstring(part.begin(), part.end());
}

void Press(HWND Dialog, int Id)
{
    PostMessageW(Dialog, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Id)));
}

// What the type combo box tells its dialog when the user picks an item from its list.
void PickFileType(HWND Dialog, int Index)
{
    HWND types = GetDlgItem(Dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, Index, 0);
    for (WORD note : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageW(Dialog, WM_COMMAND, MAKEWPARAM(cmb1, note), reinterpret_cast<LPARAM>(types));
}

class KitDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ForceDirectories(folder_)); }
    void TearDown() override
    {
        ResetDialogSeams();
        FileDelete(folder_ + u"\\scan.dmo");
        RemoveDirectoryW(reinterpret_cast<const wchar_t*>(folder_.c_str()));
    }
    // Masks without an extension: a bare name gets DefaultExtension, not the mask's.
    template <class Dialog>
    TOwned<Dialog> Make()
    {
        TOwned<Dialog> d(new Dialog(nullptr));
        for (const char16_t* name : {u"Scans", u"Raw dumps", u"Anything"}) {
            TKitFileType* type = d->FileTypes.Add();
            type->DisplayName = name;
            type->FileMask = u"*.*";
        }
        d->DefaultFolder = folder_;
        d->DefaultExtension = u".dmo";
        d->OnTypeChange = [this](TObject* Sender) {
            auto* self = static_cast<TKitCustomFileDialog*>(Sender);
            typesSeen_.push_back(self->FileTypeIndex);
            self->DefaultExtension = self->FileTypeIndex == 1 ? u".raw" : u".dmo";
        };
        return d;
    }
    const std::u16string folder_ = TempFolder() + u"kit_dialogs_test";
    std::vector<int> typesSeen_;
};

TEST_F(KitDialogs, ExecuteRunsTheSeamsDialog)
{
    auto dialog = Make<TKitSaveDialog>();
    FileDialogSeam() = [](TFileDialogRequest& r) {
        r.FilterIndex = 1;
        r.OnTypeChange(r);
        r.FileName = u"C:\\out\\shot";
        return true;
    };
    EXPECT_TRUE(dialog->Execute());
    EXPECT_EQ(typesSeen_, std::vector<int>{1});
    EXPECT_EQ(dialog->FileName, u"C:\\out\\shot.raw");
}

TEST_F(KitDialogs, SystemSaveDialogTakesTheTypedNameWithTheExtensionOfThePickedType)
{
    auto dialog = Make<TKitSaveDialog>();
    dialog->Title = u"Kit save test";
    // The system dialog's own answer, before the kit looks at it.
    std::u16string systemAnswer;
    FileDialogSeam() = [system = FileDialogSeam(), &systemAnswer](TFileDialogRequest& r) {
        const bool ok = system(r);
        systemAnswer = r.FileName;
        return ok;
    };
    bool titled = false;
    DialogScript script([&](HWND d) {
        titled = FindWindowExW(GetDesktopWindow(), nullptr, L"#32770", L"Kit save test") == d;
        SetDlgItemTextW(d, cmb13, L"shot");
        PickFileType(d, 1);
        Press(d, IDOK);
    });
    EXPECT_TRUE(dialog->Execute());
    EXPECT_TRUE(titled);
    EXPECT_EQ(typesSeen_, std::vector<int>{1});
    EXPECT_EQ(dialog->FileTypeIndex, 1);
    EXPECT_EQ(systemAnswer, folder_ + u"\\shot.raw") << WideToUtf8(systemAnswer);
    EXPECT_EQ(dialog->FileName, systemAnswer);
}

TEST_F(KitDialogs, SystemOpenDialogReturnsTheChosenFileAndCancelKeepsTheName)
{
    const std::u16string existing = folder_ + u"\\scan.dmo";
    CloseHandle(CreateFileW(reinterpret_cast<const wchar_t*>(existing.c_str()), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    auto dialog = Make<TKitOpenDialog>();
    {
        DialogScript script([](HWND d) {
            SetDlgItemTextW(d, cmb13, L"scan.dmo");
            Press(d, IDOK);
        });
        EXPECT_TRUE(dialog->Execute());
    }
    EXPECT_EQ(dialog->FileName, existing) << WideToUtf8(dialog->FileName);
    {
        DialogScript script([](HWND d) {
            PickFileType(d, 2);
            Press(d, IDCANCEL);
        });
        EXPECT_FALSE(dialog->Execute());
    }
    EXPECT_EQ(dialog->FileName, existing);
    EXPECT_EQ(typesSeen_, std::vector<int>{2});
}

// The system's browser with its tree rooted at Root. Rooted at the desktop, the shell would go
// through every drive, Z: (the whole Linux tree) among them, which takes minutes on a busy
// machine; and the browser finds the folder to select by the names and times of the folders on
// its path, so a folder on that path that changes meanwhile (the temporary folder, which the
// other tests write to; the user's profile, which the shell fills on first use) loses the
// selection. Root is a folder of this test's own, straight under C:\.
class RootedFolderDialog {
public:
    explicit RootedFolderDialog(std::u16string Root) : system_(FolderDialogSeam())
    {
        FolderDialogSeam() = [this, Root](TFolderDialogRequest& r) {
            r.Root = Root;
            return system_(r);
        };
    }
    ~RootedFolderDialog() { FolderDialogSeam() = system_; }

private:
    TFolderDialogFunc system_;
};

TEST_F(KitDialogs, BrowseDialogShowsItsTitleAndReturnsTheSelectedFolder)
{
    const std::u16string root = u"C:\\kit_browse_test", chosen = root + u"\\chosen";
    ASSERT_TRUE(ForceDirectories(chosen));
    RootedFolderDialog rooted(root);
    TOwned<TKitBrowseDlg> browse(new TKitBrowseDlg(nullptr));
    browse->Title = u"Destination of the transfer";
    browse->SelectedFolder = chosen;
    // Now and then (about one opening in forty on a busy machine) Wine's browser expands the
    // tree without ever selecting the folder it was given; after a minute the dialog is
    // cancelled and opened again.
    bool titled = false, picked = false;
    std::wstring selected;  // what the tree showed selected when last looked at
    for (int opening = 0; opening < 3 && !picked; ++opening) {
        const DWORD start = GetTickCount();
        bool gaveUp = false;
        DialogScript script(
            [&](HWND d) {
                gaveUp = selected != LastPathPart(chosen);
                titled = FindWindowExW(d, nullptr, nullptr, L"Destination of the transfer") != nullptr;
                Press(d, gaveUp ? IDCANCEL : IDOK);
            },
            [&](HWND d) {
                selected = SelectedTreeItemText(d);
                return selected == LastPathPart(chosen) || GetTickCount() - start > 60000;
            });
        picked = browse->Execute();
        EXPECT_NE(picked, gaveUp);
    }
    EXPECT_TRUE(picked) << "selected in the tree: " << WideToUtf8(std::u16string(selected.begin(), selected.end()));
    EXPECT_TRUE(titled);
    EXPECT_EQ(browse->SelectedFolder, chosen) << WideToUtf8(browse->SelectedFolder);
    browse->SelectedFolder = root;
    {
        DialogScript script([](HWND d) { Press(d, IDCANCEL); });
        EXPECT_FALSE(browse->Execute());
    }
    EXPECT_EQ(browse->SelectedFolder, root);
    for (const std::u16string& folder : {chosen, root})
        RemoveDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()));
}

}  // namespace
