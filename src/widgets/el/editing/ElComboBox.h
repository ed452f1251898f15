// TElComboBox: a themed Unicode combo box, an edit part with a drop-down list.
//
// This form stands on the system's COMBOBOX for its edit part and button; the list it drops is
// the widget layer's list box (TElComboListBox), which keeps the focus with the combo box, takes
// its keys while open and reports what the user picked. The operations below are the ones the
// shell uses, and stay when the edit part is rebuilt on the widget layer's own edit.
//
// - Items: what the list shows. Every change of the list reaches the native list at once.
// - ItemIndex: writing selects the item and shows its text; -1 selects none and, in the
//   drop-down-list style, clears the text (the editable style keeps its text). Writing it
//   fires no OnChange: callers that need their handler run it themselves.
// - OnChange fires after the user changed the selection (or, editable, the text); OnDropDown
//   when the list opens, with DroppedDown already true.
// - Keys typed into the box go through the form's key preview and OnKeyDown, OnKeyPress and
//   OnKeyUp (the combo box as sender) before the box sees them: a handler may change the key or
//   swallow it by setting it to 0.
// - DropDownAlignment right puts the list's right edge under the box's right edge (a list wider
//   than the box then opens to the left); RightAlignedView reads right to left.
#pragma once

// First, before <windows.h> can rename the list's GetObject to GetObjectW: the item list's
// class table is made in this unit and must name the methods as the portable unit defines them.
#include "widgets/el/foundation/ElWideStrings.h"

#include "widgets/el/editing/ElComboBoxParts.h"
#include "widgets/el/foundation/ElXPThemedControl.h"

#include <memory>

enum class TComboBoxStyle { csDropDown = 0, csDropDownList = 2 };

class TElComboListBox;

class TElComboBox : public TElXPThemedControl {
public:
    explicit TElComboBox(TComponent* AOwner);
    ~TElComboBox() override;
    const char* ClassName() const override { return "TElComboBox"; }

    TElWideStrings* Items() const;

    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The edit part's text. Writing it in the drop-down-list style selects the item with exactly
    // that text, or none.
    std::u16string Text() const override;
    void SetText(const std::u16string& Value);

    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    TAlignment DropDownAlignment() const { return dropDownAlignment_; }
    void SetDropDownAlignment(TAlignment Value);
    // Rows the open list shows at most before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int Value);
    TComboBoxStyle Style() const { return style_; }
    // Remakes the window; items, selection and (editable) text stay.
    void SetStyle(TComboBoxStyle Value);
    // Alignment of the edit part's text.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool RightAlignedView() const { return BiDiMode() == TBiDiMode::bdRightToLeft; }
    void SetRightAlignedView(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    std::u16string GetThemedClassName() const override { return u"COMBOBOX"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void EnabledChanged() override;

private:
    class TItems;
    friend class TItems;

    // The native list follows the items.
    void NativeInsert(int Index, const std::u16string& S);
    void NativeDelete(int Index);
    void NativeClear();
    void NativeRefill();
    void NativeRedraw(bool On);
    // Sets the native selection without telling OnChange; -1 keeps an editable text.
    void SelectNative(int Index);
    void AttachParts();
    // The drop-down list: opened and closed (with or without the row the user picked), kept in
    // step with the items while open, placed under (or over) the box.
    void DropDown();
    void CloseUp(bool Pick);
    void SyncDropDown();
    TRect DropDownBounds();
    // A key for the open list, or one that opens or closes it; true when it was taken.
    bool DropDownKey(UINT Msg, WPARAM Key, LPARAM LParam);
    bool OnButton(TPoint Client);
    void ApplyEditAlignment();
    void Changed();

    std::unique_ptr<TItems> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    TAlignment dropDownAlignment_ = TAlignment::taLeftJustify;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int dropDownCount_ = 8;
    int itemIndex_ = -1;       // kept while there is no window
    bool dropped_ = false;     // the list shows (from before OnDropDown on)
    int droppedWidth_ = 0;     // the list's least width (CB_SETDROPPEDWIDTH)
    int quiet_ = 0;            // > 0 while the control itself changes text or selection
    TElWindowSubclass edit_;
    TOwned<TElComboListBox> dropDown_;
};
