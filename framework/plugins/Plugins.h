#pragma once

#include "classlib/PluginEntryNames.h"

#include "runtime/PluginEntrypoints.h"

namespace plugins {

// Each plug-in offers its routines under their exact entry-point names.
void RegisterBevelButtonPlugin(rt::PluginRegistry&);
void RegisterHTMLEnginePlugin(rt::PluginRegistry&);
void RegisterHTMLViewerExtension(rt::PluginRegistry&);

} // namespace plugins
