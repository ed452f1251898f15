// Type-ahead over a list's items: typed characters build a search text (through the keyboard
// input processor, so that input-method results count too), the first item from the one after
// the selection whose text begins with it is found, and a pause in typing starts the search
// afresh. Typing one letter again and again steps through the items beginning with it.
// Portable; the window side feeds the characters and drives the pause's timer.
#pragma once

#include "widgets/el/editing/ElKeyboardInput.h"
#include "widgets/el/foundation/ElWideStrings.h"

#include <cstdint>
#include <functional>
#include <string>

// Whether Text begins with Search, without regard to case.
bool MatchListText(const std::u16string& Search, const std::u16string& Text);

// The first item at Start or after it whose text begins with Search; when none and Start > 0,
// the first from the top. -1 when nothing matches or Search is empty.
int32_t FindListItem(const TElWideStrings& Items, const std::u16string& Search, int32_t Start);

class TElListBoxSearch {
public:
    TElListBoxSearch();

    // The processor that turns messages into the search text; the window side sets its
    // Platform.
    TElKeyboardInput Input;
    // Clears the search text IncrementalSearchTimeout ms after the last typed character.
    TElSearchTimeout Timeout;

    uint32_t IncrementalSearchTimeout() const { return Timeout.Interval; }
    void SetIncrementalSearchTimeout(uint32_t Ms) { Timeout.Interval = Ms; }
    const std::u16string& SearchText() const { return Input.SearchText(); }

    // Hands a message to the processor (Feed gets it) and, when that added to the search text,
    // searches from the item after ItemIndex. Returns the item found, -1 when the message typed
    // nothing or nothing matched. A search text of two equal characters that matches nothing
    // becomes that character alone (so "b", "b" steps from one b-item to the next).
    int32_t Type(const TElWideStrings& Items, int32_t ItemIndex, const std::function<void(TElKeyboardInput&)>& Feed);
    void Reset();

private:
    bool TwoEqualCharacters() const;
};
