#include "XdgFolders.h"

#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

// The engine's sandbox mounts folders inside these; one that is a file stops
// every web process from starting, and the engine then kills the program. A
// folder that isn't there yet is usable when the nearest one above it that is
// there is a folder it can be made in.
bool IsUsableFolder(const std::filesystem::path& path, bool mayBeMissing)
{
    if (!path.is_absolute())
        return false;
    std::error_code error;
    std::filesystem::path existing = path;
    while (!std::filesystem::exists(existing, error) && existing.has_relative_path())
        existing = existing.parent_path();
    if (existing != path && !mayBeMissing)
        return false;
    return std::filesystem::is_directory(existing, error) && access(existing.c_str(), W_OK | X_OK) == 0;
}

} // namespace

void KeepOnlyUsableXdgFolders()
{
    constexpr struct {
        const char* variable;
        bool mayBeMissing;
    } folders[] = {
        { "XDG_CONFIG_HOME", true },
        { "XDG_DATA_HOME", true },
        { "XDG_CACHE_HOME", true },
        { "XDG_RUNTIME_DIR", false },
    };
    for (const auto& folder : folders) {
        const char* value = std::getenv(folder.variable);
        if (!value || IsUsableFolder(value, folder.mayBeMissing))
            continue;
        if (*value) {
            std::fprintf(stderr, "%s: %s (%s) is not a folder that can be used; using the default instead\n",
                program_invocation_short_name, folder.variable, value);
        }
        unsetenv(folder.variable);
    }
}

} // namespace platform
