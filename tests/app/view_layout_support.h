// The layout input of a 1024 x 768 client area that the layout's tests work out by hand.
#pragma once

#include "app/ViewLayout.h"

// Navigator 48 wide at 12, menu bar 22, control bar 30, status panel 25, axis switches 20 wide
// each.
inline TLayoutInput Window1024(bool Split, bool Navigator = true)
{
    TLayoutInput In;
    In.ClientWidth = 1024;
    In.ClientHeight = 768;
    In.NavigatorVisible = Navigator;
    In.NavigatorLeft = 12;
    In.NavigatorWidth = 48;
    In.MenuBarHeight = 22;
    In.ControlBarHeight = 30;
    In.StatusPanelHeight = 25;
    In.SplitScreen = Split;
    In.AxisXWidth = In.AxisYWidth = In.AxisZWidth = 20;
    return In;
}
