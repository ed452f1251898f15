// What the edit and memo show and how they scroll, under Wine: the owner-drawn scroll bar
// following the text, the wheel, a right-to-left word-wrapping memo, the selection's pixels in
// the focused and unfocused states, text dragged within and between edits, the context menu,
// and a picture of a test form.
#include "edit_win_form.h"

#include "widgets/el/editing/ElButtonEdit.h"
#include "widgets/el/foundation/ElCtrlScrollBarStyles.h"
#include "widgets/el/foundation/ElImageForm.h"
#include "widgets/el/foundation/ElSBController.h"

#include "support/gui_test.h"
#include "support/real_input.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/WinClipboard.h"

#include <algorithm>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;
using Sel = std::pair<int, int>;

std::u16string NumberedLines(int Count)
{
    std::u16string text;
    for (int i = 0; i < Count; ++i)
        text += (i ? u"\r\n" : u"") + std::u16string(u"line ") + static_cast<char16_t>(u'0' + i % 10);
    return text;
}

int VertPos(HWND Window)
{
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Window, SB_VERT, &si);
    return si.nPos;
}

TEST(ElMemo, TheOwnerDrawnScrollBarFollowsKeysWheelAndBarMessages)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 220, 130);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetText(NumberedLines(100));
    EditForm::Focus(memo);
    ASSERT_TRUE(memo->UseCustomScrollBars());
    const HWND h = memo->Handle();
    TElCtrlScrollBarStyles* bar = memo->VertScrollBarStyles();
    const int visible = memo->VisibleLines();
    EXPECT_EQ(visible, memo->EditRect().Height() / memo->LineHeight());
    EXPECT_EQ(bar->Range().Max, 99);
    EXPECT_EQ(bar->Range().Page, visible);
    EXPECT_TRUE(bar->Enabled());
    const int topThumb = bar->ThumbOffset();
    const TRect b = bar->BarRect();
    auto barPicture = [&] { return l3d::testing::ReadWindowPixels(h, RECT{b.Left, b.Top, b.Right, b.Bottom}).data; };
    const std::vector<uint32_t> before = barPicture();

    // Ctrl+End: the last line at the bottom, the bar and the system's scroll state agreeing.
    EditForm::Press(memo, VK_END, {VK_CONTROL});
    EXPECT_EQ(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0), 100 - visible);
    EXPECT_EQ(VertPos(h), 100 - visible);
    EXPECT_EQ(bar->Position(), 100 - visible);
    EXPECT_GT(bar->ThumbOffset(), topThumb);
    EXPECT_NE(barPicture(), before);  // the thumb was painted at its new place

    // The wheel: three lines a notch, partial notches add up, never beyond either end.
    memo->SetTopLine(10);
    RECT window{};
    GetWindowRect(h, &window);
    auto wheel = [&](int Delta) {
        PostMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, Delta), MAKELPARAM(window.left + 20, window.top + 20));
        EditForm::Settle();
        return memo->TopLine();
    };
    EXPECT_EQ(wheel(-120), 13);
    EXPECT_EQ(wheel(-30), 13);  // three quarters of a line
    EXPECT_EQ(wheel(-30), 14);
    EXPECT_EQ(wheel(-60), 16);
    EXPECT_EQ(wheel(120 * 40), 0);
    EXPECT_EQ(bar->Position(), 0);
    UINT saved = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    EXPECT_EQ(wheel(-120), visible);  // a page a notch
    SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);

    // Scroll-bar requests: pages of VisibleLines, a thumb, the bottom; results are clamped.
    SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(memo->TopLine(), 2 * visible);
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);
    EXPECT_EQ(memo->TopLine(), 50);
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 99), 0);
    EXPECT_EQ(memo->TopLine(), 100 - visible);
    SendMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(memo->TopLine(), 100 - visible);
    EXPECT_EQ(bar->Position(), 100 - visible);

    // The standard bars take over with the same scroll state.
    memo->SetUseCustomScrollBars(false);
    EditForm::Settle();
    EXPECT_EQ(VertPos(h), 100 - visible);
    SendMessageW(h, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(VertPos(h), 0);
    // A short text leaves the bar disabled.
    memo->SetText(u"short");
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(h, OBJID_VSCROLL, &info);
    EXPECT_NE(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE, 0u);
}

