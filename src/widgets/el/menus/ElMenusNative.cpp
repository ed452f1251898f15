#include "widgets/el/menus/ElMenusNative.h"

#include "widgets/el/foundation/ElHook.h"

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Forms.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <algorithm>
#include <utility>

namespace {

IElPopupMenu* MakeNativePopupMenu(TComponent* Owner)
{
    return new TElPopupMenu(Owner);
}

// Portable code that makes popup menus gets native ones in every program that links this unit.
[[maybe_unused]] const bool NativePopupMenusInstalled = (SetElPopupMenuMaker(MakeNativePopupMenu), true);

// ---- glyphs of items with an image index

TElMenuItem* ElItem(TMenuItem* Item)
{
    return dynamic_cast<TElMenuItem*>(Item);
}

bool HasGlyph(TMenuItem* Item, const TImageList* Images)
{
    const TElMenuItem* item = ElItem(Item);
    return Images && item && item->ImageIndex() >= 0 && item->ImageIndex() < Images->Count();
}

void AskForGlyph(TMenuItem* Item, const TImageList* Images, MENUITEMINFOW& Info)
{
    if (!HasGlyph(Item, Images) || Item->IsLine())
        return;
    Info.fMask |= MIIM_BITMAP;
    Info.hbmpItem = HBMMENU_CALLBACK;
}

void DrawGlyph(TMenuItem* Item, TImageList* Images, HDC Dc, const RECT& Area, bool Enabled)
{
    if (!HasGlyph(Item, Images))
        return;
    TCanvas canvas;
    TCanvasLoan loan(canvas, Dc);
    const int x = Area.left + (Area.right - Area.left - Images->Width()) / 2;
    const int y = Area.top + (Area.bottom - Area.top - Images->Height()) / 2;
    Images->Draw(&canvas, x, y, ElItem(Item)->ImageIndex(), Enabled);
}

// ---- the flat (tdsOfficeXP) look of popup items

constexpr int kGutterPadding = 4;    // around the glyph in the gutter
constexpr int kTextGap = 8;          // between the gutter and the text
constexpr int kShortCutGap = 24;     // between the text and the short-cut
constexpr int kRightMargin = 12;

TGdiObject<HFONT> MenuFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return TGdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMenuFont));
}

// The width of a single line of text in the font selected into Dc.
int TextWidth(HDC Dc, const std::u16string& Text)
{
    RECT r{0, 0, 0, 0};
    DrawTextW(Dc, WideChars(Text), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return static_cast<int>(r.right - r.left);
}

// Measures on the screen with the menu font.
template <class TUse>
auto WithMenuFont(TUse Use)
{
    TWindowDC screen(nullptr);
    const TGdiObject<HFONT> font = MenuFont();
    TSelectedObject selected(screen.Handle(), font.get());
    return Use(screen.Handle());
}

int GutterWidth(const TImageList* Images)
{
    return std::max(Images ? Images->Width() : 16, GetSystemMetrics(SM_CXMENUCHECK)) + 2 * kGutterPadding;
}

COLORREF Blend(COLORREF A, COLORREF B, int PercentOfA)
{
    auto mix = [&](int shift) {
        const int a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
        return static_cast<COLORREF>((a * PercentOfA + b * (100 - PercentOfA)) / 100) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

void Fill(HDC Dc, const RECT& R, COLORREF Color)
{
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(Color));
    FillRect(Dc, &R, brush.get());
}

void Frame(HDC Dc, const RECT& R, COLORREF Color)
{
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(Color));
    FrameRect(Dc, &R, brush.get());
}

// A tick, or for a radio item a bullet, centred in Box.
void DrawCheckMark(HDC Dc, const RECT& Box, bool Radio, COLORREF Color)
{
    const int cx = (Box.left + Box.right) / 2, cy = (Box.top + Box.bottom) / 2;
    const TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, Color));
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(Color));
    TSelectedObject selectedPen(Dc, pen.get());
    TSelectedObject selectedBrush(Dc, brush.get());
    if (Radio) {
        Ellipse(Dc, cx - 3, cy - 3, cx + 4, cy + 4);
        return;
    }
    for (int dy = 0; dy < 3; ++dy) {
        const POINT tick[3] = {{cx - 4, cy - 1 + dy}, {cx - 1, cy + 2 + dy}, {cx + 5, cy - 4 + dy}};
        Polyline(Dc, tick, 3);
    }
}

