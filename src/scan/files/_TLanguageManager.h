// Texts of the program by number, from the language file "Lorvane3D.lng": an entry container
// (see _TFileSystem.h) with one entry per language. Language payload:
//
//   u16 (not interpreted); u8 direction (1 left to right, else right to left);
//   8 WStr: language code (such as "de_DE"), display name, six further texts kept as they are;
//   items to the end of the payload: i32 ID, WStr Text
//
// Texts are plain text: callers never use them as format strings.
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TMessageSink;

struct TLanguageItem {
    int32_t ID = 0;
    std::u16string Text;
};

class TLanguage : public TObject {
public:
    const char* ClassName() const override { return "TLanguage"; }

    // Reads the payload of Size bytes at Position. Reads never go past the payload or the end
    // of the stream. A damaged text keeps its item with an empty text; an item whose ID is cut
    // short ends the list. Returns false when anything was damaged.
    bool Load(TStream& Stream, int64_t Position, int64_t Size);
    // Writes the payload that Load reads.
    bool Save(TStream& Stream) const;

    // The first item with ID gives the text; an empty text or a single NUL gives Default.
    std::u16string GetText(int32_t ID, const std::u16string& Default) const;

    const std::u16string& Name() const { return Strings[0]; }        // the language code
    const std::u16string& DisplayName() const { return Strings[1]; } // the language menu's caption
    bool LeftToRight() const { return Direction == 1; }

    // The items in file order.
    const std::vector<TLanguageItem>& Items() const { return items_; }
    void SetItems(std::vector<TLanguageItem> Items);

    uint8_t Direction = 1;
    std::u16string Strings[8];

private:
    std::vector<TLanguageItem> items_;
    std::unordered_map<int32_t, size_t> firstItemOfID_; // first item of each ID
};

class TLanguageList {
public:
    // Index of the first language whose code equals Name exactly; -1 when none.
    int32_t IndexOfName(const std::u16string& Name) const;
    int32_t Count() const { return static_cast<int32_t>(Items.size()); }
    TLanguage* operator[](int32_t Index) const { return Items[static_cast<size_t>(Index)].get(); }

    std::vector<std::unique_ptr<TLanguage>> Items;
};

using TChangeLanguageEvent = std::function<void(TObject* Sender, TLanguage* Language)>;

class TLanguageManager : public TComponent {
public:
    explicit TLanguageManager(TComponent* AOwner);
    const char* ClassName() const override { return "TLanguageManager"; }

    // Loads every language of the file, replacing the languages loaded before; returns false
    // only when the file does not exist or cannot be opened. A damaged file keeps the
    // languages and texts that are sound and is reported through Messages as "Damaged file: "
    // and the quoted name.
    bool LoadFromFile(const std::u16string& FileName, const std::u16string& ADefaultLanguage);

    // The active language's text, or Default when no language is active.
    std::u16string GetText(int32_t ID, const std::u16string& Default) const;

    const std::u16string& ActiveLanguageName() const { return activeLanguageName_; }
    void SetActiveLanguageName(const std::u16string& Value);
    int32_t ActiveLanguageIndex() const { return activeLanguageIndex_; }
    void SetActiveLanguageIndex(int32_t Value);
    // Null when no language is active.
    TLanguage* ActiveLanguage() const;

    const TLanguageList& Languages() const { return languages_; }

    std::u16string DefaultLanguage;
    bool ReadOnly = true;
    TChangeLanguageEvent OnChange;
    // Where a damaged file is reported; null means DefaultMessageSink().
    TMessageSink* Messages = nullptr;

private:
    void Changed();

    TLanguageList languages_;
    std::u16string activeLanguageName_;
    int32_t activeLanguageIndex_ = -1;
};