TEST(ElMemo, AClickOnItsBarScrollsToPositionsBeyondSixteenBits)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 220, 130);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    std::u16string text;
    for (int i = 0; i < 120000; ++i)
        text += u"x\r\n";
    memo->SetText(text);
    ASSERT_TRUE(l3d::testing::FocusWindow(memo->Handle()));
    ASSERT_TRUE(memo->UseCustomScrollBars());
    memo->SetTopLine(100000);
    EditForm::Settle();
    const TElCtrlScrollBarStyles* bar = memo->VertScrollBarStyles();
    ASSERT_EQ(bar->Position(), 100000);
    // A click on the bar's page area below the thumb: one page down.
    RECT window{};
    GetWindowRect(memo->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(memo->Handle(), &origin);
    const TRect b = bar->BarRect();
    const POINT below{window.left + b.Left + 8 - origin.x, window.top + b.Top + bar->PartRect(sbpThumb).Bottom + 3 - origin.y};
    l3d::testing::ClickAt(memo->Handle(), below);
    const int page = memo->VisibleLines();
    EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 100000 + page);
    EXPECT_EQ(bar->Position(), 100000 + page);
    EXPECT_EQ(VertPos(memo->Handle()), 100000 + page);
}

TEST(ElMemo, ARightToLeftWordWrappingMemoKeepsItsTextAndDrawsAtTheRight)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 160, 120);
    memo->SetWordWrap(true);
    memo->SetAlignment(TAlignment::taRightJustify);
    memo->SetRightAlignedText(true);
    memo->SetRightAlignedView(true);
    const std::u16string text = u"\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd "
                                u"and some words that wrap over a few lines, and some more words that wrap\r\n\u05e9\u05e0\u05d9";
    memo->SetText(text);
    EditForm::Focus(memo);
    EXPECT_EQ(EditForm::WindowText(memo->Handle()), text);
    EXPECT_GT(memo->Lines().LineCount(), memo->Lines().GetCount() + 1);  // wrapped
    EXPECT_NE(GetWindowLongW(memo->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);

    // Narrower and wider again: every character stays, in order.
    for (int width : {60, 23, 300, 160}) {
        memo->SetWidth(width);
        EXPECT_EQ(memo->Text(), text) << width;
    }
    // Lines end near the right edge of the text area.
    const TRect area = memo->EditRect();
    const int lineEnd = static_cast<int>(memo->Lines().GetLine(0).size());
    EXPECT_NEAR(EditForm::PosOf(memo->Handle(), lineEnd).X, area.Right - memo->RightMargin() - 2, 1);
    // Home and End swap: End goes to the start of the line.
    EditForm::Press(memo, VK_HOME);
    EXPECT_EQ(EditForm::Sel(memo->Handle()), (Sel{lineEnd, lineEnd}));
    EditForm::Press(memo, VK_END);
    EXPECT_EQ(EditForm::Sel(memo->Handle()), (Sel{0, 0}));
    // Typing goes in where the caret is, and the text stays whole.
    EditForm::Type(memo, u"\u05d0");
    EXPECT_EQ(memo->Text(), u"\u05d0" + text);
}

// Columns of the client area's text row with at least one pixel of Color.
std::vector<int> ColumnsWith(TCustomElEdit* Edit, uint32_t Color)
{
    Edit->Update();
    const TRect r = Edit->EditRect();
    const Pixels p = ReadClientPixels(Edit->Handle(), RECT{r.Left, r.Top, r.Right, r.Bottom});
    std::vector<int> columns;
    for (int x = 0; x < p.width; ++x)
        for (int y = 0; y < p.height; ++y)
            if (p.At(x, y) == Color) {
                columns.push_back(x + r.Left);
                break;
            }
    return columns;
}

