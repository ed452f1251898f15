// The new-scan dialog and the GPS wait window on real windows under Wine, the serial-port list
// from a registry key and a spooler of the test, and the reading direction.
#include "form_driving.h"

#include "device/config.h"
#include "device/dlg_init.h"

#include "shell/ComPortList.h"
#include "shell/TextDirection.h"
#include "scan/files/globals.h"
#include "support/gui_test.h"
#include "support/pump.h"
#include "support/real_input.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Registry.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::u16string TestKey = u"Software\\Lorvane3D-tests";

// Serial ports in a registry key of the test, named in the order the system lists them and
// with their data in another order; the new-scan dialog reads them too.
class TestPorts : public ::testing::Environment {
public:
    void SetUp() override
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(TestKey + u"\\SERIALCOMM", true));
        ASSERT_TRUE(reg.WriteString(u"\\Device\\Serial0", u"COM3"));
        ASSERT_TRUE(reg.WriteString(u"\\Device\\Serial1", u"COM12"));
        ASSERT_TRUE(reg.WriteString(u"\\Device\\Serial2", u"COM1"));
        ASSERT_TRUE(reg.WriteInteger(u"\\Device\\Serial3", 7));
        ComPortListSource().RootKey = TRootKey::CurrentUser;
        ComPortListSource().Key = TestKey + u"\\SERIALCOMM";
    }
    void TearDown() override
    {
        TRegistry().DeleteKey(TestKey);
        ResetComPortListSource();
    }
};
const auto* const ports = ::testing::AddGlobalTestEnvironment(new TestPorts);

TGlobalDevice Profile(const std::string& Name, uint8_t TransferMask, uint8_t ModeMask, const std::string& Choices,
                      TGlobalDeviceUser User)
{
    return {Name, {TransferMask, ModeMask, 3, Choices}, User};
}

// The new-scan command with the profile table of the test.
struct NewScan {
    NewScan(std::vector<TGlobalDevice> Profiles, int32_t Index)
    {
        Devices = std::move(Profiles);
        GlobalSettings.DeviceIndex = Index;
    }
    ~NewScan() { Devices.clear(); }
    int32_t Run(const std::function<void(TDialog_Neu*)>& Drive)
    {
        TOwned<TDialog_Neu> dialog(CreateComponent<TDialog_Neu>(nullptr));
        dialog->Prepare();
        return RunModal(dialog.get(), Drive);
    }
    TAnsweredMessages Messages;
};

TEST(NewScanDialog, WithoutProfilesTheListIsEmptyAndOkDisabled)
{
    NewScan command({}, -1);
    EXPECT_EQ(command.Run([](TDialog_Neu* d) {
        EXPECT_TRUE(ItemsOf(d->ComboBoxProfile).empty());
        EXPECT_FALSE(d->ButtonOk->Enabled());
        EXPECT_FALSE(d->PortList->Enabled());
        EXPECT_EQ(d->Caption(), u"New Project");
        EXPECT_EQ(d->GroupBoxScanMode->Caption(), u"  Scan mode  ");
        PostClick(d->ButtonCancel);
    }),
              mrCancel);
}

// Pixels of a combo box's arrow in the text colour: the arrow of a box that can be used.
int LiveArrowPixels(TElComboBox* Combo)
{
    const HWND button = Combo->Button()->Handle();
    RECT r{};
    GetClientRect(button, &r);
    const COLORREF text = ColorToRGB(clBtnText);
    const uint32_t pixel = GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text);
    int count = 0;
    for (uint32_t px : l3d::testing::ReadClientPixels(button, r).data)
        count += px == pixel ? 1 : 0;
    return count;
}

TEST(NewScanDialog, OnFirstUseTheBoxesADevicePickedByTheKeyboardEnablesShowLiveArrows)
{
    NewScan command({Profile("Osprin 12", 1, 1, "10;20", {0, 0, 0, 10, ""}),
                     Profile("Qorr 21", 3, 1 | 2 | 32, "*;10;20;30", {1, 5, 1, 20, "COM12"})},
                    -1);
    EXPECT_EQ(command.Run([&](TDialog_Neu* d) {
        const std::vector<TElComboBox*> boxes = {d->ComboBoxTransmission, d->PortList, d->ComboBoxOperatingMode,
                                                 d->ComboBoxImpulses};
        ASSERT_TRUE(PumpUntil(NothingToPaint));
        for (TElComboBox* box : boxes)
            EXPECT_EQ(LiveArrowPixels(box), 0) << box->Name() << " looks usable before a device is picked";
        ASSERT_TRUE(l3d::testing::FocusWindow(d->ComboBoxProfile->Handle()));
        l3d::testing::PressKey(VK_DOWN);
        EXPECT_EQ(d->ComboBoxProfile->ItemIndex(), 0);
        ASSERT_TRUE(PumpUntil(NothingToPaint));
        for (TElComboBox* box : boxes) {
            EXPECT_TRUE(box->Enabled()) << box->Name();
            EXPECT_GT(LiveArrowPixels(box), 0) << box->Name() << " keeps a grey arrow";
        }
        PostClick(d->ButtonCancel);
    }),
              mrCancel);
}

