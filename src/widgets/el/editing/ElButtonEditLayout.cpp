#include "widgets/el/editing/ElButtonEditLayout.h"

#include <algorithm>

int32_t EditButtonWidth(int32_t Width, int32_t SystemWidth)
{
    if (Width == -1)
        return std::max(SystemWidth, 0);
    return std::max(Width, 0);
}

TElButtonEditParts LayoutButtonEdit(const TRect& Client, const TElEditButtonSpec& Button,
                                    const TElEditButtonSpec& AltButton, bool AltLeftOfMain, int32_t SystemWidth)
{
    TElButtonEditParts parts;
    parts.EditRect = Client;
    int32_t right = Client.Right;
    // Right to left: the button at the edge first.
    auto place = [&](const TElEditButtonSpec& Spec, TRect& Out) {
        if (!Spec.Visible)
            return;
        const int32_t left = std::max(right - EditButtonWidth(Spec.Width, SystemWidth), Client.Left);
        Out = TRect{left, Client.Top, right, Client.Bottom};
        right = left;
    };
    if (AltLeftOfMain) {
        place(Button, parts.Button);
        place(AltButton, parts.AltButton);
    } else {
        place(AltButton, parts.AltButton);
        place(Button, parts.Button);
    }
    parts.EditRect.Right = right;
    return parts;
}
