#include "widgets/el/menus/ElMenusNative.h"

#include "widgets/el/foundation/ElHook.h"

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Forms.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <algorithm>

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
    TWindowDC screen(nullptr);
    const TGdiObject<HFONT> font = MenuFont();
    TSelectedObject selected(screen.Handle(), font.get());
    auto width = [&](const std::u16string& Text) {
        RECT r{0, 0, 0, 0};
        DrawTextW(screen.Handle(), WideChars(Text), -1, &r, DT_SINGLELINE | DT_CALCRECT);
        return static_cast<int>(r.right - r.left);
    };
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Handle(), &metrics);
    int w = GutterWidth(Images) + kTextGap + width(Item->Caption()) + kRightMargin;
    if (Item->ShortCut() != scNone)
        w += kShortCutGap + width(ShortCutToText(Item->ShortCut()));
    Measure.itemWidth = static_cast<UINT>(w);
    Measure.itemHeight = static_cast<UINT>(
        std::max({static_cast<int>(metrics.tmHeight) + 6, (Images ? Images->Height() : 16) + 2 * kGutterPadding - 2,
                  GetSystemMetrics(SM_CYMENUCHECK) + 4}));
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

void TElMainMenu::ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar)
{
    TMainMenu::ItemInfo(Item, Info, Text, InBar);
    if (!InBar)
        AskForGlyph(Item, images_.Get(), Info);
}

void TElMainMenu::MeasureItem(TMenuItem*, MEASUREITEMSTRUCT& Measure)
{
    MeasureGlyph(images_.Get(), Measure);
}

void TElMainMenu::DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT& Draw)
{
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
