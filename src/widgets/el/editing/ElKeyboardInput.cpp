#include "widgets/el/editing/ElKeyboardInput.h"

#include "framework/KeyCodes.h"

#include <chrono>

using namespace ElEditChars;

namespace {

struct TDeadGroup {
    char16_t Dead;
    std::u16string_view Pairs;  // base letter, composed unit, base letter, composed unit, ...
};

// In the order they are added; the first match wins. The dead characters are the UTF-16
// characters the layouts report for the dead keys (the caron is U+02C7, 0xA1 in the Central
// European code page). Each entry composes the accented letter, also the easily confused ones:
// caron with A, E, I, O, U gives Ǎ, Ě, Ǐ, Ǒ, Ǔ; ";" and ":" with E and I give Ê and Î; the ring
// with A gives Å; acute with epsilon gives έ. The ring has no precomposed E, I or O, so those
// pairs type the dead character and the letter, as the system's layouts do.
constexpr TDeadGroup DeadGroups[] = {
    {u'`', u"A\u00C0a\u00E0E\u00C8e\u00E8I\u00CCi\u00ECO\u00D2o\u00F2U\u00D9u\u00F9"},
    {u'\u00B4', u"A\u00C1a\u00E1E\u00C9e\u00E9I\u00CDi\u00EDO\u00D3o\u00F3U\u00DAu\u00FAY\u00DDy\u00FD"
                u"\u03B5\u03AD"},
    {u'^', u"A\u00C2a\u00E2E\u00CAe\u00EAI\u00CEi\u00EEO\u00D4o\u00F4U\u00DBu\u00FB"},
    {u'~', u"A\u00C3a\u00E3O\u00D5o\u00F5"},
    {u'\u00A8', u"A\u00C4a\u00E4E\u00CBe\u00EBI\u00CFi\u00EFO\u00D6o\u00F6U\u00DCu\u00FC"},
    {u'\u02C7', u"A\u01CDa\u01CEC\u010Cc\u010DD\u010Ed\u010FE\u011Ae\u011BI\u01CFi\u01D0L\u013Dl\u013E"
                u"N\u0147n\u0148O\u01D1o\u01D2R\u0158r\u0159S\u0160s\u0161T\u0164t\u0165U\u01D3u\u01D4"
                u"Z\u017Dz\u017E"},
    {u';', u"A\u00C6a\u00E6C\u0108c\u0109E\u00CAe\u00EAG\u011Cg\u011DH\u0124h\u0125I\u00CEi\u00EE"
           u"J\u0134j\u0135O\u00D8o\u00F8S\u015Cs\u015DU\u016Cu\u016D"},
    {u':', u"A\u00C6a\u00E6C\u0108c\u0109E\u00CAe\u00EAG\u011Cg\u011DH\u0124h\u0125I\u00CEi\u00EE"
           u"J\u0134j\u0135O\u00D8o\u00F8S\u015Cs\u015DU\u016Cu\u016D"},
    {u'\u00B0', u"A\u00C5a\u00E5U\u016Eu\u016F"},
    {u'\'', u"A\u00C1a\u00E1C\u00C7c\u00E7E\u00C9e\u00E9I\u00CDi\u00EDO\u00D3o\u00F3U\u00DAu\u00FAY\u00DDy\u00FD"},
    {u'"', u"U\u00DCu\u00FC"},
};

bool IsUntyped(char16_t Ch)
{
    return Ch == 0 || Ch == u'\b' || Ch == u'\t' || Ch == u'\r' || Ch == 0x1B || Ch == 0x7F;
}

}  // namespace

TElDeadCharList::TElDeadCharList()
{
    for (const TDeadGroup& g : DeadGroups)
        for (size_t i = 0; i + 1 < g.Pairs.size(); i += 2) items_.push_back({g.Dead, g.Pairs[i], g.Pairs[i + 1]});
}

char16_t TElDeadCharList::Lookup(char16_t BaseChar, char16_t DeadChar) const
{
    for (const TElDeadChar& d : items_)
        if (d.BaseChar == BaseChar && d.DeadChar == DeadChar) return d.Composed;
    return 0;
}

// ---- TElKeyboardInputProcessor

void TElKeyboardInputProcessor::SetCharCase(TElEditCharCase Value)
{
    if (Value == charCase_) return;
    charCase_ = Value;
    if (Value != eecNormal) text_ = ApplyCharCase(text_, Value);
}

