#include "framework/ClassRegistry.h"

#include <map>

namespace {

// Made on first use, so that units registering while the program starts find it whatever
// the order in which they start; it outlives every registration made after it.
std::map<std::string, const std::type_info*>& Registry()
{
    static std::map<std::string, const std::type_info*> registry;
    return registry;
}

}  // namespace

bool RegisterPersistentClass(const std::string& Name, const std::type_info& Type)
{
    return Registry().emplace(Name, &Type).second;
}

void UnRegisterPersistentClass(const std::string& Name)
{
    Registry().erase(Name);
}

const std::type_info* FindPersistentClass(const std::string& Name)
{
    const auto found = Registry().find(Name);
    return found == Registry().end() ? nullptr : found->second;
}
