// The text form of TElIniFile: sections and name=value lines, and the text forms of values.
//
//   [;WarningMessage]
//   root values
//   <empty line>
//   [key\subkey]          names below the root joined by Delimiter
//   name=value            names beginning with "#" are written as the bare value
//   list[0]=first         one line per element of a string list
#include "widgets/el/foundation/ElIniStorage.h"

#include "framework/NumberText.h"
#include "widgets/el/foundation/ElAnsiStrUtils.h"
#include "widgets/el/foundation/ElTools.h"

#include <charconv>
#include <cstdio>
#include <unordered_set>

namespace {

std::string_view TrimView(std::string_view S)
{
    while (!S.empty() && static_cast<unsigned char>(S.front()) <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && static_cast<unsigned char>(S.back()) <= ' ')
        S.remove_suffix(1);
    return S;
}

bool SameTextAscii(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
        if (a != b)
            return false;
    }
    return true;
}

std::string HexText(int32_t Value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(Value));
    return buf;
}

// The pieces of S between its line breaks (CR LF, CR or LF); a text without any is one piece.
std::vector<std::string_view> SplitLines(std::string_view S)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '\r' && S[i] != '\n')
            continue;
        pieces.push_back(S.substr(start, i - start));
        if (S[i] == '\r' && i + 1 < S.size() && S[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    pieces.push_back(S.substr(start));
    return pieces;
}

bool HasLineBreak(std::string_view S)
{
    return S.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

// ---- Text forms of values

bool IniTextToInt(std::string_view Text, int32_t& Value)
{
    if (Text.empty() || Text.size() > 24)
        return false;
    std::u16string wide;
    for (char c : Text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
        wide += static_cast<char16_t>(c);
    }
    return TryStrToInt(wide, Value);
}

bool IniTextToFloat(std::string_view Text, double& Value)
{
    Text = TrimView(Text);
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    if (Text.empty())
        return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(Text.data(), Text.data() + Text.size(), v);
    if (ec != std::errc() || end != Text.data() + Text.size())
        return false;
    Value = v;
    return true;
}

std::string IniFloatText(double Value)
{
    std::string s;
    FloatToStrDot(s, Value);
    return s;
}

bool IniValueText(const TElIniValue& V, bool SimpleBooleans, std::string& Text)
{
    switch (V.Type) {
    case evtBoolean:
        Text = SimpleBooleans ? (V.Bool ? "1" : "0") : (V.Bool ? "true" : "false");
        return true;
    case evtInt:
        Text = std::to_string(V.Int);
        return true;
    case evtString:
        Text = V.Str;
        return true;
    case evtMultiString:
        Text.clear();
        for (size_t i = 0; i < V.List.size(); ++i) {
            if (i > 0)
                Text += "\r\n";
            Text += V.List[i];
        }
        return true;
    case evtBinary:
        DataToHexStr(V.Binary.data(), static_cast<int32_t>(V.Binary.size()), Text);
        return true;
    case evtDouble:
        Text = IniFloatText(V.Float);
        return true;
    default:
        return false;
    }
}

void IniTextValue(const std::string& Text, TElIniValue& V)
{
    V.Clear();
    if (SameTextAscii(Text, "TRUE") || SameTextAscii(Text, "FALSE")) {
        V.Type = evtBoolean;
        V.Bool = SameTextAscii(Text, "TRUE");
        return;
    }
    int32_t n = 0;
    const char first = Text.empty() ? '\0' : Text.front();
    const bool numeric = (first >= '0' && first <= '9') || first == '-' || first == '$';
    if (numeric && IniTextToInt(Text, n)) {
        const std::string hex = HexText(n);
        if (Text == std::to_string(n) || Text == "$" + hex || Text == "0x" + hex) {
            V.Type = evtInt;
            V.Int = n;
            return;
        }
    }
    double d = 0;
    if (!Text.empty() && Text.front() != '+' && IniTextToFloat(Text, d) && IniFloatText(d) == Text) {
        V.Type = evtDouble;
        V.Float = d;
        return;
    }
    if (Text.compare(0, 4, "454C") == 0) {
        int32_t size = 0;
        if (HexStrToData(Text, V.Binary, size)) {
            V.Type = evtBinary;
            return;
        }
        V.Binary.clear();
    }
    V.Type = evtString;
    V.Str = Text;
}

// ---- Writing

bool TElIniFile::ReadsBackBare(std::string_view Text)
{
    const std::string_view t = TrimSpaces ? TrimView(Text) : Text;
    if (t.size() != Text.size() || t.empty() || t.front() == '[' || (!Comment.empty() && t.substr(0, Comment.size()) == Comment))
        return false;
    std::string name, value;
    bool hasDivider = false;
    ParseLine(std::string(t), name, hasDivider, value);
    if (hasDivider)
        return false;
    // A bare line's type is decided from its text: the text must come back as it is (a list
    // element "$1F" would come back as the integer 31).
    TElIniValue v;
    IniTextValue(std::string(t), v);
    std::string back;
    return IniValueText(v, simple_, back) && back == t;
}

std::string TElIniFile::WriteText(const TElIniEntry& Root)
{
    std::string out;
    if (!WarningMessage.empty())
        out += Comment + WarningMessage + "\r\n";
    // Values named "#..." are written as the bare text (the form their lines were read in),
    // unless that text would read back as something else: empty, a section, a comment or a
    // name=value line. Those keep their name.
    auto line = [&out, this](bool Bare, const std::string& Name, std::string_view Text) {
        if (!Bare || !ReadsBackBare(Text)) {
            out += Name;
            out += DivChar;
        }
        out += Text;
        out += "\r\n";
    };
    // A string with line breaks is written as a list, so that no line of it can pass for a
    // section or another value; reading it gives the lines joined by CR LF.
    // A list is written bare only when every element reads back as a bare line; otherwise
    // every element keeps the list's name, so the list comes back whole.
    auto listLines = [&line, this](bool Bare, const std::string& Name, const std::vector<std::string>& Items) {
        std::vector<std::string_view> pieces;
        for (const std::string& item : Items)
            for (std::string_view piece : SplitLines(item))
                pieces.push_back(piece);
        for (std::string_view piece : pieces)
            Bare = Bare && ReadsBackBare(piece);
        for (size_t i = 0; i < pieces.size(); ++i)
            line(Bare, Name + "[" + std::to_string(i) + "]", pieces[i]);
    };

    struct TFrame {
        const TElIniEntry* Key;
        std::string Path;
    };
    std::vector<TFrame> pending{{&Root, std::string()}};
    while (!pending.empty()) {
        TFrame frame = std::move(pending.back());
        pending.pop_back();
        if (!frame.Path.empty())
            out += "\r\n[" + frame.Path + "]\r\n";
        const TElIniEntry& key = *frame.Key;
        for (int32_t i = 0; i < key.Count(); ++i) {
            const TElIniEntry& value = *key.Child(i);
            if (value.IsKey())
                continue;
            const std::string& name = value.Name();
            const bool bare = !name.empty() && name[0] == '#';
            const TElIniValue& v = value.Value;
            if (v.Type == evtMultiString) {
                listLines(bare, name, v.List);
            } else if (v.Type == evtString && HasLineBreak(v.Str)) {
                listLines(bare, name, {v.Str});
            } else {
                std::string text;
                IniValueText(v, simple_, text);
                line(bare, name, text);
            }
        }
        for (int32_t i = key.Count() - 1; i >= 0; --i) {
            const TElIniEntry* sub = key.Child(i);
            if (sub->IsKey())
                pending.push_back({sub, frame.Path.empty() ? sub->Name() : frame.Path + delimiter_ + sub->Name()});
        }
    }
    return out;
}

// ---- Reading

void TElIniFile::ParseLine(const std::string& Line, std::string& Name, bool& HasDivider, std::string& Value)
{
    bool quoted = false;
    size_t divider = std::string::npos;
    size_t end = Line.size();
    for (size_t i = 0; i < Line.size(); ++i) {
        const char c = Line[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (!Comment.empty() && Line.compare(i, Comment.size(), Comment) == 0) {
            end = i;
            break;
        }
        if (c == DivChar && divider == std::string::npos)
            divider = i;
    }
    HasDivider = divider != std::string::npos;
    if (!HasDivider) {
        Name.clear();
        Value = Line.substr(0, end);
        return;
    }
    Name = Line.substr(0, divider);
    Value = Line.substr(divider + 1, end - divider - 1);
}

namespace {

// A name for a value of Key that no value has yet: Base, else Base_2, Base_3, ...
std::string FreeValueName(const TElIniEntry& Key, const std::string& Base)
{
    std::string name = Base;
    for (int k = 2; Key.Find(name, false); ++k)
        name = Base + "_" + std::to_string(k);
    return name;
}

} // namespace

void TElIniFile::ReadText(std::string_view Text, TElIniEntry& Root)
{
    // The text ends at a NUL, as a string list reads it.
    Text = Text.substr(0, Text.find('\0'));
    TElIniEntry* key = &Root;  // values before any section go to the root
    // Values named after their line number here. Such a name says nothing about the value, so
    // it gives way to any other value of the same name: neither replaces the other.
    std::unordered_set<const TElIniEntry*> numbered;
    auto valueNamed = [&](const std::string& Name) {
        TElIniEntry* existing = key->Find(Name, false);
        if (existing && numbered.count(existing))
            existing->SetName(FreeValueName(*key, Name));
        return key->Ensure(Name, false);
    };
    std::string line, name, value;
    size_t pos = 0;
    int64_t lineNumber = 0;
    while (pos < Text.size()) {
        size_t end = pos;
        while (end < Text.size() && Text[end] != '\r' && Text[end] != '\n')
            ++end;
        std::string_view l = Text.substr(pos, end - pos);
        pos = end + ((end + 1 < Text.size() && Text[end] == '\r' && Text[end + 1] == '\n') ? 2 : 1);
        ++lineNumber;

        if (TrimSpaces)
            l = TrimView(l);
        if (l.empty() || (!Comment.empty() && l.substr(0, Comment.size()) == Comment))
            continue;
        if (l.front() == '[') {
            if (!Comment.empty())
                l = l.substr(0, l.find(Comment));
            while (!l.empty() && static_cast<unsigned char>(l.back()) <= ' ')
                l.remove_suffix(1);
            const size_t close = l.rfind(']');
            const std::string_view section = close != std::string_view::npos && close > 0 ? l.substr(1, close - 1) : l.substr(1);
            // A key that cannot be opened (an empty name inside it, too deep) drops the values
            // up to the next section, nothing else.
            TKeyPath path;
            key = Resolve(std::string(1, delimiter_) + std::string(section), path) ? WalkIniTree(Root, path, true) : nullptr;
            continue;
        }
        if (!key)
            continue;
        line.assign(l);
        bool hasDivider = false;
        ParseLine(line, name, hasDivider, value);
        if (!hasDivider) {
            TElIniEntry* entry = key->Ensure(FreeValueName(*key, "#" + std::to_string(lineNumber)), false);
            numbered.insert(entry);
            IniTextValue(value, entry->Value);
            continue;
        }

        // "name[index]" is an element of the string list "name", appended in file order.
        if (!name.empty() && name.back() == ']') {
            const size_t open = name.rfind('[');
            int32_t index = 0;
            if (open != std::string::npos && IniTextToInt(std::string_view(name).substr(open + 1, name.size() - open - 2), index)) {
                TElIniEntry* list = valueNamed(name.substr(0, open));
                if (list->Value.Type != evtMultiString) {
                    list->Value.Clear();
                    list->Value.Type = evtMultiString;
                }
                list->Value.List.push_back(value);
                continue;
            }
        }
        IniTextValue(value, valueNamed(name)->Value);
    }
}
