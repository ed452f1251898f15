#include "widgets/el/foundation/ElHTMLParser.h"

#include "framework/Colors.h"
#include "framework/MathUtils.h"
#include "framework/NumberText.h"
#include "widgets/el/foundation/ElHTMLLayout.h"

#include <algorithm>
#include <cstdlib>

namespace elhtml {
namespace {

// Sizes given by the markup (image, rule and indent widths, indents, list indents) stay in
// this range; font heights stay within this magnitude.
constexpr int32_t kMaxMarkupSize = 32767;
constexpr int32_t kMaxFontHeight = 1000;
constexpr size_t kMaxEntityName = 10;

bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

std::u16string Lower(std::u16string_view S)
{
    std::u16string r(S);
    for (char16_t& c : r)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
    return r;
}

std::u16string_view Trim(std::u16string_view S)
{
    while (!S.empty() && S.front() <= u' ')
        S.remove_prefix(1);
    while (!S.empty() && S.back() <= u' ')
        S.remove_suffix(1);
    return S;
}

int32_t ClampHeightMagnitude(int64_t Height)
{
    const int64_t m = std::clamp<int64_t>(Height < 0 ? -Height : Height, 1, kMaxFontHeight);
    return static_cast<int32_t>(Height < 0 ? -m : m);
}

// A size of the markup: a non-negative number, clamped; false for anything else (absent).
bool ParseSize(const std::u16string* Value, int32_t& Size)
{
    int32_t v = 0;
    if (!Value || !TryStrToInt(*Value, v) || v < 0)
        return false;
    Size = std::min(v, kMaxMarkupSize);
    return true;
}

int HexValue(char16_t C)
{
    if (C >= u'0' && C <= u'9') return C - u'0';
    if (C >= u'a' && C <= u'f') return C - u'a' + 10;
    if (C >= u'A' && C <= u'F') return C - u'A' + 10;
    return -1;
}

// "#RRGGBB" or a colour name with or without "cl"; anything else leaves Color as it was.
void ParseColor(const std::u16string& Value, TColor& Color)
{
    if (!Value.empty() && Value[0] == u'#') {
        if (Value.size() != 7)
            return;
        uint32_t rgb = 0;
        for (size_t i = 1; i < 7; ++i) {
            const int d = HexValue(Value[i]);
            if (d < 0)
                return;
            rgb = rgb * 16 + static_cast<uint32_t>(d);
        }
        Color = RGBColor(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
        return;
    }
    std::string ident;
    for (char16_t c : Value) {
        if (c > 0x7F)
            return;
        ident += static_cast<char>(c);
    }
    const bool prefixed = ident.size() >= 2 && (ident[0] == 'c' || ident[0] == 'C') && (ident[1] == 'l' || ident[1] == 'L');
    if (!prefixed)
        ident = "cl" + ident;
    TColor c;
    if (IdentToColor(ident, c))
        Color = c;
}

TElHTMLAlign ParseAlign(const std::u16string* Value)
{
    if (!Value)
        return haLeft;
    const std::u16string v = Lower(*Value);
    if (v == u"center")
        return haCenter;
    if (v == u"right")
        return haRight;
    return haLeft;
}

char16_t NamedEntity(std::u16string_view Name)
{
    static constexpr struct {
        const char16_t* Name;
        char16_t Char;
    } kEntities[] = {
        {u"nbsp", u' '},     {u"amp", u'&'},      {u"quot", u'"'},     {u"gt", u'>'},
        {u"lt", u'<'},       {u"euro", u'\x20AC'}, {u"sect", u'\xA7'}, {u"reg", u'\xAE'},
        {u"copy", u'\xA9'},  {u"para", u'\xB6'},  {u"trade", u'\x2122'},
    };
    for (const auto& e : kEntities)
        if (Name == e.Name)
            return e.Char;
    return 0;
}

bool IsEntityChar(char16_t C)
{
    return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'0' && C <= u'9') || C == u'#';
}

// An entity is "&" followed by 1 to 10 letters, digits or "#" and ";". Any other "&" is a
// plain character, so that "Tom&Jerry" keeps its text. Out holds what the entity stands for:
// nothing for unknown names and character references outside 1..U+10FFFF.
bool ReadEntity(std::u16string_view T, size_t At, size_t& End, std::u16string& Out)
{
    size_t k = At + 1;
    while (k < T.size() && k - At - 1 < kMaxEntityName && IsEntityChar(T[k]))
        ++k;
    if (k == At + 1 || k >= T.size() || T[k] != u';')
        return false;
    const std::u16string_view name = T.substr(At + 1, k - At - 1);
    End = k + 1;
    Out.clear();
    if (name[0] == u'#') {
        const std::u16string_view digits = name.substr(1);
        if (digits.empty())
            return true;
        uint64_t code = 0;  // at most nine digits: no overflow
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9')
                return true;
            code = code * 10 + (c - u'0');
        }
        if (code >= 1 && code <= 0xFFFF) {
            Out += static_cast<char16_t>(code);
        } else if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            Out += static_cast<char16_t>(0xD800 + (code >> 10));
            Out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        }
        return true;
    }
    if (const char16_t c = NamedEntity(name))
        Out += c;
    return true;
}

