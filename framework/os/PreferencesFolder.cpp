#include "PreferencesFolder.h"

#include "TellUser.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace os {

std::optional<std::filesystem::path> HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home);
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return std::filesystem::path(entry->pw_dir);
    return std::nullopt;
}

bool MadeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

namespace {

// Where the preferences folder is, whether or not it is there.
std::optional<std::filesystem::path> PreferencesFolderPath()
{
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); configHome && *configHome == '/')
        return std::filesystem::path(configHome);
    if (auto home = HomeFolder())
        return *home / ".config";
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> UserPreferencesFolder()
{
    auto folder = PreferencesFolderPath();
    if (!folder || !MadeFolder(*folder))
        return std::nullopt;
    return folder;
}

void TellUserWhenSettingsCantBeKept()
{
    const auto where = PreferencesFolderPath();
    if (where && MadeFolder(*where) && access(where->c_str(), W_OK | X_OK) == 0)
        return;
    TellUser("settings such as the window's place will not be kept: "
        + (where ? "the preferences folder " + where->string() + " can't be written in"
                 : std::string("there is no home folder")));
}

} // namespace os
