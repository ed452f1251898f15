// The portable rules of the system's file dialogs: the type list in the system's form, the
// program's type index (from 0) against the system's (from 1), and the default extension.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A file type of a dialog: display name, mask ("*.jpg;*.jpeg").
using TFileFilter = std::pair<std::u16string, std::u16string>;

// The system's filter list: "name\0mask\0" for each type, then one more NUL; empty when there
// are no types. The system ends the list at the first empty string, so a type without a name
// shows its mask, a type without a mask shows every file, and NULs inside a text are dropped:
// each type keeps its place and no later type vanishes.
std::u16string BuildFilterString(const std::vector<TFileFilter>& Filters);

// Index is kept when it names one of Count types; anything else selects the first (0).
int ClampFilterIndex(int Index, size_t Count);
// The system's 1-based type index for Index; 0 (none) when there are no types.
uint32_t ToSystemFilterIndex(int Index, size_t Count);
// The 0-based index of the system's SystemIndex; an index naming no type gives
// ClampFilterIndex(Fallback, Count).
int FromSystemFilterIndex(uint32_t SystemIndex, size_t Count, int Fallback);

// The extension as the system's dialogs take it: without the leading dots (".jpg" -> "jpg").
std::u16string SystemDefaultExtension(const std::u16string& Extension);
// True when the file-name part of Path (after the last '\\', '/' or ':') has a '.'.
bool HasFileExtension(const std::u16string& Path);
// Path with "." + Extension appended when its file-name part has no extension; Path as it is
// when it has one, names a folder (ends in a separator) or Extension is empty.
std::u16string ApplyDefaultExtension(const std::u16string& Path, const std::u16string& Extension);
