// TCustomElListBox / TElListBox: a list box of Unicode items drawn entirely by the control,
// over the system's LISTBOX.
//
// The system window is always owner-drawn and holds one empty placeholder per item, so that its
// selection, scrolling, keyboard and multi-selection logic work; the texts, objects, check
// states and image indexes live in Items (TElListBoxStrings), which keeps the window's count
// equal to its own. Rows show an optional image and three-state check box before the text, in
// the selection colours of the focused or unfocused box, over the box's colour, a tiled bitmap
// or the parent's picture. Typing searches the items (type-ahead, ended by a pause); a row too
// narrow for its text shows the whole text in a line hint; the scroll bars are the replacement
// bars (TElSBController) when the scroll-function hook is installed, the standard ones
// otherwise.
//
// Events: OnChange after ItemIndex changed through the user or the setter; OnCheckStateChange
// and OnCheckBoxChange after a click changed one check box; OnMultiCheck after a Shift-click
// toggled a range.
#pragma once

// First, before <windows.h> can rename the list's GetObject to GetObjectW.
#include "widgets/el/editing/ElListBoxItems.h"

#include "widgets/el/editing/ElListBoxChecks.h"
#include "widgets/el/editing/ElListBoxLook.h"
#include "widgets/el/editing/ElListBoxSearch.h"
#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElImageForm.h"
#include "widgets/el/foundation/ElSBController.h"
#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TElListBoxHintWindow;
class TElListBoxLineHint;
class TElKeyboardPlatformWin;

using TElCheckStateChangeEvent = std::function<void(TObject* Sender, int Index)>;
using TElListBoxMultiCheckEvent = std::function<void(TObject* Sender, int FromItemNo, int ToItemNo)>;
using TElCheckBoxChangeEvent = std::function<void(TObject* aSender, int aItemIndex, TCheckBoxState aItemState)>;
// Draws an item's text in Rect with DrawText flags.
using TElDrawItemTextEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int Index, TRect Rect, unsigned Flags)>;

class TCustomElListBox : public TElXPThemedControl, private IElListBoxWindow {
public:
    explicit TCustomElListBox(TComponent* AOwner);
    ~TCustomElListBox() override;
    const char* ClassName() const override { return "TCustomElListBox"; }
    void BeforeDestruction() override;
    void WndProc(TMessage& Message) override;

    // ---- items and selection
    TElListBoxStrings* Items() const { return items_.get(); }
    void SetItems(const TElWideStrings* Value);
    // The selected item (the caret item with MultiSelect); -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int SelCount() const;
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int TopIndex() const;
    void SetTopIndex(int Value);
    // The item at a client point; -1 when the point is below the last item or outside.
    int ItemAtPos(TPoint Pos) const;
    TRect ItemRect(int Index) const;
    // Check states and image indexes (see TElListBoxStrings); writing repaints the item.
    TCheckBoxState State(int Index) const { return items_->State(Index); }
    void SetState(int Index, TCheckBoxState Value);
    bool Checked(int Index) const { return State(Index) == cbChecked; }
    void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
    int ImageIndex(int Index) const { return items_->ImageIndex(Index); }
    void SetImageIndex(int Index, int Value);

