// TElComboBox: a themed Unicode combo box, the widget layer's button edit with a drop-down list.
//
// The edit part is the edit of TCustomElButtonEdit, its main button the drop-down arrow; the list
// it drops is the widget layer's list box (TElComboListBox), which keeps the focus with the combo
// box, takes its keys while open and reports what the user picked. The window also answers the
// combo-box messages callers ask it (CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, CB_SHOWDROPDOWN,
// CB_GETDROPPEDSTATE, CB_SETDROPPEDWIDTH, CB_GETCOMBOBOXINFO).
//
// - Items: what the list shows.
// - ItemIndex: writing selects the item and shows its text; -1 selects none and, in the
//   drop-down-list style, clears the text (the editable style keeps its text). Writing it
//   fires no OnChange: callers that need their handler run it themselves.
// - OnChange fires after the user changed the selection (or, editable, the text); OnDropDown
//   when the list opens, with DroppedDown already true.
// - Keys typed into the box go through the form's key preview and OnKeyDown, OnKeyPress and
//   OnKeyUp (the combo box as sender) before the box sees them: a handler may change the key or
//   swallow it by setting it to 0. F4 and Alt+Up or Alt+Down open and close the list; closed,
//   the arrows and the mouse wheel step through the items; a drop-down-list box also selects by
//   typed first letters.
// - The drop-down-list style shows only an item's text, selected while focused, with no caret;
//   a press anywhere on it opens the list. The editable style opens from its button.
// - DropDownAlignment right puts the list's right edge under the box's right edge (a list wider
//   than the box then opens to the left); RightAlignedView reads right to left.
#pragma once

// First, before <windows.h> can rename the list's GetObject to GetObjectW: the item list's
// class table is made in this unit and must name the methods as the portable unit defines them.
#include "widgets/el/foundation/ElWideStrings.h"

#include "widgets/el/editing/ElButtonEdit.h"

#include <memory>

enum class TComboBoxStyle { csDropDown = 0, csDropDownList = 2 };

class TElComboListBox;

class TElComboBox : public TCustomElButtonEdit {
public:
    explicit TElComboBox(TComponent* AOwner);
    ~TElComboBox() override;
    const char* ClassName() const override { return "TElComboBox"; }

    TElWideStrings* Items() const;

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int Value);
    // The edit part's text. Writing it in the drop-down-list style selects the item with exactly
    // that text, or none.
    void SetText(const std::u16string& Value);

    bool DroppedDown() const { return dropped_; }
    void SetDroppedDown(bool Value);
    TAlignment DropDownAlignment() const { return dropDownAlignment_; }
    void SetDropDownAlignment(TAlignment Value);
    // Rows the open list shows at most before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value);
    TComboBoxStyle Style() const { return style_; }
    // Items, selection and (editable) text stay.
    void SetStyle(TComboBoxStyle Value);

    TNotifyEvent OnDropDown;

    void WndProc(TMessage& Message) override;

protected:
    std::u16string GetThemedClassName() const override { return u"COMBOBOX"; }
    void CreateWnd() override;
    void DestroyWnd() override;
    void EnabledChanged() override;
    void EditKeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool WantsCaret() const override { return style_ == TComboBoxStyle::csDropDown; }

private:
    class TItems;
    friend class TItems;

    // Shows Text without telling OnChange; the drop-down-list style shows it selected.
    void ShowText(const std::u16string& Text);
    // No item selected: the drop-down-list style shows no text.
    void Deselect();
    // The user chose Index (list, arrows, letters): selected, shown, OnChange.
    void Pick(int Index);
    // The drop-down list: opened and closed (with or without the row the user picked), kept in
    // step with the items while open, placed under (or over) the box.
    void DropDown();
    void CloseUp(bool Picked);
    void SyncDropDown();
    TRect DropDownBounds();
    // A key for the open list, or one that opens or closes it; true when it was taken.
    bool DropDownKey(uint16_t Key, TShiftState Shift);
    // The next item after the selection whose text starts with Ch (ignoring case); -1 when none.
    int FindByFirstLetter(char16_t Ch) const;
    bool AnswerComboMessage(TMessage& Message);

    std::unique_ptr<TItems> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    TAlignment dropDownAlignment_ = TAlignment::taLeftJustify;
    int dropDownCount_ = 8;
    int itemIndex_ = -1;
    bool dropped_ = false;   // the list shows (from before OnDropDown on)
    int droppedWidth_ = 0;   // the list's least width (CB_SETDROPPEDWIDTH)
    int wheelDelta_ = 0;     // wheel turned short of a whole notch
    TOwned<TElComboListBox> dropDown_;
};
