#include "widgets/el/foundation/ElPropertyTable.h"

#include "framework/NumberText.h"
#include "framework/StrConv.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// A colour from a string value: a colour name, else a number ("$" and "0x" for hexadecimal).
bool ColorFromText(const std::string& Text, TColor& Color)
{
    if (IdentToColor(Text, Color))
        return true;
    int32_t n = 0;
    if (!TryStrToInt(AnsiToWide(Text), n))
        return false;
    Color = static_cast<TColor>(n);
    return true;
}

}  // namespace

bool ElValueFitsKind(TElIniValueType T, TElPropertyKind K)
{
    using enum TElPropertyKind;
    switch (T) {
    case evtBoolean: return K == pkEnumeration;
    case evtInt: return K == pkInteger || K == pkChar || K == pkColor;
    case evtString: return K == pkString || K == pkColor;
    case evtMultiString: return K == pkStrings;
    case evtBinary: return K == pkGraphic;
    case evtDouble: return K == pkFloat;
    default: return false;
    }
}

void TElPropertyTable::Insert(TElPropertyInfo Info)
{
    properties_.push_back(std::move(Info));
}

const TElPropertyInfo* TElPropertyTable::Find(TObject& Object, std::string_view Name) const
{
    for (auto it = properties_.rbegin(); it != properties_.rend(); ++it)
        if (SameName(it->Name, Name) && it->Accepts(Object))
            return &*it;
    return nullptr;
}

bool TElPropertyTable::SetValue(TObject& Root, std::string_view Path, const TElIniValue& Value) const
{
    TObject* object = &Root;
    for (;;) {
        const size_t dot = Path.find('.');
        const std::string_view name = Path.substr(0, dot);
        const TElPropertyInfo* p = Find(*object, name);
        if (!p)
            return false;
        if (dot == std::string_view::npos) {
            if (p->Kind == TElPropertyKind::pkObject || !ElValueFitsKind(Value.Type, p->Kind))
                return false;
            if (p->Kind == TElPropertyKind::pkColor && Value.Type == evtString) {
                TColor c = 0;
                if (!ColorFromText(Value.Str, c))
                    return false;
                TElIniValue colour;
                colour.Type = evtInt;
                colour.Int = static_cast<int32_t>(c);
                p->Set(*object, colour);
                return true;
            }
            p->Set(*object, Value);
            return true;
        }
        if (p->Kind != TElPropertyKind::pkObject)
            return false;
        // Paths lead only through components and other persistent objects.
        object = p->Object(*object);
        if (!dynamic_cast<TPersistent*>(object))
            return false;
        Path.remove_prefix(dot + 1);
    }
}

TElPropertyTable& ElPropertyTable()
{
    static TElPropertyTable table;
    return table;
}
