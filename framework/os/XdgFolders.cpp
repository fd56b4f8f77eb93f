#include "XdgFolders.h"

#include "PreferencesFolder.h"
#include "TellUser.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace os {

namespace {

bool CanWriteIn(const std::filesystem::path& folder)
{
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

// The engine's sandbox mounts folders inside these; one that is a file stops
// every web process from starting, and the engine then kills the program. A
// folder that isn't there yet is usable when the nearest one above it that is
// there is a folder it can be made in. Only a plain "no such file" says a
// folder is missing; any other failure to look (a symlink loop, a folder
// that can't be searched, a name too long) leaves it unknown, so unusable.
bool IsUsableFolder(const std::filesystem::path& path, bool mayBeMissing)
{
    if (!path.is_absolute())
        return false;
    std::filesystem::path existing = path;
    struct stat status { };
    while (::stat(existing.c_str(), &status) != 0) {
        if (errno != ENOENT || !mayBeMissing || !existing.has_relative_path())
            return false;
        existing = existing.parent_path();
    }
    return S_ISDIR(status.st_mode) && CanWriteIn(existing);
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
        if (*value)
            TellUser(std::string(folder.variable)
                + " is not a folder that can be used, so the default is used instead: " + Quoted(value));
        unsetenv(folder.variable);
    }
}

RunFolder::RunFolder(std::filesystem::path path) : m_path(std::move(path)) { }

RunFolder::RunFolder(RunFolder&& other) noexcept : m_path(std::exchange(other.m_path, {})) { }

// The folder held before goes with `other`.
RunFolder& RunFolder::operator=(RunFolder&& other) noexcept
{
    std::swap(m_path, other.m_path);
    return *this;
}

RunFolder::~RunFolder()
{
    std::error_code error;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, error);
}

namespace {

// The engine would make it anyway; whether it can is only known by trying.
bool CanBeMade(const std::filesystem::path& folder)
{
    return MadeFolder(folder) && CanWriteIn(folder);
}

} // namespace

std::optional<RunFolder> ProvideFoldersTheEngineNeeds()
{
    const auto home = HomeFolder();
    // A home that can't be written in may still hold writable folders.
    const bool homeServes = home && MadeFolder(*home);
    std::vector<const char*> missing;
    for (const auto& [variable, underHome] :
        { std::pair { "XDG_DATA_HOME", ".local/share" }, { "XDG_CACHE_HOME", ".cache" } }) {
        if (!std::getenv(variable) && !(homeServes && CanBeMade(*home / underHome)))
            missing.push_back(variable);
    }
    if (homeServes && missing.empty())
        return std::nullopt;

    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "quillmere-XXXXXX").string();
    if (error || !mkdtemp(pattern.data()))
        return std::nullopt;
    RunFolder runFolder(pattern);
    // The engine's sandbox mounts more of the home than these; a home that is
    // a file, say, stops it whatever else is set.
    if (!homeServes) {
        TellUser("the home folder can't be used; settings and site data are kept in " + pattern + " for this run only");
        setenv("HOME", pattern.c_str(), 1);
        return runFolder;
    }
    TellUser("the home folder can't hold the site data or cache; they are kept in " + pattern + " for this run only");
    for (const char* variable : missing)
        setenv(variable, (runFolder.path() / variable).c_str(), 1);
    return runFolder;
}

} // namespace os
