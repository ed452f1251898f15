// The properties a style may set, by name, per class: the small piece of reflection the style
// manager needs. A class lists its stylable properties once (RegisterOnce); the manager then
// sets them from typed values, following dotted paths through sub-objects ("Font.Color").
//
// Lookup takes the property most recently added under that name (compared without regard to
// case) whose class the object belongs to. A class registers after its ancestors (its
// constructor runs after theirs), so a descendant may redefine an inherited property.
//
// A value is set only when its type fits the property's kind:
//   boolean  -> enumeration (booleans are enumerations; the ordinal 0 or 1)
//   integer  -> integer, character, colour
//   string   -> string, colour (a colour name such as "clRed", else a number)
//   list     -> string list
//   binary   -> graphic (the setter validates the bytes and ignores what it cannot read)
//   float    -> float
// Anything else, and a colour text that is neither name nor number, is skipped.
#pragma once

#include "widgets/el/foundation/ElIniFile.h"

#include "framework/Colors.h"
#include "framework/Objects.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class TElPropertyKind : uint8_t {
    pkEnumeration, pkInteger, pkChar, pkString, pkColor, pkStrings, pkGraphic, pkFloat, pkObject,
};

struct TElPropertyInfo {
    std::string Name;
    TElPropertyKind Kind = TElPropertyKind::pkInteger;
    // True when the object is of the registering class (or derives from it).
    std::function<bool(TObject&)> Accepts;
    // Value kinds: sets the property from a value whose type fits (colours arrive as integers).
    std::function<void(TObject&, const TElIniValue&)> Set;
    // pkObject: the sub-object; nil when there is none.
    std::function<TObject*(TObject&)> Object;
};

// Whether a value of type T may be set to a property of kind K.
bool ElValueFitsKind(TElIniValueType T, TElPropertyKind K);

class TElPropertyTable {
public:
    template <class T>
    void AddBoolean(std::string Name, std::function<void(T&, bool)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkEnumeration,
               [Setter](T& o, const TElIniValue& v) { Setter(o, v.Bool); });
    }
    // An enumeration other than Boolean: the ordinal a boolean value stands for (0 or 1).
    template <class T>
    void AddEnumeration(std::string Name, std::function<void(T&, int)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkEnumeration,
               [Setter](T& o, const TElIniValue& v) { Setter(o, v.Bool ? 1 : 0); });
    }
    template <class T>
    void AddInteger(std::string Name, std::function<void(T&, int32_t)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkInteger, [Setter](T& o, const TElIniValue& v) { Setter(o, v.Int); });
    }
    template <class T>
    void AddColor(std::string Name, std::function<void(T&, TColor)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkColor,
               [Setter](T& o, const TElIniValue& v) { Setter(o, static_cast<TColor>(v.Int)); });
    }
    // Strings arrive in the system code page, as the store keeps them.
    template <class T>
    void AddString(std::string Name, std::function<void(T&, const std::string&)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkString, [Setter](T& o, const TElIniValue& v) { Setter(o, v.Str); });
    }
    template <class T>
    void AddStrings(std::string Name, std::function<void(T&, const std::vector<std::string>&)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkStrings, [Setter](T& o, const TElIniValue& v) { Setter(o, v.List); });
    }
    template <class T>
    void AddGraphic(std::string Name, std::function<void(T&, const std::vector<uint8_t>&)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkGraphic,
               [Setter](T& o, const TElIniValue& v) { Setter(o, v.Binary); });
    }
    template <class T>
    void AddFloat(std::string Name, std::function<void(T&, double)> Setter)
    {
        Add<T>(std::move(Name), TElPropertyKind::pkFloat, [Setter](T& o, const TElIniValue& v) { Setter(o, v.Float); });
    }
    // A sub-object whose own properties a dotted path reaches.
    template <class T>
    void AddObject(std::string Name, std::function<TObject*(T&)> Getter)
    {
        TElPropertyInfo p;
        p.Name = std::move(Name);
        p.Kind = TElPropertyKind::pkObject;
        p.Accepts = [](TObject& o) { return dynamic_cast<T*>(&o) != nullptr; };
        p.Object = [Getter](TObject& o) { return Getter(static_cast<T&>(o)); };
        Insert(std::move(p));
    }

    // Runs Register once for the class T (later calls do nothing).
    template <class T>
    void RegisterOnce(void (*Register)(TElPropertyTable&))
    {
        static bool done = false;
        if (done)
            return;
        done = true;
        Register(*this);
    }

    const TElPropertyInfo* Find(TObject& Object, std::string_view Name) const;
    // Follows Path ("Font.Color") from Root and sets the last property when Value fits it;
    // false when the path leads nowhere or the value does not fit.
    bool SetValue(TObject& Root, std::string_view Path, const TElIniValue& Value) const;

private:
    template <class T>
    void Add(std::string Name, TElPropertyKind Kind, std::function<void(T&, const TElIniValue&)> Setter)
    {
        TElPropertyInfo p;
        p.Name = std::move(Name);
        p.Kind = Kind;
        p.Accepts = [](TObject& o) { return dynamic_cast<T*>(&o) != nullptr; };
        p.Set = [Setter](TObject& o, const TElIniValue& v) { Setter(static_cast<T&>(o), v); };
        Insert(std::move(p));
    }
    void Insert(TElPropertyInfo Info);

    std::vector<TElPropertyInfo> properties_;
};

// The program's one table.
TElPropertyTable& ElPropertyTable();
