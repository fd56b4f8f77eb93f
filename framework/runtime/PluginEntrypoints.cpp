#include "PluginEntrypoints.h"

#include "Probe.h"
#include "RuntimeState.h"

#include <algorithm>

namespace rt {

Routine PluginRegistry::find(std::string_view name) const
{
    auto found = m_routines.find(name);
    return found == m_routines.end() ? Routine() : found->second;
}

PluginEntrypointTable& RuntimeAllocatePluginEntrypointsTable(int entryCount)
{
    RuntimeProbe("RuntimeAllocatePluginEntrypointsTable");
    auto& table = TheRuntime().pluginTable;
    table.assign(static_cast<std::size_t>(std::max(entryCount, 0)), PluginEntrypoint());
    return table;
}

PluginEntrypoint RuntimeLookupPluginEntrypoint(const String& name)
{
    return { name, TheRuntime().plugins.find(name.view()) };
}

Routine RuntimePluginEntrypoint(std::string_view name)
{
    const auto& table = TheRuntime().pluginTable;
    auto entry = std::find_if(table.begin(), table.end(), [&](const auto& e) { return e.name == name; });
    if (entry == table.end())
        Raise<RuntimeException>(String("plug-in entry point \"" + std::string(name) + "\" is not in the table"));
    if (entry->routine.isNull())
        Raise<RuntimeException>(String("plug-in entry point \"" + std::string(name) + "\" is not available"));
    return entry->routine;
}

} // namespace rt
