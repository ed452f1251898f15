// The list box's items: Unicode texts with objects and, per item, a check state and an image
// index. The window that shows them holds one empty placeholder per item, in the same order;
// the list keeps it in step through IElListBoxWindow, so that the window's count always equals
// Count. Check states, image indexes and selection marks belong to their items: they move with
// them through insertion, deletion, moves, exchanges and sorting, and go with a cleared list.
// Portable.
#pragma once

// First, before <windows.h> can rename the list's GetObject to GetObjectW.
#include "widgets/el/foundation/ElWideStrings.h"

#include <cstdint>
#include <vector>

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

// The side of the window. Without a window every call succeeds and does nothing.
class IElListBoxWindow {
public:
    virtual ~IElListBoxWindow() = default;
    // The window's answer to inserting a placeholder at Index: the index, or a negative error
    // when it refused the item.
    virtual int32_t InsertPlaceholder(int32_t Index) = 0;
    // Called before the item at Index leaves the list (its text can still be read).
    virtual void DeletePlaceholder(int32_t Index) = 0;
    virtual void ClearPlaceholders() = 0;
    // Drawing off while the items are updated; on again, and the box refreshed, after.
    virtual void SetRedraw(bool On) = 0;
    // The selection mark of the item at Index (the selected item of a single-selection box).
    virtual bool ItemSelected(int32_t Index) = 0;
    virtual void SetItemSelected(int32_t Index, bool Selected) = 0;
};

class TElListBoxStrings : public TElWideStringList {
public:
    explicit TElListBoxStrings(IElListBoxWindow* Window = nullptr) : Window(Window) {}
    const char* ClassName() const override { return "TElListBoxStrings"; }

    // The window kept in step; may be null.
    IElListBoxWindow* Window;

    void Clear() override;
    // An index outside 0..Count-1 is ignored.
    void Delete(int32_t Index) override;
    void Move(int32_t CurIndex, int32_t NewIndex) override;
    void CustomSort(const TElWideStringListSortCompare& Compare) override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    void SetUpdateState(bool Updating) override;

    // Outside 0..Count-1 reads give unchecked and -1 and writes do nothing.
    TCheckBoxState State(int32_t Index) const;
    void SetState(int32_t Index, TCheckBoxState Value);
    int32_t ImageIndex(int32_t Index) const;
    void SetImageIndex(int32_t Index, int32_t Value);

protected:
    // Inserts into the list, then into the window; a refusal by the window takes the item out
    // again and raises EOutOfResources.
    void InsertItem(int32_t Index, const std::u16string& S) override;
    void ExchangeItems(int32_t Index1, int32_t Index2) override;

private:
    struct TItemState {
        TCheckBoxState Check = cbUnchecked;
        int32_t Image = -1;
        bool Selected = false;  // only while a reordering carries the window's marks
    };
    bool InRange(int32_t Index) const { return Index >= 0 && Index < Count(); }
    void ReadSelection(int32_t Index);
    void WriteSelection(int32_t Index);

    std::vector<TItemState> states_;  // one per item, in item order
};