void TElKeyboardInputProcessor::SetText(const std::u16string& S)
{
    text_ = S;
}

void TElKeyboardInputProcessor::DeadChar(char16_t Ch)
{
    PendingDeadChar = Ch;
}

void TElKeyboardInputProcessor::ImeComposition(uint32_t Flags)
{
    if (!HasWindow() || !(Flags & ElGcsResultStr)) return;
    std::u16string result;
    if (Platform->ImeResultString(result)) SetText(result);
}

bool TElKeyboardInputProcessor::KeyDown(uint16_t Key, uint32_t ScanCode)
{
    if (!HasWindow()) return false;
    if (Key == VKey::Back || Key == VKey::Tab || Key == VKey::Return || Key == VKey::Escape) return false;
    if (Platform->CtrlDown()) return false;
    std::u16string chars;
    const int32_t produced = Platform->ToUnicode(Key, ScanCode, chars);
    if (produced < 0) {
        // A dead key: held until the next key, as its dead-character message would be.
        if (chars.empty()) return false;
        DeadChar(chars[0]);
        return true;
    }
    if (produced > 0 && chars.size() > static_cast<size_t>(produced)) chars.resize(static_cast<size_t>(produced));
    if (produced < 2) {
        if (PendingDeadChar == 0 || produced != 1) {
            if (produced > 0) SetText(chars);
            return produced > 0;
        }
        const char16_t composed = DeadChars.Lookup(chars[0], PendingDeadChar);
        SetText(composed ? std::u16string(1, composed) : std::u16string(1, PendingDeadChar) + chars);
        PendingDeadChar = 0;
        return true;
    }
    if (PendingDeadChar == 0) {
        SetText(chars);
    } else if (DelayCount == 0) {
        // The layout answers a key after a dead key with both characters twice; the first
        // answer only counts.
        ++DelayCount;
    } else {
        SetText(chars);
        Platform->PostChar(PendingDeadChar);
        PendingDeadChar = 0;
        DelayCount = 0;
    }
    return true;
}

void TElKeyboardInputProcessor::Char(char16_t Ch)
{
    if (IsHighSurrogate(Ch)) {
        pendingHigh_ = Ch;
        return;
    }
    const char16_t high = pendingHigh_;
    pendingHigh_ = 0;
    if (IsLowSurrogate(Ch)) {
        // A low half alone is no character.
        if (high) SetText(std::u16string{high, Ch});
        return;
    }
    if (IsUntyped(Ch)) return;
    SetText(std::u16string(1, Ch));
}

// ---- TElKeyboardInput

void TElKeyboardInput::SetText(const std::u16string& S)
{
    TElKeyboardInputProcessor::SetText(S);
    searchText_ += S;
}

bool TElKeyboardInput::KeyDown(uint16_t Key, uint32_t ScanCode)
{
    const bool taken = TElKeyboardInputProcessor::KeyDown(Key, ScanCode);
    if (Key == VKey::Back && !searchText_.empty())
        searchText_.resize(searchText_.size() - static_cast<size_t>(CharSizeBefore(searchText_, searchText_.size())));
    return taken;
}

bool TElKeyboardInput::IsRepeatedChar() const
{
    // Compared character by character, so that a repeated pair counts as repeated.
    const std::u16string_view text(searchText_);
    const std::u16string_view first = text.substr(0, static_cast<size_t>(CharSizeAt(text, 0)));
    for (size_t i = 0; i < text.size(); i += first.size())
        if (text.substr(i, first.size()) != first) return false;
    return true;
}

// ---- TElSearchTimeout

TElSearchTimeout::TElSearchTimeout()
    : Clock([] {
          using namespace std::chrono;
          return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
      })
{
}

void TElSearchTimeout::KeyPressed()
{
    running_ = true;
    lastKey_ = Clock();
}

uint32_t TElSearchTimeout::Remaining() const
{
    if (!running_) return 0;
    const uint32_t elapsed = Clock() - lastKey_;
    return elapsed >= Interval ? 0 : Interval - elapsed;
}

bool TElSearchTimeout::Poll()
{
    if (!running_ || Clock() - lastKey_ < Interval) return false;
    running_ = false;
    if (OnTimeout) OnTimeout();
    return true;
}
