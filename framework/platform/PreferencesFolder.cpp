#include "PreferencesFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace platform {

std::optional<std::filesystem::path> HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home);
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return std::filesystem::path(entry->pw_dir);
    return std::nullopt;
}

std::optional<std::filesystem::path> UserPreferencesFolder()
{
    std::filesystem::path folder;
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); configHome && *configHome == '/') {
        folder = configHome;
    } else if (auto home = HomeFolder()) {
        folder = *home / ".config";
    } else {
        return std::nullopt;
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        return std::nullopt;
    return folder;
}

} // namespace platform
