#include "SandboxPaths.h"

#include "TellUser.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>

namespace os {

namespace {

// Only a plain "no such file" passes: the sandbox skips a path that isn't
// there, and stops at one it can't look at.
bool CanBeMountedOrSkipped(const std::string& path)
{
    struct stat status { };
    return path.empty() || ::stat(path.c_str(), &status) == 0 || errno == ENOENT;
}

// The value with the paths the sandbox can't mount taken out: the one path
// after `scheme`, or each of a colon-separated list.
std::string Mountable(std::string_view value, std::string_view scheme, bool list)
{
    if (!value.starts_with(scheme))
        return std::string(value);
    std::string kept(scheme);
    std::string_view rest = value.substr(scheme.size());
    bool first = true;
    while (true) {
        const auto end = list ? rest.find(':') : std::string_view::npos;
        const std::string path(rest.substr(0, end));
        if (CanBeMountedOrSkipped(path)) {
            kept += (first ? "" : ":") + path;
            first = false;
        }
        if (end == std::string_view::npos)
            return first ? std::string() : kept;
        rest.remove_prefix(end + 1);
    }
}

} // namespace

void KeepOnlyPathsTheSandboxCanMount()
{
    constexpr struct {
        const char* variable;
        std::string_view scheme; // what comes before the path in the value
        bool list;
    } paths[] = {
        { "XAUTHORITY", "", false },
        { "PULSE_CLIENTCONFIG", "", false },
        { "PULSE_SERVER", "unix:", false },
        { "LD_LIBRARY_PATH", "", true },
        { "XDG_DATA_DIRS", "", true },
        { "GST_PLUGIN_PATH", "", true },
        { "GST_PLUGIN_PATH_1_0", "", true },
        { "GST_PLUGIN_SYSTEM_PATH", "", true },
        { "GST_PLUGIN_SYSTEM_PATH_1_0", "", true },
        { "GST_PLUGIN_SCANNER", "", false },
    };
    for (const auto& path : paths) {
        const char* value = std::getenv(path.variable);
        if (!value)
            continue;
        const std::string kept = Mountable(value, path.scheme, path.list);
        if (kept == value)
            continue;
        TellUser(
            std::string(path.variable) + " names a path that can't be looked at, which is left out: " + Quoted(value));
        if (kept.empty())
            unsetenv(path.variable);
        else
            setenv(path.variable, kept.c_str(), 1);
    }
}

} // namespace os