TEST(NewScanDialog, TheStoredProfileShowsItsChoicesAndCancelStoresTheUsersChanges)
{
    NewScan command({Profile("Osprin 12", 1, 1, "10;20", {0, 0, 0, 10, ""}),
                     Profile("Qorr 21", 3, 1 | 2 | 32, "*;10;20;30", {1, 5, 1, 20, "COM12"}),
                     Profile("Tarnwell", 7, 1, "", {2, 0, 0, 40, "COM7"})},
                    1);
    EXPECT_EQ(command.Run([&](TDialog_Neu* d) {
        EXPECT_EQ(d->ComboBoxProfile->ItemIndex(), 1);
        EXPECT_EQ(ItemsOf(d->ComboBoxTransmission), (std::vector<std::u16string>{u"Radio", u"Cable"}));
        EXPECT_EQ(d->ComboBoxTransmission->Text(), u"Cable");
        EXPECT_EQ(ItemsOf(d->PortList), (std::vector<std::u16string>{u"COM3", u"COM12", u"COM1"}));
        EXPECT_EQ(d->PortList->Text(), u"COM12");
        EXPECT_EQ(d->ComboBoxOperatingMode->Text(), u"Geo-electrical scan ( electrodes )");
        // Geo-electrical: neither impulses nor scan order; the stored ones still show.
        EXPECT_FALSE(d->ComboBoxImpulses->Enabled() || d->RadioButtonUpUpUp->Enabled());
        EXPECT_TRUE(d->RadioButtonUpUpUp->Checked());
        EXPECT_EQ(d->ComboBoxImpulses->Style(), TComboBoxStyle::csDropDownList);
        EXPECT_EQ(d->ComboBoxImpulses->Text(), u"20");
        EXPECT_TRUE(d->ButtonOk->Enabled());
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        l3d::testing::SaveWindowPicture(d->Handle(), std::filesystem::absolute("new_scan_dialog.png").u16string());

        // The user picks Ground Scan (the list reports it), the first transfer type and the last
        // port, clicks zig-zag (which stores) and Cancel.
        d->ComboBoxOperatingMode->SetItemIndex(0);
        d->ComboBoxOperatingMode->OnChange(d->ComboBoxOperatingMode);
        EXPECT_TRUE(d->ComboBoxImpulses->Enabled() && d->RadioButtonUpDownUp->Enabled());
        d->ComboBoxTransmission->SetItemIndex(0);
        d->PortList->SetItemIndex(2);
        PostClick(d->RadioButtonUpDownUp);
        PostClick(d->ButtonCancel);
    }),
              mrCancel);
    EXPECT_EQ(GlobalSettings.DeviceIndex, 1);
    EXPECT_EQ(Devices[1].User, (TGlobalDeviceUser{0, 0, 0, 20, "COM1"}));
}

TEST(NewScanDialog, OnlyDigitsCanBeTypedAndACountBelowOneKeepsTheDialogOpen)
{
    NewScan command({Profile("Qorr 21", 1, 1, "10;20", {0, 0, 0, 10, "COM3"})}, 0);
    std::u16string typed;
    TDialog_Neu* shown = nullptr;
    command.Messages.OnShown = [&] { PostClick(shown->ButtonCancel); };
    EXPECT_EQ(command.Run([&](TDialog_Neu* d) {
        shown = d;
        d->ComboBoxImpulses->SetText(u"");
        // Key strokes as the user types them: the edit acts on Backspace when the key goes
        // down, before the character it types reaches a filter of typed characters.
        ASSERT_TRUE(l3d::testing::FocusWindow(d->ComboBoxImpulses->Handle()));
        l3d::testing::TypeText(u"3x");
        l3d::testing::PressKey(VK_BACK);
        l3d::testing::PressKey(VK_BACK, {VK_CONTROL});
        l3d::testing::TypeText(u"-5");
        typed = d->ComboBoxImpulses->Text();
        // "0" is refused with the message; the dialog stays until Cancel.
        d->ComboBoxImpulses->SetText(u"0");
        PostClick(d->ButtonOk);
    }),
              mrCancel);
    EXPECT_EQ(typed, u"35");
    EXPECT_EQ(command.Messages.Shown, std::vector<std::u16string>{u"Error: Enter the number of impulses per search line!"});

    EXPECT_EQ(command.Run([](TDialog_Neu* d) {
        d->ComboBoxImpulses->SetText(u"64");
        PostClick(d->ButtonOk);
    }),
              mrOk);
    EXPECT_EQ(Devices[0].User.Impulses, 64);
}