void MeasureFlatItem(TMenuItem* Item, const TImageList* Images, MEASUREITEMSTRUCT& Measure)
{
    WithMenuFont([&](HDC Dc) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(Dc, &metrics);
        int w = GutterWidth(Images) + kTextGap + TextWidth(Dc, Item->Caption()) + kRightMargin;
        if (Item->ShortCut() != scNone)
            w += kShortCutGap + TextWidth(Dc, ShortCutToText(Item->ShortCut()));
        Measure.itemWidth = static_cast<UINT>(w);
        Measure.itemHeight = static_cast<UINT>(std::max({static_cast<int>(metrics.tmHeight) + 6,
                                                         (Images ? Images->Height() : 16) + 2 * kGutterPadding - 2,
                                                         GetSystemMetrics(SM_CYMENUCHECK) + 4}));
    });
}

void DrawFlatItem(TMenuItem* Item, TImageList* Images, const DRAWITEMSTRUCT& Draw)
{
    const HDC dc = Draw.hDC;
    TSavedDC saved(dc);
    const RECT& r = Draw.rcItem;
    const bool selected = (Draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (Draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (Draw.itemState & ODS_CHECKED) != 0;
    const COLORREF face = GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

    RECT gutter{r.left, r.top, r.left + GutterWidth(Images), r.bottom};
    Fill(dc, r, face);
    Fill(dc, gutter, Blend(GetSysColor(COLOR_BTNFACE), face, 70));
    if (selected && !disabled) {
        RECT band{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        Fill(dc, band, Blend(highlight, face, 30));
        Frame(dc, band, highlight);
    }
    RECT box{gutter.left + 2, r.top + 2, gutter.right - 2, r.bottom - 2};
    if (checked) {
        if (!selected)
            Fill(dc, box, Blend(highlight, face, 20));
        Frame(dc, box, highlight);
    }
    if (HasGlyph(Item, Images))
        DrawGlyph(Item, Images, dc, box, !disabled);
    else if (checked)
        DrawCheckMark(dc, box, Item->RadioItem(), GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));

    const TGdiObject<HFONT> font = MenuFont();
    TSelectedObject selectedFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    const UINT flags = DT_SINGLELINE | DT_VCENTER | ((Draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    RECT text{gutter.right + kTextGap, r.top, r.right - kRightMargin, r.bottom};
    DrawTextW(dc, WideChars(Item->Caption()), -1, &text, flags | DT_LEFT);
    if (Item->ShortCut() != scNone)
        DrawTextW(dc, WideChars(ShortCutToText(Item->ShortCut())), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

// ---- right-to-left drop-down items: the system's own look, mirrored
//
// The system lays out a drop-down item from the left: check mark, glyph, text, then the
// short-cuts in a column one average character past the widest text, the submenu arrow at the
// right. Right to left the same parts stand at the same distances from the right edge, the
// text ends where it began and reads right to left, the short-cuts end their column where it
// began, and the arrow points left from the left edge. Glyphs and check marks are not turned.

constexpr int kCheckGap = 4;  // between the check mark's column and the glyph's

// The submenu arrow bitmap the system draws its own with (OBM_MNARROW).
constexpr int kMenuArrowBitmap = 32739;

// What every item of one drop-down list shares: the columns, measured on the menu font.
struct TMirroredColumns {
    int charWidth = 0;    // the font's average character, the system's unit of space in menus
    int textHeight = 0;
    int textEnd = 0;      // from the right edge: where the texts end (check, gap, glyph column)
    int shortCutEnd = 0;  // from the right edge: where the short-cuts end; 0 without short-cuts
    int arrowWidth = 0;
    int width = 0;        // the list's width
};

// The average character width as the system works it out for the menu font.
int AverageCharWidth(HDC Dc)
{
    static const std::u16string letters = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE size{};
    GetTextExtentPoint32W(Dc, WideChars(letters), static_cast<int>(letters.size()), &size);
    return (static_cast<int>(size.cx) / 26 + 1) / 2;
}

TGdiObject<HBITMAP> MenuArrow()
{
    return TGdiObject<HBITMAP>(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kMenuArrowBitmap)));
}

SIZE BitmapSize(HBITMAP Bitmap)
{
    BITMAP info{};
    if (!Bitmap || !GetObjectW(Bitmap, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// The columns of the list that holds Item; Dc has the menu font selected.
TMirroredColumns MirroredColumns(HDC Dc, TMenuItem* Item, const TImageList* Images)
{
    TMirroredColumns c;
    TEXTMETRICW metrics{};
    GetTextMetricsW(Dc, &metrics);
    c.charWidth = AverageCharWidth(Dc);
    c.textHeight = metrics.tmHeight;
    c.arrowWidth = BitmapSize(MenuArrow().get()).cx;
    int glyphWidth = 0, widestText = 0, widestShortCut = 0;
    TMenuItem* list = Item->Parent();
    for (int i = 0; list && i < list->Count(); ++i) {
        TMenuItem* sibling = list->Items(i);
        if (!sibling->Visible() || sibling->IsLine())
            continue;
        if (HasGlyph(sibling, Images))
            glyphWidth = Images->Width();
        widestText = std::max(widestText, TextWidth(Dc, sibling->Caption()));
        if (sibling->ShortCut() != scNone)
            widestShortCut = std::max(widestShortCut, TextWidth(Dc, ShortCutToText(sibling->ShortCut())));
    }
    c.textEnd = GetSystemMetrics(SM_CXMENUCHECK) + kCheckGap + glyphWidth;
    // The far side: a space and the arrow's column, as the system keeps it after its texts.
    const int farSide = c.charWidth + c.arrowWidth + 2;
    c.width = c.textEnd + widestText + farSide;
    if (widestShortCut > 0) {
        c.shortCutEnd = c.textEnd + widestText + c.charWidth + 2;
        c.width = c.shortCutEnd + widestShortCut + farSide;
    }
    return c;
}

void MeasureMirroredItem(TMenuItem* Item, const TImageList* Images, MEASUREITEMSTRUCT& Measure)
{
    const TMirroredColumns c = WithMenuFont([&](HDC Dc) { return MirroredColumns(Dc, Item, Images); });
    // The system adds two average characters to the width an owner-drawn item asks for.
    Measure.itemWidth = static_cast<UINT>(std::max(0, c.width - 2 * c.charWidth));
    Measure.itemHeight = static_cast<UINT>(std::max(c.textHeight + 4, HasGlyph(Item, Images) ? Images->Height() + 2 : 0));
}

// Copies a monochrome picture of the system's (a check mark, a bullet, an arrow) onto Dc in its
// text colour on its background colour, turned left for right when Mirrored.
void BlitMonochrome(HDC Dc, HDC Picture, int X, int Y, SIZE Size, bool Mirrored)
{
    if (Mirrored)
        StretchBlt(Dc, X + Size.cx - 1, Y, -Size.cx, Size.cy, Picture, 0, 0, Size.cx, Size.cy, SRCCOPY);
    else
        BitBlt(Dc, X, Y, Size.cx, Size.cy, Picture, 0, 0, SRCCOPY);
}

void DrawMirroredCheckMark(HDC Dc, const RECT& Item, bool Radio)
{
    const SIZE size{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
    TMemoryDC mark(Dc, TGdiObject<HBITMAP>(CreateBitmap(size.cx, size.cy, 1, 1, nullptr)));
    RECT box{0, 0, size.cx, size.cy};
    DrawFrameControl(mark.Handle(), &box, DFC_MENU, Radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    BlitMonochrome(Dc, mark.Handle(), Item.right - size.cx, (Item.top + Item.bottom - size.cy) / 2, size, false);
}

void DrawLeftwardArrow(HDC Dc, const RECT& Item)
{
    TGdiObject<HBITMAP> bitmap = MenuArrow();
    const SIZE size = BitmapSize(bitmap.get());
    TMemoryDC arrow(Dc, std::move(bitmap));
    if (arrow.Valid())
        BlitMonochrome(Dc, arrow.Handle(), Item.left + 1, (Item.top + Item.bottom - size.cy) / 2, size, true);
}

void DrawMirroredItem(TMenuItem* Item, TImageList* Images, const DRAWITEMSTRUCT& Draw)
{
    const HDC dc = Draw.hDC;
    const RECT& r = Draw.rcItem;
    int arrowWidth = 0;
    {
        TSavedDC saved(dc);
        const TGdiObject<HFONT> font = MenuFont();
        TSelectedObject selectedFont(dc, font.get());
        const TMirroredColumns c = MirroredColumns(dc, Item, Images);
        arrowWidth = c.arrowWidth;
        const bool selected = (Draw.itemState & ODS_SELECTED) != 0;
        const bool disabled = (Draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
        const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
        Fill(dc, r, back);
        SetBkColor(dc, back);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        if (Draw.itemState & ODS_CHECKED)
            DrawMirroredCheckMark(dc, r, Item->RadioItem());
        if (HasGlyph(Item, Images)) {
            const int right = r.right - GetSystemMetrics(SM_CXMENUCHECK) - kCheckGap;
            DrawGlyph(Item, Images, dc, {right - Images->Width(), r.top, right, r.bottom}, !disabled);
        }
        if (Item->Count() > 0)
            DrawLeftwardArrow(dc, r);

        SetBkMode(dc, TRANSPARENT);
        const UINT flags = DT_SINGLELINE | DT_VCENTER | ((Draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
        auto text = [&](const std::u16string& Text, RECT Box, UINT Align) {
            // A greyed text stands out of the face as the system's does, unless highlighted.
            if (disabled && !selected) {
                const COLORREF grey = GetTextColor(dc);
                SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
                RECT raised{Box.left + 1, Box.top + 1, Box.right + 1, Box.bottom + 1};
                DrawTextW(dc, WideChars(Text), -1, &raised, flags | Align);
                SetTextColor(dc, grey);
            }
            DrawTextW(dc, WideChars(Text), -1, &Box, flags | Align);
        };
        text(Item->Caption(), {r.left, r.top, r.right - c.textEnd, r.bottom}, DT_RIGHT | DT_RTLREADING);
        if (Item->ShortCut() != scNone && c.shortCutEnd > 0)
            text(ShortCutToText(Item->ShortCut()), {r.left, r.top, r.right - c.shortCutEnd, r.bottom}, DT_RIGHT);
    }
    // The system draws its own arrow at the right of an owner-drawn item with a submenu once
    // this returns; the arrow stands at the left here.
    if (Item->Count() > 0)
        ExcludeClipRect(dc, r.right - arrowWidth - 1, r.top, r.right, r.bottom);
}

void MeasureGlyph(const TImageList* Images, MEASUREITEMSTRUCT& Measure)
{
    Measure.itemWidth = static_cast<UINT>(Images ? Images->Width() : 0);
    Measure.itemHeight = static_cast<UINT>(Images ? Images->Height() : 0);
}

bool DrawnEnabled(const DRAWITEMSTRUCT& Draw)
{
    return (Draw.itemState & (ODS_GRAYED | ODS_DISABLED)) == 0;
}

}  // namespace

// ---- TElMainMenu

TElMainMenu::TElMainMenu(TComponent* AOwner) : TMainMenu(AOwner) {}

void TElMainMenu::SetImages(TImageList* Value)
{
    if (Value == images_.Get())
        return;
    images_ = Value;
    MenuChanged(TMainMenu::Items(), true);
}

bool TElMainMenu::DrawsMirrored(const TMenuItem* Item) const
{
    return RightToLeft() && Item->Parent() != TMainMenu::Items();
}

void TElMainMenu::ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar)
{
    TMainMenu::ItemInfo(Item, Info, Text, InBar);
    if (InBar)
        return;
    // Separators stay the system's, drawn the same either way.
    if (DrawsMirrored(Item) && !Item->IsLine())
        Info.fType |= MFT_OWNERDRAW;
    else
        AskForGlyph(Item, images_.Get(), Info);
}

void TElMainMenu::MeasureItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure)
{
    if (DrawsMirrored(Item))
        MeasureMirroredItem(Item, images_.Get(), Measure);
    else
        MeasureGlyph(images_.Get(), Measure);
}

void TElMainMenu::DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT& Draw)
{
    if (DrawsMirrored(Item))
        DrawMirroredItem(Item, images_.Get(), Draw);
    else
        DrawGlyph(Item, images_.Get(), Draw.hDC, Draw.rcItem, DrawnEnabled(Draw));
}

// ---- TElPopupMenu

TElPopupMenu::TElPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TElPopupMenu::SetDrawStyle(TDrawStyle Value)
{
    if (Value == drawStyle_)
        return;
    drawStyle_ = Value;
    MenuChanged(Items(), true);
}

void TElPopupMenu::SetImages(TImageList* Value)
{
    if (Value == images_.Get())
        return;
    images_ = Value;
    MenuChanged(Items(), true);
}

void TElPopupMenu::ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar)
{
    TPopupMenu::ItemInfo(Item, Info, Text, InBar);
    if (!OwnerDrawn())
        AskForGlyph(Item, images_.Get(), Info);
    else if (!Item->IsLine())
        Info.fType |= MFT_OWNERDRAW;
}

void TElPopupMenu::MeasureItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure)
{
    if (OwnerDrawn())
        MeasureFlatItem(Item, images_.Get(), Measure);
    else
        MeasureGlyph(images_.Get(), Measure);
}

void TElPopupMenu::DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT& Draw)
{
    if (OwnerDrawn())
        DrawFlatItem(Item, images_.Get(), Draw);
    else
        DrawGlyph(Item, images_.Get(), Draw.hDC, Draw.rcItem, DrawnEnabled(Draw));
}

// ---- TElMenuBar

TElMenuBar::TElMenuBar(TComponent* AOwner) : TControl(AOwner), formHook_(new TElHook(this))
{
    SetBounds(0, 0, 0, 0);
    formHook_->OnAfterProcess = [this](TObject*, TMessage& Message, bool&) {
        // A window made after the bar was hidden gets the form's menu with it.
        if (Message.Msg == WM_SHOWWINDOW && Message.WParam)
            ShowOnWindow();
    };
}

TElMenuBar::~TElMenuBar() = default;

void TElMenuBar::SetMenu(TElMainMenu* Value)
{
    TElMainMenu* old = menu_.Get();
    if (Value == old)
        return;
    TCustomForm* form = ParentForm();
    if (old && form && form->Menu() == old)
        form->SetMenu(nullptr);
    menu_ = Value;
    if (Value)
        Value->SetRightToLeft(rightToLeft_);
    Apply();
}

void TElMenuBar::SetRightToLeft(bool Value)
{
    rightToLeft_ = Value;
    if (TElMainMenu* menu = menu_.Get())
        menu->SetRightToLeft(Value);
}

void TElMenuBar::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    Apply();
}

void TElMenuBar::VisibleChanged()
{
    TControl::VisibleChanged();
    ShowOnWindow();
}

void TElMenuBar::Apply()
{
    TCustomForm* form = ParentForm();
    WatchForm(form);
    TElMainMenu* menu = menu_.Get();
    if (!form || !menu)
        return;
    // The form keeps the menu while the bar is hidden, so that its short-cuts and commands work.
    if (form->Menu() != menu)
        form->SetMenu(menu);
    ShowOnWindow();
}

void TElMenuBar::ShowOnWindow()
{
    TCustomForm* form = ParentForm();
    TElMainMenu* menu = menu_.Get();
    if (!form || !menu || form->Menu() != menu || !form->HandleAllocated())
        return;
    const HWND window = form->Handle();
    const HMENU wanted = Visible() ? menu->Handle() : nullptr;
    if (GetMenu(window) == wanted)
        return;
    ::SetMenu(window, wanted);
    form->Realign();
}

void TElMenuBar::WatchForm(TCustomForm* Form)
{
    if (formHook_->Control() == Form)
        return;
    formHook_->SetActive(false);
    formHook_->SetControl(Form);
    formHook_->SetActive(Form != nullptr);
}
