#include "XdgFolders.h"

#include "PreferencesFolder.h"
#include "RemovalAfterChildren.h"
#include "TellUser.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace os {

namespace {

bool CanWriteIn(const std::filesystem::path& folder)
{
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

enum class Use { Reading, Writing };

// The engine's sandbox mounts folders inside these; one that is a file stops
// every web process from starting, and the engine then kills the program. A
// folder that isn't there yet is usable when the nearest one above it that is
// there is a folder it can be made in; one that is there and only read from
// may also be one that can be read. Only a plain "no such file" says a
// folder is missing; any other failure to look (a symlink loop, a folder
// that can't be searched, a name too long) leaves it unknown, so unusable.
bool IsUsableFolder(const std::filesystem::path& path, bool mayBeMissing, Use use)
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
    if (!S_ISDIR(status.st_mode))
        return false;
    if (existing == path && use == Use::Reading && access(path.c_str(), R_OK | X_OK) == 0)
        return true;
    return CanWriteIn(existing);
}

} // namespace

void KeepOnlyUsableXdgFolders()
{
    constexpr struct {
        const char* variable;
        bool mayBeMissing;
        Use use;
    } folders[] = {
        { "XDG_CONFIG_HOME", true, Use::Reading },
        { "XDG_DATA_HOME", true, Use::Writing },
        { "XDG_CACHE_HOME", true, Use::Writing },
        { "XDG_RUNTIME_DIR", false, Use::Writing },
    };
    for (const auto& folder : folders) {
        const char* value = std::getenv(folder.variable);
        if (!value || IsUsableFolder(value, folder.mayBeMissing, folder.use))
            continue;
        if (*value)
            TellUser(std::string(folder.variable)
                + " is not a folder that can be used, so the default is used instead: " + Quoted(value));
        unsetenv(folder.variable);
    }
}

namespace {

// What is there is a folder, or nothing is: the sandbox passes over a path
// that names nothing, and stops at one below a file.
bool IsAFolderOrNothing(const std::filesystem::path& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) == 0)
        return S_ISDIR(status.st_mode);
    return errno == ENOENT;
}

} // namespace

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
    if (m_path.empty())
        return;
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
    RemoveAgainAfterChildrenEnd(m_path);
}

namespace {

// Where a run folder may go, in the order tried; whether one can be made
// there (a folder, one that can be written in) is only known by trying.
std::vector<std::filesystem::path> RunFolderPlaces()
{
    std::vector<std::filesystem::path> places;
    if (const char* temporary = std::getenv("TMPDIR"); temporary && *temporary == '/')
        places.emplace_back(temporary);
    places.emplace_back("/tmp");
    return places;
}

} // namespace

std::optional<RunFolder> MakeRunFolder()
{
    for (const auto& place : RunFolderPlaces()) {
        std::string pattern = (place / "quillmere-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            return RunFolder(pattern);
    }
    return std::nullopt;
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
    constexpr struct {
        const char* variable;
        const char* underHome;
        const char* what;
        bool (*serves)(const std::filesystem::path&);
    } held[] = {
        { "XDG_CONFIG_HOME", ".config", "settings folder", &IsAFolderOrNothing },
        { "XDG_DATA_HOME", ".local/share", "site data folder", &CanBeMade },
        { "XDG_CACHE_HOME", ".cache", "cache folder", &CanBeMade },
    };
    std::vector<const char*> missing;
    std::string what;
    for (const auto& folder : held) {
        if (std::getenv(folder.variable) || (homeServes && folder.serves(*home / folder.underHome)))
            continue;
        missing.push_back(folder.variable);
        what += (what.empty() ? "the " : " and the ") + std::string(folder.what);
    }
    if (homeServes && missing.empty())
        return std::nullopt;

    auto runFolder = MakeRunFolder();
    if (!runFolder) {
        std::string places;
        for (const auto& place : RunFolderPlaces())
            places += (places.empty() ? "" : " or ") + place.string();
        throw NoRunFolder(
            (homeServes ? "the home folder can't hold " + what : std::string("the home folder can't be used"))
            + ", and no folder for this run can be made in " + places);
    }
    const std::string where = runFolder->path().string();
    // The engine's sandbox mounts more of the home than these; a home that is
    // a file, say, stops it whatever else is set.
    if (!homeServes) {
        TellUser("the home folder can't be used; settings and site data are kept in " + where + " for this run only");
        setenv("HOME", where.c_str(), 1);
        return runFolder;
    }
    TellUser("the home folder can't hold " + what + "; " + (missing.size() == 1 ? "it is" : "they are") + " kept in "
        + where + " for this run only");
    for (const char* variable : missing)
        setenv(variable, (runFolder->path() / variable).c_str(), 1);
    return runFolder;
}

} // namespace os
