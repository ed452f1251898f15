// The new-scan dialog's choices without its window: what a profile's masks and choices offer,
// and what is stored back into the profile.
#include "device/NewScanChoices.h"
#include "scan/files/MessageSink.h"

#include <gtest/gtest.h>

namespace {

TGlobalDevice Profile(const std::string& Name, uint8_t TransferMask, uint8_t ModeMask, uint8_t ScanModeMask,
                      const std::string& Choices, TGlobalDeviceUser User = {})
{
    TGlobalDevice d;
    d.Name = Name;
    d.Settings = {TransferMask, ModeMask, ScanModeMask, Choices};
    d.User = User;
    return d;
}

struct Dialog {
    std::vector<TGlobalDevice> Devices;
    int32_t DeviceIndex = -1;
    TRecordingMessageSink Messages;
    TNewScanChoices Choices{Devices, DeviceIndex, Messages};

    explicit Dialog(std::vector<TGlobalDevice> Profiles, int32_t Index = 0,
                    std::vector<std::u16string> Ports = {u"COM1", u"COM3", u"COM12"})
        : Devices(std::move(Profiles)), DeviceIndex(Index)
    {
        Choices.SetPorts(Ports);
        Choices.FillProfiles();
        Choices.FormShow();
    }
    // The user picks another profile from the opened list.
    void PickProfile(int32_t Index)
    {
        Choices.ComboBoxProfileDropDown();
        Choices.Profile.Select(Index);
        Choices.ComboBoxProfileChange();
    }
};

TEST(NewScanChoices, TheMasksOfferTheirItemsInTheDialogsOrder)
{
    Dialog all({Profile("All", 7, 63, 3, "10;20", {2, 5, 0, 10, "COM3"})});
    const TNewScanChoices& c = all.Choices;
    EXPECT_EQ(c.Transmission.Items, (std::vector<std::u16string>{u"Radio", u"Cable", u"Bluetooth"}));
    EXPECT_EQ(c.Transmission.ItemIndex, 2);
    EXPECT_EQ(c.OperatingMode.Items,
              (std::vector<std::u16string>{u"Ground Scan", u"Discrimination", u"Geo-electrical scan ( electrodes )",
                                           u"Live Scan ( horizontal )", u"Live Scan ( Ultrasound )", u"GPS scan"}));
    EXPECT_EQ(c.OperatingMode.Values, (std::vector<uint8_t>{0, 1, 5, 2, 3, 4}));
    EXPECT_EQ(c.OperatingMode.ItemIndex, 2);  // the stored geo-electrical mode
    EXPECT_EQ(c.Port.Text, u"COM3");

    // A mode mask of 0 leaves the mode list empty and disabled; without a mode neither impulses
    // nor scan order are offered. A transfer mask of 0 leaves that list empty and disabled.
    Dialog some({Profile("Some", 2, 0, 3, "10;20", {1, 0, 0, 10, ""}), Profile("None", 0, 1, 1, "10", {})});
    EXPECT_EQ(some.Choices.Transmission.Items, std::vector<std::u16string>{u"Cable"});
    EXPECT_EQ(some.Choices.Transmission.ItemIndex, 0);
    EXPECT_TRUE(some.Choices.OperatingMode.Items.empty());
    EXPECT_FALSE(some.Choices.OperatingMode.Enabled || some.Choices.OperatingMode.LabelEnabled);
    EXPECT_FALSE(some.Choices.Impulses.Enabled || some.Choices.UpDownUp.Enabled || some.Choices.UpUpUp.Enabled);
    some.PickProfile(1);
    some.Choices.FormShow();
    EXPECT_TRUE(some.Choices.Transmission.Items.empty());
    EXPECT_FALSE(some.Choices.Transmission.Enabled);
}

TEST(NewScanChoices, TheModeDecidesWhatIsOfferedAndTheScanModeMaskWhichOrder)
{
    Dialog d({Profile("G", 1, 1 | 4 | 16, 3, "10;20", {0, 0, 1, 10, ""}), Profile("P", 1, 1, 2, "10", {}),
              Profile("N", 1, 1, 0, "10", {0, 0, 1, 10, ""})});
    const TNewScanChoices& c = d.Choices;
    // Ground scan: impulses and both allowed orders, checked as stored.
    EXPECT_TRUE(c.Impulses.Enabled && c.ScanModeEnabled && c.UpDownUp.Enabled && c.UpUpUp.Enabled);
    EXPECT_TRUE(c.UpUpUp.Checked && !c.UpDownUp.Checked);
    // A live scan keeps the impulses but no order; GPS offers neither.
    d.Choices.OperatingMode.Select(1);
    d.Choices.ComboBoxOperatingModeChange();
    EXPECT_TRUE(c.Impulses.Enabled && !c.UpDownUp.Enabled && !c.UpUpUp.Enabled);
    d.Choices.OperatingMode.Select(2);
    d.Choices.ComboBoxOperatingModeChange();
    EXPECT_FALSE(c.Impulses.Enabled || c.Impulses.LabelEnabled);
    // Only parallel allowed: zig-zag disabled and off even though stored; no order at all.
    d.PickProfile(1);
    EXPECT_TRUE(!c.UpDownUp.Enabled && !c.UpDownUp.Checked && c.UpUpUp.Enabled && !c.UpUpUp.Checked);
    d.PickProfile(2);
    EXPECT_FALSE(c.ScanModeEnabled || c.UpUpUp.Checked);
}

TEST(NewScanChoices, ImpulseChoicesMakeAListAFreeTextOrAFixedCount)
{
    // "*" alone: the stored count shows in a disabled list, in every mode that offers impulses.
    Dialog star({Profile("S", 1, 1, 1, "*", {0, 0, 0, 25, ""})});
    EXPECT_TRUE(star.Choices.Impulses.ListOnly && star.Choices.Impulses.Items.empty());
    EXPECT_TRUE(!star.Choices.Impulses.Enabled && star.Choices.Impulses.LabelEnabled);
    EXPECT_EQ(star.Choices.Impulses.Text, u"25");
    // "*" with items: a list to pick from; the stored count selected when it is one of them.
    Dialog list({Profile("L", 1, 1, 1, "*;10;20", {0, 0, 0, 20, ""})});
    EXPECT_TRUE(list.Choices.Impulses.ListOnly && list.Choices.Impulses.Enabled);
    EXPECT_EQ(list.Choices.Impulses.Items, (std::vector<std::u16string>{u"10", u"20"}));
    EXPECT_EQ(list.Choices.Impulses.ItemIndex, 1);
    // Without "*": editable, showing the stored count even when it is no item.
    Dialog free({Profile("F", 1, 1, 1, "10;20;30", {0, 0, 0, 15, ""})});
    EXPECT_FALSE(free.Choices.Impulses.ListOnly);
    EXPECT_EQ(free.Choices.Impulses.Text, u"15");
    // No choices: a fixed count, shown, neither the list nor its label enabled.
    Dialog fixed({Profile("X", 1, 1, 1, "", {0, 0, 0, 40, ""})});
    EXPECT_FALSE(fixed.Choices.Impulses.Enabled || fixed.Choices.Impulses.LabelEnabled);
    EXPECT_EQ(fixed.Choices.Impulses.Text, u"40");
    EXPECT_EQ(fixed.Choices.ButtonOKClick(), 1);  // the fixed count is the profile's own

    EXPECT_TRUE(IsImpulseKey(u'0') && IsImpulseKey(u'9'));
    for (char16_t key : {u'\b', u'-', u'a', u' ', u'\x0660'})
        EXPECT_FALSE(IsImpulseKey(key));
}

TEST(NewScanChoices, ChoicesAreStoredOnCancelAndBeforeAnotherProfileIsPicked)
{
    Dialog d({Profile("A", 3, 3, 3, "10;20", {0, 0, 0, 10, "COM1"}),
              Profile("B", 3, 3, 3, "10;20", {1, 1, 1, 20, "COM3"})});
    TNewScanChoices& c = d.Choices;
    c.Transmission.Select(1);
    c.OperatingMode.Select(1);
    c.UpUpUp.Checked = true;
    c.Impulses.Text = u"35";
    c.Port.Select(2);
    d.PickProfile(1);
    const TGlobalDeviceUser storedA{1, 1, 1, 35, "COM12"};
    EXPECT_EQ(d.Devices[0].User, storedA);
    // The new profile shows its own stored choices.
    EXPECT_TRUE(c.Transmission.ItemIndex == 1 && c.Impulses.Text == u"20" && c.Port.Text == u"COM3" && c.UpUpUp.Checked);

    c.UpDownUp.Checked = true;
    c.UpUpUp.Checked = false;
    EXPECT_EQ(c.ButtonCancelClick(), 2);
    EXPECT_EQ(d.Devices[1].User.ScanMode, 0);
    EXPECT_EQ(d.DeviceIndex, 1);
    EXPECT_EQ(d.Devices[0].User, storedA);
}

TEST(NewScanChoices, ACountBelowOneOrBeyondThirtyTwoBitsKeepsTheDialogOpenAndStoresTheRest)
{
    Dialog d({Profile("A", 3, 3, 3, "10;20", {0, 0, 0, 10, "COM1"})});
    TNewScanChoices& c = d.Choices;
    c.Transmission.Select(1);
    c.Port.Select(1);
    for (const std::u16string text : {u"0", u"99999999999"}) {
        c.Impulses.Text = text;
        d.Messages.Messages.clear();
        EXPECT_EQ(c.ButtonOKClick(), 0) << std::string(text.begin(), text.end());
        ASSERT_EQ(d.Messages.Messages.size(), 1u);
        EXPECT_TRUE(d.Messages.Messages[0].Kind == 1 && d.Messages.Messages[0].Buttons == 4);
        EXPECT_EQ(d.Messages.Messages[0].Text, u"Enter the number of impulses per search line!");
        // Everything but the refused count is stored.
        EXPECT_EQ(d.Devices[0].User, (TGlobalDeviceUser{1, 0, 0, 10, "COM3"}));
    }
    c.Impulses.Text = u"2147483647";
    EXPECT_EQ(c.ButtonOKClick(), 1);
    EXPECT_EQ(d.Devices[0].User.Impulses, 2147483647);
}

TEST(NewScanChoices, StoredChoicesTheListsCannotShowStayAsStored)
{
    // A transfer and mode the masks do not allow, and a port no longer plugged in.
    Dialog d({Profile("A", 1, 1, 1, "10", {2, 4, 0, 10, "COM7"})});
    TNewScanChoices& c = d.Choices;
    EXPECT_TRUE(c.Transmission.ItemIndex == -1 && c.OperatingMode.ItemIndex == -1 && c.Port.ItemIndex == -1);
    EXPECT_EQ(c.Port.Text, u"");
    EXPECT_FALSE(c.Impulses.Enabled);  // no mode selected: nothing offered
    c.ButtonCancelClick();
    EXPECT_EQ(d.Devices[0].User, (TGlobalDeviceUser{2, 4, 0, 10, "COM7"}));

    // An empty port takes the first one offered; with no port offered there is none.
    Dialog first({Profile("A", 1, 1, 1, "10", {0, 0, 0, 10, ""})});
    EXPECT_EQ(first.Choices.Port.Text, u"COM1");
    Dialog noPorts({Profile("A", 1, 1, 1, "10", {0, 0, 0, 10, ""})}, 0, {});
    EXPECT_EQ(noPorts.Choices.Port.ItemIndex, -1);
    noPorts.Choices.ButtonCancelClick();
    EXPECT_EQ(noPorts.Devices[0].User.Port, "");
}

TEST(NewScanChoices, AStoredIndexBeyondTheProfilesSelectsNothingAndStoresNothing)
{
    Dialog beyond({Profile("A", 1, 1, 1, "10", {}), Profile("B", 1, 1, 1, "10", {})}, 2);
    EXPECT_EQ(beyond.Choices.Profile.Items, (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(beyond.Choices.Profile.ItemIndex, -1);
    EXPECT_FALSE(beyond.Choices.OkEnabled || beyond.Choices.Port.Enabled);
    beyond.Choices.ButtonCancelClick();
    EXPECT_EQ(beyond.DeviceIndex, 2);
}

} // namespace
