// The root of the object model: TObject (virtual destructor, class name, runtime class test)
// and TPersistent (copying one object's state into another with Assign).
#pragma once

#include <string>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class's own name; stable, because style and property lookups key on it.
    virtual const char* ClassName() const { return "TObject"; }

    // Runtime class test: true when this object is a T or derives from it.
    template <class T>
    bool InheritsFrom() const { return dynamic_cast<const T*>(this) != nullptr; }
};

class TPersistent : public TObject {
public:
    const char* ClassName() const override { return "TPersistent"; }

    // Copies Source's state into this object. The default asks Source to AssignTo this;
    // a nil source or a pair of classes that know nothing of each other raise EConvertError.
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
};