uint32_t SysPixel(int Index)
{
    const COLORREF c = GetSysColor(Index);
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

TEST(ElEdit, TheSelectionIsPaintedExactlyOverItsSpanOnlyWhereItShows)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 240, 0);
    auto* other = f.Add<TElEdit>(10, 40, 240, 0);
    edit->SetText(u"selected text here");
    EditForm::Focus(edit);
    // Selected by keys, so that the caret stands after the selection, not over it.
    for (int i = 0; i < 8; ++i)
        EditForm::Press(edit, VK_RIGHT, {VK_SHIFT});
    const int x0 = EditForm::PosOf(edit->Handle(), 0).X, x8 = EditForm::PosOf(edit->Handle(), 8).X;
    const std::vector<int> highlighted = ColumnsWith(edit, SysPixel(COLOR_HIGHLIGHT));
    ASSERT_FALSE(highlighted.empty());
    EXPECT_EQ(highlighted.front(), x0);
    EXPECT_EQ(highlighted.back(), x8 - 1);
    EXPECT_EQ(static_cast<int>(highlighted.size()), x8 - x0);

    // Unfocused: nothing with HideSelection, the hidden-selection colour without it.
    EditForm::Focus(other);
    EXPECT_TRUE(ColumnsWith(edit, SysPixel(COLOR_HIGHLIGHT)).empty());
    edit->SetHideSelection(false);
    edit->SetHideSelectColor(0x00FFC0);  // RGB(192, 255, 0)
    EXPECT_EQ(ColumnsWith(edit, 0xC0FF00).size(), static_cast<size_t>(x8 - x0));

    // Disabled colours replace the background when asked for.
    edit->SetUseDisabledColors(true);
    edit->SetDisabledColor(0x0000FF);  // red
    edit->SetEnabled(false);
    EXPECT_EQ(static_cast<int>(ColumnsWith(edit, 0xFF0000).size()), edit->EditRect().Width() - (x8 - x0));
}

TEST(ElEdit, DraggingTheSelectionMovesItCopiesItWithCtrlAndCopiesIntoAnotherEdit)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 300, 0);
    auto* target = f.Add<TElEdit>(10, 50, 300, 0);
    edit->SetText(u"one two three");
    target->SetText(u"[]");
    EditForm::Focus(edit);
    const HWND h = edit->Handle();
    const int row = edit->LineHeight() / 2;
    // Posted at once: the drag's own loop takes the moves and the release.
    auto drag = [&](int From, TControl* To, TPoint At) {
        const TPoint start = EditForm::PosOf(h, From);
        EditForm::PostMouse(edit, WM_LBUTTONDOWN, {start.X + 1, row}, MK_LBUTTON);
        EditForm::PostMouse(edit, WM_MOUSEMOVE, {start.X + 8, row}, MK_LBUTTON);
        const TPoint p = edit->ScreenToClient(To->ClientToScreen(At));
        EditForm::PostMouse(edit, WM_MOUSEMOVE, p, MK_LBUTTON);
        EditForm::PostMouse(edit, WM_LBUTTONUP, p);
        EditForm::Settle();
        EXPECT_EQ(GetCapture(), nullptr);
    };

    SendMessageW(h, EM_SETSEL, 0, 4);
    drag(1, edit, {EditForm::PosOf(h, 13).X + 3, row});
    EXPECT_EQ(edit->Text(), u"two threeone ");
    EXPECT_EQ(EditForm::Sel(h), (Sel{9, 13}));
    // Back before its old place: the drop point does not shift.
    drag(10, edit, {EditForm::PosOf(h, 4).X, row});
    EXPECT_EQ(edit->Text(), u"two one three");
    // Dropped inside its own selection: nothing changes; one undo takes a move back whole.
    drag(5, edit, {EditForm::PosOf(h, 6).X, row});
    EXPECT_EQ(edit->Text(), u"two one three");
    EditForm::Press(edit, 'Z', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), u"two threeone ");

    // Ctrl copies.
    SendMessageW(h, EM_SETSEL, 0, 3);
    BYTE ctrl[256] = {};
    ctrl[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl);
    drag(1, edit, {EditForm::PosOf(h, 13).X + 3, row});
    EXPECT_EQ(edit->Text(), u"two threeone two");
    const BYTE none[256] = {};
    SetKeyboardState(const_cast<BYTE*>(none));

    // Into another edit: copied there at the drop point; a read-only edit takes nothing.
    SendMessageW(h, EM_SETSEL, 4, 9);
    drag(5, target, {EditForm::PosOf(target->Handle(), 1).X, target->LineHeight() / 2});
    EXPECT_EQ(target->Text(), u"[three]");
    EXPECT_EQ(edit->Text(), u"two threeone two");
    target->SetReadOnly(true);
    drag(5, target, {EditForm::PosOf(target->Handle(), 1).X, target->LineHeight() / 2});
    EXPECT_EQ(target->Text(), u"[three]");
}