struct TAttribute {
    std::u16string Name, Value;
};
using TAttributes = std::vector<TAttribute>;

const std::u16string* FindAttribute(const TAttributes& A, std::u16string_view Name)
{
    for (const TAttribute& a : A)
        if (a.Name == Name)
            return &a.Value;
    return nullptr;
}

void AddAttribute(std::u16string_view Item, TAttributes& A)
{
    const size_t eq = Item.find(u'=');
    if (eq == std::u16string_view::npos)
        return;
    TAttribute a{Lower(Trim(Item.substr(0, eq))), std::u16string(Trim(Item.substr(eq + 1)))};
    if (!a.Value.empty() && (a.Value[0] == u'"' || a.Value[0] == u'\'')) {
        const char16_t quote = a.Value[0];
        a.Value.erase(0, 1);
        if (!a.Value.empty() && a.Value.back() == quote)
            a.Value.pop_back();
    }
    A.push_back(std::move(a));
}

// Reads attributes from From up to the first '>' outside quotes; returns the position after it.
size_t ReadAttributes(std::u16string_view T, size_t From, TAttributes& A)
{
    std::u16string item;
    char16_t quote = 0;
    size_t k = From;
    for (; k < T.size(); ++k) {
        const char16_t c = T[k];
        if (quote) {
            item += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == u'>')
            break;
        if (c == u' ') {
            AddAttribute(item, A);
            item.clear();
            continue;
        }
        if (c == u'"' || c == u'\'')
            quote = c;
        item += c;
    }
    AddAttribute(item, A);
    return k < T.size() ? k + 1 : T.size();
}

struct TFontSettings {
    std::u16string Face;
    int32_t Height;
    TColor Color;
    TColor BgColor;
};

class TParser {
public:
    TParser(TElHTMLRender& Render, TElHTMLData& Data, int32_t MaxWidth, bool AutoWrap)
        : render_(Render), data_(Data), items_(Data.Items), maxWidth_(MaxWidth), autoWrap_(AutoWrap)
    {
    }

    void Run(std::u16string_view T);

private:
    // A new non-break item in the style of Style.
    std::unique_ptr<TElHTMLItem> NewItem(TElHTMLItemType Type, const TElHTMLItem& Style);
    std::unique_ptr<TElHTMLBreakItem> NewBreak(TElHTMLItemType Type);
    TElHTMLBreakItem* LastBreak();
    TElHTMLAlign LastAlign() { return LastBreak() ? LastBreak()->Align : haLeft; }
    void AddItem(std::unique_ptr<TElHTMLItem> Item);
    void RemoveTrailingLineBreak();
    void RecomputeLineWidth();
    bool LineIsEmpty() const { return items_.empty() || (!breaks_.empty() && breaks_.back() + 1 == items_.size()); }
    int64_t LineIndent() const { return breaks_.empty() ? 0 : items_[breaks_.back()]->Indent; }

