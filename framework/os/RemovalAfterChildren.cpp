#include "RemovalAfterChildren.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace os {

namespace {

// The children of every thread: a child's parent is the thread that started it.
std::vector<std::string> ChildProcessIds()
{
    std::vector<std::string> ids;
    std::error_code error;
    for (std::filesystem::directory_iterator task("/proc/self/task", error), end; !error && task != end;
         task.increment(error)) {
        std::ifstream children(task->path() / "children");
        for (std::string id; children >> id;)
            ids.push_back(id);
    }
    return ids;
}

// A child that has ended but is not yet reaped writes nothing more. An id may
// be taken again by another process, so the wait is bounded.
constexpr const char* kRemoveAfterThem = R"sh(
PATH=/usr/bin:/bin
folder=$1
shift
tries=300
for id; do
    while [ "$tries" -gt 0 ] && [ -r "/proc/$id/status" ] && ! grep -q '^State:.Z' "/proc/$id/status"; do
        sleep 0.1
        tries=$((tries - 1))
    done
done
rm -rf -- "$folder"
)sh";

class SpawnSettings {
public:
    SpawnSettings()
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawnattr_init(&m_attributes);
    }
    ~SpawnSettings()
    {
        posix_spawnattr_destroy(&m_attributes);
        posix_spawn_file_actions_destroy(&m_actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
};

} // namespace

void RemoveAgainAfterChildrenEnd(const std::filesystem::path& folder)
{
    const std::vector<std::string> children = ChildProcessIds();
    if (children.empty())
        return;
    std::vector<std::string> arguments { "sh", "-c", kRemoveAfterThem, "sh", folder.string() };
    arguments.insert(arguments.end(), children.begin(), children.end());
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // It holds none of this process's files, so nobody waiting for them to
    // close (a terminal, a pipe on standard error) waits for it.
    SpawnSettings settings;
    posix_spawn_file_actions_addopen(&settings.m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&settings.m_actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&settings.m_actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&settings.m_actions, STDERR_FILENO + 1);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&settings.m_attributes, &none);
    posix_spawnattr_setsigdefault(&settings.m_attributes, &all);
    posix_spawnattr_setflags(
        &settings.m_attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t helper = 0;
    posix_spawn(&helper, "/bin/sh", &settings.m_actions, &settings.m_attributes, argv.data(), environ);
}

} // namespace os