// Closes the context menu once it shows, reading its items' states first.
struct MenuWatch {
    static inline std::vector<bool> enabled;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD)
    {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup || !IsWindowVisible(popup))
            return;
        KillTimer(nullptr, Id);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        enabled.clear();
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
            if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
                enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED));
        EndMenu();
    }
};

TEST(ElEdit, TheContextMenuOpensFromTheKeyboardWithItsItemsEnabledByState)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 240, 0);
    edit->SetText(u"some text");
    EditForm::Focus(edit);
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 4);
    Clipboard().SetText(u"x");
    MenuWatch::enabled.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, MenuWatch::Tick);
    SendMessageW(edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), -1);
    KillTimer(nullptr, timer);
    // Undo, Cut, Copy, Paste, Delete, Select All.
    EXPECT_EQ(MenuWatch::enabled, (std::vector<bool>{false, true, true, true, true, true}));
    EXPECT_EQ(edit->Text(), u"some text");

    // The menu's commands as the window gets them.
    SendMessageW(edit->Handle(), WM_COMMAND, WM_CUT, 0);
    EXPECT_EQ(edit->Text(), u" text");
    SendMessageW(edit->Handle(), WM_COMMAND, EM_SETSEL, 0);
    EXPECT_EQ(EditForm::Sel(edit->Handle()), (Sel{0, 5}));
    SendMessageW(edit->Handle(), WM_COMMAND, WM_UNDO, 0);
    EXPECT_EQ(edit->Text(), u"some text");
}

TEST(ElEdit, BorderColoursImageFormAndLinkedControlShowAsSet)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(80, 60, 160, 0);
    edit->SetUseXPThemes(false);
    edit->SetFlat(true);
    edit->SetActiveBorderType(fbtSunken);
    edit->SetInactiveBorderType(fbtSunken);
    edit->SetBorderColorDkShadow(clRed);
    edit->SetBorderColorHighlight(clBlue);
    EditForm::Settle();
    const HWND h = edit->Handle();
    RECT window{};
    GetWindowRect(h, &window);
    const int w = window.right - window.left, hgt = window.bottom - window.top;
    const Pixels frame = l3d::testing::ReadWindowPixels(h, RECT{0, 0, w, hgt});
    EXPECT_EQ(frame.At(1, hgt / 2), 0xFF0000u);      // the inner ring's dark left edge
    EXPECT_EQ(frame.At(w - 1, hgt / 2), 0x0000FFu);  // the outer ring's light right edge

    // The image form's picture lies behind the text, and its changes show at once.
    auto* image = new TElImageForm(f.form.get());
    TBitmap tile(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.SetPixel(x, y, clLime);
    image->SetBackground(&tile);
    image->SetBackgroundType(bgtTileBitmap);
    edit->SetImageForm(image);
    EditForm::Settle();
    const RECT spot{edit->ClientWidth() - 6, 2, edit->ClientWidth() - 2, 4};
    for (uint32_t p : ReadClientPixels(h, spot).data)
        EXPECT_EQ(p, 0x00FF00u);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.SetPixel(x, y, clBlue);
    image->SetBackground(&tile);
    EditForm::Settle();
    for (uint32_t p : ReadClientPixels(h, spot).data)
        EXPECT_EQ(p, 0x0000FFu);

    // The linked control stays beside the edit when either moves it.
    auto* label = f.Add<TElEdit>(0, 0, 50, 0);
    edit->SetLinkedControlSpacing(4);
    edit->SetLinkedControlPosition(lcpLeftCenter);
    edit->SetLinkedControl(label);
    EXPECT_EQ(label->Left(), 80 - 4 - 50);
    EXPECT_EQ(label->Top(), 60 + (edit->Height() - label->Height()) / 2);
    edit->SetBounds(120, 150, 160, edit->Height());
    EXPECT_EQ(label->Left(), 120 - 4 - 50);
    edit->SetLinkedControlPosition(lcpBottomRight);
    EXPECT_EQ(label->Left(), 120 + 160 - 50);
    EXPECT_EQ(label->Top(), 150 + edit->Height() + 4);
    delete label;
    EXPECT_EQ(edit->LinkedControl(), nullptr);
    edit->SetLeft(10);
}

