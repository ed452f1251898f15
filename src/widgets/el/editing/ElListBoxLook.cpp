#include "widgets/el/editing/ElListBoxLook.h"

namespace {

// A Width x Height box at Leading (the distance from the leading edge), centred vertically.
TRect PlaceBox(const TRect& Item, int32_t Leading, TSize Size, bool RightToLeft)
{
    const int32_t top = Item.Top + (Item.Height() - Size.cy) / 2;
    const int32_t left = RightToLeft ? Item.Right - Leading - Size.cx : Item.Left + Leading;
    return Bounds(left, top, Size.cx, Size.cy);
}

}  // namespace

TElListItemParts LayoutListItem(const TRect& Item, const TElListItemGeometry& Geometry)
{
    TElListItemParts parts;
    const bool rtl = Geometry.RightToLeft;
    int32_t leading = 0;  // distance of the next part from the leading edge
    if (Geometry.Image.cx > 0) {
        parts.Image = PlaceBox(Item, leading + 1, Geometry.Image, rtl);
        leading += 1 + Geometry.Image.cx + 3;
    }
    if (Geometry.CheckBox.cx > 0) {
        parts.CheckBox = PlaceBox(Item, leading + 2, Geometry.CheckBox, rtl);
        leading += 2 + Geometry.CheckBox.cx + 3;
    }
    parts.Text = Item;
    if (rtl)
        parts.Text.Right = Item.Right - leading - 2;
    else
        parts.Text.Left = Item.Left + leading + 2;
    return parts;
}

TElListItemLook ListItemLook(const TElListColors& Colors, bool Selected, bool Focused)
{
    TElListItemLook look;
    look.Text = Colors.FontColor;
    const bool markSelection = Selected && !Colors.InvertSelection && !Colors.TransparentSelection;
    look.Background = !markSelection;
    look.FillColor = look.Background && !Colors.TransparentSelection;
    if (markSelection)
        look.SelectionFill = Focused ? Colors.FocusedSelectColor
                             : Colors.HideSelection ? Colors.HideSelectColor
                                                    : Colors.Color;
    if (Selected) {
        look.SelectedFont = Colors.UseSelectedFont && !Colors.TransparentSelection;
        if (!look.SelectedFont)
            look.Text = Focused ? Colors.FocusedSelectTextColor
                        : Colors.HideSelection ? Colors.HideSelectTextColor
                                               : Colors.FontColor;
        look.Invert = Colors.InvertSelection;
    }
    return look;
}