TEST(ComPorts, TheRegistryListAppendsWholeNamesAndTheSpoolerListReplacesTheItems)
{
    TOwned<TElComboBox> combo(CreateComponent<TElComboBox>(nullptr));
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->Add(u"kept");
    combo->SetItemIndex(0);
    EXPECT_TRUE(ListComPorts(combo.get()));
    EXPECT_EQ(ItemsOf(combo.get()), (std::vector<std::u16string>{u"kept", u"COM3", u"COM12", u"COM1"}));
    EXPECT_EQ(combo->ItemIndex(), 0);

    // Without the key: the spooler's COM ports, whole and without their colon, item 0 selected;
    // a spooler that fails leaves the items.
    const TComPortListSource saved = ComPortListSource();
    ComPortListSource().Key = TestKey + u"\\missing";
    ComPortListSource().SpoolerPorts = [](std::vector<std::u16string>& Names) {
        Names = {u"LPT1:", u"COM12:", u"FILE:", u"COM3:", u"com4:"};
        return true;
    };
    EXPECT_TRUE(ListComPorts(combo.get()));
    EXPECT_EQ(ItemsOf(combo.get()), (std::vector<std::u16string>{u"COM12", u"COM3"}));
    EXPECT_EQ(combo->Text(), u"COM12");
    ComPortListSource().SpoolerPorts = [](std::vector<std::u16string>&) { return false; };
    EXPECT_FALSE(ListComPorts(combo.get()));
    EXPECT_EQ(combo->Items()->Count(), 2);
    std::vector<std::u16string> names;
    EXPECT_TRUE(SystemSpoolerPorts(names));
    ComPortListSource() = saved;
}

TEST(TextDirection, RightToLeftAlignsCombosAndMovesButtonGlyphs)
{
    EXPECT_EQ(ActiveTextDirection(), 1);
    TOwned<TElComboBox> combo(CreateComponent<TElComboBox>(nullptr));
    TOwned<TElPopupButton> button(CreateComponent<TElPopupButton>(nullptr));
    for (uint8_t direction : {0, 1}) {
        ApplyTextDirection(combo.get(), direction);
        ApplyTextDirection(button.get(), direction);
        const TAlignment side = direction ? TAlignment::taLeftJustify : TAlignment::taRightJustify;
        EXPECT_EQ(combo->Alignment(), side);
        EXPECT_EQ(combo->DropDownAlignment(), side);
        EXPECT_EQ(combo->RightAlignedView(), direction == 0);
        EXPECT_EQ(button->Layout(), direction ? blGlyphLeft : blGlyphRight);
    }
}

TEST(GpsWaitDialog, ClosingIsRefusedUnlessTheResultIsYesOrNo)
{
    TOwned<TDialog_Init> dialog(CreateComponent<TDialog_Init>(nullptr));
    dialog->Show();
    EXPECT_TRUE(dialog->ElBiProgressBar1->Marquee());
    EXPECT_FALSE(dialog->ButtonYes->Visible() || dialog->ButtonNo->Visible());
    PostMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_TRUE(dialog->Visible());
    dialog->SetModalResult(mrNo);
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());

    // Shown modally: the close box is refused; a result of Yes, set while it waits, ends it.
    TOwned<TTimer> answer(CreateComponent<TTimer>(nullptr));
    bool refused = false;
    answer->SetInterval(50);
    answer->OnTimer = [&](TObject*) {
        answer->SetEnabled(false);
        refused = dialog->Visible() && dialog->ModalResult() == mrNone;
        dialog->SetModalResult(mrYes);
    };
    EXPECT_EQ(RunModal<TDialog_Init>(dialog.get(),
                                     [](TDialog_Init* d) { PostMessageW(d->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }),
              mrYes);
    EXPECT_TRUE(refused);
}

} // namespace