    void EndCurrent();
    void WrapCurrent();
    void AppendSpace();

    size_t ReadTag(std::u16string_view T, size_t At);
    void ApplyTag(const std::u16string& Name, const TAttributes& A);
    bool ApplyStyleTag(const std::u16string& Name);
    void ApplyFont(const TAttributes& A);
    void ApplyFontSize(const std::u16string& Value);
    void PopFont();
    void ApplyParagraph(bool Closing, const TAttributes& A);
    void AddLineBreak();
    void StartList(bool Numbered);
    void EndList(bool Numbered);
    void AddListItem();
    void StartLink(const TAttributes& A);
    void EndLink();
    void AddImage(const TAttributes& A);
    void AddIndent(const TAttributes& A);
    void RemoveBlankTextBeforeList();

    TElHTMLRender& render_;
    TElHTMLData& data_;
    std::vector<std::unique_ptr<TElHTMLItem>>& items_;
    int32_t maxWidth_;
    bool autoWrap_;

    std::unique_ptr<TElHTMLItem> cur_;   // the text item being filled; never in items_
    std::vector<size_t> breaks_;         // indices of the break items, in order
    std::vector<int64_t> closedWidths_;  // width of the line each break item closed
    int64_t lineWidth_ = 0;              // x reached on the current line, from its indent
    std::vector<TFontSettings> fonts_;
    std::vector<int32_t> listSteps_;     // indent added by each open list
    int32_t listNumber_ = -1;            // one number for all levels
    TFontStyles plainStyle_ = 0;         // style and colour before the current link
    TColor plainColor_ = 0;
    std::vector<int32_t> ends_;
};

std::unique_ptr<TElHTMLItem> TParser::NewItem(TElHTMLItemType Type, const TElHTMLItem& Style)
{
    auto item = std::make_unique<TElHTMLItem>(&data_, Type);
    item->Assign(Style);
    item->Flags &= ~(hifAbsolute | hifClosed);
    return item;
}

std::unique_ptr<TElHTMLBreakItem> TParser::NewBreak(TElHTMLItemType Type)
{
    auto item = std::make_unique<TElHTMLBreakItem>(&data_, Type);
    item->Assign(*cur_);
    item->Flags &= ~(hifAbsolute | hifClosed);
    return item;
}

TElHTMLBreakItem* TParser::LastBreak()
{
    return breaks_.empty() ? nullptr : static_cast<TElHTMLBreakItem*>(items_[breaks_.back()].get());
}

void TParser::AddItem(std::unique_ptr<TElHTMLItem> Item)
{
    if (!(Item->Flags & hifLink)) {
        plainStyle_ = Item->FontStyle;
        plainColor_ = Item->FontColor;
    }
    if (Item->IsBreak()) {
        closedWidths_.push_back(lineWidth_);
        breaks_.push_back(items_.size());
        lineWidth_ = autoWrap_ ? LeadWidth(static_cast<TElHTMLBreakItem&>(*Item)) : 0;
    } else if (autoWrap_) {
        if (Item->ItemType == hitIndent && (Item->Flags & hifAbsolute))
            lineWidth_ = Item->Width;
        else
            lineWidth_ += ItemAdvance(*Item);
    }
    items_.push_back(std::move(Item));
}

void TParser::RemoveTrailingLineBreak()
{
    if (items_.empty() || items_.back()->ItemType != hitBreak)
        return;
    items_.pop_back();
    breaks_.pop_back();
    lineWidth_ = closedWidths_.back();
    closedWidths_.pop_back();
}

void TParser::RecomputeLineWidth()
{
    if (!autoWrap_)
        return;
    size_t i = 0;
    lineWidth_ = 0;
    if (!breaks_.empty()) {
        i = breaks_.back() + 1;
        lineWidth_ = LeadWidth(*LastBreak());
    }
    for (; i < items_.size(); ++i) {
        TElHTMLItem& item = *items_[i];
        if (item.ItemType == hitIndent && (item.Flags & hifAbsolute))
            lineWidth_ = item.Width;
        else
            lineWidth_ += ItemAdvance(item);
    }
}

