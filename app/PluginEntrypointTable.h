#pragma once

#include "runtime/PluginEntrypoints.h"

#include <array>
#include <string_view>

namespace program {

inline constexpr int kPluginEntrypointCount = 41;

// The plug-in entry points the program looks up, by index, each under its
// exact name: every name the class library calls through (defined in
// classlib/PluginEntryNames.h), among others nobody in this program provides.
extern const std::array<std::string_view, kPluginEntrypointCount> kPluginEntrypointNames;

// The program's plug-in table, filled once at start-up.
extern rt::PluginEntrypointTable* plugin_entrypoints;

} // namespace program
