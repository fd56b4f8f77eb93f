#pragma once

#include "Object.h"
#include "PluginEntrypoints.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {
class Platform;
}

namespace rt {

// What the runtime holds between RuntimeInit and RuntimeExit.
struct RuntimeState {
    std::unique_ptr<platform::Platform> platform;
    bool platformInitialized = false;
    PluginRegistry plugins;
    PluginEntrypointTable pluginTable;
    RefPtr<Object> appObject;
    std::optional<std::int32_t> quitCode;
    bool unhandledExceptionReported = false;
};

RuntimeState& TheRuntime();

} // namespace rt