    // ---- the window's kind (a change makes the window anew; items and selection stay)
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    int Columns() const { return columns_; }
    void SetColumns(int Value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool Value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool Value);
    // The row height: the window's first row for lbStandard, the set value otherwise.
    int ItemHeight() const;
    void SetItemHeight(int Value);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool Value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int Value);
    TListBoxStyle Style() const { return style_; }
    // The virtual styles are taken as lbStandard and lbOwnerDrawFixed.
    void SetStyle(TListBoxStyle Value);
    // The scroll bar on the left (the window stays; so for the reading order below).
    bool RightAlignedView() const { return rightAlignedView_; }
    void SetRightAlignedView(bool Value);
    // Right-aligned rows read right to left (also while BiDiMode is right to left).
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool Value);
    bool HorizontalScroll() const { return horizontalScroll_; }
    void SetHorizontalScroll(bool Value);
    // Pixels the rows can be scrolled sideways (kept while HorizontalScroll is set).
    int HorizontalExtent() const { return horizontalExtent_; }

    // ---- border
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    TElBorderSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TElBorderSides Value);
    TElFlatBorderType ActiveBorderType() const { return activeBorderType_; }
    void SetActiveBorderType(TElFlatBorderType Value);
    TElFlatBorderType InactiveBorderType() const { return inactiveBorderType_; }
    void SetInactiveBorderType(TElFlatBorderType Value);
    bool FlatFocusedScrollBars() const { return flatFocusedScrollBars_; }
    void SetFlatFocusedScrollBars(bool Value);
    TColor LineBorderActiveColor() const { return lineBorderActiveColor_; }
    void SetLineBorderActiveColor(TColor Value);
    TColor LineBorderInactiveColor() const { return lineBorderInactiveColor_; }
    void SetLineBorderInactiveColor(TColor Value);
    TColor BorderColorFace() const { return borderColorFace_; }
    void SetBorderColorFace(TColor Value);
    TColor BorderColorShadow() const { return borderColorShadow_; }
    void SetBorderColorShadow(TColor Value);
    TColor BorderColorHighlight() const { return borderColorHighlight_; }
    void SetBorderColorHighlight(TColor Value);
    TColor BorderColorDkShadow() const { return borderColorDkShadow_; }
    void SetBorderColorDkShadow(TColor Value);
    TColor BorderColorWindow() const { return borderColorWindow_; }
    void SetBorderColorWindow(TColor Value);

    // ---- rows
    TColor FocusedSelectColor() const { return colors_.FocusedSelectColor; }
    void SetFocusedSelectColor(TColor Value);
    TColor FocusedSelectTextColor() const { return colors_.FocusedSelectTextColor; }
    void SetFocusedSelectTextColor(TColor Value);
    TColor HideSelectColor() const { return colors_.HideSelectColor; }
    void SetHideSelectColor(TColor Value);
    TColor HideSelectTextColor() const { return colors_.HideSelectTextColor; }
    void SetHideSelectTextColor(TColor Value);
    bool HideSelection() const { return colors_.HideSelection; }
    void SetHideSelection(bool Value);
    bool InvertSelection() const { return colors_.InvertSelection; }
    void SetInvertSelection(bool Value);
    bool TransparentSelection() const { return colors_.TransparentSelection; }
    void SetTransparentSelection(bool Value);
    bool UseSelectedFont() const { return colors_.UseSelectedFont; }
    void SetUseSelectedFont(bool Value);
    // A copy of Font at first; a change of it makes ParentFont false.
    TFont* SelectedFont() const { return selectedFont_.get(); }
    void SetSelectedFont(const TFont* Value);
    // 0..255: the selection is blended over the row with this weight (255: filled).
    int HighlightAlphaLevel() const { return highlightAlphaLevel_; }
    void SetHighlightAlphaLevel(int Value);
    bool HideFocusRect() const { return hideFocusRect_; }
    virtual void SetHideFocusRect(bool Value);
    bool ShowCheckBox() const { return showCheckBox_; }
    void SetShowCheckBox(bool Value);
    // Off: every grayed check box becomes unchecked.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value);
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* Value);
    TImageList* AlphaForImages() const { return alphaForImages_.Get(); }
    void SetAlphaForImages(TImageList* Value);
    TBitmap* Background() const { return background_.get(); }
    void SetBackground(const TBitmap* Value);
    bool UseBackground() const { return useBackground_; }
    void SetUseBackground(bool Value);
    // The form's painted background shows under the rows (unless it is a plain colour).
    TCustomElImageForm* ImageForm() const { return imageFormLink_.Sender(); }
    void SetImageForm(TCustomElImageForm* Value);
    // The parent's picture shows under the rows.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool ShowLineHint() const { return showLineHint_; }
    void SetShowLineHint(bool Value);

    // ---- type-ahead and scroll bars
    int IncrementalSearchTimeout() const { return static_cast<int>(search_.IncrementalSearchTimeout()); }
    void SetIncrementalSearchTimeout(int Value);
    // The text typed since the last pause.
    const std::u16string& SearchText() const { return search_.SearchText(); }
    bool UseCustomScrollBars() const { return useCustomScrollBars_; }
    void SetUseCustomScrollBars(bool Value);
    TElSBController* ScrollBarController() const { return controller_.get(); }
    TElCtrlScrollBarStyles* HorzScrollBarStyles() const { return controller_->HorzScrollBarStyles(); }
    void SetHorzScrollBarStyles(const TElCtrlScrollBarStyles* Value) { controller_->SetHorzScrollBarStyles(Value); }
    TElCtrlScrollBarStyles* VertScrollBarStyles() const { return controller_->VertScrollBarStyles(); }
    void SetVertScrollBarStyles(const TElCtrlScrollBarStyles* Value) { controller_->SetVertScrollBarStyles(Value); }
    void SetUseXPThemes(bool Value) override;
    // The line hint's window while one was made (it is made once and reused); nil before.
    TElListBoxHintWindow* LineHintWindow() const;

    // ---- events
    TNotifyEvent OnChange;
    TElCheckStateChangeEvent OnCheckStateChange;
    TElListBoxMultiCheckEvent OnMultiCheck;
    TElCheckBoxChangeEvent OnCheckBoxChange;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TElDrawItemTextEvent OnDrawItemText;

    // The width an item needs: its text in the box's font after its image and check box.
    virtual int GetItemWidth(int Index);
    // Where the text of a row with the rectangle Row starts (its left edge).
    int TextLeft(const TRect& Row) const { return ItemParts(Row).Text.Left; }