void TParser::EndCurrent()
{
    auto next = NewItem(hitText, *cur_);
    if (autoWrap_)
        WrapCurrent();
    if (!cur_->Text().empty())
        AddItem(std::move(cur_));
    cur_ = std::move(next);
}

// Breaks the current text run where it passes MaxWidth, with the result of checking the line
// after every character: the text after the last blank moves to a new line (the whole run
// when it has no blank and other items stand before it on the line; the overflowing character
// alone when the run starts the line). A blank that overflows ends the line and is dropped.
// A line always keeps at least one character. One measuring call per run: the width of a
// piece is the difference of two prefix widths.
void TParser::WrapCurrent()
{
    const std::u16string text = cur_->Text();
    if (text.empty())
        return;
    ITextMeasurer& m = render_.Measurer();
    m.SetFont(cur_->Font());
    m.TextEnds(text, ends_);
    auto prefix = [this](size_t i) -> int64_t { return i == 0 ? 0 : ends_[i - 1]; };
    size_t start = 0;
    ptrdiff_t lastSpace = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLowSurrogate(text[i]))
            continue;
        const int64_t width = ends_[i] - prefix(start) + 1;
        if (LineIndent() + lineWidth_ + width <= maxWidth_) {
            if (text[i] == u' ')
                lastSpace = static_cast<ptrdiff_t>(i);
            continue;
        }
        const bool lineEmpty = LineIsEmpty();
        size_t keepEnd, carryFrom;
        if (text[i] == u' ') {
            keepEnd = i;
            carryFrom = i + 1;
        } else if (lastSpace >= static_cast<ptrdiff_t>(start)) {
            keepEnd = carryFrom = static_cast<size_t>(lastSpace) + 1;
        } else if (lineEmpty) {
            keepEnd = carryFrom = i;
        } else {
            keepEnd = carryFrom = start;
        }
        if (keepEnd == start && lineEmpty) {
            // Nothing would stay on this line: keep the character here (a blank at the start
            // of a line is dropped instead).
            if (text[i] == u' ')
                start = i + 1;
            continue;
        }
        if (keepEnd > start) {
            auto piece = NewItem(hitText, *cur_);
            piece->SetText(text.substr(start, keepEnd - start));
            AddItem(std::move(piece));
        }
        auto brk = NewBreak(hitSoftBreak);
        if (const TElHTMLBreakItem* last = LastBreak()) {
            brk->Align = last->Align;
            brk->ListLevel = last->ListLevel;
            brk->ListNumber = last->ListNumber;
        }
        AddItem(std::move(brk));
        start = carryFrom;
        lastSpace = -1;
    }
    cur_->SetText(text.substr(start));
}

void TParser::AppendSpace()
{
    const std::u16string& t = cur_->Text();
    if (t.empty() || t.back() != u' ')
        cur_->AppendText(u' ');
}

