// The main window's command table: one row per command, with everything the window makes of
// it. A command may show as a menu item, a tool-bar button (or box) and a navigator button at
// once; they share its texts, glyph, enable rule and handler. The menus, tool bars, navigator
// and axis switches are built from the rows, ApplyLanguage sets their texts from them,
// UpdateMenuStates their enabled states and FormKeyDown looks up its keys in them. The rows
// themselves are in main_command_table.cpp.
#pragma once

#include "app/AppGlyphs.h"
#include "app/LanguageTexts.h"
#include "app/MenuStates.h"

#include "framework/ShortCuts.h"
#include "framework/Types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TMainForm;
class TObject;
class TElMenuItem;
class TElToolBar;
class TElToolButton;
class TElComboBox;
class TElGraphicButton;
class TElPanel;

// An element of a command: its component name, the form's field that holds it (a command added
// later needs none: its row reaches it), and the element once it is made.
template <class T>
struct TSlot {
    std::string Name;
    T** Field = nullptr;
    T* Made = nullptr;

    T* Get() const { return Made; }
};

struct TMenuFace {
    TSlot<TElMenuItem> Item;
    TElMenuItem** Under = nullptr;  // the menu it is in; none: the menu bar
    uint8_t RadioGroup = 0;         // 0: not one of a group of radio items
};

// A button, or a box, on a tool bar; Place orders the bar's controls from its left end.
struct TToolFace {
    TSlot<TElToolButton> Button;
    TSlot<TElComboBox> Box;
    int BoxWidth = 0;
    TElToolBar** Bar = nullptr;
    int Place = 0;
    uint8_t Group = 0;  // buttons of one group other than 0 are down one at a time
};

constexpr int NavigatorButtonWidth = 30;
constexpr int NavigatorButtonHeight = 26;
constexpr int NavigatorWidth = 2 * NavigatorButtonWidth + 8;
constexpr int StatusPanelHeight = 24;

// The navigator's buttons stand in two columns.
constexpr TRect NavigatorCell(int Row, int Column)
{
    const int left = 4 + Column * NavigatorButtonWidth, top = 4 + Row * NavigatorButtonHeight;
    return {left, top, left + NavigatorButtonWidth, top + NavigatorButtonHeight};
}

// A button on a panel of the window: the navigator, or the status panel's axis switches.
struct TPadFace {
    TSlot<TElGraphicButton> Button;
    TElPanel** Panel = nullptr;
    TRect Place;  // on the panel
};

// A key the window takes itself (the form sees every key before its controls), with the
// modifiers it needs; others held do not matter.
struct TKey {
    uint16_t Key = 0;
    TShiftState Needs = 0;
};

// How the command's elements look at the start and behave (TCommand::Look holds several).
namespace Looks {
enum : uint8_t {
    Checked = 1,  // the menu item is ticked
    Switch = 2,   // a button stays down until it is clicked again
    Down = 4,     // the button is down
    Repeats = 8,  // a button held down repeats its command
    Flat = 16,    // a navigator button, framed only while the mouse is over it
};
}  // namespace Looks

struct TCommand {
    TMenuFace Menu;
    TToolFace Tool;
    TPadFace Pad;
    TCommandText Caption;  // of the menu item (or the navigator button)
    TCommandText Hint;     // of every element; MenuLabelled: its menu's hint and its caption
    TShortCut ShortCut = scNone;  // the menu item's
    std::array<TKey, 2> Keys{};   // the keys the window runs the command for
    TGlyph Glyph;
    std::optional<TMenuCondition> Enabled;  // none: the elements' enabled states are left alone
    std::optional<TMenuCondition> ButtonEnabled;  // the tool button's, where it differs
    uint8_t Look = 0;
    void (TMainForm::*OnClick)(TObject*) = nullptr;
    void (TMainForm::*OnKey)(TShiftState) = nullptr;  // for a key, in place of OnClick
    // Its keys work with no scan shown as well; the others act on the scan and wait for one.
    bool KeysWithoutScan = false;
};

// Every command of Form, whose fields the rows name.
std::vector<TCommand> MainCommandTable(TMainForm& Form);
