// The reading direction applied to the widget layer's controls, and the serial ports listed
// into a combo box from the system's serial-port map.
#include "shell/ComPortList.h"
#include "shell/TextDirection.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Forms.h"
#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

template <class T>
T* Place(TForm* Form, int Top)
{
    T* c = CreateComponent<T>(Form);
    c->SetParent(Form);
    c->SetBounds(10, Top, 160, 24);
    return c;
}

// The leftmost and rightmost columns of the control's client area that hold text-coloured
// (dark) pixels; -1, -1 when none.
std::pair<int, int> InkColumns(TWinControl* Control)
{
    Control->Update();
    RECT r{};
    GetClientRect(Control->Handle(), &r);
    const l3d::testing::Pixels p = l3d::testing::ReadClientPixels(Control->Handle(), r);
    int first = -1, last = -1;
    for (int x = 0; x < p.width; ++x)
        for (int y = 0; y < p.height; ++y) {
            const uint32_t c = p.At(x, y);
            if (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 200) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    return {first, last};
}

}  // namespace

TEST(GlobalsControls, TheReadingDirectionAlignsButtonsAndComboBoxesOnly)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* button = Place<TElPopupButton>(form.get(), 10);
    auto* combo = Place<TElComboBox>(form.get(), 40);
    auto* check = Place<TElCheckBox>(form.get(), 70);
    combo->Items()->Add(u"COM1");
    form->Show();
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));

    ApplyTextDirection(button, 0);
    ApplyTextDirection(combo, 2);
    ApplyTextDirection(check, 0);
    EXPECT_EQ(button->Layout(), blGlyphRight);
    EXPECT_EQ(combo->Alignment(), TAlignment::taRightJustify);
    EXPECT_EQ(combo->DropDownAlignment(), TAlignment::taRightJustify);
    EXPECT_TRUE(combo->RightAlignedView());
    EXPECT_EQ(check->BiDiMode(), TBiDiMode::bdLeftToRight);
    // The system's combo box reads right to left as well.
    EXPECT_NE(GetWindowLongW(combo->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);

    ApplyTextDirection(button, 1);
    ApplyTextDirection(combo, 1);
    EXPECT_EQ(button->Layout(), blGlyphLeft);
    EXPECT_EQ(combo->Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(combo->RightAlignedView());
    // Nothing for a missing control.
    ApplyTextDirection(nullptr, 0);
}

TEST(GlobalsControls, EditsAndMemosAlignTheirTextAndReadByTheDirection)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(40, 40, 320, 260);
    auto* edit = Place<TElEdit>(form.get(), 10);
    auto* memo = Place<TElMemo>(form.get(), 40);
    memo->SetBounds(10, 40, 200, 80);
    auto* spin = Place<TElFloatSpinEdit>(form.get(), 130);  // an edit with buttons: no plain edit
    edit->SetText(u"Zone");
    memo->SetText(u"Notes");
    form->Show();
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    const auto [editLeft, editRight] = InkColumns(edit);
    ASSERT_GE(editLeft, 0) << "the edit shows its text";

    for (TCustomElEdit* c : {static_cast<TCustomElEdit*>(edit), static_cast<TCustomElEdit*>(memo)}) {
        ApplyTextDirection(c, 0);
        EXPECT_EQ(c->Alignment(), TAlignment::taRightJustify) << c->ClassName();
        EXPECT_TRUE(c->RightAlignedText()) << c->ClassName();
        EXPECT_TRUE(c->RightAlignedView()) << c->ClassName();
        EXPECT_NE(GetWindowLongW(c->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0) << c->ClassName();
    }
    ApplyTextDirection(spin, 0);
    EXPECT_EQ(spin->Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(spin->RightAlignedView());

    // The text now stands at the right edge.
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    const auto [rtlLeft, rtlRight] = InkColumns(edit);
    EXPECT_GT(rtlLeft, editLeft + (client.right - editRight) / 2) << "the text moved to the right";
    EXPECT_GT(rtlRight, client.right * 3 / 4);
    EXPECT_GT(InkColumns(memo).first, memo->ClientWidth() / 2);

    for (TCustomElEdit* c : {static_cast<TCustomElEdit*>(edit), static_cast<TCustomElEdit*>(memo)}) {
        ApplyTextDirection(c, 1);
        EXPECT_EQ(c->Alignment(), TAlignment::taLeftJustify) << c->ClassName();
        EXPECT_FALSE(c->RightAlignedText()) << c->ClassName();
        EXPECT_FALSE(c->RightAlignedView()) << c->ClassName();
        EXPECT_EQ(GetWindowLongW(c->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0) << c->ClassName();
    }
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    EXPECT_EQ(InkColumns(edit).first, editLeft);
}

TEST(GlobalsControls, SerialPortsComeWholeFromTheSystemsPortMapAndAreAppended)
{
    // A port whose number has two digits must keep them.
    TRegistry writer;
    writer.SetRootKey(TRootKey::LocalMachine);
    ASSERT_TRUE(writer.OpenKey(u"\\HARDWARE\\DEVICEMAP\\SERIALCOMM", true));
    ASSERT_TRUE(writer.WriteString(u"\\Device\\L3DTestSerial12", u"COM12"));
    std::vector<std::u16string> expected{u"kept"};
    for (const std::u16string& name : writer.GetValueNames()) {
        std::u16string port;
        ASSERT_TRUE(writer.ReadString(name, port));
        expected.push_back(port);
    }

    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* combo = Place<TElComboBox>(form.get(), 10);
    combo->Items()->Add(u"kept");
    combo->SetItemIndex(0);
    EXPECT_TRUE(ListComPorts(combo));
    std::vector<std::u16string> listed;
    for (int i = 0; i < combo->Items()->GetCount(); ++i)
        listed.push_back(combo->Items()->Get(i));
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_NE(std::find(listed.begin(), listed.end(), u"COM12"), listed.end());
    writer.DeleteValue(u"\\Device\\L3DTestSerial12");
}