void TParser::Run(std::u16string_view T)
{
    cur_ = std::make_unique<TElHTMLItem>(&data_, hitText);
    cur_->FontStyle = data_.DefaultStyle;
    cur_->FontFace = data_.DefaultFont;
    cur_->FontHeight = data_.DefaultHeight;
    cur_->FontColor = data_.DefaultColor;
    cur_->FontBgColor = data_.DefaultBgColor;
    plainStyle_ = data_.DefaultStyle;
    plainColor_ = data_.DefaultColor;

    std::u16string entity;
    size_t i = 0;
    while (i < T.size()) {
        const char16_t c = T[i];
        if (c == u'<') {
            i = ReadTag(T, i);
        } else if (c == u'\r') {
            i += (i + 1 < T.size() && T[i + 1] == u'\n') ? 2 : 1;
        } else if (c == u'&') {
            size_t end = 0;
            if (ReadEntity(T, i, end, entity)) {
                for (char16_t e : entity) {
                    if (e == u' ')
                        AppendSpace();
                    else
                        cur_->AppendText(e);
                }
                i = end;
            } else {
                cur_->AppendText(c);
                ++i;
            }
        } else if (c == u' ') {
            AppendSpace();
            ++i;
        } else {
            cur_->AppendText(c);
            ++i;
        }
    }
    EndCurrent();

    if (items_.empty() || items_.front()->ItemType != hitParagraph) {
        auto first = std::make_unique<TElHTMLBreakItem>(&data_, hitParagraph);
        first->FontStyle = data_.DefaultStyle;
        first->FontFace = data_.DefaultFont;
        first->FontHeight = data_.DefaultHeight;
        first->FontColor = data_.DefaultColor;
        first->FontBgColor = data_.DefaultBgColor;
        items_.insert(items_.begin(), std::move(first));
    }
}

size_t TParser::ReadTag(std::u16string_view T, size_t At)
{
    const size_t nameStart = At + 1;
    if (T.substr(nameStart, 3) == u"!--") {
        const size_t close = T.find(u"-->", nameStart + 3);
        return close == std::u16string_view::npos ? T.size() : close + 3;
    }
    size_t k = nameStart;
    while (k < T.size() && T[k] != u' ' && T[k] != u'>')
        ++k;
    const std::u16string name = Lower(T.substr(nameStart, k - nameStart));
    TAttributes attributes;
    size_t next;
    if (k < T.size() && T[k] == u' ')
        next = ReadAttributes(T, k + 1, attributes);
    else
        next = k < T.size() ? k + 1 : T.size();
    ApplyTag(name, attributes);
    return next;
}

bool TParser::ApplyStyleTag(const std::u16string& Name)
{
    static constexpr struct {
        const char16_t* Name;
        TFontStyles Style;
    } kStyles[] = {
        {u"b", fsBold}, {u"strong", fsBold}, {u"i", fsItalic}, {u"em", fsItalic},
        {u"u", fsUnderline}, {u"strikeout", fsStrikeOut},
    };
    const bool closing = !Name.empty() && Name[0] == u'/';
    const std::u16string_view bare = closing ? std::u16string_view(Name).substr(1) : std::u16string_view(Name);
    for (const auto& s : kStyles) {
        if (bare != s.Name)
            continue;
        EndCurrent();
        if (closing)
            cur_->FontStyle &= static_cast<TFontStyles>(~s.Style);
        else
            cur_->FontStyle |= s.Style;
        return true;
    }
    uint32_t flag = 0;
    if (bare == u"sub")
        flag = hifSubscript;
    else if (bare == u"sup")
        flag = hifSuperscript;
    if (!flag)
        return false;
    EndCurrent();
    if (closing)
        cur_->Flags &= ~flag;
    else
        cur_->Flags |= flag;
    return true;
}

void TParser::ApplyTag(const std::u16string& Name, const TAttributes& A)
{
    if (ApplyStyleTag(Name))
        return;
    if (Name == u"font")
        ApplyFont(A);
    else if (Name == u"/font")
        PopFont();
    else if (Name == u"p" || Name == u"/p")
        ApplyParagraph(Name == u"/p", A);
    else if (Name == u"br") {
        EndCurrent();
        AddLineBreak();
    } else if (Name == u"hr") {
        EndCurrent();
        AddLineBreak();
        auto rule = NewItem(hitRule, *cur_);
        int32_t width = 0;
        ParseSize(FindAttribute(A, u"width"), width);
        rule->Width = width;
        AddItem(std::move(rule));
        AddLineBreak();
    } else if (Name == u"ul" || Name == u"ol")
        StartList(Name == u"ol");
    else if (Name == u"/ul" || Name == u"/ol")
        EndList(Name == u"/ol");
    else if (Name == u"li")
        AddListItem();
    else if (Name == u"a")
        StartLink(A);
    else if (Name == u"/a")
        EndLink();
    else if (Name == u"img")
        AddImage(A);
    else if (Name == u"ind")
        AddIndent(A);
    // "html" and every other tag are skipped.
}

