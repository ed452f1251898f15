// The reading direction applied to the widget layer's controls, and the serial ports listed
// into a combo box from the system's serial-port map.
#include "scan/files/ComPortList.h"
#include "scan/files/TextDirection.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"

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

}  // namespace

TEST(GlobalsControls, TheReadingDirectionAlignsButtonsComboBoxesEditsAndMemosOnly)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* button = Place<TElPopupButton>(form.get(), 10);
    auto* combo = Place<TElComboBox>(form.get(), 40);
    auto* check = Place<TElCheckBox>(form.get(), 70);
    auto* edit = Place<TElEdit>(form.get(), 100);
    auto* memo = Place<TElMemo>(form.get(), 130);
    auto* spin = Place<TElFloatSpinEdit>(form.get(), 160);
    combo->Items()->Add(u"COM1");
    form->Show();
    PumpUntil(PostedMessagesHandled());

    ApplyTextDirection(button, 0);
    ApplyTextDirection(combo, 2);
    ApplyTextDirection(check, 0);
    for (TCustomElEdit* e : {static_cast<TCustomElEdit*>(edit), static_cast<TCustomElEdit*>(memo),
                             static_cast<TCustomElEdit*>(spin)})
        ApplyTextDirection(e, 0);
    for (TCustomElEdit* e : {static_cast<TCustomElEdit*>(edit), static_cast<TCustomElEdit*>(memo)}) {
        EXPECT_EQ(e->Alignment(), TAlignment::taRightJustify) << e->ClassName();
        EXPECT_TRUE(e->RightAlignedText()) << e->ClassName();
        EXPECT_TRUE(e->RightAlignedView()) << e->ClassName();
    }
    // A spin edit is neither: it keeps its numbers as they are.
    EXPECT_FALSE(spin->RightAlignedView());
    EXPECT_FALSE(spin->RightAlignedText());
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
    ApplyTextDirection(memo, 1);
    EXPECT_EQ(memo->Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(memo->RightAlignedText());
    EXPECT_FALSE(memo->RightAlignedView());
    // Nothing for a missing control.
    ApplyTextDirection(nullptr, 0);
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
