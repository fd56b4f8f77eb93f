#include "Plugins.h"

namespace rt {

void RegisterLinkedPlugins(PluginRegistry& registry)
{
    plugins::RegisterBevelButtonPlugin(registry);
    plugins::RegisterHTMLEnginePlugin(registry);
    plugins::RegisterHTMLViewerExtension(registry);
}

} // namespace rt