void TParser::ApplyFont(const TAttributes& A)
{
    EndCurrent();
    fonts_.push_back({cur_->FontFace, cur_->FontHeight, cur_->FontColor, cur_->FontBgColor});
    for (const TAttribute& a : A) {
        if (a.Name == u"face" || a.Name == u"name")
            cur_->FontFace = a.Value;
        else if (a.Name == u"size")
            ApplyFontSize(a.Value);
        else if (a.Name == u"color")
            ParseColor(a.Value, cur_->FontColor);
        else if (a.Name == u"bgcolor")
            ParseColor(a.Value, cur_->FontBgColor);
    }
}

// "+n" and "-n" are points relative to the default size, in the sign of the current height;
// any other number is the height itself. The magnitude stays within 1..kMaxFontHeight, so a
// height never reaches 0 or flips its sign.
void TParser::ApplyFontSize(const std::u16string& Value)
{
    int32_t n = 0;
    if (!TryStrToInt(Value, n)) {
        cur_->FontHeight = data_.DefaultHeight;
        return;
    }
    if (!Value.empty() && (Value[0] == u'+' || Value[0] == u'-')) {
        const int64_t base = std::abs(static_cast<int64_t>(data_.DefaultHeight));
        const int64_t magnitude = std::clamp<int64_t>(base + PortableMulDiv(n, render_.PixelsPerInch, 72), 1, kMaxFontHeight);
        cur_->FontHeight = static_cast<int32_t>(cur_->FontHeight < 0 ? -magnitude : magnitude);
    } else {
        cur_->FontHeight = ClampHeightMagnitude(n);
    }
}

void TParser::PopFont()
{
    EndCurrent();
    if (fonts_.empty())
        return;
    const TFontSettings s = std::move(fonts_.back());
    fonts_.pop_back();
    cur_->FontFace = s.Face;
    cur_->FontHeight = s.Height;
    cur_->FontColor = s.Color;
    cur_->FontBgColor = s.BgColor;
}

void TParser::ApplyParagraph(bool Closing, const TAttributes& A)
{
    EndCurrent();
    // "</p><p>" makes one paragraph: after a closing tag, an opening one only clears the mark
    // and another closing one does nothing.
    if (!items_.empty() && items_.back()->IsBreak() && (items_.back()->Flags & hifClosed)) {
        if (!Closing)
            items_.back()->Flags &= ~hifClosed;
        return;
    }
    auto brk = NewBreak(hitParagraph);
    brk->Align = ParseAlign(FindAttribute(A, u"align"));
    int32_t indent = 0;
    ParseSize(FindAttribute(A, u"indent"), indent);
    brk->Indent = indent;
    if (Closing)
        brk->Flags |= hifClosed;
    AddItem(std::move(brk));
}

void TParser::AddLineBreak()
{
    auto brk = NewBreak(hitBreak);
    brk->Align = LastAlign();
    brk->ListLevel = static_cast<int32_t>(listSteps_.size());
    AddItem(std::move(brk));
}

void TParser::RemoveBlankTextBeforeList()
{
    const TElHTMLBreakItem* last = LastBreak();
    if (!last || (last->ItemType != hitSoftBreak && last->ItemType != hitBreak))
        return;
    const size_t from = breaks_.back() + 1;
    auto isText = [](const std::unique_ptr<TElHTMLItem>& item) { return item->ItemType == hitText; };
    for (size_t i = from; i < items_.size(); ++i)
        if (isText(items_[i]) && items_[i]->Text().find_first_not_of(u' ') != std::u16string::npos)
            return;
    items_.erase(std::remove_if(items_.begin() + static_cast<ptrdiff_t>(from), items_.end(), isText), items_.end());
    RecomputeLineWidth();
}

