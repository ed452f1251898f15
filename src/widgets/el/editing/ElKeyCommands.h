// The edit's key map: which numbered editor command a key stroke, or a chord of two strokes,
// stands for. Every edit makes its own map filled with the default bindings; duplicates are
// allowed and the first matching binding wins.
#pragma once

#include "framework/KeyCodes.h"

#include <cstdint>
#include <string>
#include <vector>

// GetCommand's answer for the first stroke of a chord that has no binding of its own.
constexpr int32_t ElChordFirstStroke = 0x7FFFFFFE;

struct TElKeyCommand {
    uint16_t Key = 0;
    TShiftState Shift = 0;
    uint16_t Key2 = 0;  // 0: a single stroke
    TShiftState Shift2 = 0;
    int32_t Command = 0;
    std::u16string Description;
};

class TElKeyCommandList {
public:
    void AddCommand(uint16_t Key, TShiftState Shift, int32_t Command, const std::u16string& Description);
    void AddCommandEx(uint16_t Key, TShiftState Shift, int32_t Command, const std::u16string& Description,
                      uint16_t Key2, TShiftState Shift2);
    // Removes the first binding of Command; nothing when there is none.
    void DeleteCommand(int32_t Command);
    int32_t GetCommand(uint16_t Key, TShiftState Shift) const;
    // The command of the first binding matching both strokes; ElChordFirstStroke when a binding
    // matches the first stroke only; 0 when none. Only the Shift, Ctrl and Alt bits count.
    int32_t FindCommand(uint16_t Key, TShiftState Shift, uint16_t Key2, TShiftState Shift2) const;

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    const TElKeyCommand& operator[](int32_t Index) const { return items_.at(static_cast<size_t>(Index)); }
    void Clear() { items_.clear(); }

    // The edit's default bindings, in their order.
    void AddDefaultCommands();

private:
    std::vector<TElKeyCommand> items_;
};

// The edit's command numbers.
namespace ElEditCommand {
constexpr int32_t Left = 1, Right = 2, Up = 3, Down = 4, LineStart = 5, LineEnd = 6, NextWord = 7,
                  PrevWord = 8, PageUp = 9, PageDown = 10, TextStart = 11, TextEnd = 12;
constexpr int32_t Undo = 101, Cut = 103, Copy = 104, Paste = 105, DeleteBack = 106, DeleteChar = 107,
                  DeleteWordBack = 108, DeleteWord = 109, Type = 110, NewLine = 111, InsertTab = 112,
                  Indent = 113, Unindent = 114, TypeIme = 115, SetMark0 = 118, GotoMark0 = 131,
                  StressMark = 141;
constexpr int32_t SelLeft = 201, SelRight = 202, SelLineStart = 203, SelLineEnd = 204, SelTextStart = 205,
                  SelTextEnd = 206, SelPrevWord = 207, SelNextWord = 208, SelUp = 209, SelDown = 210,
                  SelPageUp = 211, SelPageDown = 212, SelectAll = 215, DeleteSelection = 216,
                  ClearSelection = 217;
}  // namespace ElEditCommand
