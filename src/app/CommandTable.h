// The main window's command table: one row per command, with everything the window makes of
// it. A command may show as a menu item, a tool-bar button (or box) and a navigator button at
// once; they share its texts, glyph, enable rule and handler. A row may also be a menu that
// others open from, or a tool bar that others stand on: a row names its menu and its tool bar
// by the name of that row's element, and stands after that row. The menus, tool bars,
// navigator and axis switches are built from the rows in their order, ApplyLanguage sets their
// texts from them, UpdateMenuStates their enabled states and FormKeyDown looks up its keys in
// them. The rows themselves are in main_command_table.cpp; they are made without a form, so a
// test reads them without making a window.
#pragma once

#include "app/AppGlyphs.h"
#include "app/LanguageTexts.h"
#include "app/MenuStates.h"

#include "framework/ShortCuts.h"
#include "framework/Types.h"

#include <array>
#include <cstdint>
#include <functional>
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

// An element of a command: its component name (unique in the table), the form's field that
// holds it where the design gives it one, and the element once the form made it. A command
// added later needs no field: its row reaches its elements, and so does FindComponent.
template <class T>
struct TSlot {
    std::string Name;
    std::function<T*&(TMainForm&)> Field;  // none: no field of the form holds it
    T* Made = nullptr;

    T* Get() const { return Made; }
};

struct TMenuFace {
    TSlot<TElMenuItem> Item;
    std::string Under;       // the item of the menu it is in (an earlier row's); empty: the menu bar
    uint8_t RadioGroup = 0;  // 0: not one of a group of radio items
};

// A button, or a box, on a tool bar; Place orders the bar's controls from its left end.
struct TToolFace {
    TSlot<TElToolButton> Button;
    TSlot<TElComboBox> Box;
    int BoxWidth = 0;
    std::string Bar;    // the tool bar it stands on (an earlier row's)
    int Place = 0;      // no other control of the bar has it
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
    std::string Panel;  // the form's panel, by its name
    TRect Place;        // on the panel
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
    TSlot<TElToolBar> ToolBar;  // a tool bar on the control bar; the bars stand in row order
    TMenuFace Menu;
    TToolFace Tool;
    TPadFace Pad;
    TCommandText Caption;  // of the menu item (or the navigator button)
    TCommandText Hint;     // of every element; MenuLabelled: its menu's hint and its caption
    // The menu item's; no other row's, and never exactly the stroke another row's key names
    // (a menu short-cut goes before the window's keys).
    TShortCut ShortCut = scNone;
    // The keys the window runs the command for; a key is one row's only (FormKeyDown runs the
    // first row that takes it).
    std::array<TKey, 2> Keys{};
    TGlyph Glyph;
    std::optional<TMenuCondition> Enabled;  // none: the elements' enabled states are left alone
    std::optional<TMenuCondition> ButtonEnabled;  // the tool button's, where it differs
    uint8_t Look = 0;
    void (TMainForm::*OnClick)(TObject*) = nullptr;
    void (TMainForm::*OnKey)(TShiftState) = nullptr;  // for a key, in place of OnClick
    // Its keys work with no scan shown as well; the others act on the scan and wait for one.
    bool KeysWithoutScan = false;
};

// Every command of the main window, in the order the window makes them.
std::vector<TCommand> MainCommandTable();

// The row among Rows whose menu item is named Name; none when no row's is.
const TCommand* MenuRow(const std::vector<TCommand>& Rows, const std::string& Name);