void TParser::StartList(bool Numbered)
{
    EndCurrent();
    RemoveBlankTextBeforeList();
    auto brk = NewBreak(Numbered ? hitNumberList : hitBulletList);
    const int32_t indent = static_cast<int32_t>(std::min<int64_t>(kMaxMarkupSize, static_cast<int64_t>(cur_->Indent) + brk->GetWidth()));
    // Each level remembers what it added, so that its end takes back exactly that.
    listSteps_.push_back(indent - cur_->Indent);
    listNumber_ = Numbered ? 1 : -1;
    brk->Indent = indent;
    brk->ListLevel = static_cast<int32_t>(listSteps_.size());
    brk->ListNumber = listNumber_;
    AddItem(std::move(brk));
    cur_->Indent = indent;
}

void TParser::EndList(bool Numbered)
{
    EndCurrent();
    if (!listSteps_.empty()) {
        cur_->Indent = std::max(0, cur_->Indent - listSteps_.back());
        listSteps_.pop_back();
    }
    if (Numbered)
        listNumber_ = -1;
    RemoveTrailingLineBreak();
    AddLineBreak();
}

void TParser::AddListItem()
{
    EndCurrent();
    RemoveTrailingLineBreak();
    auto brk = NewBreak(hitListItem);
    brk->ListLevel = static_cast<int32_t>(listSteps_.size());
    brk->ListNumber = listNumber_;
    AddItem(std::move(brk));
    if (listNumber_ > 0 && listNumber_ < INT32_MAX)
        ++listNumber_;
}

void TParser::StartLink(const TAttributes& A)
{
    if (A.empty())
        return;
    EndCurrent();
    if (!(cur_->Flags & hifLink)) {
        plainStyle_ = cur_->FontStyle;
        plainColor_ = cur_->FontColor;
    }
    const std::u16string* href = FindAttribute(A, u"href");
    cur_->Flags |= hifLink;
    cur_->HRef = href ? *href : std::u16string();
    cur_->FontColor = data_.LinkColor;
    cur_->FontStyle = data_.LinkStyle;
}

void TParser::EndLink()
{
    EndCurrent();
    if (!(cur_->Flags & hifLink))
        return;
    cur_->Flags &= ~hifLink;
    cur_->HRef.clear();
    cur_->FontStyle = plainStyle_;
    cur_->FontColor = plainColor_;
}

void TParser::AddImage(const TAttributes& A)
{
    const std::u16string* src = FindAttribute(A, u"src");
    if (!src || src->empty())
        return;
    EndCurrent();
    auto item = NewItem(hitImage, *cur_);
    item->SetText(*src);
    IElHTMLImage* image = nullptr;
    render_.DoImageNeeded(*src, image);
    const std::u16string* transparent = FindAttribute(A, u"transparent");
    item->Transparent = !transparent || *transparent != u"solid";
    auto own = [image](int32_t (IElHTMLImage::*Size)() const) {
        return image ? std::clamp((image->*Size)(), 0, kMaxMarkupSize) : 0;
    };
    int32_t width = own(&IElHTMLImage::Width), height = own(&IElHTMLImage::Height);
    ParseSize(FindAttribute(A, u"width"), width);
    ParseSize(FindAttribute(A, u"height"), height);
    item->Width = width;
    item->Height = height;
    AddItem(std::move(item));
}

void TParser::AddIndent(const TAttributes& A)
{
    int32_t width = 0;
    if (!ParseSize(FindAttribute(A, u"width"), width))
        return;
    EndCurrent();
    auto item = NewItem(hitIndent, *cur_);
    item->Width = width;
    const std::u16string* pos = FindAttribute(A, u"pos");
    if (pos && Lower(*pos) == u"abs")
        item->Flags |= hifAbsolute;
    AddItem(std::move(item));
}

} // namespace

void ParseItems(TElHTMLRender& Render, TElHTMLData& Data, std::u16string_view Text, int32_t MaxWidth, bool AutoWrap)
{
    TParser(Render, Data, MaxWidth, AutoWrap).Run(Text);
}

} // namespace elhtml