TEST(ElMemo, SystemBarsUnderAFlatBorderAreFlatWhileIdleOrAlwaysWhenAsked)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 200, 120);
    auto* other = f.Add<TElEdit>(10, 200, 100, 0);
    memo->SetUseXPThemes(false);
    memo->SetUseCustomScrollBars(false);
    memo->SetFlat(true);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetText(NumberedLines(40));
    SetCursorPos(0, 0);  // the mouse away: only the focus makes the memo active
    const HWND h = memo->Handle();
    auto bar = [&] {
        EditForm::Settle();
        RECT window{};
        GetWindowRect(h, &window);
        const int right = window.right - window.left - 2, bar = GetSystemMetrics(SM_CXVSCROLL);
        return l3d::testing::ReadWindowPixels(h, RECT{right - bar, 2, right, window.bottom - window.top - 2}).data;
    };
    EditForm::Focus(other);
    const auto idle = bar();
    EditForm::Focus(memo);
    EXPECT_NE(bar(), idle);  // focused: the system's own look
    memo->SetFlatFocusedScrollBars(true);
    EXPECT_EQ(bar(), idle);
}

TEST(ElEdit, ScreenshotOfTheTestForm)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(20, 20, 240, 0);
    edit->SetText(u"An edit: Gr\u00fc\u00dfe \u65e5\u672c");
    auto* memo = f.Add<TElMemo>(20, 60, 240, 150);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetWordWrap(true);
    memo->SetText(u"A memo with a word-wrapped paragraph that runs over several lines.\r\n" + NumberedLines(30));
    auto* buttons = f.Add<TCustomElButtonEdit>(20, 230, 240, 0);
    buttons->SetText(u"A button edit");
    buttons->SetButtonCaption(u"...");
    buttons->SetAltButtonVisible(true);
    buttons->SetAltButtonCaption(u"x");
    EditForm::Focus(memo);
    SendMessageW(memo->Handle(), EM_SETSEL, 2, 6);  // "memo"
    EditForm::Settle();
    const TSize size = l3d::testing::SaveWindowPicture(f.form->Handle(), u"edit_test_form.png");
    EXPECT_GT(size.cx, 0);
    EXPECT_NE(GetFileAttributesW(L"edit_test_form.png"), INVALID_FILE_ATTRIBUTES);
    // What the picture shows where: the caret at the selection's start (where EM_SETSEL leaves
    // it), the memo's selection over exactly its four characters.
    const int x0 = EditForm::PosOf(memo->Handle(), 2).X, x1 = EditForm::PosOf(memo->Handle(), 6).X;
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, x0);
    HideCaret(memo->Handle());  // it blinks over the selection's first column
    const std::vector<int> selected = ColumnsWith(memo, SysPixel(COLOR_HIGHLIGHT));
    ShowCaret(memo->Handle());
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(selected.front(), x0);
    EXPECT_EQ(selected.back(), x1 - 1);
    EXPECT_EQ(static_cast<int>(selected.size()), x1 - x0);
}

}  // namespace
