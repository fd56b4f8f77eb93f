#pragma once

#include "Exceptions.h"
#include "Routine.h"
#include "String.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// Where plug-ins offer their routines, each under its exact name (blanks and
// letter case count).
class PluginRegistry {
public:
    void add(std::string_view name, Routine routine) { m_routines[std::string(name)] = routine; }
    Routine find(std::string_view name) const;

private:
    std::map<std::string, Routine, std::less<>> m_routines;
};

// One entry of the program's plug-in table: the name it was looked up under and
// what the lookup gave (null when no plug-in provides that name).
struct PluginEntrypoint {
    String name;
    Routine routine;
};

using PluginEntrypointTable = std::vector<PluginEntrypoint>;

PluginEntrypointTable& RuntimeAllocatePluginEntrypointsTable(int entryCount);
PluginEntrypoint RuntimeLookupPluginEntrypoint(const String& name);

// Filled by the plug-ins linked into the executable; the runtime calls it once
// from RuntimeInit.
void RegisterLinkedPlugins(PluginRegistry&);

// The entry filled under `name`, as the call stubs reach it. A missing table,
// a name the table does not hold or a null entry raises an exception naming it.
Routine RuntimePluginEntrypoint(std::string_view name);

// A call stub: a call through the plug-in table with the stub's signature.
template <class Signature, class... Args>
auto CallPluginEntrypoint(std::string_view name, Args&&... arguments)
{
    auto function = RuntimePluginEntrypoint(name).as<Signature>();
    return function(std::forward<Args>(arguments)...);
}

} // namespace rt
