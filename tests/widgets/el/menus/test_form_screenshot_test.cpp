// One form holding every control of the menus and selection units, as the program's windows use
// them, captured from the screen into "el_controls_form.png" in the test's working folder, and
// checked for what it shows where.
#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/editing/ElFolderNameEdit.h"
#include "widgets/el/editing/ElGroupBox.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElMenusNative.h"
#include "widgets/el/menus/ElStatusBar.h"

#include "support/gui_test.h"
#include "support/pump.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/FileUtils.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace {

TElMenuItem* AddItem(TMenuItem* Parent, const std::u16string& Caption)
{
    auto* item = new TElMenuItem(nullptr);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

// A control owned by the form (which frees it) on Parent.
template <class T>
T* Place(TWinControl* Parent, int Left, int Top, int Width)
{
    T* control = new T(Parent->ParentForm());
    control->SetParent(Parent);
    control->SetBounds(Left, Top, Width, control->Height());
    return control;
}

TEST(ElControlsForm, ShowsEveryControlAndIsSavedAsAPicture)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetCaption(u"Lorvane 3D");
    form->SetBounds(30, 30, 520, 330);

    auto* menu = new TElMainMenu(form.get());
    for (const char16_t* caption : {u"&File", u"Image", u"&View", u"E&xtras", u"?"})
        AddItem(menu->Items(), caption);
    AddItem(menu->Items()->Items(0), u"&Open ...");
    auto* bar = new TElMenuBar(form.get());
    bar->SetParent(form.get());
    bar->SetMenu(menu);

    auto* caption = new TElFormCaption(form.get());
    TElCaptionText* title = caption->Texts().Add();
    title->SetCaption(u"Lorvane 3D - \"field.dmo\"");
    TElCaptionText* side = caption->Texts().Add();
    side->SetCaption(u"[right-aligned]");
    side->SetAlign(TAlignment::taRightJustify);
    caption->SetActive(true);

    auto* soil = Place<TElComboBox>(form.get(), 10, 10, 160);
    for (const char16_t* item : {u"Standard / Unknown", u"Concrete", u"Loam"})
        soil->Items()->Add(item);
    soil->SetStyle(TComboBoxStyle::csDropDownList);
    soil->SetItemIndex(1);
    auto* impulses = Place<TElComboBox>(form.get(), 180, 10, 100);
    impulses->Items()->Add(u"16");
    impulses->SetText(u"24");
    auto* folder = Place<TElFolderNameEdit>(form.get(), 10, 45, 270);
    folder->SetText(u"C:\\Users\\Scans\\Import\\");
    auto* length = Place<TElFloatSpinEdit>(form.get(), 290, 45, 90);
    length->SetAlignment(TAlignment::taRightJustify);
    length->SetValue(4.6);

    auto* group = Place<TElGroupBox>(form.get(), 10, 80, 370);
    group->SetCaption(u"  Scan mode   ");
    group->SetHeight(90);
    auto* zoom = Place<TElComboBox>(group, 15, 30, 100);
    for (const char16_t* item : {u"50 %", u"100 %", u"200 %"})
        zoom->Items()->Add(item);
    zoom->SetStyle(TComboBoxStyle::csDropDownList);
    zoom->SetItemIndex(1);
    auto* disabled = Place<TElFloatSpinEdit>(group, 130, 30, 90);
    disabled->SetValue(1.25);
    disabled->SetEnabled(false);

    auto* status = new TElStatusBar(form.get());
    status->SetParent(form.get());
    status->SetAlign(TAlign::alBottom);
    for (int32_t width : {25, 150, 150, 90, 50})
        status->Panels().Add()->SetWidth(width);
    status->Panels(0)->SetStyle(TElStatusPanelStyle::epsOwnerDraw);
    status->OnDrawPanel = [](TElStatusBar* Bar, TElStatusPanel*, const TRect& Rect) {
        Bar->Canvas()->Brush()->SetColor(clLime);
        Bar->Canvas()->FillRect({Rect.Left + 6, Rect.Top + 4, Rect.Left + 18, Rect.Bottom - 4});
    };
    status->Panels(1)->SetText(u" Scan line: 12");
    status->Panels(2)->SetText(u" Impulse: 7");
    status->Panels(3)->SetText(u" Depth: 1.20 m");
    status->Panels(4)->SetAutoSize(true);
    status->Panels(4)->SetText(u" Opens a scan file");

    form->Show();
    form->BringToFront();
    ASSERT_TRUE(Settled());

    const TSize size = l3d::testing::SaveWindowPicture(form->Handle(), u"el_controls_form.png");
    EXPECT_GT(size.cx, 0);
    EXPECT_TRUE(FileExists(u"el_controls_form.png"));

    // What the picture shows where: the status panel's lime mark in the first panel, the arrows
    // of the usable boxes in the text colour, the disabled spin edit's arrows greyed.
    const TRect mark = status->PanelRect(0);
    const l3d::testing::Pixels panel = l3d::testing::ReadClientPixels(
        status->Handle(), RECT{mark.Left + 6, mark.Top + 4, mark.Left + 18, mark.Bottom - 4});
    EXPECT_EQ(std::count(panel.data.begin(), panel.data.end(), 0x00FF00u), static_cast<long>(panel.data.size()));
    auto textPixels = [](TCustomElButtonEdit* Edit) {
        const HWND button = Edit->Button()->Handle();
        RECT r{};
        GetClientRect(button, &r);
        const COLORREF text = ColorToRGB(clBtnText);
        const uint32_t pixel = GetRValue(text) << 16 | GetGValue(text) << 8 | GetBValue(text);
        const l3d::testing::Pixels p = l3d::testing::ReadClientPixels(button, r);
        return std::count(p.data.begin(), p.data.end(), pixel);
    };
    for (TCustomElButtonEdit* usable : std::initializer_list<TCustomElButtonEdit*>{soil, zoom, length})
        EXPECT_GT(textPixels(usable), 0) << usable->ClassName();
    EXPECT_EQ(textPixels(disabled), 0);
}

}  // namespace
