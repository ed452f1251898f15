#include "el_buttons_form.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <string>

using l3d::testing::ReadClientPixels;

std::unique_ptr<TBitmap> MakeGlyph(std::initializer_list<TColor> Colors)
{
    auto b = std::make_unique<TBitmap>(16 * static_cast<int>(Colors.size()), 16);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(GlyphKey);
    c->FillRect({0, 0, b->Width(), 16});
    int left = 0;
    for (TColor color : Colors) {
        c->Brush()->SetColor(color);
        c->FillRect({left + 2, 2, left + 14, 14});
        left += 16;
    }
    return b;
}

namespace {

template <class T>
T* Make(TWinControl* Parent, int Left, int Top, int Width, int Height)
{
    T* c = CreateComponent<T>(Parent->Owner() ? Parent->Owner() : Parent);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

std::unique_ptr<TBitmap> TwoImages()
{
    auto b = std::make_unique<TBitmap>(32, 16);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(ImageRed);
    c->FillRect({0, 0, 16, 16});
    c->Brush()->SetColor(ImageGreen);
    c->FillRect({16, 0, 32, 16});
    return b;
}

}  // namespace

TButtonsForm::TButtonsForm() : Form(CreateComponent<TForm>(nullptr))
{
    TForm* f = Form.get();
    f->SetCaption(u"Buttons");
    f->SetBounds(30, 30, 560, 330);

    Images = CreateComponent<TImageList>(f);
    Images->SetSize(16, 16);
    Images->Add(TwoImages().get());

    Bar = CreateComponent<TElToolBar>(f);
    Bar->SetParent(f);
    Bar->SetBounds(8, 8, 10, 10);
    Bar->SetImages(Images);
    for (size_t i = 0; i < Res.size(); ++i) {
        Res[i] = CreateComponent<TElToolButton>(f);
        Res[i]->SetParent(Bar);
        Res[i]->SetImageIndex(static_cast<int>(i % 2));
        Res[i]->SetGroupIndex(1);
        Res[i]->SetHint(u"Level " + std::u16string(1, static_cast<char16_t>(u'1' + i)) + u"|Resolution level");
    }
    Res[0]->SetDown(true);
    for (TElToolButton*& p : Palette) {
        p = CreateComponent<TElToolButton>(f);
        p->SetParent(Bar);
        p->SetImageIndex(1);
        p->SetIsSwitch(true);
        p->SetAllowAllUp(true);
        p->SetDown(true);
    }
    Open = CreateComponent<TElToolButton>(f);
    Open->SetParent(Bar);
    Open->SetImageIndex(0);
    Bar->SetButtonWidth(23);

    Navigator = Make<TElPanel>(f, 8, 50, 140, 160);
    ZoomIn = Make<TElGraphicButton>(Navigator, 6, 6, 40, 30);
    ZoomIn->SetGlyph(MakeGlyph({GlyphUp}).get());
    Glyphs = Make<TElGraphicButton>(Navigator, 50, 6, 40, 30);
    Glyphs->SetGlyph(MakeGlyph({GlyphUp, GlyphDisabled}).get());
    Glyphs->SetNumGlyphs(2);
    Captioned = Make<TElGraphicButton>(Navigator, 6, 40, 128, 30);
    Captioned->SetGlyph(MakeGlyph({GlyphUp}).get());
    Captioned->SetCaption(u"Zoom");
    Money = Make<TElGraphicButton>(Navigator, 6, 76, 128, 30);
    Money->SetColor(RGBColor(250, 250, 240));
    Money->SetMoneyFlat(true);
    Money->SetMoneyFlatActiveColor(RGBColor(0, 0, 200));
    Money->SetMoneyFlatInactiveColor(RGBColor(0, 128, 0));
    Money->SetMoneyFlatDownColor(RGBColor(200, 0, 0));
    Money->SetCaption(u"Flat");
    for (size_t i = 0; i < Axis.size(); ++i) {
        Axis[i] = Make<TElGraphicButton>(Navigator, 6 + static_cast<int>(i) * 26, 116, 24, 22);
        Axis[i]->SetCaption(std::u16string(1, static_cast<char16_t>(u'X' + i)));
        Axis[i]->SetIsSwitch(true);
        Axis[i]->SetAllowAllUp(true);
    }
    Axis[0]->SetDown(true);
    Axis[2]->SetDown(true);

    ColorField = Make<TElPanel>(f, 160, 50, 80, 40);
    ColorField->SetColor(clRed);
    ColorField->SetBevelOuter(TBevelCut::bvLowered);
    SeeThrough = Make<TElGraphicButton>(ColorField, 10, 8, 60, 24);
    SeeThrough->SetFlat(true);
    SeeThrough->SetTransparent(true);

    RadiosA = Make<TElPanel>(f, 160, 100, 150, 80);
    for (size_t i = 0; i < A.size(); ++i) {
        A[i] = Make<TElRadioButton>(RadiosA, 6, 4 + static_cast<int>(i) * 24, 130, 20);
        A[i]->SetCaption(u"Option A" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
    }
    RadiosB = Make<TElPanel>(f, 320, 100, 150, 80);
    for (size_t i = 0; i < B.size(); ++i) {
        B[i] = Make<TElRadioButton>(RadiosB, 6, 4 + static_cast<int>(i) * 24, 130, 20);
        B[i]->SetCaption(u"Option B" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
    }
    Check = Make<TElCheckBox>(f, 160, 190, 220, 20);
    Check->SetCaption(u"Print project information");
    Label = Make<TElLabel>(f, 160, 220, 150, 20);
    Label->SetWordWrap(true);
    Label->SetCaption(u"A label");
    Push = Make<TElPopupButton>(f, 400, 250, 100, 33);
    Push->SetCaption(u"Settings");
    Push->SetGlyph(MakeGlyph({GlyphUp}).get());

    f->Show();
    Settle();
}

TButtonsForm::~TButtonsForm()
{
    Form.reset();
    Settle();
}

void Settle()
{
    EXPECT_TRUE(Settled());
}

void ClickAt(TWinControl* Control, int X, int Y)
{
    const HWND wnd = Control->Handle();
    PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Settle();
}

void Click(TWinControl* Control)
{
    ClickAt(Control, Control->Width() / 2, Control->Height() / 2);
}

TColor PixelAt(TWinControl* Control, int X, int Y)
{
    const l3d::testing::Pixels p = ReadClientPixels(Control->Handle(), {X, Y, X + 1, Y + 1});
    const uint32_t v = p.data.at(0);
    return RGBColor(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
}

TColor Plain(TColor Color)
{
    const COLORREF c = ColorToRGB(Color);
    return RGBColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
