#include "XdgFolders.h"

#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

// The engine's sandbox mounts folders inside these; one that is a file stops
// every web process from starting, and the engine then kills the program.
bool IsUsableFolder(const std::filesystem::path& path, bool mayMake)
{
    if (!path.is_absolute())
        return false;
    std::error_code error;
    if (mayMake)
        std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error) && access(path.c_str(), W_OK | X_OK) == 0;
}

} // namespace

void KeepOnlyUsableXdgFolders()
{
    constexpr struct {
        const char* variable;
        bool mayMake;
    } folders[] = {
        { "XDG_CONFIG_HOME", true },
        { "XDG_DATA_HOME", true },
        { "XDG_CACHE_HOME", true },
        { "XDG_RUNTIME_DIR", false },
    };
    for (const auto& folder : folders) {
        const char* value = std::getenv(folder.variable);
        if (!value || IsUsableFolder(value, folder.mayMake))
            continue;
        if (*value) {
            std::fprintf(stderr, "%s: %s (%s) is not a folder that can be used; using the default instead\n",
                program_invocation_short_name, folder.variable, value);
        }
        unsetenv(folder.variable);
    }
}

} // namespace platform
