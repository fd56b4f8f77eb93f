#include "SandboxTrialGtk.h"

#include "GLibPtrGtk.h"

#include <sys/wait.h>

#include <cerrno>

namespace platform::gtk {

SandboxTrialGtk::SandboxTrialGtk()
{
    GCharPtr bwrap(g_find_program_in_path("bwrap"));
    const gchar* argv[] = { bwrap.get(), "--ro-bind", "/", "/", "--unshare-all", "true", nullptr };
    // Leaving the descriptors open lets GLib start the child without copying
    // this process (posix_spawn rather than fork), which a process that has
    // mapped the engine feels; the child only runs `true`.
    const auto flags = static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_LEAVE_DESCRIPTORS_OPEN
        | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);
    if (!bwrap
        || !g_spawn_async(nullptr, const_cast<gchar**>(argv), nullptr, flags, nullptr, nullptr, &m_trial, nullptr))
        m_works = false;
}

SandboxTrialGtk::~SandboxTrialGtk()
{
    sandboxWorks(); // reaps the child
}

bool SandboxTrialGtk::sandboxWorks()
{
    if (!m_works) {
        int status = 0;
        pid_t reaped;
        do
            reaped = waitpid(m_trial, &status, 0);
        while (reaped < 0 && errno == EINTR);
        m_works = reaped == m_trial && g_spawn_check_wait_status(status, nullptr);
        g_spawn_close_pid(m_trial);
    }
    return *m_works;
}

} // namespace platform::gtk
