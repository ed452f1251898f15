// The registry of persistent classes by name, through which stored forms find the class of a
// name they read. A unit registers its classes when it starts and takes them out when it ends.
#pragma once

#include <string>
#include <typeinfo>

// Registers Type under Name, replacing nothing: false when the name is taken already.
bool RegisterPersistentClass(const std::string& Name, const std::type_info& Type);
void UnRegisterPersistentClass(const std::string& Name);
// The class registered under Name; nil when none.
const std::type_info* FindPersistentClass(const std::string& Name);

// Keeps a unit's class registered from the unit's start to its end, when the name was free.
class TClassRegistration {
public:
    TClassRegistration(const char* Name, const std::type_info& Type) : name_(Name), own_(RegisterPersistentClass(Name, Type)) {}
    ~TClassRegistration()
    {
        if (own_)
            UnRegisterPersistentClass(name_);
    }
    TClassRegistration(const TClassRegistration&) = delete;
    TClassRegistration& operator=(const TClassRegistration&) = delete;

private:
    const char* name_;
    bool own_;
};