protected:
    std::u16string GetThemedClassName() const override { return u"LISTVIEW"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CreateHandleDone() override;
    void FontChanged() override;
    void ColorChanged() override;
    void CreateThemeHandle() override;
    void FreeThemeHandle() override;

    virtual void UpdateHorizontalExtent();
    virtual void SetHorizontalExtent();
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void AdjustItemHeight();
    virtual void FindIncremental(const std::function<void(TElKeyboardInput&)>& Feed);
    virtual void DrawItemText(unsigned Flags, TRect Rect, const std::u16string& Text);
    virtual void MeasureItem(int Index, int& Height);
    virtual void DoCheckStateChange(int Index);
    virtual void DoCheckBoxChange(int Index, TCheckBoxState State);
    virtual void DoMultiCheck(int From, int To);
    virtual void ResetItemHeight();
    virtual void Change();
    void BeginAutoDrag() override;
    // Whether rows are drawn in the focused box's colours (a list that never takes the focus
    // but stands for a control that has it answers true).
    virtual bool DrawsFocused() const { return Focused(); }

private:
    // ---- IElListBoxWindow
    int32_t InsertPlaceholder(int32_t Index) override;
    void DeletePlaceholder(int32_t Index) override;
    void ClearPlaceholders() override;
    void SetRedraw(bool On) override;
    bool ItemSelected(int32_t Index) override;
    void SetItemSelected(int32_t Index, bool Selected) override;

    intptr_t Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    void Recreate();
    void ApplyReadingOrder();
    // Keeps what the window shows (selection, top row) for the next window.
    void KeepWindowState();
    bool ThemedBorder() const;
    int WidestItem(int Skip);
    void SetLook(bool& Field, bool Value);
    void SetLook(TColor& Field, TColor Value);
    void SetBorderColor(TColor& Field, TColor Value);
    void CheckBoxClicked(int Index, bool Shift);
    void RepaintBox();
    void RepaintItem(int Index);
    void AttachController();
    void SetColumnWidth();
    bool RightToLeftRows() const;
    int FontHeight();
    int StandardItemHeight();
    bool MouseOver() const { return mouseOver_; }

    // Painting (ElListBoxDraw.cpp).
    void DrawItemMessage(TMessage& Message);
    void PaintItemBackground(HDC Dc, const TRect& R, bool FillColor);
    void DrawCheckBox(HDC Dc, const TRect& R, TCheckBoxState State);
    void DrawImage(HDC Dc, const TRect& R, int Index);
    bool PaintsBackground() const;
    bool UsesImageForm() const;
    void EraseBackground(HDC Dc);
    TElListItemParts ItemParts(const TRect& R) const;
    TSize CheckBoxSize() const;
    void NonClientSize(TMessage& Message);
    void PaintBorder();
    void CheckTopIndex();

    // Input.
    void MouseDownMessage(TMessage& Message);
    void MouseUpMessage(TMessage& Message);
    void KeyDownMessage(TMessage& Message);
    // A vertical thumb position beyond the 16 bits the system list box reads from the message
    // is set here; true when it was.
    bool ScrollToWholeThumbPosition(TMessage& Message);
    bool InCheckBox(TPoint Pos, int& Index) const;
    void ArmSearchTimer();

    std::unique_ptr<TElListBoxStrings> items_;
    std::unique_ptr<TElSBController> controller_;
    bool useCustomScrollBars_ = true;
    bool barsLocked_ = false;  // the controller is locked for a bulk update of the items
    int itemIndex_ = -1;       // kept while there is no window
    int topIndex_ = 0;         // kept while there is no window
    std::vector<int> keptSelection_;  // MultiSelect: the marks kept while there is no window
    int pressIndex_ = -1;      // ItemIndex at the last mouse press
    TElListBoxChecks checks_;

    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    int columns_ = 0;
    bool extendedSelect_ = true;
    bool integralHeight_ = false;
    int itemHeight_ = 16;
    bool multiSelect_ = false;
    int tabWidth_ = 0;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    bool rightAlignedView_ = false;
    bool rightToLeft_ = false;
    bool horizontalScroll_ = false;
    int horizontalExtent_ = 0;

    bool flat_ = false;
    TElBorderSides borderSides_ = AllBorderSides;
    TElFlatBorderType activeBorderType_ = fbtSunken;
    TElFlatBorderType inactiveBorderType_ = fbtSunkenOuter;
    bool flatFocusedScrollBars_ = false;
    TColor lineBorderActiveColor_ = clBlack;
    TColor lineBorderInactiveColor_ = clBlack;
    TColor borderColorFace_ = clBtnFace;
    TColor borderColorShadow_ = clBtnShadow;
    TColor borderColorHighlight_ = clBtnHighlight;
    TColor borderColorDkShadow_ = cl3DDkShadow;
    TColor borderColorWindow_ = clWindow;

    TElListColors colors_;
    std::unique_ptr<TFont> selectedFont_;
    int highlightAlphaLevel_ = 255;
    bool hideFocusRect_ = false;
    bool showCheckBox_ = false;
    bool allowGrayed_ = true;
    TImgFormChangeLink imageFormLink_;
    TWeakRef<TImageList> images_;
    TWeakRef<TImageList> alphaForImages_;
    std::unique_ptr<TBitmap> background_;
    bool useBackground_ = false;
    bool transparent_ = false;
    bool showLineHint_ = false;
    bool mouseOver_ = false;
    bool followingParentFont_ = false;
    int lastTopIndex_ = 0;

    std::unique_ptr<TCanvas> itemCanvas_;
    TGdiObject<HBRUSH> colorBrush_;
    TElThemeHandle buttonTheme_;
    TSize themedCheckBoxSize_{13, 13};
    TElListBoxSearch search_;
    std::unique_ptr<TElKeyboardPlatformWin> keyboard_;
    TOwned<TTimer> searchTimer_;
    std::unique_ptr<TElListBoxLineHint> lineHint_;
};

class TElListBox : public TCustomElListBox {
public:
    explicit TElListBox(TComponent* AOwner);
    const char* ClassName() const override { return "TElListBox"; }
};
